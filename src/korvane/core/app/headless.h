#pragma once
// The shell without any window: `korvane -batch`. It runs the same creation
// and show steps, prints every message to standard error and returns the
// process exit status of the table in exit_status.h, with one line on standard
// error that says why whenever it is not 0.

#include <ostream>
#include <string>
#include <vector>

namespace platform {
class SettingsBackend;
}

namespace korvane {

struct HeadlessOptions {
  std::string programPath;
  std::vector<std::string> args;  // without the program name
  std::string iniOverride;
  bool answerYes = false;
};

int RunHeadless(const HeadlessOptions& options, platform::SettingsBackend& settings,
                std::ostream& err);

}  // namespace korvane
