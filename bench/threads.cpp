// Multi-threaded stepping against Bullet alone: the pile (bench/pile_paths.hpp, 4000 boxes by
// default) played through the whole host -> plug-in path with the plug-in stepping on T threads
// (2 by default, handed over as physplug-host play --threads does), against raw single-threaded
// Bullet on the same bodies, frame by frame in alternating order in this process. Prints the
// wall time per frame of both (run it on an otherwise idle machine), their CPU time, how alike the
// two settled piles are, and as its last line `ratio <plug-in path/raw>`. At 2 threads and more
// the pile, one island, is solved in batches (engine/batched_solver): its boxes take other paths
// than Bullet's serial solver sends them, so the piles are compared as piles: mean height
// (within 2 cm) and the spread of the boxes across the ground (within 5%).
//
//   build/bin/threads [--frames F] [--threads T] [BOXES]      (default: 250 frames, 2, 4000)
#include <algorithm>
#include <cmath>
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
  // The plug-in path's frames, also timed in CPU time of the whole process (every thread).
  struct counted {
    plugin_path& path;
    double process_cpu = 0;
    void frame(int f) {
      const double before = process_cpu_seconds();
      path.frame(f);
      process_cpu += process_cpu_seconds() - before;
    }
  } threaded{plugin};
  frame_time plugin_time, raw_time;
  play_alternating(threaded, raw, frames, plugin_time, raw_time);
  const std::vector<btVector3> ours = plugin.positions(), theirs = raw.positions();
  double apart = 0;
  for (std::size_t i = 0; i < ours.size(); ++i) apart = std::max(apart, double(ours[i].distance(theirs[i])));
  const auto spread = [](const std::vector<btVector3>& at) {
    btVector3 mean(0, 0, 0);
    for (const btVector3& p : at) mean += p / btScalar(at.size());
    double squares = 0;
    for (const btVector3& p : at) squares += double((p - mean).x() * (p - mean).x() + (p - mean).z() * (p - mean).z());
    return std::sqrt(squares / double(at.size()));
  };
  std::printf("N=%d frames=%d plug-in path at %d threads %.3f ms/frame, raw Bullet (1 thread) %.3f ms/frame\n", count,
              frames, threads, 1e3 * plugin_time.wall / frames, 1e3 * raw_time.wall / frames);
  // CPU time: the calling thread's, and every thread's together. Where the workers are never
  // kept waiting for a core (an otherwise idle machine), the calling thread's CPU time is about
  // the wall time: it works its share and watches for the others' (see engine/step_pool).
  std::printf(
      "CPU time per frame: plug-in path %.3f ms on the calling thread, %.3f ms on all %d threads; raw Bullet "
      "%.3f ms; calling thread over raw %.4f\n",
      1e3 * plugin_time.cpu / frames, 1e3 * threaded.process_cpu / frames, threads, 1e3 * raw_time.cpu / frames,
      plugin_time.cpu / raw_time.cpu);
  std::printf(
      "settled piles: mean heights %.6f and %.6f m, spread across the ground %.4f and %.4f m; largest distance "
      "between a box and its twin %.3g m\n",
      plugin.mean_height(), raw.mean_height(), spread(ours), spread(theirs), apart);
  // Wall time: the threads' work is shared out, so only wall time shows what they gain.
  print_ratio(plugin_time.wall / raw_time.wall);
  return 0;
}
