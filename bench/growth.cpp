// How the plug-in's costs grow with the scene: for piles of 250 to 16000 boxes, all ten layers
// high on a square of columns that grows with the count (so that each box meets as many others
// at every size), played through the whole host -> plug-in path of bench/pile_paths.hpp: the
// time to build the worlds (entering sequence mode) and the mean time per frame, beside the time
// per frame of Bullet alone on the same bodies (the raw path, frames alternating with ours).
// Times are the CPU time of this thread (steady on a machine shared with other work); the wall
// time of our frames is shown too. Prints a table and the exponent k of the least-squares fit
// CPU time ~ N^k over all sizes (1: linear).
//
//   build/bin/growth [--frames F] [BOXES ...]      (default: 40 frames; 250 1000 4000 16000)
#include <cmath>
#include <cstdio>
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
  int frames = 40;
  std::vector<int> sizes;
  if (!read_sizes(argc, argv, frames, sizes) || sizes.size() < 2) {
    std::fprintf(stderr, "usage: growth [--frames F > 0] [BOXES > 0 ...] (two sizes or more)\n");
    return 2;
  }
  {
    // Once per process, not per scene: the first load and build set up texts and tables.
    plugin_path warm_up(box_pile_poses(10, 2), 1);
    (void)warm_up.enter();
  }
  std::vector<double> builds, frame_times, raw_times;
  std::printf("%8s %8s %12s %14s %15s %14s   (%d frames)\n", "bodies", "columns", "build cpu s", "frame cpu ms",
              "raw frame cpu ms", "frame wall ms", frames);
  for (int n : sizes) {
    const int side = int(std::ceil(std::sqrt(n / 10.0)));
    plugin_path plugin(box_pile_poses(n, side), frames);
    frame_time build, frame, raw_frame;
    timed([&] { (void)plugin.enter(); }, build);
    raw_path raw(box_pile_poses(n, side), plugin.paddle_track());
    for (int f = 1; f <= frames; ++f) {
      timed([&] { plugin.frame(f); }, frame);
      timed([&] { raw.frame(f); }, raw_frame);
    }
    builds.push_back(build.cpu);
    frame_times.push_back(frame.cpu / frames);
    raw_times.push_back(raw_frame.cpu / frames);
    std::printf("%8d %5dx%-3d %12.4f %14.3f %15.3f %14.3f   (build wall %.4f s)\n", n, side, side, build.cpu,
                1e3 * frame.cpu / frames, 1e3 * raw_frame.cpu / frames, 1e3 * frame.wall / frames, build.wall);
    std::fflush(stdout);
  }
  std::printf("fitted exponent (CPU time): build %.2f, frame %.2f, raw Bullet frame %.2f\n", exponent(sizes, builds),
              exponent(sizes, frame_times), exponent(sizes, raw_times));
  return 0;
}
