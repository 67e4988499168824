// Drawing, selecting and scrolling the lines of a big text without a text layout.
#include "korvane/ui/viewer/log_page_view.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "korvane/core/common/utf8.h"

namespace korvane::ui {

namespace {

QString Decode(std::string_view bytes, bool utf8) {
  const auto size = static_cast<qsizetype>(bytes.size());
  return utf8 ? QString::fromUtf8(bytes.data(), size) : QString::fromLatin1(bytes.data(), size);
}

bool IsUtf8Continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

QString DecodeLine(std::string_view bytes) {
  return Decode(bytes, IsUtf8BeyondAscii(bytes));
}

LogPageView::LogPageView(CommandGate& gate, TextDocument& document, QWidget* parent)
    : QAbstractScrollArea(parent), gate_(gate), document_(document) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setAutoFillBackground(true);
  viewport()->setBackgroundRole(QPalette::Base);
  Reload();
  connections_.Add(document_.reset.Connect([this] { Reload(); }));
  connections_.Add(document_.selectionChanged.Connect([this] { ShowSelection(); }));
  connections_.Add(document_.scrolled.Connect(
      [this] { verticalScrollBar()->setValue(static_cast<int>(document_.FirstVisibleLine())); }));
  connections_.Add(document_.appended.Connect([this](size_t line) {
    measured_ = std::min(measured_, line);
    TakeAppended();
  }));
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    document_.FirstVisibleFromView(static_cast<size_t>(std::max(0, value)));
    viewport()->update();
  });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(),
          [this] { viewport()->update(); });
}

QString LogPageView::LineText(size_t line) const {
  return DecodeLine(document_.Line(line));
}

int LogPageView::LineHeight() const {
  return std::max(1, fontMetrics().lineSpacing());
}

int LogPageView::PageLines() const {
  return std::max(1, viewport()->height() / LineHeight());
}

int LogPageView::XOf(size_t line, size_t column) const {
  const std::string_view bytes = document_.Line(line);
  const bool utf8 = IsUtf8BeyondAscii(bytes);
  return fontMetrics().horizontalAdvance(Decode(bytes.substr(0, column), utf8));
}

size_t LogPageView::PositionAt(const QPoint& point) const {
  const size_t last = document_.LineCount() - 1;
  const int row = std::max(0, point.y()) / LineHeight();
  const size_t line = std::min(last, static_cast<size_t>(verticalScrollBar()->value() + row));
  const std::string_view bytes = document_.Line(line);
  const bool utf8 = IsUtf8BeyondAscii(bytes);
  const QString text = Decode(bytes, utf8);
  const int x = point.x() + horizontalScrollBar()->value();
  const QFontMetrics metrics = fontMetrics();
  qsizetype chars = 0;
  int left = 0;
  while (chars < text.size()) {
    const int width = metrics.horizontalAdvance(text.at(chars));
    if (x < left + width / 2) break;
    left += width;
    ++chars;
  }
  const size_t column =
      utf8 ? static_cast<size_t>(text.left(chars).toUtf8().size()) : static_cast<size_t>(chars);
  return document_.LineStart(line) + column;
}

void LogPageView::Reload() {
  widest_ = 0;
  measured_ = 0;
  anchor_ = document_.SelStart();
  caret_ = anchor_ + document_.SelLength();
  UpdateRanges();
  verticalScrollBar()->setValue(static_cast<int>(document_.FirstVisibleLine()));
  viewport()->update();
}

void LogPageView::UpdateRanges() {
  // Only the lines not yet measured are looked at: a growing log costs what it gained.
  const size_t count = document_.LineCount();
  for (size_t i = measured_; i < count; ++i) widest_ = std::max(widest_, document_.Line(i).size());
  measured_ = count > 0 ? count - 1 : 0;  // the last line may still grow
  const int page = PageLines();
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, static_cast<int>(std::max<size_t>(count, page) - page));
  vertical->setPageStep(page);
  vertical->setSingleStep(1);
  const qint64 width = static_cast<qint64>(widest_ + 1) * fontMetrics().averageCharWidth();
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setRange(
      0, static_cast<int>(std::clamp<qint64>(width - viewport()->width(), 0, 1 << 30)));
  horizontal->setPageStep(viewport()->width());
  horizontal->setSingleStep(fontMetrics().averageCharWidth());
}

void LogPageView::TakeAppended() {
  QScrollBar* bar = verticalScrollBar();
  const bool atEnd = bar->value() >= bar->maximum();
  const int value = bar->value();
  UpdateRanges();
  bar->setValue(atEnd ? bar->maximum() : value);
  viewport()->update();
}

void LogPageView::ShowSelection() {
  anchor_ = document_.SelStart();
  caret_ = anchor_ + document_.SelLength();
  // A hit is brought into sight by its start.
  const size_t line = document_.LineOf(anchor_);
  QScrollBar* bar = verticalScrollBar();
  const auto first = static_cast<size_t>(bar->value());
  const auto page = static_cast<size_t>(PageLines());
  if (line < first || line >= first + page)
    bar->setValue(static_cast<int>(line > page / 2 ? line - page / 2 : 0));
  const int x = XOf(line, anchor_ - document_.LineStart(line));
  QScrollBar* horizontal = horizontalScrollBar();
  if (x < horizontal->value() || x >= horizontal->value() + viewport()->width() - 20)
    horizontal->setValue(std::max(0, x - viewport()->width() / 3));
  viewport()->update();
}

void LogPageView::ScrollToCaret() {
  const size_t line = document_.LineOf(caret_);
  QScrollBar* bar = verticalScrollBar();
  const auto first = static_cast<size_t>(bar->value());
  const auto page = static_cast<size_t>(PageLines());
  if (line < first) bar->setValue(static_cast<int>(line));
  if (line >= first + page) bar->setValue(static_cast<int>(line - page + 1));
}

void LogPageView::MoveCaret(size_t position, bool keepAnchor) {
  caret_ = std::min(position, document_.Length());
  if (!keepAnchor) anchor_ = caret_;
  const size_t start = std::min(anchor_, caret_);
  const size_t length = std::max(anchor_, caret_) - start;
  gate_.Run([&] { document_.SelectionFromView(start, length); });
  ScrollToCaret();
  viewport()->update();
}

void LogPageView::CopySelection() const {
  const std::string_view text = document_.SelText();
  if (text.empty()) return;
  QApplication::clipboard()->setText(DecodeLine(text));
}

void LogPageView::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  painter.setFont(font());
  const QFontMetrics metrics = fontMetrics();
  const int height = LineHeight();
  const int left = -horizontalScrollBar()->value();
  const size_t selStart = document_.SelStart();
  const size_t selEnd = selStart + document_.SelLength();
  const auto first = static_cast<size_t>(verticalScrollBar()->value());
  const size_t rows = static_cast<size_t>(viewport()->height() / height) + 1;
  for (size_t row = 0; row < rows && first + row < document_.LineCount(); ++row) {
    const size_t line = first + row;
    const std::string_view bytes = document_.Line(line);
    const bool utf8 = IsUtf8BeyondAscii(bytes);
    const int y = static_cast<int>(row) * height;
    const size_t start = document_.LineStart(line);
    const size_t end = start + bytes.size();
    // The selection on this line; its line break counts as one character.
    if (selEnd > selStart && selStart <= end && selEnd > start) {
      const size_t from = std::max(selStart, start) - start;
      const size_t to = std::min(selEnd, end) - start;
      const int x0 = metrics.horizontalAdvance(Decode(bytes.substr(0, from), utf8));
      int x1 = metrics.horizontalAdvance(Decode(bytes.substr(0, to), utf8));
      if (selEnd > end) x1 += metrics.averageCharWidth();
      painter.fillRect(QRect(left + x0, y, x1 - x0, height), palette().highlight());
    }
    painter.setPen(palette().text().color());
    painter.drawText(left, y + metrics.ascent(), Decode(bytes, utf8));
    if (selEnd > selStart && selStart < end && selEnd > start) {
      // The selected part again, in the highlighted text colour.
      const size_t from = std::max(selStart, start) - start;
      const size_t to = std::min(selEnd, end) - start;
      const int x0 = metrics.horizontalAdvance(Decode(bytes.substr(0, from), utf8));
      painter.setPen(palette().highlightedText().color());
      painter.drawText(left + x0, y + metrics.ascent(),
                       Decode(bytes.substr(from, to - from), utf8));
    }
    if (hasFocus() && document_.LineOf(caret_) == line) {
      const int x = left + metrics.horizontalAdvance(Decode(bytes.substr(0, caret_ - start), utf8));
      painter.setPen(palette().text().color());
      painter.drawLine(x, y, x, y + height - 1);
    }
  }
}

void LogPageView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateRanges();
}

void LogPageView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    UpdateRanges();
    viewport()->update();
  }
}

void LogPageView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  setFocus();
  MoveCaret(PositionAt(event->position().toPoint()), (event->modifiers() & Qt::ShiftModifier) != 0);
}

void LogPageView::mouseMoveEvent(QMouseEvent* event) {
  if ((event->buttons() & Qt::LeftButton) == 0) return;
  MoveCaret(PositionAt(event->position().toPoint()), true);
}

void LogPageView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) return CopySelection();
  if (event->matches(QKeySequence::SelectAll)) {
    anchor_ = 0;
    return MoveCaret(document_.Length(), true);
  }
  const bool shift = (event->modifiers() & Qt::ShiftModifier) != 0;
  const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
  const size_t line = document_.LineOf(caret_);
  const size_t column = caret_ - document_.LineStart(line);
  const size_t last = document_.LineCount() - 1;
  // The same column on another line, or that line's end when it is shorter.
  const auto onLine = [&](size_t target) {
    return document_.LineStart(target) + std::min(column, document_.Line(target).size());
  };
  const auto page = static_cast<size_t>(PageLines());
  const std::string_view text = document_.Text();
  const bool utf8 = IsUtf8BeyondAscii(document_.Line(line));
  size_t position = caret_;
  switch (event->key()) {
    case Qt::Key_Up:
      position = line > 0 ? onLine(line - 1) : caret_;
      break;
    case Qt::Key_Down:
      position = line < last ? onLine(line + 1) : caret_;
      break;
    case Qt::Key_PageUp:
      position = onLine(line > page ? line - page : 0);
      break;
    case Qt::Key_PageDown:
      position = onLine(std::min(last, line + page));
      break;
    case Qt::Key_Home:
      position = control ? 0 : document_.LineStart(line);
      break;
    case Qt::Key_End:
      position = control ? text.size() : document_.LineStart(line) + document_.Line(line).size();
      break;
    case Qt::Key_Left:
      // Whole characters of a UTF-8 line: never stop inside one.
      if (position > 0) --position;
      while (utf8 && position > 0 && IsUtf8Continuation(text[position])) --position;
      break;
    case Qt::Key_Right:
      if (position < text.size()) ++position;
      while (utf8 && position < text.size() && IsUtf8Continuation(text[position])) ++position;
      break;
    default:
      return QAbstractScrollArea::keyPressEvent(event);
  }
  MoveCaret(position, shift);
}

}  // namespace korvane::ui
