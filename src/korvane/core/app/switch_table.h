#pragma once
// Every switch the program understands, for --help, --version and to report
// a switch nobody understands instead of ignoring it silently.

#include <iosfwd>
#include <string>
#include <vector>

#include "korvane/core/common/command_line.h"
#include "korvane/core/common/outcome.h"

namespace korvane {

struct SwitchInfo {
  const char* spec;  // "long[:short]", as the start-up reads it
  bool takesValue;
  const char* help;
};

const std::vector<SwitchInfo>& KnownSwitches();

// --help, -h, -? and --version: asked for, the program prints and ends.
bool WantsHelp(const CommandLine& args);
bool WantsVersion(const CommandLine& args);
void PrintHelp(std::ostream& out);
// The version lines the About box shows.
void PrintVersion(std::ostream& out);
// Prints the help or the version when asked for; true when the program is to end then.
bool AnswerHelpOrVersion(const CommandLine& args, std::ostream& out);

// The arguments that start with "-" and name no known switch. The value after
// a switch that takes one is not a switch; a bare argument (a job file the
// file manager hands over) is fine.
std::vector<std::string> UnknownSwitches(const CommandLine& args);

// Whether the switches are used as they should be; a failure says the first thing wrong,
// in one line for standard error: an unknown switch, a switch without its value, an
// -AutoRun value other than Anal.
Outcome CheckUsage(const CommandLine& args);

}  // namespace korvane
