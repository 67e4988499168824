#pragma once
// Ctrl+C and a polite kill (SIGINT, SIGTERM) turned into a call on a thread of
// its own, so that a program without a window can end its work in order rather
// than die half-way. Programs it starts get the default handling back.

#include <atomic>
#include <functional>
#include <thread>

namespace platform {

class InterruptWatch {
 public:
  // Takes the signals away from the calling thread and from every thread it
  // starts afterwards: create it before any other thread.
  explicit InterruptWatch(std::function<void()> onInterrupt);
  ~InterruptWatch();
  InterruptWatch(const InterruptWatch&) = delete;
  InterruptWatch& operator=(const InterruptWatch&) = delete;

 private:
  std::function<void()> onInterrupt_;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace platform
