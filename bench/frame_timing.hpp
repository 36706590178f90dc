#pragma once
// Timing shared by the benchmarks that play one scene on two paths (the plug-in path and Bullet
// stepped directly): the time spent in frames, the frames of both paths played in alternating
// order, and the last line every one of them prints, `ratio X`.
#include <time.h>

#include <chrono>
#include <cstdio>

/// Time spent in frames: wall time, and the CPU time of the calling thread (which leaves out
/// the time the machine gave to other work; it counts only this thread's own work).
struct frame_time {
  double wall = 0, cpu = 0;
};

inline double thread_cpu_seconds() {
  timespec t;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

/// CPU time of the whole process: every thread's.
inline double process_cpu_seconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

/// Runs `work` and adds the wall and CPU time it took to `spent`.
template <class Work>
void timed(Work&& work, frame_time& spent) {
  const double cpu = thread_cpu_seconds();
  const auto start = std::chrono::steady_clock::now();
  work();
  spent.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  spent.cpu += thread_cpu_seconds() - cpu;
}

/// Plays frames 1..frames on both paths (each has frame(int)), frame by frame in alternating
/// order (`a` first on odd frames) so that both see the same machine load.
template <class A, class B>
void play_alternating(A& a, B& b, int frames, frame_time& a_time, frame_time& b_time) {
  for (int f = 1; f <= frames; ++f) {
    if (f % 2) {
      timed([&] { a.frame(f); }, a_time);
      timed([&] { b.frame(f); }, b_time);
    } else {
      timed([&] { b.frame(f); }, b_time);
      timed([&] { a.frame(f); }, a_time);
    }
  }
}

/// The last line of a benchmark that compares two paths: first path's time over the second's.
inline void print_ratio(double ratio) { std::printf("ratio %.4f\n", ratio); }
