#include "korvane/core/app/switch_table.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/golden.h"

namespace korvane {
namespace {

TEST(SwitchTable, OnlyUnknownSwitchesAreReportedNotValuesOrForms) {
  const CommandLine args({"-proj", "-odd.jwrap", "-RF-", "-ar=Anal", "-ini", "/x/K.INI", "-SHA+",
                          "-Bogus", "-Root", "-R", "job.jwrap", "-batch=1", "-Yes-x"});
  // "-odd.jwrap" starts with "-": it is taken as a switch, not as the value.
  EXPECT_EQ(UnknownSwitches(args), (std::vector<std::string>{"-odd.jwrap", "-Bogus", "-Yes-x"}));
  EXPECT_TRUE(UnknownSwitches(CommandLine({"-Proj=a b.jwrap", "-P", "c"})).empty());
  EXPECT_TRUE(WantsHelp(CommandLine({"-Proj", "x", "-?"})));
  EXPECT_FALSE(WantsHelp(CommandLine({"-Proj", "-h.jwrap"})));
}

// The help text is what people and scripts read the switches and statuses from.
TEST(SwitchTable, HelpListsEverySwitchAndStatus) {
  std::ostringstream help;
  PrintHelp(help);
  testing::ExpectGolden("korvane/help.txt", help.str());
  EXPECT_TRUE(
      UnknownSwitches(CommandLine({"-MakeJob", "a.jwrap", "-Product", "COB", "-ProductName", "p",
                                   "-SystemName", "s", "-Base", "/b", "-Depth", "2", "-Sources",
                                   "/s", "-Copies", "/c", "-WrapType", "Onl=A*"}))
          .empty());
}

}  // namespace
}  // namespace korvane
