// The marked-source rich text: exact bytes, round trips and foreign documents.
#include "korvane/core/viewer/rtf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/golden.h"

namespace korvane {
namespace {

StyledText Sample() {
  StyledText text;
  text.lines = {"       FD  CUSTFILE.", "caf\xe9 {a} \\b\tend", "", "  x"};
  text.runs = {{0, 11, 8, kColourBlue}, {3, 2, 1, kColourBlue}};
  return text;
}

// Writes the text, checks that it reads back the same and returns the document.
std::string RoundTrip(const StyledText& text, const RtfFont& font = {}) {
  const std::string rtf = WriteRtf(text, font);
  const auto read = ReadRtf(rtf);
  EXPECT_TRUE(read.has_value());
  EXPECT_EQ(read.value_or(StyledText{}).lines, text.lines);
  EXPECT_EQ(read.value_or(StyledText{}).runs, text.runs);
  return rtf;
}

TEST(Rtf, WritesTheExactDocumentAndReadsBackWhatItWrites) {
  RtfFont font;
  font.name = "Lucida Console";
  font.pointSize = 8;
  testing::ExpectGolden("viewer/marked.rtf", RoundTrip(Sample(), font));

  // Every byte value survives, and a run at the end of a line stays on that line.
  StyledText all;
  std::string bytes;
  for (int b = 1; b < 256; ++b)
    if (b != '\n' && b != '\r') bytes += static_cast<char>(b);
  all.lines = {bytes, "tail"};
  all.runs = {{0, bytes.size() - 3, 3, 0x00FF00}, {1, 0, 4, kColourBlue}};
  RoundTrip(all);
}

TEST(Rtf, RefusesWhatIsNotRichText) {
  for (const char* text : {"", "plain text\r\n", "{\\rt", " {\\rtf1 x}"}) {
    EXPECT_FALSE(ReadRtf(text).has_value()) << text;
  }
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
  EXPECT_EQ(std::vector(read->lines.begin(), read->lines.begin() + 3),
            (std::vector<std::string>{"ABLUE r\xe9sum\xe9", "next", "grouped red\tafter"}));
  EXPECT_EQ(read->runs, (std::vector<ColourRun>{{0, 1, 4, kColourBlue}, {2, 8, 3, 0x0000FF}}));
}

}  // namespace
}  // namespace korvane
