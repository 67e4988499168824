// Entry point of stelmar. Help, the scans and every refusal of the command line
// end before anything of Qt exists; otherwise the window program starts. The
// exit statuses are the table of exit_status.h, printed by --help.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/system_paths.h"
#include "stelmar/core/command_line.h"
#include "stelmar/core/commands.h"
#include "stelmar/core/display_check.h"
#include "stelmar/core/exit_status.h"
#include "stelmar/core/headless_scan.h"
#include "stelmar/core/help_text.h"
#include "stelmar/core/stelmar_ini.h"
#include "stelmar/ui/main_frame.h"
#include "stelmar/ui/qt_stelmar_port.h"

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

int RunWindow(int argc, char** argv, const stelmar::CommandLine& line) {
  if (auto missing = stelmar::MissingDisplay(Environment)) {
    std::fprintf(stderr, "stelmar: %s\n", missing->c_str());
    return stelmar::kExitNoDisplay;
  }
  const std::string iniPath =
      line.iniPath.empty() ? stelmar::DefaultStelmarIniPath() : line.iniPath;

  QApplication app(argc, argv);
  QApplication::setApplicationName("Stelmar");
  stelmar::ui::QtStelmarPort port;
  stelmar::ProcessStarter starter;
  stelmar::StelmarCommands commands(port, starter, iniPath);
  stelmar::ui::MainFrame frame(commands);
  port.SetParent(&frame);
  commands.Start(platform::ProgramDirectory());
  frame.show();

  // Tools are never waited for; ended ones are collected here.
  QTimer reaper;
  QObject::connect(&reaper, &QTimer::timeout, [&starter] { starter.Reap(); });
  reaper.start(1000);
  if (line.runCommand != 0)
    QTimer::singleShot(0, &frame, [&frame, id = line.runCommand] { frame.RunCommand(id); });
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  const stelmar::CommandLine line =
      stelmar::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (line.action) {
    case stelmar::CommandLine::Action::kHelp:
      return stelmar::PrintText(stelmar::HelpText(stelmar::DefaultStelmarIniPath()), stdout,
                                stderr);
    case stelmar::CommandLine::Action::kUsageError:
      std::fprintf(stderr, "stelmar: %s (see stelmar --help)\n", line.error.c_str());
      return stelmar::kExitUsage;
    case stelmar::CommandLine::Action::kScan:
      return stelmar::RunHeadlessScan(line.scan, line.source, stdout, stderr);
    case stelmar::CommandLine::Action::kWindow:
      break;
  }
  return RunWindow(argc, argv, line);
}
