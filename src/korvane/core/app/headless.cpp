#include "korvane/core/app/headless.h"

#include <cstdlib>
#include <iostream>

#include "korvane/core/app/console_person.h"
#include "korvane/core/app/shell.h"
#include "korvane/core/form/component_names.h"

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
  if (shell.AutoRun()) {
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
  const auto& end = shell.Runs().LastEnd();
  const bool runFailed = end.has_value() && end->kind != RunEnd::Kind::Succeeded;
  return shell.Stats().AnyEndedEarly() || runFailed ? 1 : 0;
}

}  // namespace korvane
