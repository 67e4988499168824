#pragma once
// One run, from its start to the renamed results: it prepares the job's input,
// starts the tool (plainly, with its console captured, or inside DOSBox), follows it
// through the watcher, and at its end renames the results back, opens the logs and
// says how it went. Everything that belongs to the run lives here; the result tells
// every outcome, a start that failed included.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "korvane/core/common/person_port.h"
#include "korvane/core/common/signal.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/config/installation.h"
#include "korvane/core/config/run_control.h"
#include "korvane/core/prepare/rename_outcome.h"
#include "korvane/core/run/dosbox_mode.h"
#include "korvane/core/run/run_progress.h"
#include "korvane/core/run/tool_command.h"
#include "korvane/core/run/tool_watcher.h"
#include "korvane/core/run/ui_dispatcher.h"

namespace korvane {

// What a run needs of the job and of the shell's other services.
class RunJob {
 public:
  virtual ~RunJob() = default;
  // The job's base directory with its trailing separator; ends with a message when the
  // job may not be written to.
  virtual std::string WritableBase() = 0;
  virtual std::string ProjectName() = 0;
  virtual std::string SystemName() const = 0;
  virtual bool MultiEntity() const = 0;
  virtual bool WordListRequired() const = 0;  // the word-scan page shows, both lists empty
  virtual bool ProductInstalled() const = 0;  // the active product's tools were found
  virtual std::string InterfaceWrapper() const = 0;
  // The lines of lastbatch.cmd as saved, "ECHO ON" first (multi-entity runs).
  virtual std::vector<std::string> BatchLines() const = 0;
  virtual RunControl Flags() const = 0;
  virtual int Modules() const = 0;
  virtual int SourceFiles() const = 0;
  virtual int Entities() const = 0;
  // The file name of the run's one source; empty when it has more than one.
  virtual std::string SingleSource() const = 0;
  virtual void SetBatchRunning(bool running) = 0;
  // The run has started: a job with a file of its own saves it, so that opening it after
  // the shell was lost (a crash, a kill) finds the run and reconciles it.
  virtual void RecordRunStart() = 0;
  virtual void SetWrapRequested() = 0;
  virtual bool SynchronizeDirectories() = 0;
  virtual bool AutoRun() const = 0;
  // The logs and the console log may be looked at (or not) once a run has ended.
  virtual void FollowLogs(bool on) = 0;
  // The file-system time the run began at: results and logs older than it are an
  // earlier run's.
  virtual void SetRunStart(std::filesystem::file_time_type start) = 0;

  // The input structure: the sources copied into their numbered places, then the rest
  // of the run. A window copies in steps between the person's events and goes on after
  // the last one; then does not run when the preparation ended early.
  virtual void PrepareInput(std::function<void()> then) = 0;
  // The results back under their sources' names, and what that found.
  virtual RenameOutcome RenameResults() = 0;
  // The copied input, deleted after the run when the configuration says so.
  virtual void DeleteCopiedInput() = 0;
  // The commands that open the two logs are offered (or not).
  virtual void EnableLogViews(bool on) = 0;
  virtual void ViewProductLog() = 0;
  virtual void ViewConsoleLog() = 0;
  // An automatic run saves the job and closes the shell when it has ended.
  virtual void SaveAndClose() = 0;
};

// What the window shows of a run.
class RunDisplay {
 public:
  virtual ~RunDisplay() = default;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // The names page comes to the front and the console is shown, cleared.
  virtual void ShowRunStarting() = 0;
  virtual void ShowProgress(const RunProgress& progress) = 0;
  virtual void SetProgressVisible(bool visible) = 0;
  virtual bool ConsoleShown() const = 0;
  virtual void SetConsoleShown(bool shown) = 0;
  virtual void ClearConsole() = 0;
  // The console keeps only its last lines; the log file keeps them all.
  virtual void AppendConsole(const std::vector<std::string>& lines) = 0;
  virtual std::vector<std::string> ConsoleLines() const = 0;

  // Whoever showed or hid the console.
  Signal<> consoleShownChanged;
};

// How a run went: every outcome, a start that failed included.
struct RunResult {
  // Empty program: the run never came as far as choosing its tool.
  ToolCommand command;
  std::chrono::system_clock::time_point started;
  // When the end of the run was handled.
  std::optional<std::chrono::system_clock::time_point> ended;
  // Empty while the tool runs, and when it never started.
  std::optional<RunEnd> end;
  // The person asked for the run to stop before it ended.
  bool cancelRequested = false;
  RenameOutcome renamed;
};

// What a session is given by the service that starts it.
struct RunSessionContext {
  RunJob& job;
  RunDisplay& display;
  StatusBar& status;
  PersonPort& person;
  UiDispatcher& dispatcher;
  const Installation& installation;
  DosBoxMode& dosBox;
  platform::Reaper& reaper;      // stops a tool the shell lets go of while it runs
  std::ostream* echo = nullptr;  // a run without a window prints the console here too
};

class RunSession : private WatcherListener {
 public:
  explicit RunSession(RunSessionContext context);
  ~RunSession() override;
  RunSession(const RunSession&) = delete;
  RunSession& operator=(const RunSession&) = delete;

  // Prepares the input and starts the tool, once the input is complete. A run that may
  // not or could not start ends the operation with its message; the result then has no
  // end.
  void Start(bool dontRun);
  // The person's cancel, already confirmed: the tool is asked to stop, then ended. The
  // end of the run reports it.
  void Cancel();
  // Until the end of the run was handled.
  bool Active() const { return watcher_ != nullptr; }
  const RunResult& Result() const { return result_; }

  // The tool was started and is watched.
  Signal<> launched;
  // The end of the run was handled and said.
  Signal<> ended;

 private:
  void Launch(bool dontRun);
  void OnConsoleLines(const std::vector<std::string>& lines) override;
  void OnProgressStep() override;
  void OnPipeWarning(const std::string& call) override;
  void OnRunEnded(const RunEnd& end) override;
  void EndOfRun(const RunEnd& end);
  void KeepConsoleLog(const RunEnd& end);

  RunSessionContext c_;
  RunResult result_;
  std::unique_ptr<RunProgress> progress_;
  std::unique_ptr<ToolWatcher> watcher_;
  std::string base_;
  std::string source_;  // the one source of a single-entity run
  bool capture_ = false;
  std::size_t consoleLines_ = 0;  // every captured line, also those the console let go
};

}  // namespace korvane
