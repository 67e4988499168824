#include "korvane/core/run/run_service.h"

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/run/run_rules.h"

namespace korvane {

namespace n = names;

namespace {

constexpr const char* kActCancelRun = "ActCancelRun";
constexpr const char* kActDontRun = "ActDontRun";
constexpr const char* kCancelled = "Background process cancelled!";

}  // namespace

RunService::RunService(WindowContext& context, RunJob& job, RunDisplay& display,
                       const Installation& installation, DosBoxEnvironment dosBox,
                       DosBoxSettings& dosBoxSettings)
    : context_(context),
      job_(job),
      display_(display),
      installation_(installation),
      dosBox_(std::move(dosBox), dosBoxSettings, context.person, context.status) {}

RunService::~RunService() = default;

void RunService::Connect(ActionList& actions) {
  actions.Get(n::kActRunWrap).SetHandler([this] { RunWrap(); });
  actions.Get(n::kActRunTool).SetHandler([this] { RunTool(); });
  Action& cancel = actions.Get(kActCancelRun);
  cancel.SetHandler([this] { CancelRun(); });
  cancel.SetEnabled(false);
  Action& dontRun = actions.Get(kActDontRun);
  dontRun.SetCheckable(true);
  dontRun.SetHandler([&dontRun] { dontRun.SetChecked(!dontRun.Checked()); });
  actions.Get(n::kActSwitchOnLog).SetHandler([this] { ToggleConsole(true); });
  actions.Get(n::kActSwitchOffLog).SetHandler([this] { ToggleConsole(true); });
  // Only the command that changes something is offered, before the first run too, and
  // whoever shows or hides the console (the start-up does with console capture).
  ShowConsoleActions(display_.ConsoleShown());
  connections_.Add(display_.consoleShownChanged.Connect(
      [this] { ShowConsoleActions(display_.ConsoleShown()); }));
}

void RunService::Follow(Signal<>& installationChecked) {
  connections_.Add(installationChecked.Connect([this] { dosBox_.Set(job_.Flags().useDosBox); }));
}

void RunService::Gate(const Action& action) {
  if (!Running()) return;
  if (!AllowedWhileRunning(action.Name(), action.Category())) {
    context_.status.ShowErrorAndAbort(std::string(kRefusedWhileRunning));
  }
}

// --- starting ------------------------------------------------------------------------

void RunService::RunWrap() {
  job_.SetWrapRequested();
  if (job_.WordListRequired()) {
    context_.status.ShowErrorAndAbort("You have to prepare a word list first!");
  }
  if (!job_.SynchronizeDirectories()) {
    context_.status.ShowErrorAndAbort(
        "Some of your files are not defined, please revise your selection!");
  }
  RunTool();
}

void RunService::RunTool() {
  if (Running()) context_.status.ShowErrorAndAbort(std::string(kRefusedWhileRunning));
  ToggleConsole(false);
  Action& cancel = context_.actions.Get(kActCancelRun);
  session_ = std::make_unique<RunSession>(
      RunSessionContext{job_, display_, context_.status, context_.person, *dispatcher_,
                        installation_, dosBox_, reaper_, echo_});
  // The cancel command is offered exactly while the tool runs.
  sessionLaunched_ = session_->launched.Connect([&cancel] { cancel.SetEnabled(true); });
  sessionEnded_ = session_->ended.Connect([&cancel] { cancel.SetEnabled(false); });
  session_->Start(context_.actions.Get(kActDontRun).Checked());
}

void RunService::ToggleConsole(bool fromAction) {
  display_.SetConsoleShown(fromAction ? !display_.ConsoleShown() : true);
  ShowConsoleActions(display_.ConsoleShown());
}

void RunService::ShowConsoleActions(bool consoleShown) {
  Action& off = context_.actions.Get(n::kActSwitchOffLog);
  Action& on = context_.actions.Get(n::kActSwitchOnLog);
  off.SetVisible(consoleShown);
  off.SetEnabled(consoleShown);
  on.SetVisible(!consoleShown);
  on.SetEnabled(!consoleShown);
}

// --- stopping -------------------------------------------------------------------------

void RunService::CancelRun() {
  if (!Running()) return;
  if (context_.person.Ask(MessageKind::Warning, "Do you really want to cancel processing?",
                          {Button::Yes, Button::No}) != Button::Yes) {
    return;
  }
  // The window went on serving the run while it asked: a run that ended meanwhile
  // has reported its own end and is not cancelled after the fact.
  if (!Running()) return;
  StopRun();
}

void RunService::RequestCancel() {
  // The interrupt was the person's answer already: no question. Dropped when the
  // service is gone before the interface thread gets to it.
  dispatcher_->Post(lifetime_.Guard([this] {
    if (!Running()) return;
    try {
      StopRun();
    } catch (const OperationAbort&) {
    }
  }));
}

void RunService::StopRun() {
  context_.actions.Get(kActCancelRun).SetEnabled(false);
  session_->Cancel();
  // The window keeps serving the watcher; the end of run reports the cancel.
  context_.status.ShowErrorAndAbort(kCancelled);
}

bool RunService::CloseQuery() {
  if (!Running()) return true;
  const Button answer = context_.person.Ask(
      MessageKind::Warning,
      "You are running a batch process in the background. If you quit \r\nnow, you will loose "
      "the connection with it. If you open the same \r\nproject again later, it will try to "
      "synchrornize with the results. It is \r\nbetter not to exit this task.\r\n\r\nDo you "
      "still want to exit?",
      {Button::Yes, Button::No});
  if (answer != Button::Yes) return false;
  if (!Running()) return true;  // it ended while the question was open
  StopRun();
  return false;
}

bool RunService::WaitForEnd(std::chrono::milliseconds limit) {
  if (dispatcher_ != &queue_) return !Running();
  return queue_.RunUntil([this] { return !Running(); }, limit);
}

}  // namespace korvane
