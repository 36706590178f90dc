// How the plug-in's costs grow with the scene: for piles of 250 to 16000 boxes (bench/box_pile.hpp,
// through the whole host -> plug-in path of bench/pile_paths.hpp), the time to build the worlds
// (entering sequence mode) and the mean time per frame. Prints a table and, for each column,
// the exponent k of the least-squares fit time ~ N^k over all sizes (1: linear).
//
//   build/bin/growth [--frames F] [--threads T] [BOXES ...]   (default: 60 frames, 1 thread,
//                                                             250 1000 4000 16000)
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/pile_paths.hpp"

namespace {

using namespace pile_bench;

// Slope of the least-squares line through (log n, log t).
double exponent(const std::vector<int>& n, const std::vector<double>& t) {
  double sx = 0, sy = 0, sxx = 0, sxy = 0;
  const double k = double(n.size());
  for (std::size_t i = 0; i < n.size(); ++i) {
    const double x = std::log(double(n[i])), y = std::log(t[i]);
    sx += x;
    sy += y;
    sxx += x * x;
    sxy += x * y;
  }
  return (k * sxy - sx * sy) / (k * sxx - sx * sx);
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 60, threads = 1;
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
      frames = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc)
      threads = std::atoi(argv[++i]);
    else
      sizes.push_back(std::atoi(argv[i]));
  }
  if (sizes.empty()) sizes = {250, 1000, 4000, 16000};
  bool usable = frames > 0 && threads > 0 && sizes.size() >= 2;
  for (int n : sizes) usable = usable && n > 0;
  if (!usable) {
    std::fprintf(stderr, "usage: growth [--frames F > 0] [--threads T > 0] [BOXES > 0 ...] (two sizes or more)\n");
    return 2;
  }
  std::vector<double> builds, frame_times;
  std::printf("%8s %12s %14s   (%d frames, %d thread%s)\n", "bodies", "build s", "frame ms", frames, threads,
              threads == 1 ? "" : "s");
  for (int n : sizes) {
    plugin_path plugin(box_pile_start_poses(n), frames, threads);
    const double build = plugin.enter();
    const auto start = std::chrono::steady_clock::now();
    for (int f = 1; f <= frames; ++f) plugin.frame(f);
    const double frame = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / frames;
    builds.push_back(build);
    frame_times.push_back(frame);
    std::printf("%8d %12.4f %14.3f\n", n, build, 1e3 * frame);
    std::fflush(stdout);
  }
  std::printf("fitted exponent: build %.2f, frame %.2f\n", exponent(sizes, builds), exponent(sizes, frame_times));
  return 0;
}
