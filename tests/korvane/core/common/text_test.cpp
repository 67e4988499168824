#include "korvane/core/common/text.h"

#include <gtest/gtest.h>

#include <limits>

namespace korvane {
namespace {

TEST(TextCase, MapsAsciiAndLatin1LettersOnly) {
  EXPECT_EQ(ToUpper("abc-XYZ_09"), "ABC-XYZ_09");
  EXPECT_EQ(ToLower("ABC-xyz_09"), "abc-xyz_09");
  // Latin-1: à (E0) <-> À (C0), þ (FE) <-> Þ (DE); ÷ (F7) and × (D7) are not letters,
  // ß (DF) and ÿ (FF) have no single-byte partner.
  EXPECT_EQ(ToUpper("\xE0\xFE\xF7\xDF\xFF"), "\xC0\xDE\xF7\xDF\xFF");
  EXPECT_EQ(ToLower("\xC0\xDE\xD7\xDF"), "\xE0\xFE\xD7\xDF");
  EXPECT_EQ(ToUpper(std::string("a\0b", 3)), std::string("A\0B", 3));
  EXPECT_TRUE(EqualsNoCase("Runcontrol.DebugMode", "RUNCONTROL.debugmode"));
  EXPECT_TRUE(EqualsNoCase("\xE9t\xE9", "\xC9T\xC9"));
  EXPECT_FALSE(EqualsNoCase("abc", "abcd"));
  EXPECT_FALSE(EqualsNoCase("a[", "A{"));  // '[' and '{' differ by 32 but are not letters
}

TEST(TextTrim, RemovesBlanksAndControlsButNotHighBytes) {
  EXPECT_EQ(Trim(" \t\r\n x y \x01"), "x y");
  EXPECT_EQ(TrimLeft("  x  "), "x  ");
  EXPECT_EQ(TrimRight("  x  "), "  x");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim(""), "");
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0");  // 8-bit bytes are never "below blank"
}

TEST(TextProperCase, StartsWordsAfterEachSeparator) {
  EXPECT_EQ(ProperCase("my_prog.v2"), "My_Prog.V2");
  EXPECT_EQ(ProperCase("HELLO WORLD,AGAIN-now"), "Hello World,Again-Now");
  EXPECT_EQ(ProperCase("a..b  c"), "A..B  C");
  EXPECT_EQ(ProperCase("\xE9T\xC9"), "\xC9t\xE9");
  EXPECT_EQ(ProperCase(""), "");
  EXPECT_EQ(ProperCase("x/y"), "X/y");  // '/' is not a separator
}

TEST(TextParts, BeforeAndAfterFirstAndLast) {
  EXPECT_EQ(BeforeLast("a - b - c", " - "), "a - b");
  EXPECT_EQ(BeforeFirst("a - b - c", " - "), "a");
  EXPECT_EQ(AfterFirst("a - b - c", " - "), "b - c");
  EXPECT_EQ(AfterLast("a - b - c", " - "), "c");
  EXPECT_EQ(AfterLast("abc", "]"), "");
  EXPECT_EQ(AfterFirst("abc", "]"), "");
  EXPECT_EQ(BeforeLast("abc", "]"), "abc");
  EXPECT_EQ(BeforeFirst("abc", "]"), "abc");
  EXPECT_EQ(BeforeFirst("abc", ""), "abc");
  EXPECT_EQ(BeforeLast("abc", ""), "abc");
  EXPECT_EQ(AfterFirst("abc", ""), "");
  EXPECT_EQ(AfterLast("abc", ""), "");
  EXPECT_EQ(AfterLast("x]", "]"), "");
  EXPECT_EQ(BeforeFirst("]x", "]"), "");
  EXPECT_EQ(AfterLast("Main [Job] tail", "]"), " tail");
  EXPECT_EQ(BeforeLast("aXbXc", "x"), "aXbXc");  // exact comparison
}

TEST(TextStartsWith, ExactAndIgnoringCase) {
  EXPECT_TRUE(StartsWithCase("", ""));
  EXPECT_TRUE(StartsWithCase("", "abc"));
  EXPECT_TRUE(StartsWithCase("ab", "abc"));
  EXPECT_FALSE(StartsWithCase("AB", "abc"));
  EXPECT_FALSE(StartsWithCase("abcd", "abc"));
  EXPECT_TRUE(StartsWithText("AB", "abc"));
  EXPECT_TRUE(StartsWithText("abc", "ABC"));
  EXPECT_FALSE(StartsWithText("abcd", "ABC"));
  EXPECT_FALSE(StartsWithText("b", "abc"));
}

TEST(TextPosFrom, BoundariesAndAsciiFolding) {
  EXPECT_EQ(PosFrom("b", "abcb", 1, true), 2);
  EXPECT_EQ(PosFrom("b", "abcb", 3, true), 4);
  EXPECT_EQ(PosFrom("b", "abcb", 4, true), 4);
  EXPECT_EQ(PosFrom("b", "abcb", 5, true), 0);  // text shorter than start
  EXPECT_EQ(PosFrom("b", "abcb", 0, true), 2);  // start below 1 counts as 1
  EXPECT_EQ(PosFrom("b", "abcb", -7, true), 2);
  EXPECT_EQ(PosFrom("", "abc", 1, true), 0);
  EXPECT_EQ(PosFrom("a", "", 1, true), 0);
  EXPECT_EQ(PosFrom("abcd", "abc", 1, true), 0);
  EXPECT_EQ(PosFrom("abc", "abc", 1, true), 1);
  EXPECT_EQ(PosFrom("bc", "abc", 3, true), 0);  // would run past the end
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
  EXPECT_EQ(LeftPart("ab", 0), "");
  EXPECT_EQ(LeftPart("ab", -1), "");
  EXPECT_EQ(RightPart("abcdef", 2), "ef");
  EXPECT_EQ(RightPart("ab", 5), "ab");
  EXPECT_EQ(RightPart("ab", 0), "");
  EXPECT_EQ(RightPart("ab", -3), "");

  EXPECT_EQ(Slice("abcdef", 2, 4), "bcd");
  EXPECT_EQ(Slice("abcdef", 1, 1), "a");
  EXPECT_EQ(Slice("abcdef", -2, -1), "ef");
  EXPECT_EQ(Slice("abcdef", 2, -2), "bcde");
  EXPECT_EQ(Slice("abcdef", 4, 100), "def");  // to clamped
  EXPECT_EQ(Slice("abcdef", 0, 2), "ab");     // from clamped
  EXPECT_EQ(Slice("abcdef", -100, 2), "ab");  // far negative from clamped
  EXPECT_EQ(Slice("abcdef", 3, 2), "");       // to < from
  EXPECT_EQ(Slice("abcdef", 7, 9), "");       // from past the end
  EXPECT_EQ(Slice("abcdef", 1, 0), "");       // to < 1
  EXPECT_EQ(Slice("abcdef", 1, -7), "");      // to counts before the start
  EXPECT_EQ(Slice("", 1, 1), "");
  EXPECT_EQ(Slice("abc", std::numeric_limits<int>::min(), std::numeric_limits<int>::max()), "abc");
}

TEST(TextMisc, LeadingSpacesAndCollapse) {
  EXPECT_EQ(CountLeadingSpaces("   x  "), 3);
  EXPECT_EQ(CountLeadingSpaces("x "), 0);
  EXPECT_EQ(CountLeadingSpaces("    "), 4);
  EXPECT_EQ(CountLeadingSpaces("\t x"), 0);
  EXPECT_EQ(CountLeadingSpaces(""), 0);
  EXPECT_EQ(CollapseRepeats("C:\\\\a\\\\\\b\\", '\\'), "C:\\a\\b\\");
  EXPECT_EQ(CollapseRepeats("//a///b", '/'), "/a/b");
  EXPECT_EQ(CollapseRepeats("aabb", 'b'), "aab");
  EXPECT_EQ(CollapseRepeats("", 'x'), "");
}

TEST(TextBool, StrictDefaultAndFormatting) {
  for (const char* yes : {"Y", "y", "J", "j", "I", "i", "True", "TRUE", "true"}) {
    EXPECT_TRUE(StrToBoolStrict(yes)) << yes;
  }
  for (const char* no : {"N", "n", "False", "fALSE", ""}) EXPECT_FALSE(StrToBoolStrict(no)) << no;
  for (const char* bad : {"Ja", "1", "0", "yes", " Y", "Y ", "T", "F"}) {
    try {
      StrToBoolStrict(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const ConversionError& e) {
      EXPECT_EQ(std::string(e.what()),
                std::string(bad) + " is not valid boolean value (Y,J,I,N,True,False)");
    }
  }
  EXPECT_TRUE(StrToBoolDefault("", true));
  EXPECT_FALSE(StrToBoolDefault("", false));
  EXPECT_FALSE(StrToBoolDefault("n", true));
  EXPECT_TRUE(StrToBoolDefault("j", false));
  EXPECT_THROW(StrToBoolDefault("x", true), ConversionError);
  EXPECT_EQ(BoolToYN(true), "Y");
  EXPECT_EQ(BoolToYN(false), "N");
  EXPECT_EQ(BoolToChar(true, "1", "0"), "1");
  EXPECT_EQ(BoolToChar(false, "1", "0"), "0");
}

TEST(TextInteger, ZeroPrefixedDecimal) {
  EXPECT_EQ(ZeroPrefixedInt(""), 0);
  EXPECT_EQ(ZeroPrefixedInt("07"), 7);
  EXPECT_EQ(ZeroPrefixedInt("50"), 50);
  EXPECT_EQ(ZeroPrefixedInt("9223372036854775807"), std::numeric_limits<long long>::max());
  const auto message = [](std::string_view text) {
    try {
      ZeroPrefixedInt(text);
    } catch (const ConversionError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  // The sign lands behind the prefix "0" and is no longer a number.
  EXPECT_EQ(message("-5"), "'0-5' is not a valid integer value");
  EXPECT_EQ(message(" 5"), "'0 5' is not a valid integer value");
  EXPECT_EQ(message("5x"), "'05x' is not a valid integer value");
  EXPECT_EQ(message("$1F"), "'0$1F' is not a valid integer value");
  EXPECT_EQ(message("9223372036854775808"), "'09223372036854775808' is not a valid integer value");
  EXPECT_EQ(ToDecimal(-42), "-42");
  EXPECT_EQ(ToDecimal(0), "0");
}

TEST(TextLines, SplitAcceptsAllTerminatorsAndJoinWritesCrLf) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines("a"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\r\n"), Lines{"a"});
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\n\rb"), (Lines{"a", "", "b"}));  // LF then CR: two ends
  EXPECT_EQ(SplitLines("\r\n"), Lines{""});
  EXPECT_EQ(SplitLines("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(SplitLines("a\r\r\nb\n\n"), (Lines{"a", "", "b", ""}));
  EXPECT_EQ(SplitLines("a\r"), Lines{"a"});
  EXPECT_EQ(SplitLines(std::string("x\0y\n", 4)), Lines{std::string("x\0y", 3)});

  EXPECT_EQ(JoinLinesCrLf({}), "");
  EXPECT_EQ(JoinLinesCrLf({""}), "\r\n");
  EXPECT_EQ(JoinLinesCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
  const Lines back{"[Section]", "", "Name=Value", "\xE4\xF6"};
  EXPECT_EQ(SplitLines(JoinLinesCrLf(back)), back);
}

}  // namespace
}  // namespace korvane
