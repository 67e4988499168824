#include "korvane/core/app/switch_table.h"

#include <ostream>

#include "korvane/core/app/exit_status.h"
#include "korvane/core/common/text.h"
#include "korvane/core/common/version.h"

namespace korvane {

namespace {

// Whether arg (without "=value", "+" or "-") names the switch.
bool Names(const SwitchInfo& info, std::string arg) {
  arg = ToLower(BeforeFirst(arg, "="));
  const SwitchNames names = NamesOfSwitch(ToLower(info.spec));
  for (const std::string& name : {names.longName, names.shortName}) {
    if (name.empty()) continue;
    if (arg == name || (!info.takesValue && (arg == name + "+" || arg == name + "-"))) return true;
  }
  return false;
}

const char* const kHelpSwitches[] = {"--help", "-h", "-?", "-help"};

}  // namespace

const std::vector<SwitchInfo>& KnownSwitches() {
  static const std::vector<SwitchInfo> switches = {
      {"-Proj:P", true, "open this job file (.jwrap) at start"},
      {"-Root:-R", true, "the tool root: the folder holding the wrapper tools"},
      {"-Ini:-I", true, "the tool configuration file (Korvane.INI) to use"},
      {"-AutoRun:-ar", true, "with the value Anal, start the wrapper as soon as the job is open"},
      {"-RememberFiles:RF", false, "let a job file restore the tool paths it stored"},
      {"-Register:-Shell", false, "register the .jwrap file type again at start"},
      {"-ShowAdvanced:-ShA", false, "offer the extended options"},
      {"-batch", false, "run without a window: messages go to standard error"},
      {"-Yes", false, "with -batch, answer every question with Yes or OK"},
      {"-TakeOver", false,
       "let this job take a base folder or job file that belongs to another job"},
      {"-Report", true, "with -batch, write a JSON report of the run to this file"},
      {"-MakeJob", true,
       "with -batch, make a job from the switches below and save it in this .jwrap file"},
      {"-Product", true, "the job's product: Cobol, PLI, ASM, ... or its language code"},
      {"-ProductName", true, "the job's product name"},
      {"-SystemName", true, "the job's system name"},
      {"-Base", true, "the job's base folder (absolute; created when -Yes is given)"},
      {"-Sources", true, "a source file or folder to add (again for more)"},
      {"-Copies", true, "a copy member file or folder to add (again for more)"},
      {"-Depth", true, "folders named after it are searched this many levels (1: no subfolders)"},
      {"-WrapType", true, "TYPE or TYPE=PATTERN: the wrapping type of the sources that match"},
      {"--help:-h", false, "print this list and end"},
      {"--version", false, "print the version and end"},
  };
  return switches;
}

bool WantsHelp(const CommandLine& args) {
  for (const std::string& arg : args.Args()) {
    for (const char* name : kHelpSwitches) {
      if (EqualsNoCase(arg, name)) return true;
    }
  }
  return false;
}

bool AnswerHelpOrVersion(const CommandLine& args, std::ostream& out) {
  if (WantsHelp(args)) {
    PrintHelp(out);
    return true;
  }
  if (WantsVersion(args)) {
    PrintVersion(out);
    return true;
  }
  return false;
}

bool WantsVersion(const CommandLine& args) {
  for (const std::string& arg : args.Args()) {
    if (EqualsNoCase(arg, "--version")) return true;
  }
  return false;
}

void PrintHelp(std::ostream& out) {
  out << "Usage: korvane [switches]\n"
         "Switches are compared without case; a short form may stand for the long one.\n";
  for (const SwitchInfo& info : KnownSwitches()) {
    const SwitchNames both = NamesOfSwitch(info.spec);
    std::string names = both.longName;
    if (!both.shortName.empty()) names += ", " + both.shortName;
    if (info.takesValue) names += " <value>";
    out << "  " << names;
    out << std::string(names.size() < 28 ? 28 - names.size() : 1, ' ') << info.help << '\n';
  }
  PrintExitStatuses(out);
}

void PrintVersion(std::ostream& out) {
  out << GetVersionValue("ProductName") << " - " << GetVersionValue("FileDescription") << '\n'
      << "File Version: " << GetVersionValue("FileVersion") << '\n'
      << "Product Version: " << GetVersionValue("ProductVersion") << '\n'
      << GetVersionValue("LegalCopyright") << '\n';
}

std::vector<std::string> UnknownSwitches(const CommandLine& args) {
  std::vector<std::string> unknown;
  const std::vector<std::string>& all = args.Args();
  for (size_t i = 0; i < all.size(); ++i) {
    const std::string& arg = all[i];
    if (arg.empty() || arg.front() != '-') continue;
    const SwitchInfo* known = nullptr;
    for (const SwitchInfo& info : KnownSwitches()) {
      if (Names(info, arg)) known = &info;
    }
    if (known == nullptr) {
      unknown.push_back(arg);
    } else if (known->takesValue && arg.find('=') == std::string::npos && i + 1 < all.size() &&
               (all[i + 1].empty() || all[i + 1].front() != '-')) {
      ++i;  // its value
    }
  }
  return unknown;
}

Outcome CheckUsage(const CommandLine& args) {
  if (const std::vector<std::string> unknown = UnknownSwitches(args); !unknown.empty()) {
    return Outcome::Failure("Unknown switch " + unknown.front() +
                            " (korvane --help lists the switches)");
  }
  const std::vector<std::string>& all = args.Args();
  for (size_t i = 0; i < all.size(); ++i) {
    const std::string& arg = all[i];
    if (arg.empty() || arg.front() != '-') continue;
    for (const SwitchInfo& info : KnownSwitches()) {
      if (!info.takesValue || !Names(info, arg)) continue;
      const size_t eq = arg.find('=');
      const bool hasValue = eq != std::string::npos
                                ? eq + 1 < arg.size()
                                : i + 1 < all.size() && !all[i + 1].empty() && all[i + 1][0] != '-';
      if (!hasValue) {
        return Outcome::Failure("The switch " + BeforeFirst(arg, "=") + " needs a value");
      }
    }
  }
  std::string autoRun;
  if (args.SwitchValue("-AutoRun:-ar", autoRun) && !EqualsNoCase(autoRun, "Anal")) {
    return Outcome::Failure("Unknown -AutoRun value \"" + autoRun + "\": the only value is Anal");
  }
  return {};
}

}  // namespace korvane
