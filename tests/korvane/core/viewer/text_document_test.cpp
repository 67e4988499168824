// The viewer's text model: line ends, positions, colour runs and a growing text.
#include "korvane/core/viewer/text_document.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(TextDocument, SplitsEveryKindOfLineEndAndCountsPositions) {
  TextDocument doc;
  doc.SetPlainText("ab\r\ncd\ref\ngh\r\n");
  ASSERT_EQ(doc.LineCount(), 5u);  // the final break opens an empty line, as in a text control
  EXPECT_EQ(doc.ListLineCount(), 4u);
  EXPECT_EQ(doc.Line(2), "ef");
  EXPECT_EQ(doc.Line(4), "");
  EXPECT_EQ(doc.LineStart(1), 3u);  // one character per line break
  EXPECT_EQ(doc.LineOf(0), 0u);
  EXPECT_EQ(doc.LineOf(2), 0u);
  EXPECT_EQ(doc.LineOf(3), 1u);
  EXPECT_EQ(doc.LineOf(doc.Length()), 4u);
  // Line ends are rewritten in the document's own buffer: runs of them, at both ends.
  std::string bytes = "\r\r\nx\n\r\ry\r";
  doc.TakePlainText(std::move(bytes));
  EXPECT_EQ(doc.Text(), "\n\nx\n\n\ny\n");
  EXPECT_EQ(doc.LineCount(), 7u);
  EXPECT_EQ(doc.Line(5), "y");
  doc.SetPlainText("");
  EXPECT_EQ(doc.LineCount(), 1u);
  EXPECT_EQ(doc.ListLineCount(), 0u);
}

TEST(TextDocument, ColoursSplitAndRemoveRuns) {
  TextDocument doc;
  doc.SetLines({"0123456789", "abcdefghij"});
  doc.SetColour(2, 6, kColourBlue);  // 2..7
  doc.SetColour(4, 2, 0x00FF00);     // splits it
  ASSERT_EQ(doc.Runs().size(), 3u);
  EXPECT_EQ(doc.Runs()[0].start, 2u);
  EXPECT_EQ(doc.Runs()[0].length, 2u);
  EXPECT_EQ(doc.Runs()[1].colour, 0x00FF00u);
  EXPECT_EQ(doc.Runs()[2].start, 6u);
  EXPECT_EQ(doc.Runs()[2].length, 2u);
  doc.SetColour(0, 7, TextDocument::kWindowText);
  ASSERT_EQ(doc.Runs().size(), 1u);
  EXPECT_EQ(doc.Runs()[0].start, 7u);
  EXPECT_EQ(doc.Runs()[0].length, 1u);
  doc.SetColour(12, 3, kColourBlue);  // second line, "bcd"
  const StyledText styled = doc.Styled();
  ASSERT_EQ(styled.runs.size(), 2u);
  EXPECT_EQ(styled.runs[1], (ColourRun{1, 1, 3, kColourBlue}));
  doc.SetColour(500, 3, kColourBlue);  // past the end: nothing
  EXPECT_EQ(doc.Runs().size(), 2u);
}

TEST(TextDocument, AppendingContinuesTheLastLine) {
  TextDocument doc;
  doc.SetPlainText("one\r\ntw");
  size_t firstChanged = 99;
  Connection c = doc.appended.Connect([&](size_t line) { firstChanged = line; });
  doc.Append("o\r");
  EXPECT_EQ(firstChanged, 1u);
  doc.Append("\nthree\n");  // the LF of a CR LF split between two reads
  EXPECT_EQ(doc.Line(1), "two");
  EXPECT_EQ(doc.Line(2), "three");
  EXPECT_EQ(doc.LineCount(), 4u);
}

TEST(TextDocument, SelectionIsClampedAndReported) {
  TextDocument doc;
  doc.SetLines({"abc", "def"});
  int moved = 0;
  int echoed = 0;
  Connection a = doc.selectionMoved.Connect([&] { ++moved; });
  Connection b = doc.selectionChanged.Connect([&] { ++echoed; });
  doc.SetSelection(5, 99);
  EXPECT_EQ(doc.SelStart(), 5u);
  EXPECT_EQ(doc.SelLength(), 2u);
  EXPECT_EQ(doc.SelText(), "ef");
  doc.SelectionFromView(1, 1);
  doc.SelectionFromView(1, 1);  // unchanged: no report
  EXPECT_EQ(moved, 2);
  EXPECT_EQ(echoed, 1);  // the view's own selection is not sent back to it
}

}  // namespace
}  // namespace korvane
