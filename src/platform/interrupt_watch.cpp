#include "platform/interrupt_watch.h"

#ifndef _WIN32
#include <pthread.h>
#include <signal.h>
#endif

namespace platform {

#ifndef _WIN32

namespace {

sigset_t Watched() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);  // a closed terminal or ssh session cancels like SIGTERM
  return set;
}

}  // namespace

InterruptWatch::InterruptWatch(std::function<void()> onInterrupt)
    : onInterrupt_(std::move(onInterrupt)) {
  const sigset_t set = Watched();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  thread_ = std::thread([this] {
    const sigset_t watched = Watched();
    for (;;) {
      int signal = 0;
      if (sigwait(&watched, &signal) != 0) continue;
      if (stopping_) return;
      onInterrupt_();
    }
  });
}

InterruptWatch::~InterruptWatch() {
  stopping_ = true;
  pthread_kill(thread_.native_handle(), SIGTERM);
  thread_.join();
  const sigset_t set = Watched();
  pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

#else

// The console's Ctrl+C keeps its default meaning on Windows.
InterruptWatch::InterruptWatch(std::function<void()> onInterrupt)
    : onInterrupt_(std::move(onInterrupt)) {}
InterruptWatch::~InterruptWatch() = default;

#endif

}  // namespace platform
