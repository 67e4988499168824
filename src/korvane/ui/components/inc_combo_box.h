#pragma once
// The shell's pick-only drop-down list on screen: keys go to the incremental
// search combo of the core (prefix search, "*" contains-search with a filtered
// drop-down), and the widget shows the items and the selection it keeps.

#include <QComboBox>
#include <functional>

namespace korvane {
class CommandGate;
class ComboBox;
}  // namespace korvane

namespace korvane::ui {

class IncComboBox : public QComboBox {
  Q_OBJECT
 public:
  IncComboBox(CommandGate& gate, ComboBox& combo, QWidget* parent);

  void showPopup() override;
  void hidePopup() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void Refresh();
  // A search that moved the selection is a choice once it ends (Enter,
  // Escape, the focus leaves, the drop-down closes), as a click would be.
  void EndSearch();
  // Runs work through the gate, then shows what it left in the model.
  void Apply(const std::function<void()>& work);

  CommandGate& gate_;
  ComboBox& combo_;
  bool refreshing_ = false;
  static constexpr int kNoSearch = -2;
  int searchStart_ = kNoSearch;  // the selection when the search began
};

}  // namespace korvane::ui
