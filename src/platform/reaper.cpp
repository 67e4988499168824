#include "platform/reaper.h"

#ifndef _WIN32
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdint>

namespace platform {

namespace {
// How often a process without an exit descriptor is looked at while it waits for its end.
constexpr std::chrono::milliseconds kLookInterval(20);
}  // namespace

Reaper::Reaper() {
#ifndef _WIN32
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
#endif
  thread_ = std::thread([this] { Run(); });
}

Reaper::~Reaper() {
  {
    std::lock_guard lock(mutex_);
    quitting_ = true;
  }
  Wake();
  thread_.join();
#ifndef _WIN32
  if (wakeFd_ >= 0) ::close(wakeFd_);
#endif
}

void Reaper::Stop(std::unique_ptr<Process> process, std::chrono::milliseconds grace,
                  bool terminateNow) {
  if (!process) return;
  if (terminateNow) process->Terminate();
  {
    std::lock_guard lock(mutex_);
    entries_.push_back({std::move(process), std::chrono::steady_clock::now() + grace, false});
  }
  Wake();
}

std::size_t Reaper::Pending() const {
  std::lock_guard lock(mutex_);
  return entries_.size();
}

bool Reaper::WaitIdle(std::chrono::milliseconds timeout) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [this] { return entries_.empty(); });
}

void Reaper::Wake() {
  changed_.notify_all();
#ifndef _WIN32
  if (wakeFd_ >= 0) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
  }
#endif
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
      Sleep(lock);
    }
  }
}

void Reaper::Sleep(std::unique_lock<std::mutex>& lock) {
  auto wake = std::chrono::steady_clock::time_point::max();
  for (const Entry& entry : entries_) {
    if (!entry.killed) wake = std::min(wake, entry.killAt);
  }
#ifndef _WIN32
  std::vector<pollfd> fds;
  bool blind = wakeFd_ < 0;  // something can end unseen: look again soon
  if (wakeFd_ >= 0) fds.push_back({wakeFd_, POLLIN, 0});
  for (const Entry& entry : entries_) {
    const int fd = entry.process->ExitFd();
    if (fd >= 0) {
      fds.push_back({fd, POLLIN, 0});
    } else {
      blind = true;
    }
  }
  if (blind) wake = std::min(wake, std::chrono::steady_clock::now() + kLookInterval);
  int timeout = -1;
  if (wake != std::chrono::steady_clock::time_point::max()) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(wake - std::chrono::steady_clock::now());
    timeout = static_cast<int>(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
  }
  lock.unlock();
  ::poll(fds.data(), fds.size(), timeout);
  if (wakeFd_ >= 0) {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(wakeFd_, &count, sizeof count);
  }
  lock.lock();
#else
  wake = std::min(wake, std::chrono::steady_clock::now() + kLookInterval);
  changed_.wait_until(lock, wake);
#endif
}

}  // namespace platform
