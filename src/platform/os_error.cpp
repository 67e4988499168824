#include "platform/os_error.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/win_text.h"
#else
#include <cerrno>
#include <csignal>
#include <cstring>
#include <system_error>
#endif

namespace platform {

std::string OsErrorMessage(int code) {
  std::string text;
#ifdef _WIN32
  wchar_t* buffer = nullptr;
  const DWORD n = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (n > 0 && buffer != nullptr) text = Narrow(std::wstring_view(buffer, n));
  if (buffer != nullptr) ::LocalFree(buffer);
  // A code the system has no words for is still named, never an empty reason.
  if (n == 0) text = "Unknown error " + std::to_string(code);
#else
  // Thread-safe unlike strerror(): the watcher thread reports errors too.
  text = std::system_category().message(code);
#endif
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  return text;
}

int LastOsError() {
#ifdef _WIN32
  return static_cast<int>(::GetLastError());
#else
  return errno;
#endif
}

std::string SignalName(int signal) {
#ifdef _WIN32
  (void)signal;
  return {};
#else
  // Only a real signal: strsignal makes up a text for any other number.
  if (signal <= 0 || signal >= NSIG) return {};
  const char* name = ::strsignal(signal);
  return name != nullptr ? std::string(name) : std::string();
#endif
}

}  // namespace platform
