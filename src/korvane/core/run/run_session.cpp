#include "korvane/core/run/run_session.h"

#include <ctime>
#include <filesystem>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/text_file.h"
#include "korvane/core/prepare/wrapper_contract.h"
#include "korvane/core/run/run_rules.h"
#include "korvane/core/run/run_verdict.h"
#include "korvane/core/run/tool_launcher.h"
#include "platform/install_layout.h"
#include "platform/local_time.h"

namespace korvane {

namespace {

// A longer console is not opened in the viewer at the end of the run.
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

}  // namespace

RunSession::RunSession(RunSessionContext context) : c_(context) {}

RunSession::~RunSession() = default;

void RunSession::Start(bool dontRun) {
  result_.started = std::chrono::system_clock::now();
  c_.display.SetCaption(BatchStartedCaption(c_.display.Caption(), TimeOfDay(result_.started)));
  c_.display.ShowRunStarting();
  c_.job.PrepareInput([this, dontRun] { Launch(dontRun); });
}

void RunSession::Launch(bool dontRun) {
  RunJob& job = c_.job;
  base_ = job.WritableBase();
  job.SetRunStart(RunStartStamp(base_));
  job.EnableLogViews(false);

  const RunControl flags = job.Flags();
  // DOSBox shows the tools in its own window: never captured, never redirected.
  const bool dosBox = c_.dosBox.On();
  std::error_code ec;
  LaunchSettings settings;
  if (std::filesystem::is_regular_file(c_.installation.consoleStub, ec)) {
    settings.consoleStubPath = c_.installation.consoleStub;
  }
  settings.batchRunnerPath =
      platform::HelperProgramPath(c_.installation.programDir, "korvane-batch-runner");
  capture_ = flags.systemCaptureConsole && !settings.consoleStubPath.empty() && !dosBox;
  settings.captureConsole = capture_;
  ToolLauncher launcher(c_.status, settings);
  progress_ = std::make_unique<RunProgress>(job.ProjectName(), 4);
  progress_->Start(job.Modules(), job.SourceFiles(), capture_, job.Entities());
  c_.display.ShowProgress(*progress_);

  std::filesystem::remove(base_ + "Exports/" + job.SystemName() + ".log", ec);
  if (!job.ProductInstalled()) {
    const Button answer = c_.person.Ask(
        MessageKind::Warning,
        "At least one of the required components for this \r\nlanguage was not found at "
        "startup. This may lead to processing \r\nerrors. You had better to revise your "
        "installation.\r\nShould I proceed ? ",
        {Button::Yes, Button::No});
    if (answer != Button::Yes) {
      c_.status.ShowErrorAndAbort("Incorrect installation, processing stopped");
    }
  }

  const bool multi = job.MultiEntity();
  result_.command =
      ChooseToolCommand(multi, flags.captureLog && !dosBox, base_, job.InterfaceWrapper());
  source_ = job.SingleSource();
  ToolLauncher::CommandRewrite inDosBox;
  if (dosBox) {
    inDosBox = [this, multi](const ToolCommand& tool) {
      return c_.dosBox.PrepareRun(tool, base_, multi, c_.job.BatchLines());
    };
  }
  std::unique_ptr<platform::Process> process =
      launcher.Start(result_.command, base_, dontRun, inDosBox);
  job.SetBatchRunning(process != nullptr);
  c_.display.SetProgressVisible(process != nullptr);
  if (capture_) c_.display.ClearConsole();
  if (process == nullptr) {
    c_.status.ShowErrorAndAbort(FailedToStartText(launcher.LastStartError()));
  }

  WatcherOptions options;
  options.captureConsole = capture_;
  options.semaphorePath = base_ + std::string(contract::kStopFile);
  options.consoleCopyPath = base_ + kConsoleCopy;
  options.reaper = &c_.reaper;
  watcher_ = std::make_unique<ToolWatcher>(std::move(process), c_.dispatcher,
                                           static_cast<WatcherListener&>(*this), options);
  job.FollowLogs(true);
  watcher_->Start();
  launched.Emit();
  try {
    job.RecordRunStart();
  } catch (const OperationAbort&) {
    // The save said why it failed; the run goes on.
  }
}

void RunSession::Cancel() {
  if (!Active()) return;
  result_.cancelRequested = true;
  if (const Outcome asked = watcher_->Cancel(); !asked) c_.status.AddError(asked.Why(), true);
}

// --- watching -------------------------------------------------------------------------

void RunSession::OnConsoleLines(const std::vector<std::string>& lines) {
  consoleLines_ += lines.size();
  c_.display.AppendConsole(lines);
  if (c_.echo != nullptr) {
    for (const std::string& line : lines) *c_.echo << line << '\n';
    c_.echo->flush();
  }
  if (!progress_) return;
  for (const std::string& line : lines) progress_->OnConsoleLine(line);
}

void RunSession::OnProgressStep() {
  if (!progress_) return;
  if (!capture_) progress_->OnPollStep(0, c_.job.Modules(), 0, c_.job.SourceFiles());
  progress_->EndStep();
  c_.display.ShowProgress(*progress_);
}

void RunSession::OnPipeWarning(const std::string& call) {
  c_.person.Ask(MessageKind::Warning, call, {Button::Ok});
}

void RunSession::OnRunEnded(const RunEnd& end) {
  // The end of run is a user-visible operation of its own: its aborts end it, not the
  // program.
  try {
    EndOfRun(end);
  } catch (const OperationAbort&) {
  }
}

// --- the end --------------------------------------------------------------------------

void RunSession::EndOfRun(const RunEnd& end) {
  result_.end = end;
  result_.ended = std::chrono::system_clock::now();
  // The watcher goes once this step is over; it is not destroyed from inside its own call.
  std::shared_ptr<ToolWatcher> finished(watcher_.release());
  c_.dispatcher.Post([finished] {});
  RunJob& job = c_.job;
  job.FollowLogs(false);
  job.SetBatchRunning(false);
  result_.renamed = job.RenameResults();
  const RenameOutcome& renamed = result_.renamed;
  job.DeleteCopiedInput();
  std::error_code ec;
  for (const std::string& dir : {base_ + "WrapOut", base_ + job.SystemName()}) {
    if (std::filesystem::is_directory(dir, ec) && std::filesystem::is_empty(dir, ec)) {
      std::filesystem::remove(dir, ec);
    }
  }
  job.EnableLogViews(true);
  job.ViewProductLog();
  c_.display.SetProgressVisible(false);
  KeepConsoleLog(end);

  // Said with the verdict, so that an earlier run's results are never read as this one's;
  // a failed tool is said first, never after a word of completion.
  const RunVerdict verdict =
      EndOfRunVerdict(end, result_.cancelRequested, ToolNameOf(result_.command.program), source_,
                      renamed.written, renamed.renamed);
  if (verdict.error) {
    c_.status.ShowError(verdict.text, true);
  } else {
    c_.status.ShowWarning(verdict.text);
  }
  for (const std::string& failure : renamed.failures) c_.status.AddError(failure, true);
  ended.Emit();
  const auto runtime = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::system_clock::now() - result_.started);
  c_.display.SetCaption(BatchRuntimeCaption(c_.display.Caption(), runtime));
  if (progress_) progress_->Complete();
  if (job.AutoRun()) job.SaveAndClose();
}

void RunSession::KeepConsoleLog(const RunEnd& end) {
  std::error_code ec;
  const std::string copy = base_ + kConsoleCopy;
  if (capture_ && c_.display.ConsoleShown()) {
    const std::string log = base_ + "Console.log";
    // The watcher wrote the console as it came; when it could not, the console's last
    // lines are what is left of it.
    bool moved = false;
    if (end.consoleCopied) {
      std::filesystem::rename(copy, log, ec);
      moved = !ec;
    }
    const Outcome kept = moved ? Outcome() : WriteTextLinesAtomic(log, c_.display.ConsoleLines());
    if (!kept) {
      c_.status.AddError(kept.Why(), true);
    } else if (consoleLines_ <= kConsoleViewLimit) {
      c_.job.ViewConsoleLog();
    }
  }
  std::filesystem::remove(copy, ec);  // a hidden console keeps no log
}

}  // namespace korvane
