// Fuzzes scene_file::parse: any text either builds a scene or fails with one scene_file_error,
// and a scene that was read formats to a text that reads back and formats to the same bytes.
// Any other exception escapes on purpose, so that libFuzzer reports it.
#include <cstdint>
#include <string>

#include "fuzz_scene.hpp"
#include "host/io/scene_file.hpp"

namespace {

// The canonical text of the scene in `text`, or nothing when the file is refused.
bool formatted(const std::string& text, std::string& out) {
  sxsdk::host_ref<host::scene> s;
  try {
    s = host::scene_file::parse(text, "fuzz.json");
  } catch (const host::scene_file_error&) {
    return false;
  }
  out = host::scene_file::format(*s, "fuzz.json");
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string first;
  if (!formatted(std::string(reinterpret_cast<const char*>(data), size), first)) return 0;
  std::string second;
  fuzz::require(formatted(first, second), "the formatted text of a scene that was read does not read back");
  fuzz::require(second == first, "formatting the scene read back from formatted text gives other bytes");
  return 0;
}
