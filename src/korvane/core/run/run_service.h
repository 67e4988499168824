#pragma once
// A wrapper run from "Start wrapper" to its end: the checks, the preparation, the
// tool's start (plainly or with its console captured), the watcher that follows it,
// the end-of-run steps, cancelling, and the gate that keeps other commands out while
// a run is active.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "korvane/core/components/action.h"
#include "korvane/core/components/window_context.h"
#include "korvane/core/config/installation.h"
#include "korvane/core/config/run_control.h"
#include "korvane/core/prepare/rename_outcome.h"
#include "korvane/core/run/dosbox_mode.h"
#include "korvane/core/run/run_progress.h"
#include "korvane/core/run/tool_command.h"
#include "korvane/core/run/tool_launcher.h"
#include "korvane/core/run/tool_watcher.h"
#include "korvane/core/run/ui_dispatcher.h"

namespace korvane {

// What a run needs of the job and the window's other services.
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
  // What renaming the results found at the end of the run.
  virtual RenameOutcome LastRename() const = 0;
};

class RunService : private WatcherListener {
 public:
  // The console stub and the batch runner are looked for beside the program; DOSBox
  // where the environment says.
  RunService(WindowContext& context, RunJob& job, const Installation& installation,
             DosBoxEnvironment dosBox, DosBoxSettings& dosBoxSettings);
  ~RunService() override;

  // Sets the handlers of ActRunWrap, ActRunTool, ActCancelRun, ActDontRun and the two
  // console actions.
  void Connect(ActionList& actions);
  // The window hands the watcher's work to its event loop; without one a queue is
  // run by WaitForEnd.
  void SetDispatcher(UiDispatcher& dispatcher) { dispatcher_ = &dispatcher; }
  // DOSBox mode follows Runcontrol.UseDOSBox each time the installation is checked (at
  // start-up and when the configuration is applied again).
  void Follow(Signal<>& installationChecked);
  const DosBoxMode& DosBox() const { return dosBox_; }

  // A run without a window also prints the captured console lines here, as they come.
  void EchoConsoleTo(std::ostream& out) { echo_ = &out; }
  // Any thread: the person's cancel, already confirmed, for a run without a window
  // (Ctrl+C). It is done where the watcher is served.
  void RequestCancel();

  bool Running() const { return watcher_ != nullptr; }
  // Refuses, with its message, an action that may not run while a run is active.
  void Gate(const Action& action);
  // Serves the watcher until the run ended; headless mode only. False when the run
  // did not end within the limit.
  bool WaitForEnd(std::chrono::milliseconds limit);
  // The close request during a run: ask, then stop the run. True when the window
  // may go on closing (no run).
  bool CloseQuery();
  // How the last run ended; empty before the first.
  const std::optional<RunEnd>& LastEnd() const { return lastEnd_; }
  // What the end of the last run found when it renamed the results.
  const RenameOutcome& LastRename() const { return lastRename_; }
  // The command the last run was started with, when it began, and when its end was
  // handled (empty while it runs or when it never started).
  const ToolCommand& LastCommand() const { return lastCommand_; }
  std::chrono::system_clock::time_point LastStartTime() const { return started_; }
  const std::optional<std::chrono::system_clock::time_point>& LastEndTime() const { return ended_; }

 private:
  void RunWrap();
  void RunTool();
  void CancelRun();
  void ToggleConsole(bool fromAction);
  void StopRun();
  void ShowProgress();

  void OnConsoleLines(const std::vector<std::string>& lines) override;
  void OnProgressStep() override;
  void OnPipeWarning(const std::string& call) override;
  void OnRunEnded(const RunEnd& end) override;
  void EndOfRun(const RunEnd& end);
  void ShowConsoleActions(bool consoleShown);

  WindowContext& context_;
  RunJob& job_;
  const Installation& installation_;
  QueueDispatcher queue_;
  UiDispatcher* dispatcher_ = &queue_;
  std::unique_ptr<RunProgress> progress_;
  std::unique_ptr<ToolWatcher> watcher_;
  std::string base_;
  std::string source_;  // the one source of a single-entity run
  bool capture_ = false;
  std::chrono::system_clock::time_point started_;
  std::optional<std::chrono::system_clock::time_point> ended_;
  ToolCommand lastCommand_;
  std::optional<RunEnd> lastEnd_;
  RenameOutcome lastRename_;
  std::ostream* echo_ = nullptr;
  DosBoxMode dosBox_;
  ConnectionList connections_;
};

}  // namespace korvane
