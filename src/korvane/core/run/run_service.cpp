#include "korvane/core/run/run_service.h"

#include <filesystem>
#include <fstream>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/person_port.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/common/text_file.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/prepare/wrapper_contract.h"
#include "korvane/core/run/run_rules.h"
#include "korvane/core/run/run_verdict.h"
#include "platform/install_layout.h"
#include "platform/local_time.h"

namespace korvane {

namespace n = names;

namespace {

constexpr const char* kActCancelRun = "ActCancelRun";
constexpr const char* kActDontRun = "ActDontRun";
constexpr const char* kActCopyFiles = "ActCopyFiles";
constexpr const char* kActRename = "ActRename";
constexpr const char* kActDeleteFilesAfter = "ActDeleteFilesAfter";
constexpr const char* kActViewProductLog = "ActViewProductLog";
constexpr const char* kActViewConsoleLog = "ActViewConsoleLog";
constexpr std::size_t kConsoleViewLimit = 1000;
// The captured console as the watcher writes it, renamed to Console.log at the end.
constexpr const char* kConsoleCopy = "Console.log.captured";

std::chrono::seconds TimeOfDay(std::chrono::system_clock::time_point t) {
  const std::time_t now = std::chrono::system_clock::to_time_t(t);
  const std::tm local = platform::LocalTime(now);
  return std::chrono::seconds(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec);
}

// The run's start by the clock of the file system the tools write to: the job
// parameter file was just written for this run, so every result of the run is at least
// as new. Without it, the local clock. Less two seconds either way: a tool in DOSBox
// stamps its files in DOS time, which has a grain of two seconds.
std::filesystem::file_time_type RunStartStamp(const std::string& base) {
  std::error_code ec;
  const auto written = std::filesystem::last_write_time(base + "last.xml", ec);
  const auto now = std::filesystem::file_time_type::clock::now();
  return (ec ? now : std::min(written, now)) - std::chrono::seconds(2);
}

void Invoke(ActionList& actions, const char* name) {
  if (Action* action = actions.Find(name); action != nullptr && action->HasHandler()) {
    action->Invoke();
  }
}

}  // namespace

RunService::RunService(WindowContext& context, RunJob& job, const Installation& installation,
                       DosBoxEnvironment dosBox, DosBoxSettings& dosBoxSettings)
    : context_(context),
      job_(job),
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
  Memo& console = context_.form.Get<Memo>(n::kMemoCaptureConsole);
  ShowConsoleActions(console.Visible());
  connections_.Add(
      console.changed.Connect([this, &console] { ShowConsoleActions(console.Visible()); }));
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
  started_ = std::chrono::system_clock::now();
  ended_.reset();
  lastCommand_ = {};
  context_.window.SetCaption(BatchStartedCaption(context_.window.Caption(), TimeOfDay(started_)));
  context_.form.Get<PageControl>(n::kPageControlMain).SetActivePage(n::kPageNames);
  auto& console = context_.form.Get<Memo>(n::kMemoCaptureConsole);
  console.Clear();
  ToggleConsole(false);

  Invoke(context_.actions, kActCopyFiles);
  base_ = job_.WritableBase();
  job_.SetRunStart(RunStartStamp(base_));
  for (const char* name : {kActViewProductLog, kActViewConsoleLog}) {
    if (Action* action = context_.actions.Find(name)) action->SetEnabled(false);
  }

  const RunControl flags = job_.Flags();
  // DOSBox shows the tools in its own window: never captured, never redirected.
  const bool dosBox = dosBox_.On();
  std::error_code ec;
  LaunchSettings settings;
  if (std::filesystem::is_regular_file(installation_.consoleStub, ec)) {
    settings.consoleStubPath = installation_.consoleStub;
  }
  settings.batchRunnerPath =
      platform::HelperProgramPath(installation_.programDir, "korvane-batch-runner");
  capture_ = flags.systemCaptureConsole && !settings.consoleStubPath.empty() && !dosBox;
  settings.captureConsole = capture_;
  ToolLauncher launcher(context_.status, settings);
  progress_ = std::make_unique<RunProgress>(job_.ProjectName(), 4);
  progress_->Start(job_.Modules(), job_.SourceFiles(), capture_, job_.Entities());
  ShowProgress();

  std::filesystem::remove(base_ + "Exports/" + job_.SystemName() + ".log", ec);
  if (!job_.ProductInstalled()) {
    const Button answer = context_.person.Ask(
        MessageKind::Warning,
        "At least one of the required components for this \r\nlanguage was not found at "
        "startup. This may lead to processing \r\nerrors. You had better to revise your "
        "installation.\r\nShould I proceed ? ",
        {Button::Yes, Button::No});
    if (answer != Button::Yes) {
      context_.status.ShowErrorAndAbort("Incorrect installation, processing stopped");
    }
  }

  const bool multi = job_.MultiEntity();
  const ToolCommand command =
      ChooseToolCommand(multi, flags.captureLog && !dosBox, base_, job_.InterfaceWrapper());
  lastCommand_ = command;
  source_ = job_.SingleSource();
  const bool dontRun = context_.actions.Get(kActDontRun).Checked();
  ToolLauncher::CommandRewrite inDosBox;
  if (dosBox) {
    inDosBox = [this, multi](const ToolCommand& tool) {
      return dosBox_.PrepareRun(tool, base_, multi, job_.BatchLines());
    };
  }
  std::unique_ptr<platform::Process> process = launcher.Start(command, base_, dontRun, inDosBox);
  job_.SetBatchRunning(process != nullptr);
  context_.form.Get<GroupBox>(n::kGroupProgress).SetVisible(process != nullptr);
  if (capture_) console.Clear();
  if (process == nullptr) {
    context_.status.ShowErrorAndAbort(FailedToStartText(launcher.LastStartError()));
  }

  WatcherOptions options;
  options.captureConsole = capture_;
  options.semaphorePath = base_ + std::string(contract::kStopFile);
  options.consoleCopyPath = base_ + kConsoleCopy;
  watcher_ = std::make_unique<ToolWatcher>(std::move(process), *dispatcher_,
                                           static_cast<WatcherListener&>(*this), options);
  context_.actions.Get(kActCancelRun).SetEnabled(true);
  job_.FollowLogs(true);
  watcher_->Start();
  try {
    job_.RecordRunStart();
  } catch (const OperationAbort&) {
    // The save said why it failed; the run goes on.
  }
}

void RunService::ShowProgress() {
  if (!progress_) return;
  auto& modules = context_.form.Get<ProgressBar>(n::kProgressModules);
  auto& sources = context_.form.Get<ProgressBar>(n::kProgressSources);
  modules.SetRange(0, progress_->Modules().maximum);
  modules.SetPosition(progress_->Modules().position);
  sources.SetRange(0, progress_->Sources().maximum);
  sources.SetPosition(progress_->Sources().position);
  context_.form.Get<GroupBox>(n::kGroupProgress).SetCaption(progress_->Caption());
}

void RunService::ToggleConsole(bool fromAction) {
  auto& console = context_.form.Get<Memo>(n::kMemoCaptureConsole);
  console.SetVisible(fromAction ? !console.Visible() : true);
  ShowConsoleActions(console.Visible());
}

void RunService::ShowConsoleActions(bool consoleShown) {
  Action& off = context_.actions.Get(n::kActSwitchOffLog);
  Action& on = context_.actions.Get(n::kActSwitchOnLog);
  off.SetVisible(consoleShown);
  off.SetEnabled(consoleShown);
  on.SetVisible(!consoleShown);
  on.SetEnabled(!consoleShown);
}

// --- watching -------------------------------------------------------------------------

void RunService::OnConsoleLines(const std::vector<std::string>& lines) {
  context_.form.Get<Memo>(n::kMemoCaptureConsole).AppendLines(lines);
  if (echo_ != nullptr) {
    for (const std::string& line : lines) *echo_ << line << '\n';
    echo_->flush();
  }
  if (!progress_) return;
  for (const std::string& line : lines) progress_->OnConsoleLine(line);
}

void RunService::OnProgressStep() {
  if (!progress_) return;
  if (!capture_) progress_->OnPollStep(0, job_.Modules(), 0, job_.SourceFiles());
  progress_->EndStep();
  ShowProgress();
}

void RunService::OnPipeWarning(const std::string& call) {
  context_.person.Ask(MessageKind::Warning, call, {Button::Ok});
}

void RunService::OnRunEnded(const RunEnd& end) {
  // The end of run is a user-visible operation of its own: its aborts end it, not the
  // program.
  try {
    EndOfRun(end);
  } catch (const OperationAbort&) {
  }
}

void RunService::EndOfRun(const RunEnd& end) {
  lastEnd_ = end;
  ended_ = std::chrono::system_clock::now();
  // The watcher goes once this step is over; it is not destroyed from inside its own call.
  std::shared_ptr<ToolWatcher> finished(watcher_.release());
  dispatcher_->Post([finished] {});
  job_.FollowLogs(false);
  job_.SetBatchRunning(false);
  Invoke(context_.actions, kActRename);
  lastRename_ = job_.LastRename();
  const RenameOutcome& renamed = lastRename_;
  Invoke(context_.actions, kActDeleteFilesAfter);
  std::error_code ec;
  for (const std::string& dir : {base_ + "WrapOut", base_ + job_.SystemName()}) {
    if (std::filesystem::is_directory(dir, ec) && std::filesystem::is_empty(dir, ec)) {
      std::filesystem::remove(dir, ec);
    }
  }
  for (const char* name : {kActViewProductLog, kActViewConsoleLog}) {
    if (Action* action = context_.actions.Find(name)) action->SetEnabled(true);
  }
  Invoke(context_.actions, kActViewProductLog);
  context_.form.Get<GroupBox>(n::kGroupProgress).SetVisible(false);

  auto& console = context_.form.Get<Memo>(n::kMemoCaptureConsole);
  const std::string copy = base_ + kConsoleCopy;
  if (capture_ && console.Visible()) {
    const std::string log = base_ + "Console.log";
    // The watcher wrote the console as it came; what it could not write is written now.
    bool moved = false;
    if (end.consoleCopied) {
      std::filesystem::rename(copy, log, ec);
      moved = !ec;
    }
    const std::string problem = moved ? std::string() : WriteTextLinesAtomic(log, console.Lines());
    if (!problem.empty()) {
      context_.status.AddError(problem, true);
    } else if (console.Lines().size() <= kConsoleViewLimit) {
      Invoke(context_.actions, kActViewConsoleLog);
    }
  }
  std::filesystem::remove(copy, ec);  // a hidden console keeps no log

  Action& cancel = context_.actions.Get(kActCancelRun);
  // Said with the verdict, so that an earlier run's results are never read as this one's;
  // a failed tool is said first, never after a word of completion.
  const RunVerdict verdict =
      EndOfRunVerdict(end, !cancel.Enabled(), ToolNameOf(lastCommand_.program), source_,
                      renamed.written, renamed.renamed);
  if (verdict.error) {
    context_.status.ShowError(verdict.text, true);
  } else {
    context_.status.ShowWarning(verdict.text);
  }
  for (const std::string& failure : renamed.failures) context_.status.AddError(failure, true);
  cancel.SetEnabled(false);
  const auto runtime = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::system_clock::now() - started_);
  context_.window.SetCaption(BatchRuntimeCaption(context_.window.Caption(), runtime));
  if (progress_) progress_->Complete();
  if (job_.AutoRun()) {
    Invoke(context_.actions, n::kActSaveProject);
    Invoke(context_.actions, n::kActCloseAll);
  }
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
  context_.status.ShowErrorAndAbort("Background process cancelled!");
}

void RunService::RequestCancel() {
  // The interrupt was the person's answer already: no question.
  dispatcher_->Post([this] {
    if (!Running()) return;
    StopRun();
    try {
      context_.status.ShowErrorAndAbort("Background process cancelled!");
    } catch (const OperationAbort&) {
    }
  });
}

void RunService::StopRun() {
  context_.actions.Get(kActCancelRun).SetEnabled(false);
  if (watcher_) {
    const std::string problem = watcher_->Cancel();
    if (!problem.empty()) context_.status.AddError(problem, true);
  }
  // The window keeps serving the watcher; the end of run reports the cancel.
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
  context_.status.ShowErrorAndAbort("Background process cancelled!");
  return false;
}

bool RunService::WaitForEnd(std::chrono::milliseconds limit) {
  if (dispatcher_ != &queue_) return !Running();
  return queue_.RunUntil([this] { return !Running(); }, limit);
}

}  // namespace korvane
