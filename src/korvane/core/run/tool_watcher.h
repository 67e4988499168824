#pragma once
// Follows a started tool on a thread of its own: waits in steps of 500 ms,
// reads the captured console as it comes and hands it on in batches of lines,
// writes CR LF to an idle tool's input, and reports every step and the end of
// the run on the interface thread. A cancel asks the tool to stop through
// Semaphore.xml and, when it does not, terminates and then kills it.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "korvane/core/common/outcome.h"
#include "platform/process.h"
#include "platform/reaper.h"

namespace korvane {

class ConsoleCopy;

class UiDispatcher;

struct RunEnd {
  enum class Kind { Succeeded, Failed, Signalled, Cancelled };
  Kind kind = Kind::Succeeded;
  // Failed: the exit status; Signalled: the signal; Cancelled: the shell status
  // the tool ended with.
  int code = 0;
  // Every captured line is in WatcherOptions::consoleCopyPath.
  bool consoleCopied = false;
  bool operator==(const RunEnd&) const = default;
};

// Told on the interface thread, in the order things happened.
class WatcherListener {
 public:
  virtual ~WatcherListener() = default;
  virtual void OnConsoleLines(const std::vector<std::string>& /*lines*/) {}
  // Every poll interval, and once more after the tool ended.
  virtual void OnProgressStep() {}
  // A failing read or write of the console pipes: "ReadFile", "WriteFile".
  virtual void OnPipeWarning(const std::string& /*call*/) {}
  virtual void OnRunEnded(const RunEnd& end) = 0;
};

struct WatcherOptions {
  bool captureConsole = false;
  std::chrono::milliseconds pollInterval{500};
  // After a cancel: how long the tool may take to stop by itself, and then to
  // end after the terminate.
  std::chrono::milliseconds cancelGrace{10000};
  std::chrono::milliseconds killGrace{2000};
  std::string semaphorePath;  // the base directory's Semaphore.xml
  // Batches of lines handed on and not yet taken: reading waits beyond this, so a
  // chatty tool waits for the interface rather than filling the memory.
  int maxBatchesInFlight = 8;
  // When set, the captured lines are also written to this file as they come.
  std::string consoleCopyPath;
  // Where a tool still running when the watcher goes is handed to be stopped; without
  // one it is killed at once.
  platform::Reaper* reaper = nullptr;
};

class ToolWatcher {
 public:
  ToolWatcher(std::unique_ptr<platform::Process> process, UiDispatcher& ui,
              WatcherListener& listener, WatcherOptions options);
  // Stops following; a tool still running is handed to the reaper. Work already
  // posted and not yet run is dropped.
  ~ToolWatcher();
  ToolWatcher(const ToolWatcher&) = delete;
  ToolWatcher& operator=(const ToolWatcher&) = delete;

  void Start();
  // Creates the empty stop file and starts the countdown to terminate; a failure says
  // the system's message (the countdown starts anyway).
  Outcome Cancel();
  // Until the end of the run was handed on.
  bool Running() const { return !ended_; }
  bool CancelRequested() const { return cancelAt_.load() != kNever; }

 private:
  struct Shared;
  static constexpr long long kNever = -1;

  void Run();
  void Post(std::function<void(WatcherListener&)> work);
  void HandOn(std::vector<std::string>& lines);
  void ReadConsole(std::string& chunk);
  void Escalate();
  RunEnd EndOf(const std::optional<platform::ExitStatus>& status) const;

  std::unique_ptr<platform::Process> process_;
  UiDispatcher& ui_;
  WatcherOptions options_;
  std::shared_ptr<Shared> shared_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> ended_{false};
  std::atomic<long long> cancelAt_{kNever};  // steady clock, in ns
  bool terminated_ = false;
  bool killed_ = false;
  ConsoleCopy* copy_ = nullptr;  // the watcher thread's, while it runs
  std::thread thread_;           // last: it uses the members above
};

}  // namespace korvane
