// korvane built without a window toolkit (the Windows cross build): the -batch
// mode, help and version. Asked for the window, it says it has none.

#include <iostream>
#include <memory>

#include "korvane/core/app/exit_status.h"
#include "korvane/core/app/headless.h"
#include "korvane/core/app/switch_table.h"
#include "korvane/core/common/command_line.h"
#include "platform/settings_backend.h"
#include "platform/system_paths.h"

int main(int argc, char* argv[]) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const korvane::CommandLine commandLine(args);
  if (korvane::AnswerHelpOrVersion(commandLine, std::cout)) return 0;
  if (!commandLine.HasSwitch("-batch")) {
    std::cerr << "Error: this korvane was built without its window; run it with -batch\n";
    return static_cast<int>(korvane::ExitStatus::kUsage);
  }
  std::string iniOverride;
  commandLine.SwitchValue("-Ini:-I", iniOverride);
  auto settings = platform::CreateUserSettingsBackend();
  korvane::HeadlessOptions options{platform::ProgramPath(), args, iniOverride,
                                   commandLine.HasSwitch("-Yes")};
  return korvane::RunHeadless(options, *settings, std::cerr);
}
