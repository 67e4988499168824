#include "stelmar/ui/main_frame.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <filesystem>
#include <functional>

#include "scripted_stelmar_port.h"
#include "stelmar/core/menu.h"
#include "stelmar/ui/qt_stelmar_port.h"
#include "support/temp_dir.h"

namespace stelmar::ui {
namespace {

using korvane::testing::TempDir;

// Plays the modal dialogs a command opens, one step per dialog. With
// STELMAR_SHOTS set to a folder, each dialog is saved there as <name>.png.
class DialogDriver {
 public:
  void Expect(const QString& shot, std::function<void(QDialog*)> step) {
    steps_.push_back({shot, std::move(step)});
  }
  void Start() { Poll(); }
  bool Done() const { return steps_.empty(); }

 private:
  struct Step {
    QString shot;
    std::function<void(QDialog*)> act;
  };
  void Poll() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (steps_.empty()) return;
    if (dialog == nullptr || dialog == last_ || !dialog->isVisible()) {
      QTimer::singleShot(20, [this] { Poll(); });
      return;
    }
    last_ = dialog;
    Step step = steps_.front();
    steps_.erase(steps_.begin());
    const QString dir = qEnvironmentVariable("STELMAR_SHOTS");
    if (!dir.isEmpty()) dialog->grab().save(dir + "/" + step.shot + ".png");
    step.act(dialog);
    QTimer::singleShot(20, [this] { Poll(); });
  }
  std::vector<Step> steps_;
  QPointer<QDialog> last_;  // a dialog at the address of a closed one is a new one
};

void PressOk(QDialog* d) {
  d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}
void PressCancel(QDialog* d) {
  d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
}

class StelmarWindow : public ::testing::Test {
 protected:
  StelmarWindow() : commands(port, starter, dir / "stelmar.ini"), frame(commands) {
    std::filesystem::create_directories(dir.Path() / "in/copybooks");
    std::filesystem::create_directories(dir.Path() / "out");
    std::filesystem::create_directories(dir.Path() / "work");
    for (const char* name : {"in/ACCOUNTS.pli", "in/BILLING.pli", "in/CUSTCOPY"})
      dir.Write(name, "");
    dir.Write("out/INVUPD.pli",
              "INVUPD: PROC OPTIONS(MAIN);\n DCL INFILE FILE RECORD INPUT;\n"
              " DCL OUTF FILE;\n BOOK: PROCEDURE;\n END;\n");
    dir.Write("prog/file.ext", "pli\n");
    port.SetParent(&frame);
    commands.Start(dir / "prog");
    Settings& s = commands.Record();
    s.INPUT_DIR = dir / "in";
    s.OUTPUT_DIR = dir / "out";
    s.WORK_DIR = dir / "work";
    frame.show();
    const QString shots = qEnvironmentVariable("STELMAR_SHOTS");
    if (!shots.isEmpty()) frame.grab().save(shots + "/main_window.png");
  }

  void Run(int id) {
    driver.Start();
    frame.RunCommand(id);
    EXPECT_TRUE(driver.Done());
  }

  TempDir dir;
  QtStelmarPort port;
  testing::RecordingStarter starter;
  StelmarCommands commands;
  MainFrame frame;
  DialogDriver driver;
};

TEST_F(StelmarWindow, MenuToolBarAndHints) {
  EXPECT_EQ(frame.windowTitle(), "Stelmar");
  QStringList tops;
  for (QAction* a : frame.menuBar()->actions()) tops << a->text();
  EXPECT_EQ(tops, (QStringList{"&File", "&Morrel", "&Functions", "&Options", "&View", "&Help"}));
  for (const MenuItem& item : MainMenu()) {
    if (item.id == 0) continue;
    QAction* action = frame.ActionFor(item.id);
    ASSERT_NE(action, nullptr) << item.id;
    EXPECT_EQ(action->data().toInt(), item.id);
    action->showStatusText(&frame);
    EXPECT_EQ(frame.statusBar()->currentMessage(), QString::fromUtf8(item.hint)) << item.id;
  }
  EXPECT_EQ(frame.ActionFor(kCmdExit)->shortcut(), QKeySequence("Alt+F4"));
  auto* file = frame.menuBar()->actions().front()->menu();
  ASSERT_EQ(file->actions().size(), 4);
  EXPECT_TRUE(file->actions()[2]->isSeparator());
  auto* bar = frame.findChild<QToolBar*>("Toolbar");
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(bar->actions().size(), 3);
  EXPECT_EQ(bar->actions()[0], frame.ActionFor(kCmdOpenLib));
  EXPECT_TRUE(bar->actions()[1]->isSeparator());
  EXPECT_EQ(bar->actions()[2], frame.ActionFor(kCmdHelpContents));
}

TEST_F(StelmarWindow, InHelpModeACommandOpensItsTopicInstead) {
  frame.EnterHelpMode();
  driver.Expect("help_topic", [](QDialog* d) {
    EXPECT_EQ(d->windowTitle(), "Stelmar Help");
    d->accept();
  });
  Run(kCmdWrapModule);
  EXPECT_FALSE(frame.InHelpMode());
  EXPECT_TRUE(starter.started.empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path() / "work"));  // no job parameter file either
}

TEST_F(StelmarWindow, WrapProgramThroughBothSelectionDialogs) {
  driver.Expect("select_file", [](QDialog* d) {
    EXPECT_EQ(d->windowTitle(), "Wrap Program File Selection");
    auto* list = d->findChild<QListWidget*>("101");
    ASSERT_EQ(list->count(), 1);
    list->setCurrentRow(0);
    EXPECT_EQ(d->findChild<QLineEdit*>("102")->text(), "INVUPD.pli");
    PressOk(d);
  });
  driver.Expect("select_objects", [](QDialog* d) {
    EXPECT_EQ(d->windowTitle(), "FILE Selection [INVUPD.pli]");
    auto* list = d->findChild<QListWidget*>("101");
    ASSERT_EQ(list->count(), 2);
    list->item(1)->setSelected(true);
    PressOk(d);
  });
  Run(kCmdWrapProgram);
  EXPECT_EQ(dir.Read("out/INVUPD.obj"), "OUTF\r\n");
  ASSERT_EQ(starter.started.size(), 1u);
  EXPECT_EQ(starter.started[0][0], dir / "prog/ardent");
}

TEST_F(StelmarWindow, IncludeExpansionMovesFilesRight) {
  driver.Expect("select_files", [](QDialog* d) {
    EXPECT_EQ(d->windowTitle(), "Morrel File Selection");
    auto* left = d->findChild<QListWidget*>("104");
    ASSERT_EQ(left->count(), 3);
    left->item(0)->setSelected(true);
    left->item(2)->setSelected(true);
    d->findChild<QPushButton*>("101")->click();
    EXPECT_EQ(d->findChild<QListWidget*>("105")->count(), 2);
    PressOk(d);
  });
  Run(kCmdMorrel);
  ASSERT_EQ(starter.started.size(), 1u);
  EXPECT_EQ(dir.Read("work/" + std::filesystem::path(starter.started[0][1]).filename().string())
                .substr(0, 24),
            "ACCOUNTS.PLI\r\nCUSTCOPY\r\n");
}

TEST_F(StelmarWindow, SettingsDialogs) {
  // A click that opens a nested dialog is deferred, so the driver sees it.
  driver.Expect("directories", [](QDialog* d) {
    EXPECT_EQ(d->windowTitle(), "Directories");
    QTimer::singleShot(0, [d] { d->findChild<QPushButton*>("104")->click(); });
  });
  driver.Expect("open_directory", [this](QDialog* d) {
    EXPECT_EQ(d->windowTitle(), "Open Document Directory");
    EXPECT_EQ(d->findChild<QLineEdit*>("102")->text().toStdString(), dir / "in");
    auto* list = d->findChild<QListWidget*>("101");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "[copybooks]");
    PressOk(d);
  });
  driver.Expect("directories_after_browse", [this](QDialog* d) {
    EXPECT_EQ(d->findChild<QLineEdit*>("101")->text().toStdString(), dir / "in");
    PressOk(d);
  });
  Run(kCmdOpenLib);
  EXPECT_EQ(commands.Record().INPUT_DIR, dir / "in");

  driver.Expect("copy_directories", [](QDialog* d) {
    EXPECT_EQ(d->windowTitle(), "Copy Directories");
    d->findChild<QLineEdit*>("103")->setText("/no/such/copy/dir");
    QTimer::singleShot(0, [d] { PressOk(d); });
  });
  driver.Expect("copy_directories_error", [](QDialog* box) {
    EXPECT_EQ(box->windowTitle(), "Pellam Error Message");
    box->accept();
  });
  driver.Expect("copy_directories_again", [](QDialog* d) { PressCancel(d); });
  Run(kCmdOpenCopyLib);
  EXPECT_EQ(commands.Record().COPY_DIR[2], "");

  commands.Record().TYPE = "MODUL";
  driver.Expect("parameter", [](QDialog* d) {
    EXPECT_EQ(d->windowTitle(), "Paramter");
    EXPECT_TRUE(d->findChild<QRadioButton*>("103")->isChecked());
    d->findChild<QRadioButton*>("102")->click();
    EXPECT_FALSE(d->findChild<QRadioButton*>("103")->isChecked());
    PressOk(d);
  });
  Run(kCmdParameter);
  EXPECT_EQ(commands.Record().TYPE, "CICS");

  driver.Expect("editor", [](QDialog* d) {
    EXPECT_EQ(d->windowTitle(), "Editor");
    d->findChild<QLineEdit*>("101")->setText("/usr/bin/less");
    PressOk(d);
  });
  Run(kCmdEditor);
  EXPECT_EQ(commands.Record().EDITOR, "/usr/bin/less");

  driver.Expect("about", [](QDialog* d) {
    EXPECT_EQ(d->windowTitle(), "About Stelmar");
    bool found = false;
    for (auto* label : d->findChildren<QLabel*>()) found |= label->text() == "Stelmar Version 1.0";
    EXPECT_TRUE(found);
    d->accept();
  });
  Run(kCmdAbout);
}

}  // namespace
}  // namespace stelmar::ui
