// Binding projection vertices to a cloth: 100 000 points of a mesh four times finer (offset a
// little off the cloth) bound to a 10 000-vertex cloth, with the grid search the projection uses
// (cloth_search), once upright (the cloth hangs: y varies) and once flat (every y equal, where
// the y-ordered walk of the binding rules prunes nothing). Prints seconds and peak memory growth
// per layout, and checks the bindings against the walk (every K-th point; --full: every point,
// which takes minutes on the flat cloth).
//
//   build/bin/projection_binding [--check-every K] [--full]
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/scene/scene.hpp"
#include "softbody/cloth_search.hpp"
#include "softbody/cloth_util.hpp"

namespace {

using vec3 = sx::vec<float, 3>;

long peak_kib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// An n x n grid `size` mm wide: upright in the x-y plane, or flat in the x-z plane at y = 500.
std::vector<vec3> grid(int n, float size, bool flat, float lift) {
  std::vector<vec3> out;
  for (int k = 0; k < n; ++k)
    for (int i = 0; i < n; ++i) {
      const float a = size * float(i) / float(n - 1) - size / 2, b = size * float(k) / float(n - 1) + 100.0f;
      out.push_back(flat ? vec3{a + 0.37f, 500.0f + lift, b} : vec3{a + 0.37f, b, lift});
    }
  return out;
}

struct binding {
  int count = 0;
  std::int32_t vertex[3] = {-1, -1, -1};
  float weight[3] = {0, 0, 0};
  bool operator==(const binding& o) const {
    if (count != o.count) return false;
    for (int j = 0; j < count; ++j)
      if (vertex[j] != o.vertex[j] || std::memcmp(&weight[j], &o.weight[j], sizeof(float)) != 0) return false;
    return true;
  }
};

binding bind_point(cloth_util& builder, const std::multimap<float, cloth_util::iw>& candidates, host::scene& messages,
                   int v) {
  builder.vws.clear();
  (void)builder.make_from(candidates, messages, v);
  binding b;
  b.count = int(std::min<std::size_t>(builder.vws.size(), 3));
  for (int j = 0; j < b.count; ++j) {
    b.vertex[j] = builder.vws[std::size_t(j)].index;
    b.weight[j] = builder.vws[std::size_t(j)].weight;
  }
  return b;
}

void run(bool flat, int check_every, host::scene& messages) {
  const std::vector<vec3> cloth = grid(100, 1000.0f, flat, 0.0f);
  const std::vector<vec3> points = grid(317, 1000.0f, flat, 3.0f);  // 100 489 points
  const long before = peak_kib();
  const auto t0 = std::chrono::steady_clock::now();
  const cloth_search search(cloth);
  std::vector<binding> bound(points.size());
  cloth_util builder;
  for (std::size_t i = 0; i < points.size(); ++i)
    bound[i] = bind_point(builder, search.find(points[i], true), messages, int(i));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const long grown = peak_kib() - before;
  cloth_vertex_index index;
  for (std::size_t i = 0; i < cloth.size(); ++i) index.emplace(cloth[i], int(i));
  std::size_t checked = 0, differ = 0;
  for (std::size_t i = 0; i < points.size(); i += std::size_t(check_every), ++checked)
    if (!(bind_point(builder, cloth_util::search(points[i], index, true), messages, int(i)) == bound[i])) ++differ;
  std::printf(
      "%s: %zu points bound to %zu cloth vertices in %.3f s, peak memory +%.1f MiB; "
      "%zu of %zu checked against the walk differ\n",
      flat ? "flat" : "upright", points.size(), cloth.size(), seconds, grown / 1024.0, differ, checked);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  int check_every = 97;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--full") == 0) {
      check_every = 1;
    } else if (std::strcmp(argv[i], "--check-every") == 0 && i + 1 < argc && std::atoi(argv[i + 1]) > 0) {
      check_every = std::atoi(argv[++i]);
    } else {
      std::fprintf(stderr, "usage: projection_binding [--check-every K > 0] [--full]\n");
      return 2;
    }
  }
  sxsdk::host_ref<host::scene> messages = host::scene::create();
  run(false, check_every, *messages);
  run(true, check_every, *messages);
  return 0;
}
