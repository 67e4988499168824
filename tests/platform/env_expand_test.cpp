#include "platform/env_expand.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/test_env.h"
#include "support/table_rows.h"

namespace {

using platform::ExpandVars;

std::string Expand(const std::string& text) {
  static const std::map<std::string, std::string> vars = {
      {"ProgramFiles", "/opt"}, {"A", "alpha"}, {"EMPTY", ""}, {"PCT", "%A%"}};
  return ExpandVars(text, [](const std::string& name) -> std::optional<std::string> {
    const auto it = vars.find(name);
    if (it == vars.end()) return std::nullopt;
    return it->second;
  });
}

// The cases are in tests/data/platform/env_expand.txt.
TEST(ExpandEnvVars, FollowsTheWindowsRules) {
  const auto rows = korvane::testing::ReadRows("platform/env_expand.txt");
  ASSERT_GE(rows.size(), 11u);
  for (const auto& row : rows) {
    ASSERT_EQ(row.lines.size(), 2u) << row.name;
    EXPECT_EQ(Expand(row.lines[0].second), row.lines[1].second) << row.name;
  }
}

TEST(ExpandEnvVars, ReadsTheProcessEnvironment) {
  platform_test::ScopedEnv set("KORVANE_TEST_VAR", "/tools");
  platform_test::ScopedEnv unset("KORVANE_TEST_UNSET", std::nullopt);
  EXPECT_EQ(platform::ExpandEnvVars("%KORVANE_TEST_VAR%/COBWrap"), "/tools/COBWrap");
  EXPECT_EQ(platform::ExpandEnvVars("%KORVANE_TEST_UNSET%/x"), "%KORVANE_TEST_UNSET%/x");
  // Not a variable name: getenv must not be asked about "A=B".
  platform_test::ScopedEnv a("A", "B=C");
  EXPECT_EQ(platform::ExpandEnvVars("%A=B%"), "%A=B%");
}

}  // namespace
