#include "platform/run_tool.h"

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;
#else
#include <memory>

#include "platform/process.h"
#endif

namespace platform {

#ifndef _WIN32

bool RunToolAndWait(const std::string& program, const std::vector<std::string>& args) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // A desktop helper's chatter is no message for the person.
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  pid_t pid = 0;
  const int error = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

#else

bool RunToolAndWait(const std::string& program, const std::vector<std::string>& args) {
  ProcessOptions options;
  options.argv.push_back(program);
  options.argv.insert(options.argv.end(), args.begin(), args.end());
  // A helper's chatter is no message for the person.
  options.outputFile = "NUL";
  int error = 0;
  std::unique_ptr<Process> process = Process::Start(options, error);
  if (!process) return false;
  const auto status = process->WaitFor(std::chrono::milliseconds(-1));
  return status && status->Success();
}

#endif

}  // namespace platform
