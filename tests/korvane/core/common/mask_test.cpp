#include "korvane/core/common/mask.h"

#include <gtest/gtest.h>

#include "support/inner_case_table.h"

namespace korvane {
namespace {

TEST(MatchMask, WildcardsLengthsAndCase) {
  testing::ExpectCaseTable("common/mask.txt", [](const testing::Fields& in) {
    return testing::Fields{MatchMask(in[0], in[1], in[2] == "yes") ? "match" : "no match"};
  });
}

}  // namespace
}  // namespace korvane
