// WorkerPool: a few threads owned by one chart that share a batch of independent tasks with
// the thread that hands them over. The tasks are plain computation on memory the caller
// owns: no worker ever touches a device context, a window or a COM object.
//
// Threads start on the first batch that can use them and are joined by SetWorkers and by the
// destructor, so none outlives the pool. A pool of one worker runs every task on the calling
// thread; so does any pool whose threads could not be started. One caller at a time.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <type_traits>
#include <vector>

namespace corvane {

// A reference to a callable taking the task index; unlike std::function it never allocates,
// so handing work over cannot fail.
class TaskRef {
 public:
  template <typename F>
  explicit TaskRef(F& f)
      : object_(const_cast<void*>(static_cast<const void*>(&f))),
        call_([](void* o, int i) { (*static_cast<F*>(o))(i); }) {}
  void operator()(int i) const { call_(object_, i); }

 private:
  void* object_;
  void (*call_)(void*, int);
};

class WorkerPool {
 public:
  static constexpr int kMaxWorkers = 16;
  // The processors this process may run on (its affinity: a host that holds itself to one
  // processor gets one worker), at least 1 and at most 4: the chart's work comes in at most
  // eight plots, and more threads would mostly share the same memory bandwidth.
  static int DefaultWorkers();

  explicit WorkerPool(int workers = DefaultWorkers());
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  // Workers including the calling thread, clamped into 1..kMaxWorkers; joins the threads
  // that run now (they are idle between batches).
  void SetWorkers(int workers);
  int workers() const { return workers_; }
  // Threads running now (0 until a batch has needed them).
  int threads() const { return static_cast<int>(threads_.size()); }

  // Calls task(i) once for each i in [0, count), spread over the workers with the calling
  // thread among them, and returns when every call has returned. A task that throws has its
  // exception swallowed: tasks report their own failures.
  template <typename F>
  void Run(int count, F&& task) {
    std::remove_reference_t<F>& f = task;
    RunTasks(count, TaskRef(f));
  }

 private:
  void RunTasks(int count, TaskRef task);
  void Start();
  void Stop();
  void Loop(std::uint64_t seen);
  void Drain(TaskRef task, int count);

  int workers_ = 1;
  std::vector<std::thread> threads_;
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  const TaskRef* task_ = nullptr;
  int count_ = 0;
  std::atomic<int> next_{0};
  int pending_ = 0;  // threads still on the current batch
  std::uint64_t batch_ = 0;
  bool stopping_ = false;
};

}  // namespace corvane
