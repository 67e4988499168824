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
  const std::pair<const char*, const char*> cases[] = {
      {"%ProgramFiles%\\Brevik", "/opt\\Brevik"},
      {"%A%%A%", "alphaalpha"},
      {"[%EMPTY%]", "[]"},
      // Unset variables stay as written; their closing "%" may open the next reference.
      {"%UNSET%", "%UNSET%"},
      {"%UNSET%A%", "%UNSETalpha"},
      {"x%UNSET%y%A%", "x%UNSET%yalpha"},
      // "%%" and a lone "%" are copied.
      {"100%% sure", "100%% sure"},
      {"%A", "%A"},
      {"%%A%", "%alpha"},
      {"%PCT%", "%A%"},     // values are never expanded again
      {"% A %", "% A %"}};  // names are taken literally, blanks and all
  for (const auto& [text, expected] : cases) EXPECT_EQ(Expand(text), expected) << text;
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
