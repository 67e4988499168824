#pragma once
// stelmar's command line: the window's switches, the scans that run without a
// window, and help. Whatever it cannot take is refused with one line naming
// the switch, never ignored.

#include <string>
#include <vector>

namespace stelmar {

enum class ScanMode { kFiles, kProcedures, kTokens };

struct CommandLine {
  enum class Action { kWindow, kScan, kHelp, kUsageError };
  Action action = Action::kWindow;
  std::string iniPath;  // -Ini; empty: the default place
  int runCommand = 0;   // -Run; 0: none
  ScanMode scan = ScanMode::kFiles;
  std::string source;  // the scan's source file
  std::string error;   // kUsageError: the cause, one line without "stelmar: "
};

// args without the program name. Help wins over everything else given with it.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The ids -Run accepts: the commands of the main menu.
bool IsMenuCommand(int id);

}  // namespace stelmar
