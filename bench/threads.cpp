// Multi-threaded stepping against Bullet alone: the pile (bench/pile_paths.hpp, 4000 boxes by
// default) played through the whole host -> plug-in path with the plug-in stepping on T threads
// (2 by default, handed over as physplug-host play --threads does), against raw single-threaded
// Bullet on the same bodies, frame by frame in alternating order in this process. Prints the
// wall time per frame of both (run it on an otherwise idle machine), how far apart the two settled piles are (largest
// distance between a box and its twin, and the mean heights), and as its last line `ratio <plug-in path/raw>`.
//
//   build/bin/threads [--frames F] [--threads T] [BOXES]      (default: 250 frames, 2, 4000)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/pile_paths.hpp"

using namespace pile_bench;

int main(int argc, char** argv) {
  int frames = 250, threads = 2, count = 4000;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
      frames = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc)
      threads = std::atoi(argv[++i]);
    else
      count = std::atoi(argv[i]);
  }
  if (frames <= 0 || threads <= 0 || count <= 0) {
    std::fprintf(stderr, "usage: threads [--frames F > 0] [--threads T > 0] [BOXES > 0]\n");
    return 2;
  }
  const std::vector<btTransform> poses = box_pile_start_poses(count);
  plugin_path plugin(poses, frames, threads);
  (void)plugin.enter();
  raw_path raw(poses, plugin.paddle_track());
  frame_time plugin_time, raw_time;
  play_alternating(plugin, raw, frames, plugin_time, raw_time);
  const std::vector<btVector3> ours = plugin.positions(), theirs = raw.positions();
  double apart = 0;
  for (std::size_t i = 0; i < ours.size(); ++i) apart = std::max(apart, double(ours[i].distance(theirs[i])));
  std::printf("N=%d frames=%d plug-in path at %d threads %.3f ms/frame, raw Bullet (1 thread) %.3f ms/frame\n", count,
              frames, threads, 1e3 * plugin_time.wall / frames, 1e3 * raw_time.wall / frames);
  std::printf("settled piles: largest distance between a box and its twin %.3g m; mean heights %.6f and %.6f m\n",
              apart, plugin.mean_height(), raw.mean_height());
  // Wall time: the threads' work is shared out, so only wall time shows what they gain.
  print_ratio(plugin_time.wall / raw_time.wall);
  return 0;
}
