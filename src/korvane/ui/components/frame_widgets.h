#pragma once
// Widgets for the two reusable frames: a caption, a path field and a browse
// button. The field turns red when the model marks the path invalid.

#include <QWidget>

class QLineEdit;
class QLabel;
class QToolButton;

namespace korvane {
class Shell;
class ToolPathFrame;
class DirectoryFrame;
}  // namespace korvane

namespace korvane::ui {

class ToolPathFrameWidget : public QWidget {
  Q_OBJECT
 public:
  ToolPathFrameWidget(Shell& shell, ToolPathFrame& frame, QWidget* parent);
  void Refresh();

 private:
  ToolPathFrame& frame_;
  QLabel* label_;
  QLineEdit* edit_;
  QToolButton* browse_;
};

class DirectoryFrameWidget : public QWidget {
  Q_OBJECT
 public:
  DirectoryFrameWidget(Shell& shell, DirectoryFrame& frame, QWidget* parent);
  void Refresh();

 private:
  DirectoryFrame& frame_;
  QLabel* label_;
  QLineEdit* edit_;
  QToolButton* browse_;
};

}  // namespace korvane::ui
