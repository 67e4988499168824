#include "korvane/core/common/comma_text.h"

#include <gtest/gtest.h>

#include <random>

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

TEST(CommaText, EveryListSurvivesWritingAndReading) {
  std::mt19937 rng(12345);
  const std::string alphabet =
      std::string("ab ,\"\t\r\n=()\x7F\x80\xFF", 14) + std::string(1, '\0');
  for (int round = 0; round < 5000; ++round) {
    List list(rng() % 6);
    for (auto& item : list) {
      const size_t len = rng() % 5;
      for (size_t k = 0; k < len; ++k) item += alphabet[rng() % alphabet.size()];
    }
    const std::string text = ToCommaText(list);
    ASSERT_EQ(FromCommaText(text), list) << "text: " << text;
  }
}

}  // namespace
}  // namespace korvane
