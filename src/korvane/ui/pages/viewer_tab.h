#pragma once
// The "Internal viewer" page: the page control with one tab per open file, kept in step
// with the core's viewer pages, the find dialog and the timer that lets followed logs
// grow.

#include <QAbstractScrollArea>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>
#include <map>

#include "korvane/core/common/signal.h"

namespace korvane {
class Shell;
class ViewerPage;
}  // namespace korvane

namespace korvane::ui {

class ViewerTab : public QWidget {
  Q_OBJECT
 public:
  ViewerTab(Shell& shell, QWidget* parent);
  QTabWidget* Tabs() const { return tabs_; }

 private:
  void AddPage(ViewerPage& page);
  void RemovePage(ViewerPage& page);
  void ShowCurrent();
  void ApplyFont();
  void ShowFindDialog();
  QAbstractScrollArea* CurrentView() const;

  Shell& shell_;
  QTabWidget* tabs_ = nullptr;
  QTimer follow_;
  bool syncing_ = false;
  std::map<const ViewerPage*, QWidget*> widgets_;
  std::map<const ViewerPage*, QAbstractScrollArea*> views_;
  ConnectionList connections_;
};

}  // namespace korvane::ui
