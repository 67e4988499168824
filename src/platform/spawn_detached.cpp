#include "platform/spawn_detached.h"

#ifndef _WIN32
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstring>

extern char** environ;
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

long StartDetached(const std::vector<std::string>&, std::string& error, const std::string&) {
  error = "not supported";
  return -1;
}

void ReapEnded(std::vector<long>&) {}

#endif

}  // namespace platform
