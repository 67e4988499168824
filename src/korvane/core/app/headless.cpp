#include "korvane/core/app/headless.h"

#include <atomic>
#include <cstdlib>
#include <iostream>

#include "korvane/core/app/console_person.h"
#include "korvane/core/app/shell.h"
#include "korvane/core/form/component_names.h"
#include "platform/interrupt_watch.h"

namespace korvane {

namespace {

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

}  // namespace

int RunHeadless(const HeadlessOptions& options, platform::SettingsBackend& settings,
                std::ostream& err) {
  // Ctrl+C cancels the run as the person's cancel would (the tools are told, the results
  // so far are renamed); a second one ends the program at once.
  std::atomic<Shell*> running{nullptr};
  std::atomic<int> interrupts{0};
  const platform::InterruptWatch interrupt([&running, &interrupts, &err] {
    Shell* shell = running.load();
    if (shell == nullptr || interrupts++ > 0) std::_Exit(130);
    err << "Cancelling the run; interrupt again to end at once\n";
    shell->Runs().RequestCancel();
  });
  // A question nobody may answer ends the process at once: unwinding through
  // the operation would let it go on as if the person had said no.
  ConsolePerson person(err, options.answerYes, [&err](int status) {
    err.flush();
    std::exit(status);
  });
  Shell shell(person, settings, {options.programPath, options.args, options.iniOverride, {}});
  shell.Status().onMessage = [&person](StatusMessageKind kind, const std::string& text) {
    person.PrintLine(StatusKindName(kind), text);
  };
  if (!shell.Create() || !shell.Show()) return 1;
  running = &shell;
  if (shell.AutoRun()) {
    shell.Runs().EchoConsoleTo(std::cout);
    shell.Execute(names::kActRunWrap);
    // The tool runs in the background; this thread serves its watcher until it ends.
    shell.Runs().WaitForEnd(std::chrono::hours(24 * 365));
    // What the preparation did with each source goes to standard output; the tools'
    // input structure never holds it.
    const PreparationReport& report = shell.Prepare().Report();
    if (!report.Sources().empty()) {
      for (const std::string& line : report.Format()) std::cout << line << '\n';
      std::cout.flush();
    }
  } else {
    shell.Execute(names::kActSaveProject);
    bool closing = false;
    const Connection closingWatch = shell.closeRequested.Connect([&closing] { closing = true; });
    shell.Execute(names::kActCloseAll);
    if (closing) shell.CloseQuery();
  }
  running = nullptr;
  const auto& end = shell.Runs().LastEnd();
  const bool runFailed = end.has_value() && end->kind != RunEnd::Kind::Succeeded;
  return shell.Stats().AnyEndedEarly() || runFailed ? 1 : 0;
}

}  // namespace korvane
