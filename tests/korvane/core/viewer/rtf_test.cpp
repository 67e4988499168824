// The marked-source rich text: exact bytes, round trips and foreign documents.
#include "korvane/core/viewer/rtf.h"

#include <gtest/gtest.h>

#include <string>

#include "support/golden.h"

namespace korvane {
namespace {

StyledText Sample() {
  StyledText text;
  text.lines = {"       FD  CUSTFILE.", "caf\xe9 {a} \\b\tend", "", "  x"};
  text.runs = {{0, 11, 8, kColourBlue}, {3, 2, 1, kColourBlue}};
  return text;
}

TEST(Rtf, WritesTheExactDocument) {
  RtfFont font;
  font.name = "Lucida Console";
  font.pointSize = 8;
  testing::ExpectGolden("viewer/marked.rtf", WriteRtf(Sample(), font));
}

TEST(Rtf, ReadsBackWhatItWrites) {
  const StyledText original = Sample();
  const auto read = ReadRtf(WriteRtf(original, RtfFont{}));
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->lines, original.lines);
  EXPECT_EQ(read->runs, original.runs);

  // Every byte value survives, and a run at the end of a line stays on that line.
  StyledText all;
  std::string bytes;
  for (int b = 1; b < 256; ++b)
    if (b != '\n' && b != '\r') bytes += static_cast<char>(b);
  all.lines = {bytes, "tail"};
  all.runs = {{0, bytes.size() - 3, 3, 0x00FF00}, {1, 0, 4, kColourBlue}};
  const auto again = ReadRtf(WriteRtf(all, RtfFont{}));
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->lines, all.lines);
  EXPECT_EQ(again->runs, all.runs);
}

TEST(Rtf, RefusesWhatIsNotRichText) {
  EXPECT_FALSE(ReadRtf("").has_value());
  EXPECT_FALSE(ReadRtf("plain text\r\n").has_value());
  EXPECT_FALSE(ReadRtf("{\\rt").has_value());
  EXPECT_FALSE(ReadRtf(" {\\rtf1 x}").has_value());
  // Broken but rich text: whatever can be read is kept, nothing crashes.
  const auto broken = ReadRtf("{\\rtf1 {\\colortbl ;\\red0\\green0\\blue255;}\\cf9 a\\'zz\\");
  ASSERT_TRUE(broken.has_value());
  EXPECT_EQ(broken->lines.front(), "azz");
  EXPECT_TRUE(broken->runs.empty());
}

TEST(Rtf, ReadsDocumentsOfOtherWriters) {
  // A word processor's document: fonts, a generator group, bold, Unicode and hex escapes,
  // a line break, a nested group and a tab.
  const auto read = ReadRtf(testing::ReadGolden("viewer/foreign.rtf"));
  ASSERT_TRUE(read.has_value());
  ASSERT_GE(read->lines.size(), 3u);
  EXPECT_EQ(read->lines[0], "ABLUE r\xe9sum\xe9");
  EXPECT_EQ(read->lines[1], "next");
  EXPECT_EQ(read->lines[2], "grouped red\tafter");
  ASSERT_EQ(read->runs.size(), 2u);
  EXPECT_EQ(read->runs[0], (ColourRun{0, 1, 4, kColourBlue}));
  EXPECT_EQ(read->runs[1], (ColourRun{2, 8, 3, 0x0000FF}));
}

}  // namespace
}  // namespace korvane
