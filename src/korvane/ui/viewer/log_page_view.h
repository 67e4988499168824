#pragma once
// The read-only view of a simple viewer page: draws only the lines in sight straight
// from the page's text document, so a log of hundreds of megabytes opens at once and
// costs no second copy. Each line is shown as UTF-8 when it is valid UTF-8, otherwise
// in the tools' single-byte code page. Reports the person's selection back and follows
// a growing file without moving what the person looks at.

#include <QAbstractScrollArea>
#include <QString>
#include <string_view>

#include "korvane/core/common/guarded_run.h"
#include "korvane/core/viewer/text_document.h"

namespace korvane::ui {

// A line's bytes as characters: UTF-8 where they are valid UTF-8, else Latin-1.
QString DecodeLine(std::string_view bytes);

class LogPageView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  LogPageView(CommandGate& gate, TextDocument& document, QWidget* parent);
  // The text shown for a line, as drawn.
  QString LineText(size_t line) const;
  // The lines the viewport has room for.
  int PageLines() const;
  // The document position under a point of the viewport.
  size_t PositionAt(const QPoint& point) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Reload();
  void TakeAppended();
  void UpdateRanges();
  void ShowSelection();
  // Moves the caret; keepAnchor extends the selection. Reports it to the document.
  void MoveCaret(size_t position, bool keepAnchor);
  void ScrollToCaret();
  void CopySelection() const;
  int LineHeight() const;
  // The x of a byte column of a line, in pixels from the line's start.
  int XOf(size_t line, size_t column) const;

  CommandGate& gate_;
  TextDocument& document_;
  size_t anchor_ = 0;
  size_t caret_ = 0;
  size_t widest_ = 0;    // bytes of the longest line, for the horizontal range
  size_t measured_ = 0;  // lines looked at for widest_
  ConnectionList connections_;
};

}  // namespace korvane::ui
