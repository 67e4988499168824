#include "stelmar/ui/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "stelmar/core/menu.h"
#include "stelmar/ui/about_dialog.h"

namespace stelmar::ui {

MainFrame::MainFrame(StelmarCommands& commands, QWidget* parent)
    : QMainWindow(parent), commands_(commands) {
  setObjectName("StelmarFrame");
  setWindowTitle("Stelmar");
  setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
  auto* client = new QMdiArea(this);  // stays empty: stelmar opens no documents
  client->setObjectName("StelmarMDIClient");
  setCentralWidget(client);
  BuildMenu();
  BuildToolBar();
  BuildStatusBar();
  resize(640, 420);
}

void MainFrame::BuildMenu() {
  std::map<std::string, QMenu*> popups;
  for (const MenuItem& item : MainMenu()) {
    if (item.popup == nullptr) {
      auto* action = menuBar()->addAction(QString::fromUtf8(item.text));
      action->setStatusTip(QString::fromUtf8(item.hint));
      action->setData(item.id);
      actions_[item.id] = action;
      connect(action, &QAction::triggered, this, [this, id = item.id] { RunCommand(id); });
      continue;
    }
    QMenu*& popup = popups[item.popup];
    if (popup == nullptr) popup = menuBar()->addMenu(QString::fromUtf8(item.popup));
    if (item.id == 0) {
      popup->addSeparator();
      continue;
    }
    QString text = QString::fromUtf8(item.text);
    const qsizetype tab = text.indexOf('\t');
    QKeySequence shortcut;
    if (tab >= 0) {
      shortcut = QKeySequence(text.mid(tab + 1));
      text = text.left(tab);
    }
    auto* action = popup->addAction(text);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    action->setStatusTip(QString::fromUtf8(item.hint));
    action->setData(item.id);
    actions_[item.id] = action;
    connect(action, &QAction::triggered, this, [this, id = item.id] { RunCommand(id); });
  }
  actions_[kCmdHelpContents]->setShortcut(QKeySequence(Qt::Key_F1));

  auto* contextHelp = new QAction(this);
  contextHelp->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1));
  connect(contextHelp, &QAction::triggered, this, &MainFrame::EnterHelpMode);
  addAction(contextHelp);
  auto* leaveHelp = new QAction(this);
  leaveHelp->setShortcut(QKeySequence(Qt::Key_Escape));
  connect(leaveHelp, &QAction::triggered, this, &MainFrame::LeaveHelpMode);
  addAction(leaveHelp);
}

void MainFrame::EnterHelpMode() {
  helpMode_ = true;
  setCursor(Qt::WhatsThisCursor);
}

void MainFrame::LeaveHelpMode() {
  helpMode_ = false;
  unsetCursor();
}

void MainFrame::BuildToolBar() {
  auto* bar = addToolBar("Toolbar");
  bar->setObjectName("Toolbar");
  QAction* dirs = actions_[kCmdOpenLib];
  dirs->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  bar->addAction(dirs);
  bar->addSeparator();
  QAction* help = actions_[kCmdHelpContents];
  help->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
  bar->addAction(help);
}

void MainFrame::BuildStatusBar() {
  // The lock-key panes of the frame; Qt cannot read the keys' state, so they
  // only name the keys.
  for (const char* key : {"CAP", "NUM", "SCRL"}) {
    auto* pane = new QLabel(key, this);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->addPermanentWidget(pane);
  }
  statusBar()->setSizeGripEnabled(true);
}

QAction* MainFrame::ActionFor(int id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void MainFrame::RunCommand(int id) {
  if (helpMode_) {
    LeaveHelpMode();
    ShowHelpTopic(id);
    return;
  }
  if (commands_.Execute(id)) return;
  switch (id) {
    case kCmdExit:
      close();
      break;
    case kCmdHelpContents:
    case kCmdHelpUsing:
      ShowHelpContents();
      break;
    case kCmdAbout:
      ShowAbout();
      break;
    default:
      break;
  }
}

void MainFrame::ShowHelpContents() {
  QMessageBox::information(this, "Stelmar",
                           "Stelmar.hlp\n\n"
                           "File / Open Lib...: input, output and work directories\n"
                           "File / Open Copy Lib...: copy library directories\n"
                           "Morrel: include expansion of several sources\n"
                           "Functions: wrap a transaction, program, module or procedures\n"
                           "Options: program type and viewer\n"
                           "View: open a result with the viewer");
}

void MainFrame::ShowHelpTopic(int id) {
  QString text = QString("Stelmar.hlp, topic %1").arg(id);
  for (const MenuItem& item : MainMenu()) {
    if (item.id == id) text += QString("\n\n%1").arg(QString::fromUtf8(item.hint));
  }
  QMessageBox::information(this, "Stelmar Help", text);
}

void MainFrame::ShowAbout() {
  AboutDialog dialog(windowIcon(), this);
  dialog.exec();
}

}  // namespace stelmar::ui
