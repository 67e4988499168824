#include "platform/folder_lock.h"

#include <ctime>
#include <sstream>

#include "platform/local_time.h"
#include "platform/os_error.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/win_text.h"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

std::string LocalNow() {
  const std::time_t now = std::time(nullptr);
  const std::tm local = LocalTime(now);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

// The holder's record: three lines, process id, time, job file.
std::string Record(const std::string& job) {
#ifdef _WIN32
  const long pid = static_cast<long>(GetCurrentProcessId());
#else
  const long pid = static_cast<long>(getpid());
#endif
  return std::to_string(pid) + "\n" + LocalNow() + "\n" + job + "\n";
}

FolderLock::Holder ParseRecord(const std::string& text) {
  FolderLock::Holder holder;
  std::istringstream lines(text);
  std::string pid;
  std::getline(lines, pid);
  try {
    holder.pid = std::stol(pid);
  } catch (...) {
    holder.pid = 0;
  }
  std::getline(lines, holder.since);
  std::getline(lines, holder.job);
  return holder;
}

}  // namespace

#ifndef _WIN32

FolderLock::Attempt FolderLock::TryTake(const std::string& folder, const std::string& job) {
  Attempt attempt;
  const std::string path = folder + "/" + kFileName;
  // Never through a link: the lock is a file of our own in the folder itself.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) {
    attempt.error = path + ": " + OsErrorMessage(errno);
    return attempt;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error == EWOULDBLOCK) {
      attempt.held = true;
      std::string text(4096, '\0');
      const ssize_t n = ::pread(fd, text.data(), text.size(), 0);
      text.resize(n > 0 ? static_cast<size_t>(n) : 0);
      attempt.holder = ParseRecord(text);
    } else {
      attempt.error = path + ": " + OsErrorMessage(error);
    }
    ::close(fd);
    return attempt;
  }
  // The record is for the person a second shell tells; the lock works without it.
  const std::string record = Record(job);
  if (::ftruncate(fd, 0) == 0) {
    [[maybe_unused]] const ssize_t written = ::pwrite(fd, record.data(), record.size(), 0);
  }
  attempt.lock.reset(new FolderLock(folder, fd));
  return attempt;
}

FolderLock::~FolderLock() {
  // The file stays: removing it would let a third shell lock a new file while a
  // second still waits on the old one.
  ::close(static_cast<int>(handle_));
}

#else

FolderLock::Attempt FolderLock::TryTake(const std::string& folder, const std::string& job) {
  Attempt attempt;
  const std::string path = folder + "\\" + kFileName;
  // Opened without sharing: the handle is the lock, and the system closes it
  // with the process.
  HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION) {
      attempt.held = true;
      HANDLE reader =
          CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (reader != INVALID_HANDLE_VALUE) {
        char buffer[4096];
        DWORD n = 0;
        if (ReadFile(reader, buffer, sizeof buffer, &n, nullptr)) {
          attempt.holder = ParseRecord(std::string(buffer, n));
        }
        CloseHandle(reader);
      }
    } else {
      attempt.error = path + ": " + OsErrorMessage(static_cast<int>(error));
    }
    return attempt;
  }
  const std::string record = Record(job);
  DWORD written = 0;
  SetEndOfFile(file);
  WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
  attempt.lock.reset(new FolderLock(folder, reinterpret_cast<std::intptr_t>(file)));
  return attempt;
}

FolderLock::~FolderLock() {
  CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

#endif

std::string DescribeHolder(const FolderLock::Holder& holder) {
  std::string text = "process " + std::to_string(holder.pid);
  if (!holder.since.empty()) text += " since " + holder.since;
  if (!holder.job.empty()) text += ", job " + holder.job;
  return text;
}

}  // namespace platform
