#include "platform/env_expand.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/test_env.h"

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

TEST(ExpandEnvVars, FollowsTheWindowsRules) {
  EXPECT_EQ(Expand(""), "");
  EXPECT_EQ(Expand("no references"), "no references");
  EXPECT_EQ(Expand("%ProgramFiles%\\Brevik"), "/opt\\Brevik");
  EXPECT_EQ(Expand("%A%%A%"), "alphaalpha");
  EXPECT_EQ(Expand("[%EMPTY%]"), "[]");
  // Unset variables stay as written, and their closing "%" may open the
  // next reference.
  EXPECT_EQ(Expand("%UNSET%"), "%UNSET%");
  EXPECT_EQ(Expand("%UNSET%A%"), "%UNSETalpha");
  EXPECT_EQ(Expand("x%UNSET%y%A%"), "x%UNSET%yalpha");
  // "%%" and a lone "%" are copied.
  EXPECT_EQ(Expand("100%% sure"), "100%% sure");
  EXPECT_EQ(Expand("50% off"), "50% off");
  EXPECT_EQ(Expand("%"), "%");
  EXPECT_EQ(Expand("%A"), "%A");
  EXPECT_EQ(Expand("%%A%"), "%alpha");
  // Values are inserted as they are, never expanded again.
  EXPECT_EQ(Expand("%PCT%"), "%A%");
  // Names are taken literally, blanks and all.
  EXPECT_EQ(Expand("% A %"), "% A %");
}

TEST(ExpandEnvVars, ReadsTheProcessEnvironment) {
  platform_test::ScopedEnv set("KORVANE_TEST_VAR", "/tools");
  platform_test::ScopedEnv unset("KORVANE_TEST_UNSET", std::nullopt);
  platform_test::ScopedEnv empty("KORVANE_TEST_EMPTY", "");
  EXPECT_EQ(platform::ExpandEnvVars("%KORVANE_TEST_VAR%/COBWrap"), "/tools/COBWrap");
  EXPECT_EQ(platform::ExpandEnvVars("%KORVANE_TEST_UNSET%/x"), "%KORVANE_TEST_UNSET%/x");
  EXPECT_EQ(platform::ExpandEnvVars("a%KORVANE_TEST_EMPTY%b"), "ab");
  // Not a variable name: getenv must not be asked about "A=B".
  platform_test::ScopedEnv a("A", "B=C");
  EXPECT_EQ(platform::ExpandEnvVars("%A=B%"), "%A=B%");
}

}  // namespace
