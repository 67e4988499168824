#pragma once
// A started program that the caller follows: optional pipes for its output
// (standard output and error in one) and its input, reads that never block,
// waits with a time limit, and stopping by request or by force. Started
// directly with its argument vector, never through a shell.

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct ProcessOptions {
  // argv[0] is the program: a path (relative ones from workDir), or a bare name
  // looked up on PATH.
  std::vector<std::string> argv;
  std::string workDir;         // empty: the caller's current directory
  bool captureOutput = false;  // standard output and error into one pipe
  bool mergeErrors = true;     // with captureOutput: error output into the same pipe
  bool pipeInput = false;      // standard input from a pipe the caller writes
  std::string outputFile;      // without captureOutput: standard output into this file
  bool appendOutput = false;
  // A group of its own, so that stopping reaches the programs it starts as well.
  bool ownProcessGroup = true;
};

struct ExitStatus {
  enum class Kind { Exited, Signalled };
  Kind kind = Kind::Exited;
  int code = 0;  // exit status, or the signal's number
  bool Success() const { return kind == Kind::Exited && code == 0; }
  // The status a shell reports: the exit status, or 128 + the signal's number.
  int ShellStatus() const { return kind == Kind::Exited ? code : 128 + code; }
};

enum class ReadState { Data, Nothing, Closed, Failed };
enum class WriteState { Written, Full, Closed, Failed };

class Process {
 public:
  // Null with error set to the system's code when the program could not start.
  static std::unique_ptr<Process> Start(const ProcessOptions& options, int& error);
  // Closes the pipes; never waits. A child still running is not stopped here
  // (hand it to the Reaper for that).
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  long Id() const { return pid_; }
  // A descriptor that becomes readable when the program ends; -1 when the system has none.
  int ExitFd() const { return exitFd_; }

  // Bytes waiting in the output pipe (0 when there is none).
  std::size_t BytesWaiting() const;
  // Appends to out what is waiting, at most max bytes; never blocks. Closed: the
  // writers are all gone and nothing is left. error receives the system's code
  // on Failed.
  ReadState ReadAvailable(std::string& out, std::size_t max, int* error = nullptr);
  // Writes all of data or nothing; Full when the pipe cannot take it now,
  // Closed when the program no longer reads its input.
  WriteState WriteInput(std::string_view data, int* error = nullptr);
  void CloseInput();
  void CloseOutput();
  bool HasOutput() const;

  // The exit status once the program has ended; collects it without waiting.
  std::optional<ExitStatus> TryWait();
  // Waits at most timeout for the end (a negative timeout waits without limit).
  std::optional<ExitStatus> WaitFor(std::chrono::milliseconds timeout);

  struct Events {
    bool output = false;  // output waiting, or its pipe closed
    bool ended = false;
  };
  // Waits at most timeout until output is waiting or the program has ended.
  Events WaitForOutputOrEnd(std::chrono::milliseconds timeout);

  // Asks to stop (SIGTERM), or ends at once (SIGKILL); the whole group with
  // ownProcessGroup. Nothing happens once the status was collected. Windows has
  // no request to stop for a console program: both end it, and with
  // ownProcessGroup every program it started (a job object holds them).
  void Terminate();
  void Kill();

 private:
  Process() = default;
  void Signal(int sig);

  long pid_ = -1;
  bool ownGroup_ = false;
  int outFd_ = -1;
  int inFd_ = -1;
  int exitFd_ = -1;  // a descriptor that becomes readable at the end, when the system has one
#ifdef _WIN32
  void* processHandle_ = nullptr;
  void* jobHandle_ = nullptr;  // with ownProcessGroup: the program and all it starts
  void* outPipe_ = nullptr;
  void* inPipe_ = nullptr;
#endif
  std::optional<ExitStatus> status_;
};

}  // namespace platform
