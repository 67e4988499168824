#pragma once
// The label marker page's widgets: the source view, the label list that accepts drops,
// the unresolved-copies memo and the marker's buttons and menus.

#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>

#include "korvane/core/common/guarded_run.h"
#include "korvane/core/components/action.h"
#include "korvane/core/marker/wrapper_marker.h"

namespace korvane::ui {

class TextPageView;

// The label list: anything dropped on it marks the source view's selection.
class LabelListWidget : public QListWidget {
  Q_OBJECT
 public:
  LabelListWidget(CommandGate& gate, WrapperMarker& marker, QWidget* parent);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  CommandGate& gate_;
  WrapperMarker& marker_;
};

class MarkerFrame : public QWidget {
  Q_OBJECT
 public:
  MarkerFrame(CommandGate& gate, ActionList& mainActions, WrapperMarker& marker, QWidget* parent);
  TextPageView* SourceView() const { return view_; }

 private:
  QAction* PageAction(const char* name);
  void ShowLabels();
  void ShowUnresolved();

  CommandGate& gate_;
  WrapperMarker& marker_;
  TextPageView* view_ = nullptr;
  LabelListWidget* labels_ = nullptr;
  QPlainTextEdit* unresolved_ = nullptr;
  ConnectionList connections_;
};

}  // namespace korvane::ui
