#include "korvane/core/common/command_line.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLineHasSwitch, FirstMatchingArgumentDecides) {
  EXPECT_TRUE(CommandLine(Args{"-rf+"}).HasSwitch("-RememberFiles:RF"));
  EXPECT_TRUE(CommandLine(Args{"-RememberFiles"}).HasSwitch("-RememberFiles:RF"));
  EXPECT_TRUE(CommandLine(Args{"-REMEMBERFILES+"}).HasSwitch("-RememberFiles:RF"));
  EXPECT_TRUE(CommandLine(Args{"-rf"}).HasSwitch("-RememberFiles:RF"));
  EXPECT_FALSE(CommandLine(Args{"-rf-", "-rf+", "-RememberFiles"}).HasSwitch("-RememberFiles:RF"));
  EXPECT_FALSE(CommandLine(Args{"-RememberFiles-"}).HasSwitch("-RememberFiles:RF", true));
  EXPECT_TRUE(CommandLine(Args{"-RememberFiles", "-rf-"}).HasSwitch("-RememberFiles:RF"));
  // Text after "=" does not matter.
  EXPECT_TRUE(CommandLine(Args{"-rf=whatever"}).HasSwitch("-RememberFiles:RF"));
  EXPECT_FALSE(CommandLine(Args{"-rf-=x"}).HasSwitch("-RememberFiles:RF", true));
  // Without a match the default holds; prefixes and other switches do not count.
  EXPECT_FALSE(CommandLine(Args{}).HasSwitch("-RememberFiles:RF"));
  EXPECT_TRUE(CommandLine(Args{}).HasSwitch("-RememberFiles:RF", true));
  EXPECT_TRUE(
      CommandLine(Args{"-r", "-rfx", "rf", "-Remember"}).HasSwitch("-RememberFiles:RF", true));
  EXPECT_FALSE(CommandLine(Args{"-r", "-rfx", "rf", "-Remember"}).HasSwitch("-RememberFiles:RF"));
  // A leading "-" is added to either form; a spec without a short form has none.
  EXPECT_TRUE(CommandLine(Args{"-shell"}).HasSwitch("-Register:-Shell"));
  EXPECT_TRUE(CommandLine(Args{"-register+"}).HasSwitch("Register"));
  EXPECT_FALSE(CommandLine(Args{"-", "-+", ""}).HasSwitch("-Register"));
  EXPECT_FALSE(CommandLine(Args{"-", "-+", ""}).HasSwitch("-Register:"));
}

TEST(CommandLineSwitchValue, SeparateAndEqualsForms) {
  std::string value = "stale";
  EXPECT_TRUE(CommandLine(Args{"-r", "C:\\t"}).SwitchValue("-Root:-R", value));
  EXPECT_EQ(value, "C:\\t");
  value = "stale";
  EXPECT_FALSE(CommandLine(Args{"-r"}).SwitchValue("-Root:-R", value));
  EXPECT_EQ(value, "");  // emptied even when nothing is found
  EXPECT_TRUE(CommandLine(Args{"-Root=C:\\t"}).SwitchValue("-Root:-R", value));
  EXPECT_EQ(value, "C:\\t");
  EXPECT_TRUE(CommandLine(Args{"-R=/Tools/A=B"}).SwitchValue("-Root:-R", value));
  EXPECT_EQ(value, "/Tools/A=B");  // split at the first "=", case of the value kept
  EXPECT_TRUE(CommandLine(Args{"-root="}).SwitchValue("-Root:-R", value));
  EXPECT_EQ(value, "");
  // A following switch is no value; the search goes on with it.
  EXPECT_FALSE(CommandLine(Args{"-r", "-ar"}).SwitchValue("-Root:-R", value));
  EXPECT_TRUE(CommandLine(Args{"-r", "-r", "/x"}).SwitchValue("-Root:-R", value));
  EXPECT_EQ(value, "/x");
  EXPECT_TRUE(CommandLine(Args{"-r", "-root=/y", "/x"}).SwitchValue("-Root:-R", value));
  EXPECT_EQ(value, "/y");
  EXPECT_TRUE(CommandLine(Args{"-AR", "Anal", "-r", "/x"}).SwitchValue("-AutoRun:-ar", value));
  EXPECT_EQ(value, "Anal");
  // "+" or "-" suffixes are not the switch's name here.
  EXPECT_FALSE(CommandLine(Args{"-r+", "/x"}).SwitchValue("-Root:-R", value));
  // Only the long form without a short one.
  EXPECT_FALSE(CommandLine(Args{"-r", "/x"}).SwitchValue("-Root", value));
  EXPECT_TRUE(CommandLine(Args{"-ROOT", "/x"}).SwitchValue("-Root", value));
  EXPECT_EQ(value, "/x");
  // An empty argument after the switch is still a value.
  EXPECT_TRUE(CommandLine(Args{"-p", ""}).SwitchValue("-Proj:P", value));
  EXPECT_EQ(value, "");
}

TEST(CommandLineSwitchValue, DefaultFormTakesALoneArgument) {
  std::string value;
  EXPECT_TRUE(CommandLine(Args{"/jobs/a.jwrap"}).SwitchValue("-Proj:P:Default", value));
  EXPECT_EQ(value, "/jobs/a.jwrap");
  // Not with "=" in it, not with two arguments, not without the ":default" part.
  EXPECT_FALSE(CommandLine(Args{"/jobs/a=b.jwrap"}).SwitchValue("-Proj:P:default", value));
  EXPECT_FALSE(CommandLine(Args{"/jobs/a.jwrap", "x"}).SwitchValue("-Proj:P:default", value));
  EXPECT_FALSE(CommandLine(Args{"/jobs/a.jwrap"}).SwitchValue("-Proj:P", value));
  // A lone argument is taken as it is, even one looking like a switch.
  EXPECT_TRUE(CommandLine(Args{"-p"}).SwitchValue("-Proj:P:default", value));
  EXPECT_EQ(value, "-p");
  EXPECT_TRUE(CommandLine(Args{"-Proj=/j.jwrap"}).SwitchValue("-Proj:P:default", value));
  EXPECT_EQ(value, "/j.jwrap");
  EXPECT_TRUE(CommandLine(Args{"-x", "-p", "/j"}).SwitchValue("-Proj:P:default", value));
  EXPECT_EQ(value, "/j");
  EXPECT_FALSE(CommandLine(Args{}).SwitchValue("-Proj:P:default", value));
}

}  // namespace
}  // namespace korvane
