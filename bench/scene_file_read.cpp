// How reading a scene file grows with the file: hostile but valid texts of each shape (a long
// list of shapes, of links, of keys listed backwards, of shapes with as many streams as a
// file allows, deep chains)
// at n and 4n entries. Linear reading gives a ratio near 4; a quadratic step shows as ~16.
// Prints one line per case: `<case> <bytes at 4n> <ms at n> <ms at 4n> ratio <r>`.
//
//   build/bin/scene_file_read [n]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "host/io/scene_file.hpp"
#include "host/scene/scene.hpp"

namespace {

const std::string head = R"({"format":"physplug-scene","version":1,"shapes":[{"kind":"part","name":"r")";

std::string list(int n, const std::function<std::string(int)>& item) {
  std::string out;
  for (int i = 0; i < n; ++i) out += (i ? "," : "") + item(i);
  return out;
}

std::string uuid(int i) {
  char text[40];
  std::snprintf(text, sizeof text, "\"%08X-0000-0000-0000-000000000000\"", static_cast<unsigned>(i));
  return text;
}

const struct {
  const char* name;
  std::function<std::string(int)> text;
} cases[] = {
    {"shapes",
     [](int n) { return head + "}," + list(n, [](int) { return R"({"kind":"part","name":"","dad":0})"; }) + "]}"; }},
    {"links",
     [](int n) {
       return head + R"(,"links":[)" + list(n, [](int) { return R"({"uuid":)" + uuid(0) + R"(,"target":0})"; }) +
              "]}]}";
     }},
    {"keys_backwards",
     [](int n) {
       return head + R"(},{"kind":"part","name":"","dad":0}],"keys":[{"part":1,"part_keys":[)" +
              list(n, [n](int i) { return R"({"frame":)" + std::to_string(n - i) + "}"; }) + "]}]}";
     }},
    {"streams_1024_per_shape",
     [](int n) {
       const std::string streams =
           R"(,"streams":[)" + list(1024, [](int i) { return R"({"uuid":)" + uuid(i) + "}"; }) + "]}";
       return head + streams + "," +
              list(n / 1024, [&](int) { return R"({"kind":"part","name":"","dad":0)" + streams; }) + "]}";
     }},
    {"chain_1000_deep_repeated",
     [](int n) {
       return head + "}," +
              list(
                  n,
                  [](int i) { return R"({"kind":"part","name":"","dad":)" + std::to_string(i % 1000 ? i : 0) + "}"; }) +
              "]}";
     }},
};

double milliseconds_to_read(const std::string& text) {
  const auto start = std::chrono::steady_clock::now();
  sxsdk::host_ref<host::scene> s = host::scene_file::parse(text, "bench.json");
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int n = argc > 1 ? std::atoi(argv[1]) : 10000;
  for (const auto& c : cases) {
    const std::string small = c.text(n), large = c.text(4 * n);
    const double a = milliseconds_to_read(small), b = milliseconds_to_read(large);
    std::printf("%-26s %9zu %9.1f %9.1f ratio %.1f\n", c.name, large.size(), a, b, b / a);
  }
  return 0;
}
