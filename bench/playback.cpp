// Cost of the whole host -> plug-in path of playback over Bullet itself, at several pile sizes
// (bench/pile_paths.hpp describes both paths). Each size runs both paths in this process, frame
// by frame in alternating order so that both see the same machine load. Both paths run on this
// thread alone, so the ratio is taken from the thread's CPU time, which the other work of a
// shared machine does not inflate (the wall-time ratio is printed too). Prints one line per
// size (`N=<boxes> ... ratio X`), and as its last line `ratio X` of the largest size.
//
//   build/bin/playback [--frames F] [BOXES ...]      (default: 250 frames; 250 1000 4000 16000)
#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/pile_paths.hpp"

namespace {

using namespace pile_bench;

double play_size(int count, int frames) {
  const std::vector<btTransform> poses = box_pile_start_poses(count);
  plugin_path plugin(poses, frames);
  (void)plugin.enter();
  raw_path raw(poses, plugin.paddle_track());
  const std::size_t messages = plugin.messages();
  frame_time plugin_time, raw_time;
  play_alternating(plugin, raw, frames, plugin_time, raw_time);
  const double ratio = plugin_time.cpu / raw_time.cpu;
  const bool same = std::fabs(plugin.mean_height() - raw.mean_height()) < 1e-6;
  std::printf(
      "N=%d frames=%d plug-in path %.3f ms/frame CPU (%.3f wall), raw Bullet %.3f ms/frame CPU (%.3f wall), wall "
      "ratio %.4f, %s, messages %zu, ratio %.4f\n",
      count, frames, 1e3 * plugin_time.cpu / frames, 1e3 * plugin_time.wall / frames, 1e3 * raw_time.cpu / frames,
      1e3 * raw_time.wall / frames, plugin_time.wall / raw_time.wall, same ? "same motion" : "THE MOTIONS DIFFER",
      plugin.messages() - messages, ratio);
  std::fflush(stdout);
  return ratio;
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 250;
  std::vector<int> sizes;
  if (!read_sizes(argc, argv, frames, sizes)) {
    std::fprintf(stderr, "usage: playback [--frames F > 0] [BOXES > 0 ...]\n");
    return 2;
  }
  double ratio = 0;
  for (int n : sizes) ratio = play_size(n, frames);
  print_ratio(ratio);
  return 0;
}
