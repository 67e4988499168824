#pragma once
// Stops programs without making anyone wait: a process handed over is asked to
// stop, given a grace period, then killed and collected, all on the reaper's own
// thread. Whatever is still there when the reaper goes is killed at once.

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

  // The one the programs use; it lives until the end of the program.
  static Reaper& Instance();

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

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<Entry> entries_;
  bool quitting_ = false;
  std::thread thread_;  // last: starts after the members it uses
};

}  // namespace platform
