#include "korvane/ui/main_window.h"

#include <gtest/gtest.h>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include "korvane/core/app/component_names.h"
#include "korvane/core/app/shell.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/lists.h"
#include "platform/memory_settings.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace n = names;
using testing::ScriptedPerson;
using testing::TempDir;

class MainWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<Shell> MakeShell() {
    const std::string program = dir.Write("bin/korvane", "");
    return std::make_unique<Shell>(person, settings,
                                   ShellEnvironment{program, {}, {}, dir / "data"});
  }
  TempDir dir;
  ScriptedPerson person;
  platform::MemorySettings settings;
};

TEST_F(MainWindowTest, TechnicalPageShowsAndEditsTheConfiguration) {
  const std::string ini =
      dir.Write("bin/korvane.INI", "[Korvane]\r\nRunControl.MessagesOnTop=N\r\n");
  auto shell = MakeShell();
  ui::MainWindow window(*shell);
  ASSERT_TRUE(shell->Create());

  auto* group = window.findChild<QGroupBox*>(n::kGroupIniFile);
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->title().toStdString(), "Product ini file : " + ini);

  auto* memo = window.findChild<QPlainTextEdit*>(n::kMemoIniFile);
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->toPlainText().toStdString(), "[Korvane]\nRunControl.MessagesOnTop=N");

  // A typed change reaches the model and takes effect with the button.
  memo->setPlainText("Runcontrol.MessagesOnTop=Y");
  auto* apply = window.findChild<QPushButton*>(n::kButtonApplyChanges);
  ASSERT_NE(apply, nullptr);
  EXPECT_EQ(apply->text().toStdString(), "Apply changes");
  apply->click();
  EXPECT_TRUE(shell->Flags().messagesOnTop);

  auto* action = window.findChild<QAction*>(n::kActWriteIniFile);
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->text().toStdString(), "Save initialisation parameters");
}

TEST_F(MainWindowTest, MissingConfigurationDisablesPagesHidesMenuAndShowsTheList) {
  auto shell = MakeShell();
  ui::MainWindow window(*shell);
  window.show();
  EXPECT_FALSE(shell->Create());

  auto* pages = window.findChild<QTabWidget*>(n::kPageControlMain);
  ASSERT_NE(pages, nullptr);
  EXPECT_FALSE(pages->isEnabled());
  EXPECT_FALSE(window.menuBar()->isVisible());
  auto* bar = window.findChild<QLabel*>(n::kStatusBar);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->text().toStdString(), "More than one message, click here to get them!");
  EXPECT_NE(bar->toolTip().toStdString().find("No ini file is available for Korvane"),
            std::string::npos);
}

TEST_F(MainWindowTest, PagesCarryTheirNamesAndCaptions) {
  dir.Write("bin/korvane.INI", "X=1\r\n");
  auto shell = MakeShell();
  ui::MainWindow window(*shell);
  ASSERT_TRUE(shell->Create());
  auto* pages = window.findChild<QTabWidget*>(n::kPageControlMain);
  ASSERT_NE(pages, nullptr);
  std::vector<std::string> captions;
  for (int i = 0; i < pages->count(); ++i) {
    if (pages->isTabVisible(i)) captions.push_back(pages->tabText(i).toStdString());
  }
  EXPECT_EQ(captions,
            (std::vector<std::string>{"Language selection", "Names and datasets",
                                      "Technical parameters", "Edit word list", "Objects"}));
  EXPECT_EQ(pages->currentWidget()->objectName().toStdString(), n::kPageLanguages);
  // Choosing a tab moves the model's active page.
  pages->setCurrentIndex(2);
  EXPECT_EQ(shell->Form().Get<PageControl>(n::kPageControlMain).ActivePage(), n::kPageTechnical);
}

}  // namespace
}  // namespace korvane

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListView>

namespace korvane {
namespace {

TEST_F(MainWindowTest, WrapTypeComboSearchesAsYouTypeAndListsShowTheJob) {
  dir.Write("bin/korvane.INI",
            "ActiveRadioButton=RadioButtonCobol\r\nRadioButtonCobol=Cobol,COB,x,1,XML\r\n"
            "COB.Extras=(OnlineWrap=Y,SubWrap=Y,Frames=N)\r\n");
  std::filesystem::create_directories(dir.Path() / "bin/COBWrap");
  auto shell = MakeShell();
  ui::MainWindow window(*shell);
  ASSERT_TRUE(shell->Create());
  ASSERT_TRUE(shell->Show());

  auto* combo = window.findChild<QComboBox*>(n::kComboWrapType);
  ASSERT_NE(combo, nullptr);
  ASSERT_EQ(combo->count(), 2);
  for (const char c : std::string("sub")) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
    QApplication::sendEvent(combo, &press);
  }
  EXPECT_EQ(combo->currentText().toStdString(), "Subprogram wrapping");
  EXPECT_EQ(shell->Form().Get<ComboBox>(n::kComboWrapType).Combo().SecondInd(), "Module");

  auto& sources = shell->Form().Get<CheckList>(n::kListSources);
  sources.SetItems({{"A.cbl=/x/A.cbl", true, true}, {"B.cbl=/x/B.cbl", false, false}});
  auto* view = window.findChild<QListView*>(n::kListSources);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->model()->rowCount(), 2);
  // A disabled entry cannot be checked from the view.
  EXPECT_FALSE(view->model()->flags(view->model()->index(1, 0)) & Qt::ItemIsUserCheckable);
  view->model()->setData(view->model()->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
  EXPECT_FALSE(sources.Items()[0].checked);
}

}  // namespace
}  // namespace korvane
