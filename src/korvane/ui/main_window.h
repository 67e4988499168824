#pragma once
// The main window: menus and tool bar built from the action list, one widget
// class per page, the console memo and the message bar. It holds no rules.

#include <QMainWindow>
#include <string>

#include "korvane/core/components/signal.h"

namespace korvane {
class Shell;
}

namespace korvane::ui {

class StatusBarWidget;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(Shell& shell);
  // The window size remembered at the last hide; call after the shell showed.
  void ApplyStoredSettings();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void FitToWorkArea();
  void BuildMenus();
  QWidget* BuildCentral();
  void RefreshWindowState();
  void DropWidgetsOf(const std::string& name);

  Shell& shell_;
  StatusBarWidget* statusBar_ = nullptr;
  ConnectionList connections_;
};

}  // namespace korvane::ui
