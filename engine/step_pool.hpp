#pragma once
// A small pool of threads that share the work of one world step. Bullet as this system links
// it is built without its own threading (its task schedulers are absent and its parallel loops
// run on the caller), so the multi-threaded step uses this pool instead.
//
// run(tasks, work) calls work(task, thread) once for every task in [0, tasks), spread over the
// calling thread (thread 0) and the pool's workers (1 .. threads() - 1), and returns when all
// are done. Which thread runs a task is not fixed: work must give the same result whichever
// thread runs it, and tasks must not touch each other's data. Not reentrant; one caller at a
// time.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class step_pool {
 public:
  /// `threads` >= 1 in all, the calling thread included (1: run() works on the caller alone).
  explicit step_pool(int threads);
  ~step_pool();
  step_pool(const step_pool&) = delete;
  step_pool& operator=(const step_pool&) = delete;

  int threads() const { return int(workers_.size()) + 1; }
  void run(int tasks, const std::function<void(int task, int thread)>& work);

 private:
  void worker_loop(int thread);
  void take_tasks(int thread);

  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  unsigned generation_ = 0;  // bumped for every run(); workers wait for a new one
  bool stopping_ = false;
  int busy_ = 0;  // workers still inside the current run
  const std::function<void(int, int)>* work_ = nullptr;
  int tasks_ = 0;
  std::atomic<int> next_{0};
};
