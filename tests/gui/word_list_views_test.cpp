#include "korvane/ui/pages/word_list_views.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QVBoxLayout>

#include "korvane/core/components/controls.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "korvane/ui/pages/word_pages.h"
#include "window_fixture.h"

namespace korvane {
namespace {

namespace n = names;
using Kind = ui::WordListView::Kind;

// One word list in a window of its own, beside another field to move the focus to.
class WordListViewTest : public testing::WindowTest {
 protected:
  void Show(Kind kind, std::vector<CheckListItem> items) {
    Open("[Korvane]\r\n", false);
    list = &shell->Form().Get<CheckList>(kind == Kind::kControlWords ? n::kListControlTags
                                                                     : n::kListObjects);
    list->SetItems(std::move(items));
    host = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(host.get());
    view = new ui::WordListView(*shell, kind, host.get());
    other = new QLineEdit(host.get());
    layout->addWidget(view);
    layout->addWidget(other);
    host->resize(500, 300);
    host->show();
    host->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(host.get()));
  }

  QPoint RowAt(int row, int x) const {
    const QRect line = view->visualRect(view->model()->index(row, 0));
    return {x, line.center().y()};
  }
  QLineEdit* FieldItself() const { return qobject_cast<QLineEdit*>(view->Editor()); }
  // Whether the editor is open, and the first entry.
  std::string Seen() const {
    return (view->Editor()->isVisible() ? "open " : "closed ") + list->Items()[0].text;
  }

  std::unique_ptr<QWidget> host;  // the list in a window of its own
  ui::WordListView* view = nullptr;
  QLineEdit* other = nullptr;
  CheckList* list = nullptr;
};

// Which gesture stores, cancels or opens is shown here; what a store or a cancel does
// to the list and the job is the editors' scenario of WordLists.Scenarios.
TEST_F(WordListViewTest, ControlWordOpensRightOfTheCheckBoxAndClosesByEveryGesture) {
  Show(Kind::kControlWords, {{"INPT CUSTOMER", true, true}});
  // The check box area toggles the mark and opens nothing.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowAt(0, 8));
  EXPECT_FALSE(list->Items()[0].checked);
  EXPECT_EQ(Seen(), "closed INPT CUSTOMER");

  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowAt(0, 200));
  auto* type = view->Editor()->findChild<QComboBox*>(n::kComboEditCWrd);
  auto* word = view->Editor()->findChild<QLineEdit*>(n::kEditCWrd);
  ASSERT_TRUE(type != nullptr && word != nullptr);
  EXPECT_EQ(Seen() + " as " + type->currentText().toStdString() + "|" + word->text().toStdString(),
            "open INPT CUSTOMER as INPT|CUSTOMER");
  EXPECT_TRUE(word->hasFocus());
  EXPECT_GE(view->Editor()->geometry().right(), 200);  // reaches the pointer
  EXPECT_EQ(list->ItemIndex(), -1);

  // Enter stores and gives the focus back to the list.
  type->setCurrentText("FUNC");
  QTest::keyClick(word, Qt::Key_Return);
  EXPECT_EQ(Seen(), "closed FUNC CUSTOMER");
  EXPECT_TRUE(view->hasFocus());

  // Enter on the highlighted line opens it; the focus leaving it stores.
  list->SetItemIndex(0);
  QTest::keyClick(view, Qt::Key_Return);
  type->setCurrentText("AB");
  other->setFocus();
  EXPECT_EQ(Seen(), "closed AB   CUSTOMER");

  // So does the pointer leaving the editor; Esc drops the typing.
  list->SetItemIndex(0);
  QTest::keyClick(view, Qt::Key_Return);
  QTest::keyClicks(word, "X");
  QTest::mouseMove(view->viewport(), RowAt(0, view->Editor()->geometry().right() + 40));
  EXPECT_EQ(Seen(), "closed AB   CUSTOMERX");
  list->SetItemIndex(0);
  QTest::keyClick(view, Qt::Key_Return);
  QTest::keyClicks(word, "Y");
  QTest::keyClick(word, Qt::Key_Escape);
  EXPECT_EQ(Seen(), "closed AB   CUSTOMERX");
}

TEST_F(WordListViewTest, ObjectOpensOnAClickStoresOnEnterAndDropsOnEsc) {
  Show(Kind::kObjects, {{"A B", true, true}});
  QLineEdit* field = FieldItself();
  ASSERT_NE(field, nullptr);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowAt(0, 100));
  EXPECT_EQ(Seen() + " as " + field->text().toStdString(), "open A B as A B");
  other->setFocus();
  EXPECT_EQ(Seen(), "closed A B");

  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowAt(0, 100));
  QTest::keyClicks(field, "zz");
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_EQ(Seen(), "closed A B");

  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, RowAt(0, 100));
  QTest::keyClicks(field, " C");
  QTest::keyClick(field, Qt::Key_Enter);
  EXPECT_EQ(Seen(), "closed A B C");

  // An empty list opens nothing.
  list->Clear();
  QTest::keyClick(view, Qt::Key_Return);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(100, 5));
  EXPECT_FALSE(field->isVisible());
}

TEST_F(WordListViewTest, TheWordFieldTakesDroppedTextAndDraggedControlWords) {
  Show(Kind::kControlWords, {{"OUTP REPORT-LINE", true, true}});
  ui::WordListPage page(*shell, nullptr);
  auto* word = page.findChild<QLineEdit*>(n::kEditCreateWrdList);
  ASSERT_NE(word, nullptr);
  QMimeData text;
  text.setText("FIRST\nSECOND");
  EXPECT_TRUE(testing::SendDrop(word, text));
  EXPECT_EQ(word->text().toStdString(), "FIRST");

  list->SetItemIndex(0);
  QMimeData dragged;
  dragged.setData(ui::kControlWordMime, {});
  EXPECT_TRUE(testing::SendDrop(word, dragged));
  EXPECT_EQ(word->text().toStdString(), "REPORT-LINE");
  EXPECT_EQ(shell->Form().Get<ComboBox>(n::kComboCreateWrdList).Combo().EditText(), "OUTP");
}

}  // namespace
}  // namespace korvane
