// Entry point of stelmar. The headless scans run before anything of Qt exists;
// otherwise the window program starts:
//   stelmar [-Ini <path of stelmar.ini>] [-Run <menu command id>]
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/system_paths.h"
#include "stelmar/core/commands.h"
#include "stelmar/core/headless_scan.h"
#include "stelmar/core/stelmar_ini.h"
#include "stelmar/ui/main_frame.h"
#include "stelmar/ui/qt_stelmar_port.h"

namespace {

struct Options {
  std::string iniPath;
  int runCommand = 0;
  bool ok = true;
};

Options ParseOptions(const std::vector<std::string>& args) {
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if ((args[i] == "-Ini" || args[i] == "-I") && i + 1 < args.size()) {
      options.iniPath = args[++i];
    } else if (args[i] == "-Run" && i + 1 < args.size()) {
      try {
        options.runCommand = std::stoi(args[++i]);
      } catch (const std::exception&) {
        options.ok = false;
      }
    } else {
      options.ok = false;
    }
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (auto status = stelmar::RunHeadlessScan(args, stdout, stderr)) return *status;
  Options options = ParseOptions(args);
  if (!options.ok) {
    std::fprintf(stderr,
                 "usage: stelmar [-Ini PATH] [-Run ID]\n"
                 "       stelmar -files|-procs|-tokens SOURCE\n");
    return 2;
  }
  if (options.iniPath.empty()) options.iniPath = stelmar::DefaultStelmarIniPath();

  QApplication app(argc, argv);
  QApplication::setApplicationName("Stelmar");
  stelmar::ui::QtStelmarPort port;
  stelmar::ProcessStarter starter;
  stelmar::StelmarCommands commands(port, starter, options.iniPath);
  stelmar::ui::MainFrame frame(commands);
  port.SetParent(&frame);
  commands.Start(platform::ProgramDirectory());
  frame.show();

  // Tools are never waited for; ended ones are collected here.
  QTimer reaper;
  QObject::connect(&reaper, &QTimer::timeout, [&starter] { starter.Reap(); });
  reaper.start(1000);
  if (options.runCommand != 0)
    QTimer::singleShot(0, &frame, [&frame, id = options.runCommand] { frame.RunCommand(id); });
  return QApplication::exec();
}
