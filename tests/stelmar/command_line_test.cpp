#include "stelmar/core/command_line.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "stelmar/core/display_check.h"
#include "support/inner_case_table.h"

namespace stelmar {
namespace {

using korvane::testing::Fields;
using Action = CommandLine::Action;

TEST(StelmarCommandLine, ActionsAndRefusals) {
  korvane::testing::ExpectCaseTable("stelmar/command_line.txt", [](const Fields& in) {
    Fields args;
    std::istringstream words(in[0]);
    for (std::string word; words >> word;) args.push_back(word);
    const CommandLine line = ParseCommandLine(args);
    const char* scans[] = {"files", "procedures", "tokens"};
    switch (line.action) {
      case Action::kWindow:
        return Fields{"window", "ini " + line.iniPath, "run " + std::to_string(line.runCommand)};
      case Action::kScan:
        return Fields{"scan", scans[static_cast<int>(line.scan)], line.source};
      case Action::kHelp:
        return Fields{"help"};
      case Action::kUsageError:
        break;
    }
    return Fields{"refused", line.error};
  });
  EXPECT_FALSE(IsMenuCommand(0));
}

TEST(StelmarDisplayCheck, KnowsWhichPlatformsNeedWhichDisplay) {
  korvane::testing::ExpectCaseTable("stelmar/display.txt", [](const Fields& in) {
    std::map<std::string, std::string> env;
    for (const std::string& setting : in)
      env[setting.substr(0, setting.find('='))] = setting.substr(setting.find('=') + 1);
    const auto missing = MissingDisplay([&env](const char* name) {
      const auto it = env.find(name);
      return it == env.end() ? std::string() : it->second;
    });
    return Fields{missing.value_or("the window can start")};
  });
}

}  // namespace
}  // namespace stelmar
