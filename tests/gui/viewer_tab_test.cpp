// The viewer tab on the offscreen platform: log pages shown, decoded and searched, and a
// marker page marked and closed, through the real widgets.
#include "korvane/ui/pages/viewer_tab.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>

#include <filesystem>
#include <fstream>

#include "korvane/core/form/component_names.h"
#include "korvane/ui/viewer/log_page_view.h"
#include "window_fixture.h"

namespace korvane {
namespace {

namespace n = names;

class ViewerTabTest : public testing::WindowTest {
 protected:
  // The COBOL product, for the marker's navigation.
  void SetUp() override {
    OpenShown(testing::CobolIni());
    window->resize(1000, 700);
  }
  QTabWidget& Editor() { return Child<QTabWidget>("PageControlEditor"); }
};

TEST_F(ViewerTabTest, LogPageShowsTheFileAndFollowsIt) {
  std::string text;
  for (int i = 1; i <= 200; ++i) text += "step " + std::to_string(i) + " caf\xe9\r\n";
  const std::string log = dir.Write("job/Console.log", text);
  shell->Viewer().SetFollowLogs(true);
  ASSERT_TRUE(shell->Run([&] { shell->Viewer().OpenInViewer(log); }));
  QApplication::processEvents();

  ASSERT_EQ(Editor().count(), 1);
  auto& view = Child<ui::LogPageView>("tsv0FrameSimpleViewer");
  EXPECT_EQ(view.LineText(0), QString::fromUtf8("step 1 caf\u00e9"));
  EXPECT_EQ(view.font().family(),
            QFontDatabase::systemFont(QFontDatabase::FixedFont).family());  // no Lucida here

  // A click on the third line puts the caret there and reports it.
  const int height = view.fontMetrics().lineSpacing();
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(2, 2 * height + height / 2));
  EXPECT_EQ(shell->Status().Text(), "Line 3 of 201 in " + log + " ");
  // Shift+End selects to the end of that line.
  QTest::keyClick(&view, Qt::Key_End, Qt::ShiftModifier);
  EXPECT_EQ(shell->Viewer().Current()->Document().SelText(), "step 3 caf\xe9");

  // The person scrolled up: the growing log does not move the view.
  view.verticalScrollBar()->setValue(10);
  std::ofstream(log, std::ios::app | std::ios::binary) << "step 201\r\n";
  shell->Viewer().RefreshFollowed();
  EXPECT_EQ(view.LineText(200).toStdString(), "step 201");
  EXPECT_EQ(view.verticalScrollBar()->value(), 10);
  EXPECT_EQ(view.verticalScrollBar()->maximum(), 202 - view.PageLines());
  EXPECT_TRUE(person.asked.empty());
}

// Which lines count as UTF-8 (cut sequences, surrogates) is Utf8.ValidAndBeyondAscii.
TEST_F(ViewerTabTest, LinesShowAsUtf8WhereTheyAreValidUtf8) {
  const std::string file = dir.Write("job/mixed.txt",
                                     "M\xc3\xbcller Stra\xc3\x9f"
                                     "e \xe2\x82\xac\r\n"
                                     "M\xfcller Stra\xdf"
                                     "e\r\n");
  ASSERT_TRUE(shell->Run([&] { shell->Viewer().OpenInViewer(file); }));
  auto* view = &Child<ui::LogPageView>("tsv0FrameSimpleViewer");
  EXPECT_EQ(view->LineText(0), QString::fromUtf8("M\u00fcller Stra\u00dfe \u20ac"));
  EXPECT_EQ(view->LineText(1), QString::fromUtf8("M\u00fcller Stra\u00dfe"));
  // Clicks map to byte positions: after the two bytes of "\u00fc", behind the euro sign's
  // three at the line's end, on the second line's start.
  const QFontMetrics metrics = view->fontMetrics();
  EXPECT_EQ(
      view->PositionAt(QPoint(metrics.horizontalAdvance(QString::fromUtf8("M\u00fc")) + 1, 1)), 3u);
  EXPECT_EQ(view->PositionAt(QPoint(metrics.horizontalAdvance(view->LineText(0)) + 200, 1)), 19u);
  EXPECT_EQ(view->PositionAt(QPoint(0, metrics.lineSpacing() + 1)), 20u);
}

TEST_F(ViewerTabTest, FindDialogSearchesABigLogInBothEncodings) {
  std::string text;
  for (int i = 0; text.size() < 5u * 1024 * 1024; ++i)
    text += "COBWRAP " + std::to_string(i) + " processing member CUSTREC of CUSTRPT.cbl\r\n";
  text += "M\xc3\xbcller in UTF-8\r\nM\xfcller in Latin-1\r\n";
  const std::string log = dir.Write("job/big.log", text);
  ASSERT_TRUE(shell->Run([&] { shell->Viewer().OpenInViewer(log); }));
  auto& view = Child<ui::LogPageView>("tsv0FrameSimpleViewer");
  const TextDocument& doc = shell->Viewer().Current()->Document();
  EXPECT_EQ(view.verticalScrollBar()->maximum() + view.PageLines(),
            static_cast<int>(doc.LineCount()));

  Child<QAction>("ActFindText").trigger();
  auto& edit = Child<QLineEdit>("FindText");
  edit.setText(QString::fromUtf8("m\u00fcller"));
  auto* next = edit.parentWidget()->findChild<QPushButton*>();
  ASSERT_NE(next, nullptr);
  next->click();
  const size_t utf8Line = doc.LineCount() - 3;
  EXPECT_EQ(doc.LineOf(doc.SelStart()), utf8Line);
  EXPECT_EQ(doc.SelLength(), 7u);
  // The hit is brought into sight.
  const int first = view.verticalScrollBar()->value();
  EXPECT_LE(first, static_cast<int>(utf8Line));
  EXPECT_GT(first + view.PageLines(), static_cast<int>(utf8Line));
  Child<QAction>("ActFindNextText").trigger();
  EXPECT_EQ(doc.SelText(), "M\xfcller");  // the Latin-1 form, a line further
}

TEST_F(ViewerTabTest, MarkerPageColoursLabelsAndAsksBeforeClosing) {
  const std::string source = dir / "job/SourceCollection/CUSTRPT.cbl";
  std::filesystem::create_directories(dir / "job/SourceCollection");
  std::filesystem::copy_file(std::string(KORVANE_SAMPLES) + "/jobs/cobol/CUSTRPT.cbl", source);
  shell->Form().Get<StringListHolder>(n::kMarksHolder).Keyed().SetValue("CUSTRPT.cbl.WrpT", "File");
  ASSERT_TRUE(shell->Run([&] { shell->Marker().OpenMarkerPage(source); }));
  QApplication::processEvents();

  ASSERT_EQ(Editor().count(), 1);
  EXPECT_EQ(Editor().tabText(0).toStdString(), "CUSTRPT.cbl");
  Child<QWidget>("tsv0WrapperMarkerFrame");
  auto& view = Child<QPlainTextEdit>("RichEditSourceView");
  EXPECT_EQ(view.textCursor().selectedText().toStdString(), "CUSTFILE");

  Child<QAction>("ActMark").trigger();
  auto& labels = Child<QListWidget>("CheckListBoxLabels");
  ASSERT_EQ(labels.count(), 1);
  EXPECT_EQ(labels.item(0)->text().toStdString(), "FILE:CUSTFILE");
  EXPECT_EQ(labels.item(0)->checkState(), Qt::Checked);
  QTextCursor inside(view.document());
  inside.setPosition(view.textCursor().selectionStart() + 1);
  EXPECT_EQ(inside.charFormat().foreground().color(), QColor(0, 0, 255));

  // The main window's close request closes the page first, after the save question.
  person.answers = {Button::No};
  window->close();
  QApplication::processEvents();
  EXPECT_EQ(person.asked.size(), 1u);  // the page's own save question
  EXPECT_EQ(Editor().count(), 0);
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(shell->Form().Get<Page>(n::kPageViewer).Visible());
}

}  // namespace
}  // namespace korvane
