// The window's wiring: a menu command opens real dialogs bound to the core's dialog
// models. What the models decide is the core's test (Commands, SelectionDialogs,
// SettingsDialogs); here a click must reach the model and its answer the person.
#include "stelmar/ui/main_frame.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "scripted_stelmar_port.h"
#include "stelmar/core/menu.h"
#include "stelmar/ui/qt_stelmar_port.h"
#include "support/temp_dir.h"

namespace stelmar::ui {
namespace {

using korvane::testing::TempDir;

// Plays the modal dialogs a command opens, one step per dialog.
class DialogDriver {
 public:
  void Expect(std::function<void(QDialog*)> step) { steps_.push_back(std::move(step)); }
  void Start() { Poll(); }
  bool Done() const { return steps_.empty(); }

 private:
  void Poll() {
    if (steps_.empty()) return;
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    // A closed dialog still unwinding its exec() has not handed its result back yet.
    if (dialog == nullptr || dialog == last_ || !dialog->isVisible() ||
        (last_ != nullptr && !last_->isVisible())) {
      QTimer::singleShot(20, [this] { Poll(); });
      return;
    }
    last_ = dialog;
    auto step = std::move(steps_.front());
    steps_.erase(steps_.begin());
    step(dialog);
    QTimer::singleShot(20, [this] { Poll(); });
  }
  std::vector<std::function<void(QDialog*)>> steps_;
  QPointer<QDialog> last_;  // a dialog at the address of a closed one is a new one
};

void PressOk(QDialog* d) {
  d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

class StelmarWindow : public ::testing::Test {
 protected:
  StelmarWindow() : commands(port, starter, dir / "stelmar.ini"), frame(commands) {
    std::filesystem::create_directories(dir.Path() / "in/copybooks");
    std::filesystem::create_directories(dir.Path() / "work");
    for (const char* name : {"in/ACCOUNTS.pli", "in/BILLING.pli", "in/CUSTCOPY"})
      dir.Write(name, "");
    dir.Write("out/INVUPD.pli", "INVUPD: PROC;\n DCL INFILE FILE;\n DCL OUTF FILE;\n");
    dir.Write("prog/file.ext", "pli\n");
    port.SetParent(&frame);
    commands.Start(dir / "prog");
    Settings& s = commands.Record();
    s.INPUT_DIR = dir / "in";
    s.OUTPUT_DIR = dir / "out";
    s.WORK_DIR = dir / "work";
    frame.show();
  }

  // Chooses the command from the menu, as the person does.
  void Run(int id) {
    driver.Start();
    frame.ActionFor(id)->trigger();
    EXPECT_TRUE(driver.Done());
  }

  TempDir dir;
  QtStelmarPort port;
  testing::RecordingStarter starter;
  StelmarCommands commands;
  MainFrame frame;
  DialogDriver driver;
};

TEST_F(StelmarWindow, InHelpModeACommandOpensItsTopicInstead) {
  frame.EnterHelpMode();
  driver.Expect([](QDialog* d) {
    EXPECT_NE(qobject_cast<QMessageBox*>(d), nullptr);
    d->accept();
  });
  Run(kCmdWrapModule);
  EXPECT_FALSE(frame.InHelpMode());
  EXPECT_TRUE(starter.started.empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "work"));  // no job parameter file either
}

TEST_F(StelmarWindow, SelectionsInTheListsReachTheCommands) {
  driver.Expect([](QDialog* d) {
    auto* list = d->findChild<QListWidget*>("101");
    ASSERT_EQ(list->count(), 1);
    list->setCurrentRow(0);
    EXPECT_EQ(d->findChild<QLineEdit*>("102")->text(), "INVUPD.pli");
    PressOk(d);
  });
  driver.Expect([](QDialog* d) {
    auto* list = d->findChild<QListWidget*>("101");
    ASSERT_EQ(list->count(), 2);
    list->item(1)->setSelected(true);
    PressOk(d);
  });
  Run(kCmdWrapProgram);
  EXPECT_EQ(dir.Read("out/INVUPD.obj"), "OUTF\r\n");

  driver.Expect([](QDialog* d) {
    auto* left = d->findChild<QListWidget*>("104");
    ASSERT_EQ(left->count(), 3);
    left->item(0)->setSelected(true);
    left->item(2)->setSelected(true);
    d->findChild<QPushButton*>("101")->click();
    EXPECT_EQ(d->findChild<QListWidget*>("105")->count(), 2);
    PressOk(d);
  });
  Run(kCmdMorrel);
  ASSERT_EQ(starter.started.size(), 2u);
  EXPECT_EQ(dir.Read("work/" + std::filesystem::path(starter.started[1][1]).filename().string())
                .substr(0, 24),
            "ACCOUNTS.PLI\r\nCUSTCOPY\r\n");
}

TEST_F(StelmarWindow, SettingsDialogsReachTheRecord) {
  // A click that opens a nested dialog is deferred, so the driver sees it.
  driver.Expect([](QDialog* d) {
    QTimer::singleShot(0, [d] { d->findChild<QPushButton*>("104")->click(); });
  });
  driver.Expect([](QDialog* d) {
    auto* list = d->findChild<QListWidget*>("101");
    ASSERT_EQ(list->count(), 2);  // [..] and [copybooks]
    emit list->itemClicked(list->item(1));
    PressOk(d);
  });
  driver.Expect([this](QDialog* d) {
    EXPECT_EQ(d->findChild<QLineEdit*>("101")->text().toStdString(), dir / "in/copybooks");
    PressOk(d);
  });
  Run(kCmdOpenLib);
  EXPECT_EQ(commands.Record().INPUT_DIR, dir / "in/copybooks");

  // A refused field shows the core's message box and keeps the dialog open.
  driver.Expect([](QDialog* d) {
    d->findChild<QLineEdit*>("103")->setText("/no/such/copy/dir");
    QTimer::singleShot(0, [d] { PressOk(d); });
  });
  driver.Expect([](QDialog* box) {
    EXPECT_NE(qobject_cast<QMessageBox*>(box), nullptr);
    box->accept();
  });
  driver.Expect([](QDialog* d) {
    d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
  });
  Run(kCmdOpenCopyLib);
  EXPECT_EQ(commands.Record().COPY_DIR[2], "");

  commands.Record().TYPE = "MODUL";
  driver.Expect([](QDialog* d) {
    EXPECT_TRUE(d->findChild<QRadioButton*>("103")->isChecked());  // MODUL shows as UTM
    d->findChild<QRadioButton*>("102")->click();
    PressOk(d);
  });
  Run(kCmdParameter);
  EXPECT_EQ(commands.Record().TYPE, "CICS");

  driver.Expect([](QDialog* d) {
    d->findChild<QLineEdit*>("101")->setText("/usr/bin/less");
    PressOk(d);
  });
  Run(kCmdEditor);
  EXPECT_EQ(commands.Record().EDITOR, "/usr/bin/less");

  driver.Expect([](QDialog* d) {
    bool found = false;
    for (auto* label : d->findChildren<QLabel*>()) found |= label->text() == "Stelmar Version 1.0";
    EXPECT_TRUE(found);
    d->accept();
  });
  Run(kCmdAbout);
}

}  // namespace
}  // namespace stelmar::ui
