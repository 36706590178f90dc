#include "engine/step_pool.hpp"

step_pool::step_pool(int threads) {
  for (int t = 1; t < threads; ++t) workers_.emplace_back([this, t] { worker_loop(t); });
}

step_pool::~step_pool() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  for (std::thread& w : workers_) w.join();
}

void step_pool::run(int tasks, const std::function<void(int, int)>& work) {
  if (tasks <= 0) return;
  if (workers_.empty() || tasks == 1) {
    for (int task = 0; task < tasks; ++task) work(task, 0);
    return;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    work_ = &work;
    tasks_ = tasks;
    next_.store(0, std::memory_order_relaxed);
    busy_ = int(workers_.size());
    ++generation_;
  }
  wake_.notify_all();
  take_tasks(0);
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [this] { return busy_ == 0; });
  work_ = nullptr;
}

void step_pool::take_tasks(int thread) {
  for (int task = next_.fetch_add(1, std::memory_order_relaxed); task < tasks_;
       task = next_.fetch_add(1, std::memory_order_relaxed))
    (*work_)(task, thread);
}

void step_pool::worker_loop(int thread) {
  unsigned seen = 0;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
      if (stopping_) return;
      seen = generation_;
    }
    take_tasks(thread);
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (--busy_ == 0) done_.notify_one();
    }
  }
}
