#include "engine/step_pool.hpp"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

// Rounds of watching (for the next run, or for the last tasks of this one) before sleeping:
// some tens of microseconds.
constexpr int watch_rounds = 4000;

inline void relax() {
#if defined(__x86_64__) || defined(__i386__)
  _mm_pause();
#endif
}

}  // namespace

step_pool::step_pool(int threads) {
  for (int t = 1; t < threads; ++t) workers_.emplace_back([this, t] { worker_loop(t); });
}

step_pool::~step_pool() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    published_.store(number_ + 1, std::memory_order_release);  // ends every watch
  }
  wake_.notify_all();
  for (std::thread& w : workers_) w.join();
}

void step_pool::run(int tasks, const work_type& work) {
  if (tasks <= 0) return;
  if (workers_.empty() || tasks == 1) {
    for (int task = 0; task < tasks; ++task) work(task, 0);
    return;
  }
  std::uint32_t number;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    number = ++number_;
    work_ = &work;
    tasks_ = tasks;
    finished_.store(0, std::memory_order_relaxed);
    next_.store(std::uint64_t(number) << 32, std::memory_order_release);
    published_.store(number, std::memory_order_release);
  }
  wake_.notify_all();
  take_tasks(number, tasks, work, 0);
  for (int round = 0; round < watch_rounds; ++round) {
    if (finished_.load(std::memory_order_acquire) == tasks) return;
    relax();
  }
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [&] { return finished_.load(std::memory_order_acquire) == tasks; });
}

void step_pool::take_tasks(std::uint32_t number, int tasks, const work_type& work, int thread) {
  for (;;) {
    std::uint64_t taken = next_.load(std::memory_order_acquire);
    do {
      // Another run's counter, or nothing left: this run needs nothing more from this thread.
      if (std::uint32_t(taken >> 32) != number || int(std::uint32_t(taken)) >= tasks) return;
    } while (!next_.compare_exchange_weak(taken, taken + 1, std::memory_order_acq_rel));
    work(int(std::uint32_t(taken)), thread);
    if (finished_.fetch_add(1, std::memory_order_acq_rel) + 1 == tasks) {
      std::lock_guard<std::mutex> lock(mutex_);  // the caller may be about to sleep
      done_.notify_one();
    }
  }
}

void step_pool::worker_loop(int thread) {
  std::uint32_t seen = 0;
  for (;;) {
    for (int round = 0; round < watch_rounds && published_.load(std::memory_order_acquire) == seen; ++round) relax();
    std::uint32_t number;
    const work_type* work;
    int tasks;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [&] { return stopping_ || number_ != seen; });
      if (stopping_) return;
      seen = number = number_;
      work = work_;
      tasks = tasks_;
    }
    // A run that has ended since leaves its counter behind: take_tasks then takes nothing, and
    // never calls a `work` that is gone.
    take_tasks(number, tasks, *work, thread);
  }
}
