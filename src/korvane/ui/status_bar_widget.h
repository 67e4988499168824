#pragma once
// The one-line message bar at the window's edge, drawing the status bar
// model: text, background colour, tooltip; clicks show the collected messages.

#include <QLabel>

namespace korvane {
class Shell;
}

namespace korvane::ui {

class StatusBarWidget : public QLabel {
  Q_OBJECT
 public:
  StatusBarWidget(Shell& shell, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Refresh();
  void UpdateMeasure();

  Shell& shell_;
};

}  // namespace korvane::ui
