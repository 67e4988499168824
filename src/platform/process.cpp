#include "platform/process.h"

// The POSIX half; process_windows.cpp is the Windows one.

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;
#endif

namespace platform {

#ifndef _WIN32

namespace {

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

int OpenExitFd(pid_t pid) {
#ifdef SYS_pidfd_open
  const long fd = ::syscall(SYS_pidfd_open, pid, 0);
  if (fd >= 0) {
    ::fcntl(static_cast<int>(fd), F_SETFD, FD_CLOEXEC);
    return static_cast<int>(fd);
  }
#endif
  (void)pid;
  return -1;
}

ExitStatus FromWaitStatus(int status) {
  if (WIFSIGNALED(status)) return {ExitStatus::Kind::Signalled, WTERMSIG(status)};
  return {ExitStatus::Kind::Exited, WEXITSTATUS(status)};
}

// Owns the spawn attribute objects so every return path frees them.
struct SpawnSetup {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attr;
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attr);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
  }
};

}  // namespace

std::unique_ptr<Process> Process::Start(const ProcessOptions& options, int& error) {
  error = 0;
  if (options.argv.empty() || options.argv[0].empty()) {
    error = ENOENT;
    return nullptr;
  }
  int outPipe[2] = {-1, -1};
  int inPipe[2] = {-1, -1};
  // Close-on-exec everywhere: a program started meanwhile by another thread must
  // not keep our pipes open. dup2 in the child clears the flag on 0, 1 and 2.
  if (options.captureOutput && ::pipe2(outPipe, O_CLOEXEC) != 0) {
    error = errno;
    return nullptr;
  }
#ifdef F_SETPIPE_SZ
  // A chatty tool fills the default 64 KiB at once; a larger pipe lets it write on
  // while the reader is busy with what came before. Refused sizes are no error.
  if (options.captureOutput) ::fcntl(outPipe[0], F_SETPIPE_SZ, 1 << 20);
#endif
  if (options.pipeInput && ::pipe2(inPipe, O_CLOEXEC) != 0) {
    error = errno;
    for (int& fd : outPipe) CloseFd(fd);
    return nullptr;
  }

  SpawnSetup setup;
  if (!options.workDir.empty()) {
    posix_spawn_file_actions_addchdir_np(&setup.actions, options.workDir.c_str());
  }
  if (options.pipeInput) posix_spawn_file_actions_adddup2(&setup.actions, inPipe[0], 0);
  if (options.captureOutput) {
    posix_spawn_file_actions_adddup2(&setup.actions, outPipe[1], 1);
    if (options.mergeErrors) posix_spawn_file_actions_adddup2(&setup.actions, outPipe[1], 2);
  } else if (!options.outputFile.empty()) {
    // Opened after the change of directory, so a relative name lands in workDir.
    const int flags = O_WRONLY | O_CREAT | (options.appendOutput ? O_APPEND : O_TRUNC);
    posix_spawn_file_actions_addopen(&setup.actions, 1, options.outputFile.c_str(), flags, 0644);
  }

  // The child starts with the default reactions and nothing blocked, whatever
  // this process set up for itself (an ignored SIGPIPE, a blocked SIGTERM).
  sigset_t defaults;
  sigemptyset(&defaults);
  for (int sig : {SIGPIPE, SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGCHLD}) sigaddset(&defaults, sig);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&setup.attr, &defaults);
  posix_spawnattr_setsigmask(&setup.attr, &none);
  short flags = POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK;
  if (options.ownProcessGroup) {
    flags |= POSIX_SPAWN_SETPGROUP;
    posix_spawnattr_setpgroup(&setup.attr, 0);
  }
  posix_spawnattr_setflags(&setup.attr, flags);

  std::vector<char*> argv;
  for (const std::string& arg : options.argv) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const bool searchPath = options.argv[0].find('/') == std::string::npos;
  const int rc =
      searchPath ? posix_spawnp(&pid, argv[0], &setup.actions, &setup.attr, argv.data(), environ)
                 : posix_spawn(&pid, argv[0], &setup.actions, &setup.attr, argv.data(), environ);
  CloseFd(outPipe[1]);
  CloseFd(inPipe[0]);
  if (rc != 0) {
    error = rc;
    CloseFd(outPipe[0]);
    CloseFd(inPipe[1]);
    return nullptr;
  }

  std::unique_ptr<Process> process(new Process());
  process->pid_ = pid;
  process->ownGroup_ = options.ownProcessGroup;
  process->outFd_ = outPipe[0];
  process->inFd_ = inPipe[1];
  if (process->outFd_ >= 0) ::fcntl(process->outFd_, F_SETFL, O_NONBLOCK);
  if (process->inFd_ >= 0) ::fcntl(process->inFd_, F_SETFL, O_NONBLOCK);
  process->exitFd_ = OpenExitFd(pid);
  return process;
}

Process::~Process() {
  CloseFd(outFd_);
  CloseFd(inFd_);
  CloseFd(exitFd_);
  if (!status_) TryWait();
}

std::size_t Process::BytesWaiting() const {
  int count = 0;
  if (outFd_ < 0 || ::ioctl(outFd_, FIONREAD, &count) != 0 || count < 0) return 0;
  return static_cast<std::size_t>(count);
}

ReadState Process::ReadAvailable(std::string& out, std::size_t max, int* error) {
  if (outFd_ < 0) return ReadState::Closed;
  const std::size_t start = out.size();
  std::size_t total = 0;
  while (total < max) {
    const std::size_t want = std::min<std::size_t>(max - total, 65536);
    out.resize(start + total + want);
    const ssize_t n = ::read(outFd_, out.data() + start + total, want);
    if (n > 0) {
      total += static_cast<std::size_t>(n);
      continue;
    }
    out.resize(start + total);
    if (n == 0) {
      CloseFd(outFd_);
      return total > 0 ? ReadState::Data : ReadState::Closed;
    }
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) break;
    if (error != nullptr) *error = errno;
    return total > 0 ? ReadState::Data : ReadState::Failed;
  }
  out.resize(start + total);
  return total > 0 ? ReadState::Data : ReadState::Nothing;
}

WriteState Process::WriteInput(std::string_view data, int* error) {
  if (inFd_ < 0) return WriteState::Closed;
  // A program that stopped reading would end us with SIGPIPE: block it on this
  // thread for the write and take back one that the write raised.
  sigset_t pipeSet, oldSet, pending;
  sigemptyset(&pipeSet);
  sigaddset(&pipeSet, SIGPIPE);
  sigpending(&pending);
  const bool wasPending = sigismember(&pending, SIGPIPE) == 1;
  pthread_sigmask(SIG_BLOCK, &pipeSet, &oldSet);
  ssize_t n;
  do {
    n = ::write(inFd_, data.data(), data.size());
  } while (n < 0 && errno == EINTR);
  const int writeError = errno;
  if (n < 0 && writeError == EPIPE && !wasPending) {
    const timespec zero{0, 0};
    while (sigtimedwait(&pipeSet, nullptr, &zero) < 0 && errno == EINTR) {
    }
  }
  pthread_sigmask(SIG_SETMASK, &oldSet, nullptr);
  if (n >= 0) return WriteState::Written;  // a pipe takes up to PIPE_BUF bytes whole
  if (writeError == EAGAIN || writeError == EWOULDBLOCK) return WriteState::Full;
  if (writeError == EPIPE) return WriteState::Closed;
  if (error != nullptr) *error = writeError;
  return WriteState::Failed;
}

bool Process::HasOutput() const {
  return outFd_ >= 0;
}

void Process::CloseInput() {
  CloseFd(inFd_);
}
void Process::CloseOutput() {
  CloseFd(outFd_);
}

std::optional<ExitStatus> Process::TryWait() {
  if (status_ || pid_ <= 0) return status_;
  int status = 0;
  pid_t rc;
  do {
    rc = ::waitpid(static_cast<pid_t>(pid_), &status, WNOHANG);
  } while (rc < 0 && errno == EINTR);
  if (rc == static_cast<pid_t>(pid_)) {
    status_ = FromWaitStatus(status);
  } else if (rc < 0) {
    // Collected by someone else: it has ended, with a status we cannot know.
    status_ = ExitStatus{ExitStatus::Kind::Exited, 255};
  }
  return status_;
}

std::optional<ExitStatus> Process::WaitFor(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  auto pause = std::chrono::milliseconds(1);
  while (!TryWait()) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (timeout.count() >= 0 && left.count() <= 0) return std::nullopt;
    const auto step = timeout.count() < 0 ? std::chrono::milliseconds(1000) : left;
    if (exitFd_ >= 0) {
      pollfd fd{exitFd_, POLLIN, 0};
      ::poll(&fd, 1, static_cast<int>(step.count()));
    } else {
      std::this_thread::sleep_for(std::min(pause, step));
      pause = std::min(pause * 2, std::chrono::milliseconds(20));
    }
  }
  return status_;
}

Process::Events Process::WaitForOutputOrEnd(std::chrono::milliseconds timeout) {
  Events events;
  if (TryWait()) events.ended = true;
  if (outFd_ < 0 && exitFd_ < 0) {
    if (!events.ended) events.ended = WaitFor(timeout).has_value();
    return events;
  }
  pollfd fds[2];
  nfds_t count = 0;
  if (outFd_ >= 0) fds[count++] = {outFd_, POLLIN, 0};
  if (exitFd_ >= 0 && !events.ended) fds[count++] = {exitFd_, POLLIN, 0};
  // Without an exit descriptor the end is noticed at the next look, so a
  // silent program is looked at every 20 ms.
  int wait = static_cast<int>(timeout.count());
  if (exitFd_ < 0 && !events.ended) wait = std::min(wait, 20);
  if (events.ended) wait = 0;
  int rc;
  do {
    rc = ::poll(fds, count, wait);
  } while (rc < 0 && errno == EINTR);
  if (rc > 0 && outFd_ >= 0 && fds[0].revents != 0) events.output = true;
  if (!events.ended && TryWait()) events.ended = true;
  return events;
}

void Process::Signal(int sig) {
  if (TryWait() || pid_ <= 0) return;
  // Not yet collected, so the id (and the group it leads) is still ours.
  if (ownGroup_) ::kill(-static_cast<pid_t>(pid_), sig);
  ::kill(static_cast<pid_t>(pid_), sig);
}

void Process::Terminate() {
  Signal(SIGTERM);
}
void Process::Kill() {
  Signal(SIGKILL);
}

#endif

}  // namespace platform
