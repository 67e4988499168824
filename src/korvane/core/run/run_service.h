#pragma once
// The run commands of the window: "Start wrapper" and "Run tool" start a run session,
// "Cancel" stops it after asking, and the gate keeps other commands out while a run is
// active. The sessions do the runs; the service keeps the last one for its result.

#include <chrono>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "korvane/core/common/lifetime.h"
#include "korvane/core/components/action.h"
#include "korvane/core/config/installation.h"
#include "korvane/core/config/run_control.h"
#include "korvane/core/form/window_context.h"
#include "korvane/core/run/dosbox_mode.h"
#include "korvane/core/run/run_session.h"
#include "korvane/core/run/ui_dispatcher.h"

namespace korvane {

class RunService {
 public:
  // The console stub and the batch runner are looked for beside the program; DOSBox
  // where the environment says.
  RunService(WindowContext& context, RunJob& job, RunDisplay& display,
             const Installation& installation, DosBoxEnvironment dosBox,
             DosBoxSettings& dosBoxSettings);
  ~RunService();

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

  bool Running() const { return session_ && session_->Active(); }
  // Refuses, with its message, an action that may not run while a run is active.
  void Gate(const Action& action);
  // Serves the watcher until the run ended; headless mode only. False when the run
  // did not end within the limit.
  bool WaitForEnd(std::chrono::milliseconds limit);
  // The close request during a run: ask, then stop the run. True when the window
  // may go on closing (no run).
  bool CloseQuery();
  // How the last run went; nullptr before the first.
  const RunResult* LastResult() const { return session_ ? &session_->Result() : nullptr; }

 private:
  void RunWrap();
  void RunTool();
  void CancelRun();
  void ToggleConsole(bool fromAction);
  // Ends the operation, saying the run was cancelled.
  void StopRun();
  void ShowConsoleActions(bool consoleShown);

  WindowContext& context_;
  RunJob& job_;
  RunDisplay& display_;
  const Installation& installation_;
  QueueDispatcher queue_;
  UiDispatcher* dispatcher_ = &queue_;
  // Outlives every session: a tool still running when its session goes is stopped here.
  platform::Reaper reaper_;
  std::unique_ptr<RunSession> session_;
  Connection sessionLaunched_;
  Connection sessionEnded_;
  std::ostream* echo_ = nullptr;
  DosBoxMode dosBox_;
  // Work posted for this service is dropped once the service is gone.
  Lifetime lifetime_;
  ConnectionList connections_;
};

}  // namespace korvane
