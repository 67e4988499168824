#include "platform/reaper.h"

namespace platform {

namespace {
// How often an entry is looked at while it waits for its end.
constexpr std::chrono::milliseconds kLookInterval(20);
}  // namespace

Reaper::Reaper() : thread_([this] { Run(); }) {}

Reaper::~Reaper() {
  {
    std::lock_guard lock(mutex_);
    quitting_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

Reaper& Reaper::Instance() {
  static Reaper reaper;
  return reaper;
}

void Reaper::Stop(std::unique_ptr<Process> process, std::chrono::milliseconds grace,
                  bool terminateNow) {
  if (!process) return;
  if (terminateNow) process->Terminate();
  {
    std::lock_guard lock(mutex_);
    entries_.push_back({std::move(process), std::chrono::steady_clock::now() + grace, false});
  }
  changed_.notify_all();
}

std::size_t Reaper::Pending() const {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

bool Reaper::WaitIdle(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [this] { return entries_.empty(); });
}

void Reaper::Run() {
  std::unique_lock lock(mutex_);
  while (true) {
    const auto now = std::chrono::steady_clock::now();
    for (auto it = entries_.begin(); it != entries_.end();) {
      Process& process = *it->process;
      if (process.TryWait()) {
        it = entries_.erase(it);
        continue;
      }
      if (quitting_ || (!it->killed && now >= it->killAt)) {
        process.Kill();
        it->killed = true;
      }
      ++it;
    }
    changed_.notify_all();
    if (quitting_) {
      // Killed processes end at once; collect them so none stays a zombie.
      for (Entry& entry : entries_) entry.process->WaitFor(std::chrono::milliseconds(2000));
      entries_.clear();
      changed_.notify_all();
      return;
    }
    if (entries_.empty()) {
      changed_.wait(lock, [this] { return quitting_ || !entries_.empty(); });
    } else {
      changed_.wait_for(lock, kLookInterval);
    }
  }
}

}  // namespace platform
