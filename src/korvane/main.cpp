// korvane: the job shell. With -batch it runs without any window (see
// core/app/headless.h); otherwise it shows the main window.

#include <QApplication>
#include <iostream>
#include <memory>

#include "korvane/core/app/application_profile.h"
#include "korvane/core/app/headless.h"
#include "korvane/core/app/shell.h"
#include "korvane/core/app/switch_table.h"
#include "korvane/core/common/command_line.h"
#include "korvane/ui/main_window.h"
#include "korvane/ui/qt_person_port.h"
#include "platform/settings_backend.h"
#include "platform/system_paths.h"

int main(int argc, char* argv[]) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const korvane::CommandLine commandLine(args);
  // Asking for help or the version never opens a window.
  if (korvane::AnswerHelpOrVersion(commandLine, std::cout)) return 0;
  std::string iniOverride;
  commandLine.SwitchValue("-Ini:-I", iniOverride);
  auto settings = platform::CreateUserSettingsBackend();
  const std::string programPath = platform::ProgramPath();

  if (commandLine.HasSwitch("-batch")) {
    korvane::HeadlessOptions options{programPath, args, iniOverride, commandLine.HasSwitch("-Yes")};
    return korvane::RunHeadless(options, *settings, std::cerr);
  }

  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(
      QString::fromLatin1(korvane::profile::kApplicationTitle.data(),
                          static_cast<qsizetype>(korvane::profile::kApplicationTitle.size())));
  korvane::ui::QtPersonPort person;
  korvane::Shell shell(person, *settings, {programPath, args, iniOverride, {}});
  korvane::ui::MainWindow window(shell);
  person.SetParent(&window);
  shell.Create();
  window.show();
  if (shell.Show()) {
    window.ApplyStoredSettings();
    if (shell.AutoRun()) shell.Execute("ActRunWrap");
  }
  return QApplication::exec();
}
