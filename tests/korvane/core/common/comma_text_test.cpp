#include "korvane/core/common/comma_text.h"

#include <gtest/gtest.h>

#include "support/inner_case_table.h"

namespace korvane {
namespace {

using List = std::vector<std::string>;

TEST(CommaText, WritesAndReadsTheCaseTable) {
  testing::ExpectCaseTable("common/comma_text.txt", [](const List& in) {
    return in[0] == "Write" ? List{ToCommaText(List(in.begin() + 1, in.end()))}
                            : FromCommaText(in[1]);
  });
}

}  // namespace
}  // namespace korvane
