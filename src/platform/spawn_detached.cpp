#include "platform/spawn_detached.h"

#ifndef _WIN32
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>

extern char** environ;
#else
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "platform/os_error.h"
#include "platform/win_text.h"
#include "platform/windows_args.h"
#endif

#include <algorithm>

namespace platform {

#ifndef _WIN32

long StartDetached(const std::vector<std::string>& argv, std::string& error,
                   const std::string& workingDir) {
  if (argv.empty() || argv[0].empty()) {
    error = std::strerror(ENOENT);
    return -1;
  }
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!workingDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str());
  // The program is named by its path, as the command line names it; PATH is not searched.
  const int rc = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    error = std::strerror(rc);
    return -1;
  }
  return pid;
}

void ReapEnded(std::vector<long>& pids) {
  pids.erase(std::remove_if(pids.begin(), pids.end(),
                            [](long pid) {
                              int status = 0;
                              const pid_t rc = waitpid(static_cast<pid_t>(pid), &status, WNOHANG);
                              // Ended, or not ours any more: either way nothing to wait for.
                              return rc == static_cast<pid_t>(pid) || (rc < 0 && errno == ECHILD);
                            }),
             pids.end());
}

#else

long StartDetached(const std::vector<std::string>& argv, std::string& error,
                   const std::string& workingDir) {
  if (argv.empty() || argv[0].empty()) {
    error = OsErrorMessage(ERROR_FILE_NOT_FOUND);
    return -1;
  }
  std::string line;
  for (const std::string& arg : argv) {
    if (!line.empty()) line += ' ';
    line += QuoteWindowsArgument(arg);
  }
  std::wstring wideLine = Widen(line);
  const std::wstring program = Widen(argv[0]);
  const std::wstring dir = Widen(workingDir);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // The program is named by its path, as the command line names it; PATH is not
  // searched, and it inherits no handle of ours.
  if (!::CreateProcessW(program.c_str(), wideLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, nullptr, dir.empty() ? nullptr : dir.c_str(),
                        &startup, &info)) {
    error = OsErrorMessage(static_cast<int>(::GetLastError()));
    return -1;
  }
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return static_cast<long>(info.dwProcessId);
}

void ReapEnded(std::vector<long>& pids) {
  // Windows keeps no zombies; an id is dropped once its program has ended, so
  // the list holds only programs still running.
  pids.erase(std::remove_if(pids.begin(), pids.end(),
                            [](long pid) {
                              HANDLE h = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
                              if (h == nullptr) return true;
                              const bool ended = ::WaitForSingleObject(h, 0) == WAIT_OBJECT_0;
                              ::CloseHandle(h);
                              return ended;
                            }),
             pids.end());
}

#endif

}  // namespace platform
