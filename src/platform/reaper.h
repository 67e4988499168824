#pragma once
// Stops programs without making anyone wait: a process handed over is asked to
// stop, given a grace period, then killed and collected, all on the reaper's own
// thread, which sleeps until a process ends or a grace runs out. Whatever is still
// there when the reaper goes is killed at once. Its owner keeps it as long as anything
// it started may still be handed over.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/process.h"

namespace platform {

class Reaper {
 public:
  Reaper();
  ~Reaper();
  Reaper(const Reaper&) = delete;
  Reaper& operator=(const Reaper&) = delete;

  // Terminates now (when terminateNow), kills after grace, collects; returns at once.
  void Stop(std::unique_ptr<Process> process, std::chrono::milliseconds grace,
            bool terminateNow = true);
  // How many handed-over processes have not been collected yet.
  std::size_t Pending() const;
  // Waits until all are collected, at most timeout; true when none is left.
  bool WaitIdle(std::chrono::milliseconds timeout) const;

 private:
  struct Entry {
    std::unique_ptr<Process> process;
    std::chrono::steady_clock::time_point killAt;
    bool killed = false;
  };
  void Run();
  // Sleeps until a process may have ended, the next grace runs out, or the entries
  // change. Called and returns with the lock held.
  void Sleep(std::unique_lock<std::mutex>& lock);
  void Wake();

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<Entry> entries_;
  bool quitting_ = false;
  int wakeFd_ = -1;     // written to wake the thread from waiting on the processes
  std::thread thread_;  // last: starts after the members it uses
};

}  // namespace platform
