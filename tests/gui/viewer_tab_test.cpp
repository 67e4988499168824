// The viewer tab on the offscreen platform: a log page and a marker page shown, marked
// and closed through the real widgets.
#include "korvane/ui/pages/viewer_tab.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "korvane/core/app/shell.h"
#include "korvane/core/form/component_names.h"
#include "korvane/ui/main_window.h"
#include "korvane/ui/viewer/text_page_view.h"
#include "platform/memory_settings.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace n = names;

class ViewerTabTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The COBOL product, for the marker's navigation.
    std::filesystem::create_directories(dir.Path() / "bin/COBWrap");
    dir.Write("bin/korvane.INI",
              "ActiveRadioButton=RadioButtonCobol\r\nRadioButtonCobol=Cobol,COB,x,1,XML\r\n");
    shell = std::make_unique<Shell>(
        person, settings, ShellEnvironment{dir.Write("bin/korvane", ""), {}, {}, dir / "data"});
    window = std::make_unique<ui::MainWindow>(*shell);
    ASSERT_TRUE(shell->Create());
    ASSERT_TRUE(shell->Show());
    window->resize(1000, 700);
    window->show();
  }
  template <class T>
  T& Child(const QString& name) {
    T* child = window->findChild<T*>(name);
    if (child == nullptr) throw std::runtime_error("no widget " + name.toStdString());
    return *child;
  }
  QTabWidget& Editor() { return Child<QTabWidget>("PageControlEditor"); }

  testing::TempDir dir;
  testing::ScriptedPerson person;
  platform::MemorySettings settings;
  std::unique_ptr<Shell> shell;
  std::unique_ptr<ui::MainWindow> window;
};

TEST_F(ViewerTabTest, LogPageShowsTheFileAndFollowsIt) {
  std::string text;
  for (int i = 1; i <= 200; ++i) text += "step " + std::to_string(i) + " caf\xe9\r\n";
  const std::string log = dir.Write("job/Console.log", text);
  shell->Viewer().SetFollowLogs(true);
  ASSERT_TRUE(shell->Run([&] { shell->Viewer().OpenInViewer(log); }));
  QApplication::processEvents();

  EXPECT_EQ(Child<QTabWidget>(n::kPageControlMain).currentWidget()->isVisible(), true);
  ASSERT_EQ(Editor().count(), 1);
  EXPECT_EQ(Editor().tabText(0).toStdString(), log);
  auto& view = Child<QPlainTextEdit>("tsv0FrameSimpleViewer");
  EXPECT_TRUE(view.isReadOnly());
  EXPECT_EQ(view.lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(view.document()->findBlockByNumber(0).text(), QString::fromUtf8("step 1 caf\u00e9"));

  // The caret on the third line is reported in the status bar.
  QTextCursor cursor(view.document()->findBlockByNumber(2));
  view.setTextCursor(cursor);
  EXPECT_EQ(shell->Status().Text(), "Line 3 of 201 in " + log + " ");

  // The person scrolled up: the growing log does not move the view.
  view.verticalScrollBar()->setValue(10);
  std::ofstream(log, std::ios::app | std::ios::binary) << "step 201\r\n";
  shell->Viewer().RefreshFollowed();
  EXPECT_EQ(view.document()->findBlockByNumber(200).text().toStdString(), "step 201");
  EXPECT_EQ(view.verticalScrollBar()->value(), 10);
  EXPECT_TRUE(person.asked.empty());
}

TEST_F(ViewerTabTest, BigLogAppearsAtOnceAndFillsInPieces) {
  std::string text;
  for (int i = 0; text.size() < 5u * 1024 * 1024; ++i)
    text += "COBWRAP " + std::to_string(i) + " processing member CUSTREC of CUSTRPT.cbl\r\n";
  const std::string log = dir.Write("job/big.log", text);
  ASSERT_TRUE(shell->Run([&] { shell->Viewer().OpenInViewer(log); }));
  auto& view = Child<ui::TextPageView>("tsv0FrameSimpleViewer");
  const TextDocument& doc = shell->Viewer().Current()->Document();
  EXPECT_TRUE(view.Loading());
  EXPECT_GT(view.blockCount(), 1000);
  // The person scrolls while the rest comes in: the view stays there.
  QApplication::processEvents();
  ASSERT_TRUE(view.Loading());
  view.verticalScrollBar()->setValue(500);
  while (view.Loading()) QApplication::processEvents();
  EXPECT_EQ(view.verticalScrollBar()->value(), 500);
  EXPECT_EQ(static_cast<size_t>(view.blockCount()), doc.LineCount());
  EXPECT_EQ(view.document()->lastBlock().previous().text().toStdString(),
            std::string(doc.Line(doc.LineCount() - 2)));
  // Positions agree with the core's to the end.
  QTextCursor last(view.document()->findBlockByNumber(static_cast<int>(doc.LineCount()) - 2));
  view.setTextCursor(last);
  EXPECT_EQ(doc.LineOf(doc.SelStart()), doc.LineCount() - 2);
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

  // File mode offers only the file-definition navigation.
  for (auto* button : window->findChildren<QToolButton*>()) {
    if (button->defaultAction() == nullptr) continue;
    const QString name = button->defaultAction()->objectName();
    if (name == "ActFindNextSection") EXPECT_FALSE(button->isVisible());
    if (name == "ActFindNextFD") EXPECT_TRUE(button->isVisible());
  }

  Child<QAction>("ActMark").trigger();
  auto& labels = Child<QListWidget>("CheckListBoxLabels");
  ASSERT_EQ(labels.count(), 1);
  EXPECT_EQ(labels.item(0)->text().toStdString(), "FILE:CUSTFILE");
  EXPECT_EQ(labels.item(0)->checkState(), Qt::Checked);
  QTextCursor inside(view.document());
  inside.setPosition(view.textCursor().selectionStart() + 1);
  EXPECT_EQ(inside.charFormat().foreground().color(), QColor(0, 0, 255));
  EXPECT_TRUE(Child<QAction>("ActSavePage").isEnabled());

  // The main window's close request closes the page first, after the save question.
  person.answers = {Button::No};
  window->close();
  QApplication::processEvents();
  ASSERT_EQ(person.asked.size(), 1u);
  EXPECT_EQ(person.asked[0].text,
            "Label selection for CUSTRPT.cbl has been modified!\r\nSave changes?");
  EXPECT_EQ(Editor().count(), 0);
  EXPECT_TRUE(window->isVisible());
  EXPECT_FALSE(shell->Form().Get<Page>(n::kPageViewer).Visible());
}

}  // namespace
}  // namespace korvane
