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
//
// run() waits for the tasks, not for the workers: a worker the machine has not scheduled yet
// leaves its share to the others and takes nothing of a later run (the task counter carries the
// run's number). Between runs a worker watches for the next one a little while before it sleeps,
// so that the short runs of a step follow each other without waking threads.
#include <atomic>
#include <condition_variable>
#include <cstdint>
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
  using work_type = std::function<void(int, int)>;
  void worker_loop(int thread);
  // Takes and runs tasks of run `number` until none is left.
  void take_tasks(std::uint32_t number, int tasks, const work_type& work, int thread);

  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  // Under mutex_: the current run, what it runs, whether the pool is closing.
  std::uint32_t number_ = 0;
  const work_type* work_ = nullptr;
  int tasks_ = 0;
  bool stopping_ = false;
  std::atomic<std::uint32_t> published_{0};  // number_, for workers watching without the lock
  std::atomic<std::uint64_t> next_{0};       // run number << 32 | next task of that run
  std::atomic<int> finished_{0};             // tasks of the current run done
};
