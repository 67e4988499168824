#pragma once
// The read-only text view of one viewer page: a plain-text widget that mirrors the
// page's text document (Latin-1, no wrap), reports the person's selection back, follows
// a growing file without moving what the person looks at, and, for marker pages,
// colours the marked runs.

#include <QFont>
#include <QPlainTextEdit>
#include <QTimer>

#include "korvane/core/common/guarded_run.h"
#include "korvane/core/common/person_port.h"
#include "korvane/core/viewer/text_document.h"

namespace korvane::ui {

// The viewer font: the size first, then the height, which decides when it is set.
QFont ViewerQFont(const FontChoice& font);

class TextPageView : public QPlainTextEdit {
  Q_OBJECT
 public:
  TextPageView(CommandGate& gate, TextDocument& document, bool coloured, QWidget* parent);
  // A big text is shown in pieces between events: true until all of it is in the view.
  bool Loading() const { return shown_ < document_.Length(); }

 private:
  void Reload();
  void Recolour(size_t start, size_t end);
  void ShowSelection();
  void ShowScroll();
  void TakeAppended();
  void LoadMore();
  // Inserts the document's text from shown_ up to end (a line end, or the text's end).
  void InsertUpTo(size_t end);

  CommandGate& gate_;
  TextDocument& document_;
  bool coloured_;
  size_t shown_ = 0;  // characters of the document shown
  bool echo_ = false;
  QTimer loader_;
  ConnectionList connections_;
};

}  // namespace korvane::ui
