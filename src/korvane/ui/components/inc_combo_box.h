#pragma once
// The shell's pick-only drop-down list on screen: keys go to the incremental
// search combo of the core (prefix search, "*" contains-search with a filtered
// drop-down), and the widget shows the items and the selection it keeps.

#include <QComboBox>

namespace korvane {
class Shell;
class ComboBox;
}  // namespace korvane

namespace korvane::ui {

class IncComboBox : public QComboBox {
  Q_OBJECT
 public:
  IncComboBox(Shell& shell, ComboBox& combo, QWidget* parent);

  void showPopup() override;
  void hidePopup() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Refresh();

  Shell& shell_;
  ComboBox& combo_;
  bool refreshing_ = false;
};

}  // namespace korvane::ui
