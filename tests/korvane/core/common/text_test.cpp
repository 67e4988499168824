#include "korvane/core/common/text.h"

#include <gtest/gtest.h>

#include <limits>

namespace korvane {
namespace {

TEST(TextCase, MapsAsciiAndLatin1LettersOnly) {
  EXPECT_EQ(ToUpper("abc-XYZ_09"), "ABC-XYZ_09");
  // Latin-1: à (E0) <-> À (C0), þ (FE) <-> Þ (DE); ÷ (F7) and × (D7) are not letters,
  // ß (DF) and ÿ (FF) have no single-byte partner.
  EXPECT_EQ(ToUpper("\xE0\xFE\xF7\xDF\xFF"), "\xC0\xDE\xF7\xDF\xFF");
  EXPECT_EQ(ToLower("\xC0\xDE\xD7\xDF"), "\xE0\xFE\xD7\xDF");
  EXPECT_EQ(ToUpper(std::string("a\0b", 3)), std::string("A\0B", 3));
  EXPECT_TRUE(EqualsNoCase("\xE9t\xE9", "\xC9T\xC9"));
  EXPECT_FALSE(EqualsNoCase("abc", "abcd"));
  EXPECT_FALSE(EqualsNoCase("a[", "A{"));  // '[' and '{' differ by 32 but are not letters
}

TEST(TextTrim, RemovesBlanksAndControlsButNotHighBytes) {
  EXPECT_EQ(Trim(" \t\r\n x y \x01"), "x y");
  EXPECT_EQ(TrimLeft("  x  "), "x  ");
  EXPECT_EQ(TrimRight("  x  "), "  x");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // 8-bit bytes are never "below blank"
}

TEST(TextProperCase, StartsWordsAfterEachSeparator) {
  EXPECT_EQ(ProperCase("my_prog.v2"), "My_Prog.V2");
  EXPECT_EQ(ProperCase("HELLO WORLD,AGAIN-now"), "Hello World,Again-Now");
  EXPECT_EQ(ProperCase("a..b  c"), "A..B  C");
  EXPECT_EQ(ProperCase("\xE9T\xC9"), "\xC9t\xE9");
  EXPECT_EQ(ProperCase("x/y"), "X/y");  // '/' is not a separator
}

TEST(TextParts, BeforeAndAfterFirstAndLast) {
  EXPECT_EQ(BeforeLast("a - b - c", " - "), "a - b");
  EXPECT_EQ(BeforeFirst("a - b - c", " - "), "a");
  EXPECT_EQ(AfterFirst("a - b - c", " - "), "b - c");
  EXPECT_EQ(AfterLast("a - b - c", " - "), "c");
  // A missing or empty separator: the before-parts keep all, the after-parts nothing.
  for (const char* sep : {"]", ""}) {
    EXPECT_EQ(AfterLast("abc", sep), "") << sep;
    EXPECT_EQ(AfterFirst("abc", sep), "") << sep;
    EXPECT_EQ(BeforeLast("abc", sep), "abc") << sep;
    EXPECT_EQ(BeforeFirst("abc", sep), "abc") << sep;
  }
  EXPECT_EQ(AfterLast("x]", "]"), "");
  EXPECT_EQ(BeforeFirst("]x", "]"), "");
  EXPECT_EQ(BeforeLast("aXbXc", "x"), "aXbXc");  // exact comparison
}

TEST(TextStartsWith, ExactAndIgnoringCase) {
  EXPECT_TRUE(StartsWithCase("", "abc"));
  EXPECT_TRUE(StartsWithCase("ab", "abc"));
  EXPECT_FALSE(StartsWithCase("AB", "abc"));
  EXPECT_FALSE(StartsWithCase("abcd", "abc"));
  EXPECT_TRUE(StartsWithText("AB", "abc"));
  EXPECT_FALSE(StartsWithText("abcd", "ABC"));
  EXPECT_FALSE(StartsWithText("b", "abc"));
}

TEST(TextPosFrom, BoundariesAndAsciiFolding) {
  EXPECT_EQ(PosFrom("BC", "abc", 1, true), 0);
  EXPECT_EQ(PosFrom("BC", "abc", 1, false), 2);
  // Only A-Z fold: Latin-1 letters compare exactly even without case sensitivity.
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

TEST(TextSlices, LeftRightAndSliceBoundaries) {
  EXPECT_EQ(LeftPart("abcdef", 2), "ab");
  EXPECT_EQ(LeftPart("ab", 5), "ab");
  EXPECT_EQ(LeftPart("ab", -1), "");
  EXPECT_EQ(RightPart("abcdef", 2), "ef");
  EXPECT_EQ(RightPart("ab", 5), "ab");
  EXPECT_EQ(RightPart("ab", -3), "");

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

TEST(TextMisc, LeadingSpacesAndCollapse) {
  EXPECT_EQ(CountLeadingSpaces("   x  "), 3);
  EXPECT_EQ(CountLeadingSpaces("    "), 4);
  EXPECT_EQ(CountLeadingSpaces("\t x"), 0);
  EXPECT_EQ(CollapseRepeats("C:\\\\a\\\\\\b\\", '\\'), "C:\\a\\b\\");
  EXPECT_EQ(CollapseRepeats("aabb", 'b'), "aab");
}

TEST(TextBool, StrictDefaultAndFormatting) {
  for (const char* yes : {"Y", "y", "J", "j", "I", "i", "True", "TRUE", "true"}) {
    EXPECT_TRUE(StrToBoolStrict(yes)) << yes;
  }
  for (const char* no : {"N", "n", "False", "fALSE", ""}) EXPECT_FALSE(StrToBoolStrict(no)) << no;
  for (const char* bad : {"Ja", "1", "yes", " Y", "T"}) {
    try {
      StrToBoolStrict(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()),
                std::string(bad) + " is not valid boolean value (Y,J,I,N,True,False)");
    }
  }
  EXPECT_TRUE(StrToBoolDefault("", true));
  EXPECT_FALSE(StrToBoolDefault("n", true));
  EXPECT_TRUE(StrToBoolDefault("j", false));
  EXPECT_THROW(StrToBoolDefault("x", true), ConversionError);
  EXPECT_EQ(BoolToYN(true) + BoolToYN(false), "YN");
  EXPECT_EQ(BoolToChar(false, "1", "0"), "0");
}

TEST(TextInteger, ZeroPrefixedDecimal) {
  EXPECT_EQ(ZeroPrefixedInt(""), 0);
  EXPECT_EQ(ZeroPrefixedInt("07"), 7);
  EXPECT_EQ(ZeroPrefixedInt("9223372036854775807"), std::numeric_limits<long long>::max());
  // The sign lands behind the prefix "0" and is no longer a number.
  for (const std::string bad : {"-5", " 5", "5x", "$1F", "9223372036854775808"}) {
    try {
      ZeroPrefixedInt(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()), "'0" + bad + "' is not a valid integer value");
    }
  }
  EXPECT_EQ(ToDecimal(-42), "-42");
}

TEST(TextLines, SplitAcceptsAllTerminatorsAndJoinWritesCrLf) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));  // LF then CR: two ends
  EXPECT_EQ(SplitLines("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitLines("a\r\r\nb\n\n"), (Lines{"a", "", "b", ""}));
  EXPECT_EQ(SplitLines("a\r"), Lines{"a"});
  EXPECT_EQ(SplitLines(std::string("x\0y\n", 4)), Lines{std::string("x\0y", 3)});

  EXPECT_EQ(JoinLinesCrLf({}), "");
  EXPECT_EQ(JoinLinesCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
  const Lines back{"[Section]", "", "Name=Value", "\xE4\xF6"};
  EXPECT_EQ(SplitLines(JoinLinesCrLf(back)), back);
}

}  // namespace
}  // namespace korvane
