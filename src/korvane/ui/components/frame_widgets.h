#pragma once
// The widget of both reusable frames: a caption, a path field and a browse
// button. The field turns red when the model marks the path invalid and takes
// the button-face colour while a dialog is open.

#include <QWidget>

class QLineEdit;
class QLabel;
class QToolButton;

namespace korvane {
class CommandGate;
class PathField;
}  // namespace korvane

namespace korvane::ui {

class PathFrameWidget : public QWidget {
  Q_OBJECT
 public:
  PathFrameWidget(CommandGate& gate, PathField& frame, QWidget* parent);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void Refresh();

  CommandGate& gate_;
  PathField& frame_;
  QLabel* label_;
  QLineEdit* edit_;
  QToolButton* browse_;
};

}  // namespace korvane::ui
