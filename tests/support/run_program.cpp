#include "support/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace korvane::testing {

namespace {

// The process's session, from /proc/<pid>/stat (the fields after the name, which may hold
// blanks and parentheses, are: state, parent, group, session); -1 when it is gone or
// ended and only waits to be collected.
long SessionOf(const std::string& pid) {
  std::ifstream in("/proc/" + pid + "/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t name = stat.rfind(')');
  if (name == std::string::npos) return -1;
  std::istringstream fields(stat.substr(name + 1));
  std::string state;
  long parent = 0, group = 0, session = -1;
  fields >> state >> parent >> group >> session;
  return fields && state != "Z" ? session : -1;
}

// Kills every process of the session, again until none is left (one may have started
// another meanwhile).
void KillSession(pid_t session) {
  for (int round = 0; round < 50; ++round) {
    bool found = false;
    // Processes come and go while /proc is read: an entry that vanished, or a
    // listing cut short by one, only means another round, never an exception.
    std::error_code ec;
    std::filesystem::directory_iterator it("/proc", ec);
    for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
      const std::string pid = it->path().filename().string();
      if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos) continue;
      if (SessionOf(pid) != session) continue;
      found = true;
      ::kill(static_cast<pid_t>(std::stol(pid)), SIGKILL);
    }
    if (!found && !ec) return;
    ::usleep(20000);
  }
}

}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env, const std::string& workDir,
                         std::chrono::milliseconds limit, const std::function<void(long)>& started,
                         const std::string& outFile) {
  int outPipe[2];
  int errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (outFile.empty()) {
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
  } else {
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT, 0644);
  }
  posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (!workDir.empty()) posix_spawn_file_actions_addchdir_np(&actions, workDir.c_str());

  std::vector<std::string> argStore{program};
  argStore.insert(argStore.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argStore) argv.push_back(a.data());
  argv.push_back(nullptr);

  std::map<std::string, std::string> merged;
  for (char** e = environ; *e != nullptr; ++e) {
    const std::string entry(*e);
    const auto eq = entry.find('=');
    if (eq != std::string::npos) merged[entry.substr(0, eq)] = entry.substr(eq + 1);
  }
  for (const auto& [k, v] : env) merged[k] = v;
  std::vector<std::string> envStore;
  for (const auto& [k, v] : merged) envStore.push_back(k + "=" + v);
  std::vector<char*> envp;
  for (auto& e : envStore) envp.push_back(e.data());
  envp.push_back(nullptr);

  const bool limited = limit > std::chrono::milliseconds::zero();
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  if (limited) posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t pid = 0;
  const int rc =
      posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(outPipe[1]);
  close(errPipe[1]);
  if (rc != 0) {
    close(outPipe[0]);
    close(errPipe[0]);
    throw std::runtime_error(std::string("spawn failed: ") + std::strerror(rc));
  }

  if (started) started(pid);
  ProgramResult result;
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  int open = 2;
  char buffer[4096];
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (open > 0) {
    int wait = -1;
    if (limited && !result.timedOut) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left <= std::chrono::milliseconds::zero()) {
        // The pipes close once every process that holds them is gone.
        KillSession(pid);
        result.timedOut = true;
        continue;
      }
      wait = static_cast<int>(left.count());
    }
    if (poll(fds, 2, wait) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n <= 0) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      } else {
        (i == 0 ? result.out : result.err).append(buffer, static_cast<size_t>(n));
      }
    }
  }
  int status = 0;
  waitpid(pid, &status, 0);
  // Nothing the run started outlives it.
  if (limited) KillSession(pid);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace korvane::testing
