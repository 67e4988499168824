#include "platform/stop_request.h"

#include <csignal>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <initializer_list>
#endif

namespace platform {

namespace {

volatile std::sig_atomic_t stopSignal = 0;

#ifdef _WIN32
BOOL WINAPI RememberEvent(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  stopSignal = SIGINT;
  return TRUE;
}
#else
void RememberStop(int sig) {
  stopSignal = sig;
}
#endif

}  // namespace

void CatchStopRequests() {
#ifdef _WIN32
  ::SetConsoleCtrlHandler(RememberEvent, TRUE);
#else
  struct sigaction action {};
  action.sa_handler = RememberStop;
  sigemptyset(&action.sa_mask);
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &action, nullptr);
#endif
}

int StopRequest() {
  return stopSignal;
}

bool IsMissingProgramError(int error) {
#ifdef _WIN32
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
#else
  return error == ENOENT;
#endif
}

}  // namespace platform
