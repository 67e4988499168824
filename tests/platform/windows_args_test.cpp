#include "platform/windows_args.h"

#include <gtest/gtest.h>

#include <map>

#include "support/table_rows.h"

namespace platform {
namespace {

using Args = std::vector<std::string>;

// The cases are in tests/data/platform/windows_args.txt.
TEST(WindowsArgs, SplitsByTheWindowsQuotingRulesAndTakesOffATrailingRedirection) {
  const auto rows = korvane::testing::ReadRows("platform/windows_args.txt");
  ASSERT_GE(rows.size(), 18u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::map<std::string, std::string> field = row.Fields();
    Args args;
    if (field.count("args")) {
      std::string rest = field["args"] + "|";
      for (size_t bar; (bar = rest.find('|')) != std::string::npos; rest.erase(0, bar + 1))
        args.push_back(rest.substr(0, bar));
    }
    if (field.count("split")) {
      EXPECT_EQ(SplitWindowsCommandLine(field["line"]), args);
      continue;
    }
    const ParsedCommand parsed = ParseCommandLine(field["line"]);
    EXPECT_EQ(parsed.argv, args);
    EXPECT_EQ(parsed.redirectTo, field["to"]);
    EXPECT_EQ(parsed.append, field.count("append") == 1);
  }
}

TEST(WindowsArgs, QuotingRoundTrips) {
  const Args args = {"p", "plain", "with blank", R"(trail\)", R"(a\"b)", "", R"(x\\" y)"};
  std::string line = args[0];
  for (std::size_t i = 1; i < args.size(); ++i) line += " " + QuoteWindowsArgument(args[i]);
  EXPECT_EQ(SplitWindowsCommandLine(line), args);
  EXPECT_EQ(QuoteWindowsArgument("plain"), "plain");
}

}  // namespace
}  // namespace platform
