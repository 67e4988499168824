#pragma once
// Stelmar's main window: an empty multiple-document frame whose menu, tool bar
// and status bar lead to the commands of the core.

#include <QMainWindow>
#include <map>

#include "stelmar/core/commands.h"

class QAction;

namespace stelmar::ui {

class MainFrame : public QMainWindow {
  Q_OBJECT
 public:
  MainFrame(StelmarCommands& commands, QWidget* parent = nullptr);

  // Runs a menu command as if it had been chosen.
  void RunCommand(int id);
  QAction* ActionFor(int id) const;

  // Context help: the next menu command opens its help topic instead of running.
  void EnterHelpMode();
  void LeaveHelpMode();
  bool InHelpMode() const { return helpMode_; }

 private:
  void BuildMenu();
  void BuildToolBar();
  void BuildStatusBar();
  void ShowHelpContents();
  void ShowHelpTopic(int id);
  void ShowAbout();

  StelmarCommands& commands_;
  std::map<int, QAction*> actions_;
  bool helpMode_ = false;
};

}  // namespace stelmar::ui
