#include "korvane/core/common/mask.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(MatchMask, WildcardsLengthsAndCase) {
  const struct {
    const char *text, *mask;
    bool prefixOnly, expected;
  } cases[] = {
      {"SRC0012", "SRC####", false, true},
      {"SRC12", "SRC####", false, false},  // too short
      {"SRC12", "SRC####", true, false},
      {"SRC00123", "SRC####", false, false},
      {"SRC00123", "SRC####", true, true},
      {"src0012", "SRC####", false, true},
      {"SRC00A2", "SRC####", false, false},  // "#" wants a digit
      {"SRCx0y2", "SRC?#?#", false, true},
      {"#?", "##", false, false},
      {"", "", false, true},
      {"anything", "", true, true},
      {"anything", "", false, false},
      {"", "?", true, false},
      // Only ASCII letters fold; Latin-1 letters must be equal.
      {"\xE9", "\xC9", false, false},
      {"\xE9", "?", false, true},
      {"[", "{", false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchMask(c.text, c.mask, c.prefixOnly), c.expected)
        << c.text << " / " << c.mask << " / " << c.prefixOnly;
  }
}

}  // namespace
}  // namespace korvane
