#include "korvane/core/app/headless.h"

#include <atomic>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "korvane/core/app/console_person.h"
#include "korvane/core/app/exit_status.h"
#include "korvane/core/app/job_maker.h"
#include "korvane/core/app/job_recipe.h"
#include "korvane/core/app/run_report_file.h"
#include "korvane/core/app/shell.h"
#include "korvane/core/app/switch_table.h"
#include "korvane/core/common/command_line.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/run/run_verdict.h"
#include "platform/interrupt_watch.h"

namespace korvane {

namespace {

constexpr const char* kBaseNotOurs = "the job's base folder is not this run's to use";

const char* StatusKindName(StatusMessageKind kind) {
  switch (kind) {
    case StatusMessageKind::Status:
      return "Status";
    case StatusMessageKind::Warning:
      return "Warning";
    case StatusMessageKind::Error:
      return "Error";
    case StatusMessageKind::Fatal:
      return "Fatal";
  }
  return "Status";
}

// The status of an auto run that has ended, and the line that says why it is not 0.
ExitStatus StatusOfRun(Shell& shell, const GuardStats& before, std::string& why) {
  const RunResult* run = shell.Runs().LastResult();
  const bool ended = run != nullptr && run->end.has_value();
  if (!ended && shell.CurrentProject().BaseHeld()) {
    why = kBaseNotOurs;
    return ExitStatus::kBaseHeld;
  }
  if (!ended) {
    why = "the run did not start (the messages above say why)";
    return ExitStatus::kNotStarted;
  }
  const RunEnd& end = *run->end;
  if (end.kind == RunEnd::Kind::Cancelled) {
    why = "the run was cancelled";
    return ExitStatus::kCancelled;
  }
  const std::string tool = "the tool " + ToolNameOf(run->command.program);
  if (end.kind == RunEnd::Kind::Failed) {
    why = tool + " ended with exit status " + std::to_string(end.code);
    return ExitStatus::kToolFailed;
  }
  if (end.kind == RunEnd::Kind::Signalled) {
    why = tool + " was ended by " + SignalText(end.code);
    return ExitStatus::kToolFailed;
  }
  const RenameOutcome& renamed = run->renamed;
  if (renamed.written == 0) {
    why = "the tools ended with status 0 but wrote no results";
    return ExitStatus::kToolFailed;
  }
  if (!renamed.failures.empty()) {
    why = renamed.failures.front();
    return ExitStatus::kNotWritten;
  }
  const GuardStats& after = shell.Stats();
  if (shell.CurrentProject().State().modified || after.aborted != before.aborted ||
      after.failed != before.failed) {
    why = "the job could not be saved after the run (the messages above say why)";
    return ExitStatus::kNotWritten;
  }
  return ExitStatus::kSuccess;
}

}  // namespace

int RunHeadless(const HeadlessOptions& options, platform::SettingsBackend& settings,
                std::ostream& err) {
  RunReportFile report(options.args);
  // Ends with the status and, when it is not 0, one line that says why.
  const auto finish = [&err, &report](ExitStatus status, std::string why) {
    if (!report.Write(status, why, err) && status == ExitStatus::kSuccess) {
      status = ExitStatus::kNotWritten;
      why = "the run report could not be written";
    }
    if (status != ExitStatus::kSuccess) {
      err << "korvane: exit status " << Code(status) << ": " << why << '\n';
    }
    err.flush();
    return Code(status);
  };
  const CommandLine args(options.args);
  if (const Outcome usage = CheckUsage(args); !usage) {
    return finish(ExitStatus::kUsage, usage.Why());
  }
  if (WantsJobRecipe(args)) return RunJobMaker(options, settings, err);
  // Ctrl+C, SIGTERM and SIGHUP cancel the run as the person's cancel would (the tools
  // are told, the results so far are renamed); a second one ends the program at once.
  std::atomic<Shell*> running{nullptr};
  std::atomic<int> interrupts{0};
  const platform::InterruptWatch interrupt([&running, &interrupts, &err] {
    Shell* shell = running.load();
    if (shell == nullptr || interrupts++ > 0) std::_Exit(Code(ExitStatus::kInterrupted));
    err << "Cancelling the run; interrupt again to end at once\n";
    shell->Runs().RequestCancel();
  });
  // A question nobody may answer ends the process at once: unwinding through
  // the operation would let it go on as if the person had said no.
  ConsolePerson person(err, options.answerYes, [&err, &report](int status) {
    report.Write(ExitStatus::kQuestion, "a question came up without -Yes to answer it", err);
    err.flush();
    std::exit(status);
  });
  Shell shell(person, settings, {options.programPath, options.args, options.iniOverride, {}});
  report.Follow(&shell);
  const Connection printed = shell.Status().messageReported.Connect(
      [&person](StatusMessageKind kind, const std::string& text) {
        person.PrintLine(StatusKindName(kind), text);
      });
  if (!shell.Create() || !shell.Show()) {
    if (shell.CurrentProject().BaseHeld()) {
      return finish(ExitStatus::kBaseHeld, kBaseNotOurs);
    }
    // The load's own message may not name the file (a damaged job says only that it is);
    // the last line does.
    std::string job;
    args.SwitchValue("-Proj:P", job);  // empty without the switch
    return finish(ExitStatus::kLoad, "the job " + (job.empty() ? "" : job + " ") +
                                         "or the tool configuration could not be loaded");
  }
  running = &shell;
  ExitStatus status = ExitStatus::kSuccess;
  std::string why;
  if (shell.AutoRun()) {
    shell.Runs().EchoConsoleTo(std::cout);
    shell.Execute(names::kActRunWrap);
    const GuardStats started = shell.Stats();
    // The tool runs in the background; this thread serves its watcher until it ends.
    shell.Runs().WaitForEnd(std::chrono::hours(24 * 365));
    // What the preparation did with each source goes to standard output; the tools'
    // input structure never holds it.
    const PreparationReport& report = shell.Prepare().Report();
    if (!report.Sources().empty()) {
      for (const std::string& line : report.Format()) std::cout << line << '\n';
      std::cout.flush();
    }
    status = StatusOfRun(shell, started, why);
  } else {
    const bool saved = shell.Execute(names::kActSaveProject);
    bool closing = false;
    const Connection closingWatch = shell.closeRequested.Connect([&closing] { closing = true; });
    shell.Execute(names::kActCloseAll);
    if (closing) shell.CloseQuery();
    if (!saved || shell.Stats().AnyEndedEarly()) {
      status = ExitStatus::kNotWritten;
      why = "the job could not be saved (the messages above say why)";
    }
  }
  running = nullptr;
  std::cout.flush();
  if (status == ExitStatus::kSuccess && !std::cout) {
    status = ExitStatus::kNotWritten;
    why = "standard output could not be written";
  }
  return finish(status, why);
}

}  // namespace korvane
