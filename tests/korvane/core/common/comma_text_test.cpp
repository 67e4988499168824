#include "korvane/core/common/comma_text.h"

#include <gtest/gtest.h>

#include <random>

namespace korvane {
namespace {

using List = std::vector<std::string>;

TEST(CommaText, WritesQuotesOnlyWhereNeeded) {
  EXPECT_EQ(ToCommaText({}), "");
  EXPECT_EQ(ToCommaText({""}), "\"\"");
  EXPECT_EQ(ToCommaText({"a b", "c"}), "\"a b\",c");
  EXPECT_EQ(ToCommaText({"x,y"}), "\"x,y\"");
  EXPECT_EQ(ToCommaText({"say \"hi\""}), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(ToCommaText({"", ""}), ",");
  // Other punctuation and 8-bit letters need no quotes.
  EXPECT_EQ(ToCommaText({"DirDepth=2", "Multi=Y", "\xE4()"}), "DirDepth=2,Multi=Y,\xE4()");
  EXPECT_EQ(ToCommaText({std::string("a\0b", 3)}), std::string("\"a\0b\"", 5));
}

TEST(CommaText, ReadsHandWrittenLists) {
  EXPECT_EQ(FromCommaText("   "), List{});
  EXPECT_EQ(FromCommaText("a b,c"), (List{"a", "b", "c"}));  // blanks separate too
  EXPECT_EQ(FromCommaText("  a ,  b  "), (List{"a", "b"}));
  EXPECT_EQ(FromCommaText("a,,b"), (List{"a", "", "b"}));
  EXPECT_EQ(FromCommaText("a, "), List{"a"});  // only a comma right at the end adds an item
  EXPECT_EQ(FromCommaText("\"open, never closed"), List{"open, never closed"});
  EXPECT_EQ(FromCommaText("\"ab\"cd"), (List{"ab", "cd"}));  // text after a quote is an item
  EXPECT_EQ(FromCommaText("\"a\"\""), List{"a\""});          // doubled quote, then the text ends
  EXPECT_EQ(FromCommaText("a\r\nb"), (List{"a", "b"}));
  EXPECT_EQ(FromCommaText(std::string("a\0b", 3)), (List{"a", "b"}));
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
