#include "korvane/core/common/utf8.h"

#include <gtest/gtest.h>

#include "support/inner_case_table.h"

namespace korvane {
namespace {

TEST(Utf8, ValidAndBeyondAscii) {
  testing::ExpectCaseTable("common/utf8.txt", [](const testing::Fields& in) {
    return testing::Fields{IsValidUtf8(in[0]) ? "valid" : "invalid",
                           IsUtf8BeyondAscii(in[0]) ? "beyond ASCII" : "not beyond"};
  });
}

}  // namespace
}  // namespace korvane
