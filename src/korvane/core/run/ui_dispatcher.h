#pragma once
// Hands work from the watcher's thread to the interface thread. The Qt view
// posts a queued call; the headless mode and the tests use QueueDispatcher and
// run the queue themselves.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace korvane {

class UiDispatcher {
 public:
  virtual ~UiDispatcher() = default;
  // Runs work later on the interface thread, in the order posted. Any thread may call it.
  virtual void Post(std::function<void()> work) = 0;
};

class QueueDispatcher : public UiDispatcher {
 public:
  void Post(std::function<void()> work) override;
  // Runs what is queued, also what that posts; returns how many ran.
  std::size_t RunPending();
  // Runs posted work as it comes until done() holds (checked after each piece)
  // or timeout passes; true when done.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
  // How much work waits.
  std::size_t Queued() const;

 private:
  mutable std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> queue_;
};

}  // namespace korvane
