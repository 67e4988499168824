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
  const struct {
    const char* line;
    Args argv;
    const char* redirectTo;
    bool append;
  } cases[] = {
      {R"("/opt/COB Wrap/COBWrap" last.xml > Console.log)",
       {"/opt/COB Wrap/COBWrap", "last.xml"},
       "Console.log",
       false},
      {"tool a >>out.txt", {"tool", "a"}, "out.txt", true},
      {R"(tool >"my log.txt")", {"tool"}, "my log.txt", false},
      {R"(tool ">x")", {"tool", ">x"}, "", false},  // quoted: an argument, not a redirection
      {R"(tool a ">" b)", {"tool", "a", ">", "b"}, "", false},
      {"tool >", {"tool", ">"}, "", false},
      // A program part quoted together with its redirection.
      {R"("/base dir/lastbatch.cmd > Console.log" )",
       {"/base dir/lastbatch.cmd"},
       "Console.log",
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const ParsedCommand parsed = ParseCommandLine(c.line);
    EXPECT_EQ(parsed.argv, c.argv);
    EXPECT_EQ(parsed.redirectTo, c.redirectTo);
    EXPECT_EQ(parsed.append, c.append);
  }
}

}  // namespace
}  // namespace platform
