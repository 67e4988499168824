#include "korvane/ui/main_window.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeView>

#include "korvane/core/components/controls.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "window_fixture.h"

namespace korvane {
namespace {

namespace n = names;

using MainWindowTest = testing::WindowTest;

// The message bar sits at the bottom (every other window test) unless the configuration
// puts it on top.
TEST_F(MainWindowTest, TheMessageBarSitsOnTopWhenTheConfigurationSaysSo) {
  ASSERT_TRUE(Open("[Korvane]\r\nRunControl.MessagesOnTop=Y\r\n"));
  QLayout* layout = window->centralWidget()->layout();
  ASSERT_GT(layout->count(), 1);
  EXPECT_EQ(layout->indexOf(&Child<QLabel>(n::kStatusBar)), 0);
}

TEST_F(MainWindowTest, MissingConfigurationDisablesPagesHidesMenuAndShowsTheList) {
  EXPECT_FALSE(Open(""));
  window->show();
  EXPECT_FALSE(Child<QTabWidget>(n::kPageControlMain).isEnabled());
  EXPECT_FALSE(window->menuBar()->isVisible());
  // The status bar's tooltip lists the messages its text only counts.
  EXPECT_NE(Child<QLabel>(n::kStatusBar).toolTip().toStdString().find("No ini file"),
            std::string::npos);
}

TEST_F(MainWindowTest, OnlyAChangedProductAsksAndTheOldOneShowsCheckedMeanwhile) {
  ASSERT_TRUE(Open(testing::CobolIni() + "RadioButtonPLI=PL/I,PLI,x,1,XML\r\n"));
  ASSERT_TRUE(shell->Show());
  auto& cobol = Child<QRadioButton>("RadioButtonCobol");
  auto& pli = Child<QRadioButton>("RadioButtonPLI");
  ASSERT_TRUE(cobol.isChecked());
  shell->CurrentProject().SetModified(true);

  cobol.click();  // the product in use: no question, the job stays
  EXPECT_TRUE(person.asked.empty());
  EXPECT_TRUE(shell->CurrentProject().State().modified);

  std::vector<std::pair<bool, bool>> shownDuringQuestion;
  person.onAsk = [&](const testing::AskedQuestion&) {
    shownDuringQuestion.emplace_back(cobol.isChecked(), pli.isChecked());
  };
  person.answers.push_back(Button::Cancel);
  pli.click();
  EXPECT_EQ(shownDuringQuestion, (std::vector<std::pair<bool, bool>>{{true, false}}));
  EXPECT_TRUE(cobol.isChecked());
  EXPECT_FALSE(pli.isChecked());
  EXPECT_EQ(shell->Catalogue().LangCode(), "COB");
}

// Keys reach the combo's search (its rules are the combo model's own test), and the type
// is chosen only when the search ends; the lists show the job.
TEST_F(MainWindowTest, AContainsSearchGoesOnAndChoosesTheTypeWhenItEnds) {
  ASSERT_TRUE(Open(testing::CobolIni("(OnlineWrap=Y,SubWrap=Y,Frames=N)")));
  ASSERT_TRUE(shell->Show());
  auto& sources = shell->Form().Get<CheckList>(n::kListSources);
  sources.SetItems({{"A.cbl=/x/A.cbl", true, true}, {"B.cbl=/x/B.cbl", false, false}});
  QAbstractItemModel& list = *Child<QTreeView>(n::kListSources).model();
  EXPECT_EQ(list.rowCount(), 2);
  // A disabled entry cannot be checked from the view.
  EXPECT_FALSE(list.flags(list.index(1, 0)) & Qt::ItemIsUserCheckable);
  shell->Sources().Types().HighlightSource(0);
  auto& marks = shell->Form().Get<StringListHolder>(n::kMarksHolder).Keyed();
  ASSERT_EQ(marks.Value("A.cbl.WrpT"), "Onl");

  auto& combo = Child<QComboBox>(n::kComboWrapType);
  auto type = [&](const std::string& keys) {
    for (const char c : keys) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
      QApplication::sendEvent(&combo, &press);
    }
  };
  type("*ub");  // "ub" is in "Subprogram wrapping" only, not at its start
  EXPECT_EQ(combo.currentText().toStdString(), "Subprogram wrapping");
  EXPECT_EQ(marks.Value("A.cbl.WrpT"), "Onl");  // still searching
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(&combo, &enter);
  EXPECT_EQ(marks.Value("A.cbl.WrpT"), "Module");
  list.setData(list.index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
  EXPECT_FALSE(sources.Items()[0].checked);
}

}  // namespace
}  // namespace korvane
