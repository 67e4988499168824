#include "korvane/core/common/mask.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(MatchMask, WildcardsLengthsAndCase) {
  EXPECT_TRUE(MatchMask("SRC0012", "SRC####", false));
  EXPECT_FALSE(MatchMask("SRC12", "SRC####", false));  // too short
  EXPECT_FALSE(MatchMask("SRC12", "SRC####", true));
  EXPECT_FALSE(MatchMask("SRC00123", "SRC####", false));  // too long for a whole match
  EXPECT_TRUE(MatchMask("SRC00123", "SRC####", true));
  EXPECT_TRUE(MatchMask("src0012", "SRC####", false));
  EXPECT_TRUE(MatchMask("SRC0012", "src####", false));
  EXPECT_FALSE(MatchMask("SRC00A2", "SRC####", false));  // "#" wants a digit
  EXPECT_TRUE(MatchMask("SRCx0y2", "SRC?#?#", false));
  EXPECT_FALSE(MatchMask("SRC#0", "SRC?#?", false));
  EXPECT_FALSE(MatchMask("#?", "##", false));
  EXPECT_TRUE(MatchMask("", "", false));
  EXPECT_TRUE(MatchMask("anything", "", true));
  EXPECT_FALSE(MatchMask("anything", "", false));
  EXPECT_FALSE(MatchMask("", "?", true));
  // Only ASCII letters fold; Latin-1 letters must be equal.
  EXPECT_FALSE(MatchMask("\xE9", "\xC9", false));
  EXPECT_TRUE(MatchMask("\xE9", "?", false));
  EXPECT_FALSE(MatchMask("[", "{", false));
}

}  // namespace
}  // namespace korvane
