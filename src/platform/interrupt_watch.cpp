#include "platform/interrupt_watch.h"

#ifndef _WIN32
#include <pthread.h>
#include <signal.h>
#else
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
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

namespace {

// The console calls its handlers on a thread of its own; one watch at a time.
std::atomic<InterruptWatch*> current{nullptr};
std::function<void()>* currentCall = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
      if (current.load() != nullptr && currentCall != nullptr) {
        (*currentCall)();
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

// Ctrl+C, Ctrl+Break and a closed console window become the call; the
// system's handler (which ends the program) comes back with the destructor.
InterruptWatch::InterruptWatch(std::function<void()> onInterrupt)
    : onInterrupt_(std::move(onInterrupt)) {
  currentCall = &onInterrupt_;
  current = this;
  ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

InterruptWatch::~InterruptWatch() {
  ::SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
  current = nullptr;
  currentCall = nullptr;
}

#endif

}  // namespace platform
