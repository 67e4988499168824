// The UTF-8 check that decides how the viewer shows a line.
#include "korvane/core/common/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace korvane {
namespace {

TEST(Utf8, AcceptsWellFormedTextOfEveryLength) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain ASCII, longer than one word of eight bytes"));
  EXPECT_TRUE(
      IsValidUtf8("M\xc3\xbcller Stra\xc3\x9f"
                  "e \xe2\x82\xac"));
  EXPECT_TRUE(IsValidUtf8("\xc2\x80"));             // U+0080, the smallest 2-byte form
  EXPECT_TRUE(IsValidUtf8("\xdf\xbf"));             // U+07FF
  EXPECT_TRUE(IsValidUtf8("\xe0\xa0\x80"));         // U+0800, the smallest 3-byte form
  EXPECT_TRUE(IsValidUtf8("\xed\x9f\xbf"));         // U+D7FF, just below the surrogates
  EXPECT_TRUE(IsValidUtf8("\xee\x80\x80"));         // U+E000, just above them
  EXPECT_TRUE(IsValidUtf8("\xf0\x90\x80\x80"));     // U+10000, the smallest 4-byte form
  EXPECT_TRUE(IsValidUtf8("\xf0\x9f\x98\x80 ok"));  // an emoji
  EXPECT_TRUE(IsValidUtf8("\xf4\x8f\xbf\xbf"));     // U+10FFFF, the last code point
  // A multi-byte character right after a long ASCII stretch and at the very end.
  EXPECT_TRUE(IsValidUtf8(std::string(61, 'a') + "\xe2\x82\xac"));
}

TEST(Utf8, RefusesOverlongSurrogatesAndOutOfRangeForms) {
  EXPECT_FALSE(IsValidUtf8("\xc0\xaf"));          // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xc1\xbf"));          // overlong U+007F
  EXPECT_FALSE(IsValidUtf8("\xe0\x80\xaf"));      // overlong in three bytes
  EXPECT_FALSE(IsValidUtf8("\xe0\x9f\xbf"));      // overlong U+07FF
  EXPECT_FALSE(IsValidUtf8("\xf0\x80\x80\xaf"));  // overlong in four bytes
  EXPECT_FALSE(IsValidUtf8("\xf0\x8f\xbf\xbf"));  // overlong U+FFFF
  EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));      // U+D800
  EXPECT_FALSE(IsValidUtf8("\xed\xbf\xbf"));      // U+DFFF
  EXPECT_FALSE(IsValidUtf8("\xf4\x90\x80\x80"));  // U+110000
  EXPECT_FALSE(IsValidUtf8("\xf5\x80\x80\x80"));  // no such lead byte
  EXPECT_FALSE(IsValidUtf8("\xff"));
  EXPECT_FALSE(IsValidUtf8("\x80"));          // a continuation without a lead
  EXPECT_FALSE(IsValidUtf8("\xc3\xbc\xbc"));  // one continuation too many
}

TEST(Utf8, RefusesSequencesCutShort) {
  // A line that ends inside a character, as when a tool cut it at a fixed width.
  EXPECT_FALSE(IsValidUtf8("M\xc3"));
  EXPECT_FALSE(IsValidUtf8("euro \xe2\x82"));
  EXPECT_FALSE(IsValidUtf8("\xf0\x9f\x98"));
  EXPECT_FALSE(IsValidUtf8("\xe2\x82 next"));  // cut short by an ASCII byte
  EXPECT_FALSE(IsValidUtf8("\xf0\x9f\x98\x41"));
  // Latin-1 text as the tools write it.
  EXPECT_FALSE(IsValidUtf8("caf\xe9"));
  EXPECT_FALSE(
      IsValidUtf8("M\xfcller Stra\xdf"
                  "e"));
}

TEST(Utf8, BeyondAsciiOnlyWhenReadingAsUtf8ChangesSomething) {
  EXPECT_FALSE(IsUtf8BeyondAscii(""));
  EXPECT_FALSE(IsUtf8BeyondAscii("only ASCII here"));
  EXPECT_FALSE(IsUtf8BeyondAscii("caf\xe9"));
  EXPECT_TRUE(IsUtf8BeyondAscii("caf\xc3\xa9"));
  EXPECT_FALSE(IsUtf8BeyondAscii("caf\xc3\xa9 and caf\xe9"));
}

}  // namespace
}  // namespace korvane
