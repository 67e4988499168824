#include "platform/windows_args.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

using Args = std::vector<std::string>;

TEST(WindowsArgs, SplitsByTheWindowsQuotingRules) {
  EXPECT_EQ(SplitWindowsCommandLine(""), Args{});
  EXPECT_EQ(SplitWindowsCommandLine("   \t "), Args{});
  EXPECT_EQ(SplitWindowsCommandLine("  tool  a\tb  "), (Args{"tool", "a", "b"}));
  // The program name: quotes delimit, backslashes are plain.
  EXPECT_EQ(SplitWindowsCommandLine(R"("C:\My Tools\Ardent.exe" last.xml;0001 )"),
            (Args{R"(C:\My Tools\Ardent.exe)", "last.xml;0001"}));
  EXPECT_EQ(SplitWindowsCommandLine(R"(C:\dir\a\"b c)"), (Args{R"(C:\dir\a\"b)", "c"}));
  EXPECT_EQ(SplitWindowsCommandLine(R"("unclosed name)"), (Args{"unclosed name"}));
  // Backslashes before a quote: 2n -> n and a delimiter, 2n+1 -> n and a quote.
  EXPECT_EQ(SplitWindowsCommandLine(R"(p a\\"b c" d)"), (Args{"p", R"(a\b c)", "d"}));
  EXPECT_EQ(SplitWindowsCommandLine(R"(p a\\\"b c)"), (Args{"p", R"(a\"b)", "c"}));
  EXPECT_EQ(SplitWindowsCommandLine(R"(p a\\b\ c\)"), (Args{"p", R"(a\\b\)", R"(c\)"}));
  // Quotes join parts, a doubled quote inside quotes is a quote, "" is an empty argument.
  EXPECT_EQ(SplitWindowsCommandLine(R"(p "a b"c "x""y" "" end)"),
            (Args{"p", "a bc", "x\"y", "", "end"}));
  EXPECT_EQ(SplitWindowsCommandLine(R"(p "open to the end)"), (Args{"p", "open to the end"}));
}

TEST(WindowsArgs, QuotingRoundTrips) {
  const Args args = {"p", "plain", "with blank", R"(trail\)", R"(a\"b)", "", R"(x\\" y)"};
  std::string line = args[0];
  for (std::size_t i = 1; i < args.size(); ++i) line += " " + QuoteWindowsArgument(args[i]);
  EXPECT_EQ(SplitWindowsCommandLine(line), args);
  EXPECT_EQ(QuoteWindowsArgument("plain"), "plain");
}

TEST(WindowsArgs, TakesOffATrailingRedirection) {
  ParsedCommand c = ParseCommandLine(R"("/opt/COB Wrap/COBWrap" last.xml > Console.log)");
  EXPECT_EQ(c.argv, (Args{"/opt/COB Wrap/COBWrap", "last.xml"}));
  EXPECT_EQ(c.redirectTo, "Console.log");
  EXPECT_FALSE(c.append);

  c = ParseCommandLine("tool a >>out.txt");
  EXPECT_EQ(c.argv, (Args{"tool", "a"}));
  EXPECT_EQ(c.redirectTo, "out.txt");
  EXPECT_TRUE(c.append);

  c = ParseCommandLine(R"(tool >"my log.txt")");
  EXPECT_EQ(c.argv, (Args{"tool"}));
  EXPECT_EQ(c.redirectTo, "my log.txt");

  c = ParseCommandLine(R"(tool ">x")");
  EXPECT_EQ(c.argv, (Args{"tool", ">x"}));  // quoted: an argument, not a redirection

  c = ParseCommandLine(R"(tool a ">" b)");
  EXPECT_EQ(c.argv, (Args{"tool", "a", ">", "b"}));
  EXPECT_EQ(c.redirectTo, "");

  c = ParseCommandLine("tool >");
  EXPECT_EQ(c.argv, (Args{"tool", ">"}));

  // A program part quoted together with its redirection.
  c = ParseCommandLine(R"("/base dir/lastbatch.cmd > Console.log" )");
  EXPECT_EQ(c.argv, (Args{"/base dir/lastbatch.cmd"}));
  EXPECT_EQ(c.redirectTo, "Console.log");
}

}  // namespace
}  // namespace platform
