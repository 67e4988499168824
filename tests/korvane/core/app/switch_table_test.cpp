#include "korvane/core/app/switch_table.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace korvane
