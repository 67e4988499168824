// The viewer's text model: line ends, positions, colour runs and a growing text. What
// each step left is in tests/data/viewer/text_document.txt.
#include "korvane/core/viewer/text_document.h"

#include <gtest/gtest.h>

#include "support/svc_observations.h"

namespace korvane {
namespace {

// Every line with the position it starts at, the lines a list shows, the line of each
// position, and the colour runs as start+length=colour.
void Look(testing::Observations& o, const TextDocument& doc) {
  std::vector<std::string> lines;
  for (size_t i = 0; i < doc.LineCount(); ++i) {
    lines.push_back(std::to_string(doc.LineStart(i)) + " " + std::string(doc.Line(i)));
  }
  std::string lineOf;
  for (size_t at = 0; at <= doc.Length(); ++at) lineOf += std::to_string(doc.LineOf(at)) + " ";
  std::vector<std::string> runs;
  for (const auto& run : doc.Runs()) {
    runs.push_back(std::to_string(run.start) + "+" + std::to_string(run.length) + "=" +
                   std::to_string(run.colour));
  }
  o("text", std::string(doc.Text()))("lines", lines)("list lines", doc.ListLineCount());
  o("line of each position", lineOf)("runs", runs);
}

TEST(TextDocument, LinesPositionsRunsAndAppending) {
  testing::Observations o;
  TextDocument doc;
  o.Step("every kind of line end; the final break opens an empty line");
  doc.SetPlainText("ab\r\ncd\ref\ngh\r\n");
  Look(o, doc);
  o.Step("runs of line ends at both ends, rewritten in the document's own buffer");
  doc.TakePlainText("\r\r\nx\n\r\ry\r");
  Look(o, doc);
  o.Step("nothing");
  doc.SetPlainText("");
  Look(o, doc);

  o.Step("a run split by another, then partly removed, one on the second line, one past the end");
  doc.SetLines({"0123456789", "abcdefghij"});
  doc.SetColour(2, 6, kColourBlue);
  doc.SetColour(4, 2, 0x00FF00);
  Look(o, doc);
  doc.SetColour(0, 7, TextDocument::kWindowText);
  doc.SetColour(12, 3, kColourBlue);
  doc.SetColour(500, 3, kColourBlue);
  Look(o, doc);
  const ColourRun styled = doc.Styled().runs.back();
  o("last styled run", std::to_string(styled.line) + ":" + std::to_string(styled.column) + "+" +
                           std::to_string(styled.length));

  o.Step("appending continues the last line; a CR LF split between two reads is one break");
  doc.SetPlainText("one\r\ntw");
  Connection c = doc.appended.Connect([&](size_t line) { o("appended from line", line); });
  doc.Append("o\r");
  doc.Append("\nthree\n");
  Look(o, doc);
  o.Compare("viewer/text_document.txt");
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
  EXPECT_EQ(doc.SelText(), "ef");
  doc.SelectionFromView(1, 1);
  doc.SelectionFromView(1, 1);  // unchanged: no report
  EXPECT_EQ(moved, 2);
  EXPECT_EQ(echoed, 1);  // the view's own selection is not sent back to it
}

}  // namespace
}  // namespace korvane
