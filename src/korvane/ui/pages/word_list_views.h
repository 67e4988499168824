#pragma once
// The two word lists of the word-list pages with their in-place editors: the
// control words list drawn in a type column and a word column, a panel with a
// type box and a word field laid over a control word's row, a text field laid
// over an object's row. The core editors decide what is stored; these widgets
// open them, place them and hand them the keys and the focus changes.

#include <QListView>
#include <QPoint>

#include "korvane/core/common/signal.h"

class QComboBox;
class QFrame;
class QLineEdit;

namespace korvane {
class CheckList;
class Shell;
}  // namespace korvane

namespace korvane::ui {

// The drag from the control words list: the drop takes the list's highlighted entry.
inline constexpr const char* kControlWordMime = "application/x-korvane-control-word";

class WordListView : public QListView {
  Q_OBJECT
 public:
  enum class Kind { kControlWords, kObjects };
  WordListView(Shell& shell, Kind kind, QWidget* parent);
  ~WordListView() override;

  // The open editor's widget (the panel or the field), for tests and placement.
  QWidget* Editor() const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControlWordPanel();
  void BuildObjectField();
  void Open(int row);
  // Places and shows the editor when its core editor opened, hides it when it closed.
  void Follow();
  void Store();
  void Cancel();
  void SyncSelection();
  bool EditorOpen() const;
  QRect EditorArea() const;

  Shell& shell_;
  Kind kind_;
  CheckList& list_;
  QFrame* panel_ = nullptr;  // control words: type box and word field
  QComboBox* typeBox_ = nullptr;
  QLineEdit* field_ = nullptr;  // the word field, or the object field
  QPoint pressedAt_;
  bool dragArmed_ = false;
  bool syncing_ = false;
  ConnectionList connections_;
};

}  // namespace korvane::ui
