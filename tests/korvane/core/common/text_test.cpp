#include "korvane/core/common/text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace korvane {
namespace {

using Lines = std::vector<std::string>;

TEST(Text, OneArgumentMappings) {
  using Fn = std::string (*)(std::string_view);
  // Case maps ASCII and Latin-1 letters only (not ÷ ×; ß ÿ have no partner); Trim drops blanks
  // and controls but no 8-bit bytes; '/' starts no proper-case word.
  // Per function: input, result, input, result, ...
  const std::pair<Fn, std::vector<const char*>> cases[] = {
      {ToUpper, {"abc-XYZ_09", "ABC-XYZ_09", "\xE0\xFE\xF7\xDF\xFF", "\xC0\xDE\xF7\xDF\xFF"}},
      {ToLower, {"\xC0\xDE\xD7\xDF", "\xE0\xFE\xD7\xDF"}},
      {Trim, {" \t\r\n x y \x01", "x y", "   ", "", "\xA0x\xA0", "\xA0x\xA0"}},
      {TrimLeft, {"  x  ", "x  "}},
      {TrimRight, {"  x  ", "  x"}},
      {ProperCase,
       {"my_prog.v2", "My_Prog.V2", "HELLO WORLD,AGAIN-now", "Hello World,Again-Now", "a..b  c",
        "A..B  C", "\xE9T\xC9", "\xE9t\xC9", "b\xC3\xA4NK", "B\xC3\xA4nk", "x/y", "X/y"}}};
  for (const auto& [fn, io] : cases) {
    for (std::size_t i = 0; i < io.size(); i += 2) EXPECT_EQ(fn(io[i]), io[i + 1]) << io[i];
  }
  EXPECT_EQ(CollapseRepeats("aa///b//", '/'), "aa/b/");  // only the given character
}

TEST(Text, PartsAroundFirstAndLastSeparator) {
  // A missing or empty separator leaves all to the before-parts; the comparison is exact.
  const struct {
    const char *text, *sep, *beforeFirst, *beforeLast, *afterFirst, *afterLast;
  } cases[] = {{"a - b - c", " - ", "a", "a - b", "b - c", "c"},
               {"abc", "]", "abc", "abc", "", ""},
               {"abc", "", "abc", "abc", "", ""},
               {"x]", "]", "x", "x", "", ""},
               {"]x", "]", "", "", "x", "x"},
               {"aXbXc", "x", "aXbXc", "aXbXc", "", ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(BeforeFirst(c.text, c.sep), c.beforeFirst) << c.text;
    EXPECT_EQ(BeforeLast(c.text, c.sep), c.beforeLast) << c.text;
    EXPECT_EQ(AfterFirst(c.text, c.sep), c.afterFirst) << c.text;
    EXPECT_EQ(AfterLast(c.text, c.sep), c.afterLast) << c.text;
  }
}

TEST(TextSlices, LeftRightAndSliceBoundaries) {
  const struct {
    int n;
    const char *left, *right;
  } ends[] = {{2, "ab", "ef"}, {9, "abcdef", "abcdef"}, {-1, "", ""}};
  for (const auto& e : ends) {
    EXPECT_EQ(LeftPart("abcdef", e.n), e.left) << e.n;
    EXPECT_EQ(RightPart("abcdef", e.n), e.right) << e.n;
  }
  const struct {
    int from, to;
    const char* expected;
  } slices[] = {{2, 4, "bcd"},   {-2, -1, "ef"}, {2, -2, "bcde"}, {4, 100, "def"}, {0, 2, "ab"},
                {-100, 2, "ab"}, {3, 2, ""},     {7, 9, ""},      {1, 0, ""},      {1, -7, ""}};
  for (const auto& s : slices) {
    EXPECT_EQ(Slice("abcdef", s.from, s.to), s.expected) << s.from << ".." << s.to;
  }
  EXPECT_EQ(Slice("abc", std::numeric_limits<int>::min(), std::numeric_limits<int>::max()), "abc");
}

TEST(Text, PredicatesAndPosFromFolding) {
  EXPECT_TRUE(EqualsNoCase("\xE9t\xE9", "\xC9T\xC9"));
  // '[' and '{' differ by 32 but are not letters.
  EXPECT_FALSE(EqualsNoCase("a[", "A{") || EqualsNoCase("abc", "abcd"));
  EXPECT_FALSE(StartsWithCase("AB", "abc") || StartsWithCase("abcd", "abc"));
  EXPECT_TRUE(StartsWithText("AB", "abc") && StartsWithText("", "abc"));
  EXPECT_FALSE(StartsWithText("abcd", "ABC"));
  EXPECT_EQ(CountLeadingSpaces("\t x") + CountLeadingSpaces("    "), 4);
  // Only A-Z fold: Latin-1 letters compare exactly even without case sensitivity.
  EXPECT_EQ(PosFrom("BC", "abc", 1, false), 2);
  EXPECT_EQ(PosFrom("\xC9", "x\xE9", 1, false), 0);
  EXPECT_EQ(PosFrom("[", "{[", 1, false), 2);
}

TEST(TextPosFrom, AgreesWithNaiveSearchOnAllSmallInputs) {
  // Every text and sub over {a, B} up to length 4, every start.
  std::vector<std::string> words{""};
  for (int len = 1; len <= 4; ++len) {
    for (int bits = 0; bits < (1 << len); ++bits) {
      std::string w;
      for (int k = 0; k < len; ++k) w += (bits >> k) & 1 ? 'B' : 'a';
      words.push_back(w);
    }
  }
  for (const auto& text : words) {
    for (const auto& sub : words) {
      for (int start = -1; start <= 6; ++start) {
        int expected = 0;
        if (!text.empty() && !sub.empty()) {
          const size_t from = static_cast<size_t>(start < 1 ? 1 : start) - 1;
          if (from < text.size()) {
            const size_t at = text.find(sub, from);
            if (at != std::string::npos) expected = static_cast<int>(at) + 1;
          }
        }
        ASSERT_EQ(PosFrom(sub, text, start, true), expected) << text << "/" << sub << "/" << start;
      }
    }
  }
}

TEST(TextConversion, BooleansAndIntegersWithTheirMessages) {
  for (const char* yes : {"y", "J", "I", "tRUE"}) EXPECT_TRUE(StrToBoolStrict(yes)) << yes;
  for (const char* no : {"n", "fALSE", ""}) EXPECT_FALSE(StrToBoolStrict(no)) << no;
  EXPECT_TRUE(StrToBoolDefault("", true));
  EXPECT_FALSE(StrToBoolDefault("n", true));
  EXPECT_EQ(ZeroPrefixedInt(""), 0);
  EXPECT_EQ(ZeroPrefixedInt("9223372036854775807"), std::numeric_limits<long long>::max());

  // {input, is a boolean (else an integer), message}; a sign lands behind the prefix "0".
  const char* const kBool = " is not valid boolean value (Y,J,I,N,True,False)";
  const struct {
    std::string in;
    bool boolean;
  } bad[] = {
      {"Ja", true},  {"1", true},   {"yes", true}, {" Y", true},   {"T", true},
      {"-5", false}, {" 5", false}, {"5x", false}, {"$1F", false}, {"9223372036854775808", false}};
  for (const auto& b : bad) {
    try {
      b.boolean ? (void)StrToBoolStrict(b.in) : (void)ZeroPrefixedInt(b.in);
      ADD_FAILURE() << "accepted " << b.in;
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()),
                b.boolean ? b.in + kBool : "'0" + b.in + "' is not a valid integer value");
    }
  }
}

TEST(TextLines, SplitAcceptsAllTerminatorsAndJoinWritesCrLf) {
  const std::pair<std::string, Lines> splits[] = {
      {"", {}},
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR: two ends
      {"\r\n\r\n", {"", ""}},
      {"a\r\r\nb\n\n", {"a", "", "b", ""}},
      {"a\r", {"a"}},
      {std::string("x\0y\n", 4), {std::string("x\0y", 3)}}};
  for (const auto& [text, lines] : splits) EXPECT_EQ(SplitLines(text), lines) << text;
  EXPECT_EQ(JoinLinesCrLf({}), "");
  EXPECT_EQ(JoinLinesCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
  const Lines back{"[Section]", "", "Name=Value", "\xE4\xF6"};
  EXPECT_EQ(SplitLines(JoinLinesCrLf(back)), back);
}

}  // namespace
}  // namespace korvane
