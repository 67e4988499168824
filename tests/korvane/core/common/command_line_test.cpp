#include "korvane/core/common/command_line.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLineHasSwitch, FirstMatchingArgumentDecides) {
  const std::string rf = "-RememberFiles:RF";
  for (const Args& on : {Args{"-rf+"}, Args{"-RememberFiles"}, Args{"-REMEMBERFILES+"},
                         Args{"-rf=whatever"}, Args{"-RememberFiles", "-rf-"}}) {
    EXPECT_TRUE(CommandLine(on).HasSwitch(rf)) << on[0];
  }
  EXPECT_FALSE(CommandLine(Args{"-rf-", "-rf+", "-RememberFiles"}).HasSwitch(rf));
  EXPECT_FALSE(CommandLine(Args{"-rf-=x"}).HasSwitch(rf, true));
  // Without a match the default holds; prefixes and other switches do not count.
  const Args others{"-r", "-rfx", "rf", "-Remember"};
  EXPECT_TRUE(CommandLine(others).HasSwitch(rf, true));
  EXPECT_FALSE(CommandLine(others).HasSwitch(rf));
  // A leading "-" is added to either form; a spec without a short form has none.
  EXPECT_TRUE(CommandLine(Args{"-shell"}).HasSwitch("-Register:-Shell"));
  EXPECT_TRUE(CommandLine(Args{"-register+"}).HasSwitch("Register"));
  EXPECT_FALSE(CommandLine(Args{"-", "-+", ""}).HasSwitch("-Register:"));
}

TEST(CommandLineSwitchValue, SeparateAndEqualsForms) {
  std::string value = "stale";
  EXPECT_FALSE(CommandLine(Args{"-r"}).SwitchValue("-Root:-R", value));
  EXPECT_EQ(value, "");  // emptied even when nothing is found
  const struct {
    Args args;
    const char* spec;
    const char* expected;  // nullptr: not found
  } cases[] = {
      {{"-r", "C:\\t"}, "-Root:-R", "C:\\t"},
      {{"-Root=C:\\t"}, "-Root:-R", "C:\\t"},
      {{"-R=/Tools/A=B"}, "-Root:-R", "/Tools/A=B"},  // split at the first "="
      {{"-root="}, "-Root:-R", ""},
      // A following switch is no value; the search goes on with it.
      {{"-r", "-ar"}, "-Root:-R", nullptr},
      {{"-r", "-root=/y", "/x"}, "-Root:-R", "/y"},
      {{"-AR", "Anal", "-r", "/x"}, "-AutoRun:-ar", "Anal"},
      {{"-r+", "/x"}, "-Root:-R", nullptr},  // "+" is not part of the name here
      {{"-r", "/x"}, "-Root", nullptr},      // only the long form without a short one
      {{"-p", ""}, "-Proj:P", ""},           // an empty argument is still a value
      // The default form takes a lone argument as it is, but not one with "=".
      {{"/jobs/a.jwrap"}, "-Proj:P:Default", "/jobs/a.jwrap"},
      {{"-p"}, "-Proj:P:default", "-p"},
      {{"/jobs/a=b.jwrap"}, "-Proj:P:default", nullptr},
      {{"/jobs/a.jwrap", "x"}, "-Proj:P:default", nullptr},
      {{"/jobs/a.jwrap"}, "-Proj:P", nullptr},
      {{}, "-Proj:P:default", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.spec + std::string(" ") + (c.args.empty() ? "" : c.args[0]));
    value = "stale";
    EXPECT_EQ(CommandLine(c.args).SwitchValue(c.spec, value), c.expected != nullptr);
    if (c.expected) {
      EXPECT_EQ(value, c.expected);
    }
  }
}

}  // namespace
}  // namespace korvane
