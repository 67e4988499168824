#include "korvane/core/run/ui_dispatcher.h"

namespace korvane {

void QueueDispatcher::Post(std::function<void()> work) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(work));
  }
  posted_.notify_all();
}

std::size_t QueueDispatcher::RunPending() {
  std::size_t ran = 0;
  while (true) {
    std::function<void()> work;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) return ran;
      work = std::move(queue_.front());
      queue_.pop_front();
    }
    work();
    ++ran;
  }
}

std::size_t QueueDispatcher::Queued() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

bool QueueDispatcher::RunUntil(const std::function<bool()>& done,
                               std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    std::function<void()> work;
    {
      std::unique_lock lock(mutex_);
      if (!posted_.wait_until(lock, deadline, [this] { return !queue_.empty(); })) return done();
      work = std::move(queue_.front());
      queue_.pop_front();
    }
    work();
  }
  return true;
}

}  // namespace korvane
