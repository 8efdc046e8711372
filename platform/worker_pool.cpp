#include "platform/worker_pool.h"

#include <algorithm>

#include "platform/processor_count.h"

namespace corvane {

int WorkerPool::DefaultWorkers() {
  return std::clamp(AllowedProcessors(), 1, 4);
}

WorkerPool::WorkerPool(int workers) { SetWorkers(workers); }

WorkerPool::~WorkerPool() { Stop(); }

void WorkerPool::SetWorkers(int workers) {
  Stop();
  workers_ = std::clamp(workers, 1, kMaxWorkers);
}

void WorkerPool::Start() {
  // stopping_ is false here (Stop resets it); writing it would race with idle workers reading it.
  // A new thread waits for the next batch, not for the last one, which has run already.
  const std::uint64_t last = batch_;
  for (int k = static_cast<int>(threads_.size()); k + 1 < workers_; ++k) {
    try {
      threads_.emplace_back([this, last] { Loop(last); });
    } catch (...) {
      break;  // the threads that did start share the work; none at all: the caller does it
    }
  }
}

void WorkerPool::Stop() {
  if (threads_.empty()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : threads_) t.join();
  threads_.clear();
  stopping_ = false;
}

void WorkerPool::Drain(TaskRef task, int count) {
  for (int i; (i = next_.fetch_add(1, std::memory_order_relaxed)) < count;) {
    try {
      task(i);
    } catch (...) {
    }
  }
}

void WorkerPool::Loop(std::uint64_t seen) {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [&] { return stopping_ || batch_ != seen; });
    if (stopping_) return;
    seen = batch_;
    const TaskRef* task = task_;
    const int count = count_;
    lock.unlock();
    Drain(*task, count);
    lock.lock();
    if (--pending_ == 0) done_.notify_one();
  }
}

void WorkerPool::RunTasks(int count, TaskRef task) {
  if (count <= 0) return;
  if (workers_ > 1 && count > 1 && static_cast<int>(threads_.size()) + 1 < workers_) Start();
  if (count == 1 || threads_.empty()) {
    next_.store(0, std::memory_order_relaxed);
    Drain(task, count);
    return;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    task_ = &task;
    count_ = count;
    next_.store(0, std::memory_order_relaxed);
    pending_ = static_cast<int>(threads_.size());
    ++batch_;
  }
  wake_.notify_all();
  Drain(task, count);
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [&] { return pending_ == 0; });
  task_ = nullptr;
}

}  // namespace corvane
