// Widgets call the core only through the command gate: whatever the core
// throws ends that call, never the program. And the binders show what the
// model says, change by change.
#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeView>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "korvane/core/app/shell.h"
#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/settings_store.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "korvane/ui/binders.h"
#include "korvane/ui/components/drop_button.h"
#include "korvane/ui/components/file_list_view.h"
#include "korvane/ui/components/frame_widgets.h"
#include "korvane/ui/components/inc_combo_box.h"
#include "korvane/ui/page_tabs.h"
#include "platform/memory_settings.h"
#include "support/scripted_person.h"
#include "support/table_rows.h"
#include "window_fixture.h"

namespace korvane {
namespace {

namespace n = names;
using testing::SendDrop;

// A gate as the shell keeps it, counting how the calls ended.
class TestGate : public CommandGate {
 public:
  bool Run(const std::function<void()>& work) override {
    ++runs;
    return RunGuarded(person, work, &stats);
  }
  bool Execute(const std::string& actionName) override {
    return Run([&] { actions.Get(actionName).Invoke(); });
  }
  testing::ScriptedPerson person;
  GuardStats stats;
  ActionList actions;
  int runs = 0;
};

// One bound control whose core side fails, and how the person drives it.
struct Rig {
  platform::MemorySettings backend;
  SettingsStore settings{backend};
  FormModel form;
  TestGate gate;
  ConnectionList core;
  std::function<void()> fail;
  std::unique_ptr<QWidget> parent = std::make_unique<QWidget>();
};

struct ControlCase {
  const char* name;
  int calls;  // guarded calls the drive makes, each reaching the failing core
  std::function<void(Rig&)> drive;
};

const std::vector<ControlCase>& ControlCases() {
  static const std::vector<ControlCase> cases = {
      {"edit typed and left", 2,
       [](Rig& r) {
         auto& edit = r.form.Create<EditBox>(n::kEditSystemName, "");
         auto* w = new QLineEdit(r.parent.get());
         ui::BindEdit(r.gate, edit, w);
         r.core.Add(edit.edited.Connect(r.fail));
         r.core.Add(edit.exited.Connect(r.fail));
         QTest::keyClicks(w, "7");
         QTest::keyClick(w, Qt::Key_Return);
       }},
      {"memo typed", 1,
       [](Rig& r) {
         auto& memo = r.form.Create<Memo>(n::kMemoNewFileNames, "");
         auto* w = new QPlainTextEdit(r.parent.get());
         ui::BindMemo(r.gate, memo, w);
         r.core.Add(memo.reset.Connect(r.fail));
         QTest::keyClicks(w, "x");
       }},
      {"button", 1,
       [](Rig& r) {
         auto& button = r.form.Create<ButtonControl>(n::kButtonApplyType, "", "Apply", "");
         auto* w = new QPushButton(r.parent.get());
         ui::BindButton(r.gate, button, w);
         r.core.Add(button.clicked.Connect(r.fail));
         w->click();
       }},
      {"action", 1,
       [](Rig& r) {
         Action& action = r.gate.actions.Add(n::kActRunWrap, "Start", "Run");
         action.SetHandler(r.fail);
         auto* a = new QAction(r.parent.get());
         ui::BindAction(r.gate, action, a);
         a->trigger();
       }},
      {"radio button and group", 2,
       [](Rig& r) {
         auto& button = r.form.Create<RadioButton>("RadioButtonCobol", "", "Cobol");
         auto* radio = new QRadioButton(r.parent.get());
         ui::BindRadioButton(r.gate, button, radio);
         r.core.Add(button.clicked.Connect(r.fail));
         radio->click();
         auto& group = r.form.Create<RadioGroup>(n::kRadioGroupVersions, "");
         group.SetItems({"XML", "WSDL"});
         auto* w = new QGroupBox(r.parent.get());
         ui::BindRadioGroup(r.gate, group, w);
         r.core.Add(group.clicked.Connect(r.fail));
         w->findChildren<QRadioButton*>().at(1)->click();
       }},
      {"check mark and list slot", 2,
       [](Rig& r) {
         auto& objects = r.form.Create<CheckList>(n::kListObjects, "");
         auto& tags = r.form.Create<CheckList>(n::kListControlTags, "");
         objects.SetItems({{"A", false, true}});
         tags.SetItems({{"A", false, true}});
         r.core.Add(tags.rowsChanged.Connect([&r](size_t, size_t) { r.fail(); }));
         for (auto* model : {new ui::CheckListModel(r.gate, objects, r.fail, r.parent.get()),
                             new ui::CheckListModel(r.gate, tags, {}, r.parent.get())})
           EXPECT_FALSE(model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole));
       }},
      {"combo key and pick", 2,
       [](Rig& r) {
         auto& combo = r.form.Create<ComboBox>(n::kComboWrapType, "");
         combo.Combo().AddItem("Transaction wrapping");
         combo.Combo().AddItem("Subprogram wrapping");
         r.core.Add(combo.Combo().textChanged.Connect(r.fail));
         r.core.Add(combo.Combo().clicked.Connect(r.fail));
         auto* w = new ui::IncComboBox(r.gate, combo, r.parent.get());
         QTest::keyClick(w, Qt::Key_S);
         emit w->activated(1);
       }},
      {"combo changed slot", 1,
       [](Rig& r) {
         auto& combo = r.form.Create<ComboBox>(n::kComboOutputInterface, "");
         combo.Combo().AddItem("A");
         auto* w = new ui::IncComboBox(r.gate, combo, r.parent.get());
         r.core.Add(combo.changed.Connect(r.fail));
         emit w->activated(0);
       }},
      {"path typed, left and browsed", 3,
       [](Rig& r) {
         auto& frame = r.form.Create<DirectoryFrame>(n::kFrameOutputDir, "", "Output");
         r.core.Add(frame.typed.Connect(r.fail));
         r.core.Add(frame.leaving.Connect(r.fail));
         r.core.Add(frame.browseClicked.Connect(r.fail));
         auto* w = new ui::PathFrameWidget(r.gate, frame, r.parent.get());
         QTest::keyClicks(w->findChild<QLineEdit*>("Edit"), "7");
         QTest::keyClick(w->findChild<QLineEdit*>("Edit"), Qt::Key_Return);
         w->findChild<QToolButton*>()->click();
       }},
      {"path drop", 1,
       [](Rig& r) {
         auto& frame = r.form.Create<DirectoryFrame>(n::kFrameOutputDir, "", "Output");
         frame.Bind(r.gate.person, r.settings);
         r.core.Add(frame.directoryChanged.Connect(r.fail));
         auto* w = new ui::PathFrameWidget(r.gate, frame, r.parent.get());
         SendDrop(w, "/tmp");
       }},
      {"page tab", 1,
       [](Rig& r) {
         auto& pages = r.form.Create<PageControl>(n::kPageControlMain, "");
         r.form.Create<Page>(n::kPageLanguages, n::kPageControlMain, "Languages");
         r.form.Create<Page>(n::kPageNames, n::kPageControlMain, "Names");
         auto* tabs = new QTabWidget(r.parent.get());
         ui::PageTabs::Bind(r.gate, r.form, pages, tabs,
                            {{n::kPageLanguages, new QWidget()}, {n::kPageNames, new QWidget()}});
         r.core.Add(pages.pageChanged.Connect(r.fail));
         tabs->setCurrentIndex(1);
       }},
      {"drop button", 1,
       [](Rig& r) {
         auto* w = new ui::DropButton(
             r.gate, [&r](const std::vector<std::string>&) { r.fail(); }, r.parent.get());
         SendDrop(w, "/tmp");
       }},
  };
  return cases;
}

TEST(GuardedWidgets, EveryControlKindSurvivesAFailingCore) {
  for (const ControlCase& c : ControlCases()) {
    for (const bool abort : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (abort ? " / abort" : " / failure"));
      Rig rig;
      rig.fail = [abort] {
        if (abort) throw OperationAbort();
        throw std::runtime_error("core failed");
      };
      EXPECT_NO_THROW(c.drive(rig));
      EXPECT_EQ(abort ? rig.gate.stats.aborted : rig.gate.stats.failed, c.calls);
      EXPECT_EQ(rig.gate.person.failures,
                std::vector<std::string>(abort ? 0 : c.calls, "core failed"));
    }
  }
}

class GuardedWindowTest : public testing::WindowTest {
 protected:
  void SetUp() override { OpenShown(testing::CobolIni("(OnlineWrap=Y,SubWrap=Y,Frames=N)")); }
};

// Shows the page that holds the widget, tab by tab up to the window.
void ShowPageOf(Shell& shell, QWidget* widget) {
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    auto* tabs = qobject_cast<QTabWidget*>(
        w->parentWidget() != nullptr ? w->parentWidget()->parentWidget() : nullptr);
    if (tabs == nullptr || tabs->indexOf(w) < 0) continue;
    if (auto* page = dynamic_cast<Page*>(shell.Form().Find(w->objectName().toStdString()))) {
      page->SetVisible(true);
    }
    tabs->setCurrentWidget(w);
  }
}

TEST_F(GuardedWindowTest, EveryLineEditTakesADigitLedTextAndTab) {
  const auto edits = window->findChildren<QLineEdit*>();
  ASSERT_GE(edits.size(), 10);  // names, output and tool paths, word fields
  int tabbed = 0;
  for (QLineEdit* edit : edits) {
    const std::string name =
        (edit->objectName() == "Edit" ? edit->parentWidget()->objectName() : edit->objectName())
            .toStdString();
    SCOPED_TRACE(name);
    ShowPageOf(*shell, edit);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "7abc");
    if (edit->hasFocus()) {
      QTest::keyClick(edit, Qt::Key_Tab);
      if (QWidget* next = QApplication::focusWidget()) QTest::keyClick(next, Qt::Key_Escape);
      ++tabbed;
    } else {
      emit edit->editingFinished();  // a field the window keeps hidden or disabled
    }
    QPointer<QWidget> alive(window.get());
    QApplication::processEvents();
    ASSERT_TRUE(alive);
  }
  EXPECT_GE(tabbed, 2);
  EXPECT_GE(shell->Stats().aborted, 2);
}

TEST_F(GuardedWindowTest, FileListStatusBarAndWindowCallsAreGuarded) {
  auto& sources = shell->Form().Get<CheckList>(n::kListSources);
  sources.SetItems({{"A.cbl=/x/A.cbl", true, true}, {"B.cbl=/x/B.cbl", true, true}});
  ConnectionList failing;
  failing.Add(sources.selectionChanged.Connect([] { throw OperationAbort(); }));
  failing.Add(sources.reset.Connect([] { throw std::runtime_error("list failed"); }));
  failing.Add(shell->Status().clicked.Connect([] { throw std::runtime_error("status failed"); }));
  auto endedEarly = [this] { return shell->Stats().aborted + shell->Stats().failed; };

  auto* view = window->findChild<QTreeView*>(n::kListSources);
  ASSERT_NE(view, nullptr);
  ShowPageOf(*shell, view);
  int before = endedEarly();
  view->setCurrentIndex(view->model()->index(1, 0));
  EXPECT_EQ(sources.ItemIndex(), 1);
  EXPECT_GT(endedEarly(), before);

  dir.Write("C.cbl", "       IDENTIFICATION DIVISION.\r\n");
  SendDrop(view, dir / "C.cbl");  // the list's first announcement fails
  QTest::mouseClick(window->findChild<QLabel*>(n::kStatusBar), Qt::LeftButton);
  EXPECT_EQ(person.failures, (std::vector<std::string>{"list failed", "status failed"}));

  before = endedEarly();
  SendDrop(window.get(), dir / "missing.jwrap");
  QApplication::processEvents();
  EXPECT_GT(endedEarly(), before);
  EXPECT_TRUE(window->isVisible());
}

TEST_F(GuardedWindowTest, AComponentThatLeavesTheFormTakesItsWidgetAlong) {
  FormModel& form = shell->Form();
  auto& memo = form.Create<Memo>("MemoViewer1", n::kPageViewer);
  QWidget* page = window->findChild<QWidget*>(n::kPageViewer);
  ASSERT_NE(page, nullptr);
  auto* widget = new QPlainTextEdit(page);
  ui::BindMemo(*shell, memo, widget);
  memo.AppendLine("still on its way");
  QPointer<QPlainTextEdit> alive(widget);

  ASSERT_TRUE(form.Remove("MemoViewer1"));
  ASSERT_TRUE(alive);  // deleted later, not under the caller's feet
  EXPECT_FALSE(widget->isVisible());
  QTest::keyClicks(widget, "typed after");  // reaches no model
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(alive);
  EXPECT_EQ(shell->Stats().failed, 0);
}

TEST(Binders, HintsAndCheckMarksFollowTheModel) {
  TestGate gate;
  QWidget parent;
  EditBox edit(n::kEditObjects, "");
  edit.SetHint("Objects to scan");
  auto* field = new QLineEdit(&parent);
  ui::BindEdit(gate, edit, field);
  EXPECT_EQ(field->toolTip().toStdString(), "Objects to scan");
  edit.SetHint("");
  EXPECT_TRUE(field->toolTip().isEmpty());

  Action& plain = gate.actions.Add("ActDontRun", "Stop", "Preparation");
  Action& toggle = gate.actions.Add(n::kActShowAdvanced, "Extended", "Technical");
  toggle.SetCheckable(true);
  toggle.SetHandler([] {});
  auto* plainAction = new QAction(&parent);
  auto* toggleAction = new QAction(&parent);
  ui::BindAction(gate, plain, plainAction);
  ui::BindAction(gate, toggle, toggleAction);
  EXPECT_TRUE(toggleAction->isCheckable());
  EXPECT_FALSE(plainAction->isCheckable());
  plain.SetChecked(true);
  EXPECT_TRUE(plainAction->isCheckable());
  EXPECT_TRUE(plainAction->isChecked());
  plain.SetChecked(false);
  EXPECT_FALSE(plainAction->isCheckable());
  // A command that cannot work here is greyed and says why.
  EXPECT_FALSE(plainAction->isEnabled());
  plain.SetHandler([] {});
  plain.SetUnavailable("Comes with the run part");
  EXPECT_FALSE(plainAction->isEnabled());
  EXPECT_EQ(plainAction->toolTip().toStdString(), "Comes with the run part");
  plain.SetUnavailable("");
  EXPECT_TRUE(plainAction->isEnabled());
  // A click on a checkable action shows what the model made of it, not a flip.
  toggleAction->trigger();
  EXPECT_FALSE(toggleAction->isChecked());
  toggle.SetHandler([&toggle] { toggle.SetChecked(!toggle.Checked()); });
  toggleAction->trigger();
  EXPECT_TRUE(toggleAction->isChecked());
}

// Counts the document changes a memo widget goes through.
struct DocumentLog {
  explicit DocumentLog(QPlainTextEdit* w) {
    QObject::connect(w->document(), &QTextDocument::contentsChange, w,
                     [this](int, int, int) { ++changes; });
  }
  int changes = 0;
};

// The cases are in tests/data/gui/memo_binder.txt.
TEST(Binders, MemoAppendsOncePerTurnAndResetsReplace) {
  const auto rows = testing::ReadRows("gui/memo_binder.txt");
  ASSERT_GE(rows.size(), 6u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TestGate gate;
    Memo memo(n::kMemoCaptureConsole, "");
    QPlainTextEdit widget;
    ui::BindMemo(gate, memo, &widget);
    DocumentLog log(&widget);
    std::optional<std::string> shown;
    int changes = -1;
    for (const auto& [key, text] : row.lines) {
      std::vector<std::string> lines;
      for (std::string rest = text + "|"; !rest.empty();) {
        auto [line, next] = testing::Split(rest, "|");
        lines.push_back(line);
        rest = next;
      }
      if (key == "append") memo.AppendLine(text);
      if (key == "appends") memo.AppendLines(lines);
      if (key == "set") memo.SetLines(lines);
      if (key == "clear") memo.Clear();
      for (int i = 0; key == "numbered" && i < std::stoi(text); ++i)
        memo.AppendLine("line " + std::to_string(i));
      if (key == "shown") shown = text;
      if (key == "changes") changes = std::stoi(text);
    }
    QApplication::processEvents();
    if (!shown) {
      shown.emplace();
      for (size_t i = 0; i < memo.Lines().size(); ++i)
        *shown += (i > 0 ? "\n" : "") + memo.Lines()[i];
    }
    EXPECT_EQ(widget.toPlainText().toStdString(), *shown);
    if (changes >= 0) {
      EXPECT_EQ(log.changes, changes);
    }
    EXPECT_EQ(gate.runs, 0);  // showing the model calls nothing back
  }
}

TEST(Binders, MemoStaysAtTheEndOnlyWhenItWasThere) {
  TestGate gate;
  Memo memo(n::kMemoCaptureConsole, "");
  memo.SetReadOnly(true);
  QPlainTextEdit widget;
  widget.resize(300, 120);
  ui::BindMemo(gate, memo, &widget);
  widget.show();
  std::vector<std::string> lines(200, "text");
  memo.SetLines(lines);
  QApplication::processEvents();
  QScrollBar* bar = widget.verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0);

  // Lines pouring in reach the widget a little later, not at every turn.
  auto shown = [&widget](int lines) {
    return QTest::qWaitFor([&] { return widget.document()->blockCount() == lines; });
  };
  bar->setValue(bar->maximum());
  memo.AppendLines({"more", "and more"});
  ASSERT_TRUE(shown(202));
  EXPECT_EQ(bar->value(), bar->maximum());

  bar->setValue(3);  // the person scrolled up to read
  memo.AppendLine("later");
  ASSERT_TRUE(shown(203));
  EXPECT_EQ(bar->value(), 3);
  EXPECT_TRUE(widget.isReadOnly());
}

TEST(Binders, MemoTypingReachesTheModelWithoutEcho) {
  TestGate gate;
  Memo memo(n::kMemoNewFileNames, "");
  memo.SetLines({"A=B"});
  QPlainTextEdit widget;
  ui::BindMemo(gate, memo, &widget);
  widget.moveCursor(QTextCursor::End);
  QTest::keyClick(&widget, Qt::Key_Return);
  QTest::keyClicks(&widget, "C=D");
  EXPECT_EQ(memo.Lines(), (std::vector<std::string>{"A=B", "C=D"}));
  EXPECT_TRUE(memo.Modified());
  EXPECT_TRUE(widget.textCursor().atEnd());  // the model's echo left the cursor alone
}

TEST(Binders, CheckListModelFollowsRowsAndNeverResetsForASelection) {
  TestGate gate;
  CheckList list(n::kListCopies, "");
  list.SetItems({{"A"}, {"B"}, {"C"}});
  ui::CheckListModel model(gate, list, {}, nullptr);
  // A broken model contract ends the test program.
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  std::vector<std::string> events;
  QObject::connect(&model, &QAbstractItemModel::rowsInserted,
                   [&](const QModelIndex&, int first, int last) {
                     events.push_back("ins " + std::to_string(first) + "-" + std::to_string(last));
                   });
  QObject::connect(&model, &QAbstractItemModel::rowsRemoved,
                   [&](const QModelIndex&, int first, int last) {
                     events.push_back("rem " + std::to_string(first) + "-" + std::to_string(last));
                   });
  QObject::connect(
      &model, &QAbstractItemModel::dataChanged,
      [&](const QModelIndex& from, const QModelIndex& to) {
        events.push_back("chg " + std::to_string(from.row()) + "-" + std::to_string(to.row()));
      });
  QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { events.push_back("reset"); });

  list.Insert(1, {"A2"});
  EXPECT_EQ(model.rowCount({}), 4);
  EXPECT_EQ(model.data(model.index(1, 0), Qt::DisplayRole).toString().toStdString(), "A2");
  list.SetItemIndex(2);
  list.SetChecked(3, true);
  EXPECT_EQ(model.data(model.index(3, 0), Qt::CheckStateRole).toInt(), Qt::Checked);
  list.RemoveAt(0);
  list.Add({"D"});
  list.Touch();
  EXPECT_EQ(events,
            (std::vector<std::string>{"ins 1-1", "chg 3-3", "rem 0-0", "ins 3-3", "reset"}));
  EXPECT_EQ(model.rowCount({}), 4);
  EXPECT_EQ(gate.runs, 0);
}

}  // namespace
}  // namespace korvane
