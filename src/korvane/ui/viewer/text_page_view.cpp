#include "korvane/ui/viewer/text_page_view.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <algorithm>
#include <cstdlib>

#include "korvane/ui/text_codec.h"

namespace korvane::ui {

namespace {

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QColor ToQColor(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace

QFont ViewerQFont(const FontChoice& font) {
  // The system's fixed font unless the chosen face is installed here.
  QFont qfont = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  const QString family = FromLocal(font.name);
  if (!family.isEmpty() && QFontDatabase::hasFamily(family)) qfont.setFamily(family);
  qfont.setStyleHint(QFont::Monospace);
  if (font.size > 0) qfont.setPointSize(font.size);
  if (font.height != 0) qfont.setPixelSize(std::abs(font.height));
  qfont.setBold(font.bold);
  qfont.setItalic(font.italic);
  qfont.setUnderline(font.underline);
  qfont.setStrikeOut(font.strikeOut);
  return qfont;
}

TextPageView::TextPageView(CommandGate& gate, TextDocument& document, bool coloured,
                           QWidget* parent)
    : QPlainTextEdit(parent), gate_(gate), document_(document), coloured_(coloured) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setUndoRedoEnabled(false);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  connect(&loader_, &QTimer::timeout, this, [this] { LoadMore(); });
  Reload();
  // A marker page selects its first name before the view exists.
  if (document_.SelStart() > 0 || document_.SelLength() > 0) ShowSelection();
  connections_.Add(document_.reset.Connect([this] { Reload(); }));
  connections_.Add(
      document_.coloured.Connect([this](size_t start, size_t end) { Recolour(start, end); }));
  connections_.Add(document_.selectionChanged.Connect([this] { ShowSelection(); }));
  connections_.Add(document_.scrolled.Connect([this] { ShowScroll(); }));
  connections_.Add(document_.appended.Connect([this](size_t) { TakeAppended(); }));
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
    if (echo_) return;
    const QTextCursor cursor = textCursor();
    const auto start = static_cast<size_t>(cursor.selectionStart());
    const auto length = static_cast<size_t>(cursor.selectionEnd() - cursor.selectionStart());
    gate_.Run([&] { document_.SelectionFromView(start, length); });
  });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    document_.FirstVisibleFromView(static_cast<size_t>(std::max(0, value)));
  });
}

namespace {

// What is shown at once, and then with each turn of the event loop: a log of many
// megabytes appears at once and fills in while the person can already scroll.
constexpr size_t kFirstPiece = 512 * 1024;
constexpr size_t kPiece = 1024 * 1024;

}  // namespace

void TextPageView::Reload() {
  echo_ = true;
  loader_.stop();
  clear();
  shown_ = 0;
  // One plain block per line: a big log is never laid out as rich text.
  InsertUpTo(kFirstPiece);
  if (Loading()) {
    loader_.start(0);
  } else if (coloured_ && !document_.Runs().empty()) {
    Recolour(0, document_.Length());
  }
  echo_ = false;
}

void TextPageView::InsertUpTo(size_t end) {
  const std::string_view text = document_.Text();
  if (end >= text.size()) {
    end = text.size();
  } else {
    const size_t lineEnd = text.find('\n', end);
    end = lineEnd == std::string_view::npos ? text.size() : lineEnd;
  }
  if (end <= shown_) return;
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(Latin1(text.substr(shown_, end - shown_)));
  shown_ = end;
}

void TextPageView::LoadMore() {
  QScrollBar* bar = verticalScrollBar();
  const int value = bar->value();
  const QTextCursor kept = textCursor();
  echo_ = true;
  InsertUpTo(shown_ + kPiece);
  setTextCursor(kept);
  bar->setValue(value);
  echo_ = false;
  if (Loading()) return;
  loader_.stop();
  if (coloured_ && !document_.Runs().empty()) Recolour(0, document_.Length());
  if (document_.SelStart() > 0 || document_.SelLength() > 0) ShowSelection();
}

void TextPageView::Recolour(size_t start, size_t end) {
  if (!coloured_) return;
  echo_ = true;
  QTextCursor cursor(document());
  cursor.beginEditBlock();
  QTextCharFormat plain;
  plain.setForeground(palette().text());
  cursor.setPosition(static_cast<int>(start));
  cursor.setPosition(static_cast<int>(std::min(end, shown_)), QTextCursor::KeepAnchor);
  cursor.setCharFormat(plain);
  for (const auto& run : document_.Runs()) {
    if (run.start + run.length <= start || run.start >= end) continue;
    QTextCharFormat format;
    format.setForeground(ToQColor(run.colour));
    cursor.setPosition(static_cast<int>(run.start));
    cursor.setPosition(static_cast<int>(run.start + run.length), QTextCursor::KeepAnchor);
    cursor.setCharFormat(format);
  }
  cursor.endEditBlock();
  echo_ = false;
}

void TextPageView::ShowSelection() {
  echo_ = true;
  QTextCursor cursor(document());
  const auto start = std::min(document_.SelStart(), shown_);
  cursor.setPosition(static_cast<int>(start));
  cursor.setPosition(static_cast<int>(std::min(start + document_.SelLength(), shown_)),
                     QTextCursor::KeepAnchor);
  setTextCursor(cursor);
  ensureCursorVisible();
  echo_ = false;
}

void TextPageView::ShowScroll() {
  verticalScrollBar()->setValue(static_cast<int>(document_.FirstVisibleLine()));
}

void TextPageView::TakeAppended() {
  if (loader_.isActive()) return;  // the loader takes the new text with the rest
  // Text that continues the last line is inserted at the end like the rest; the view
  // stays where the person scrolled to unless it was following the end.
  QScrollBar* bar = verticalScrollBar();
  const bool atEnd = bar->value() >= bar->maximum();
  const int value = bar->value();
  const QTextCursor kept = textCursor();
  echo_ = true;
  InsertUpTo(document_.Length());
  setTextCursor(kept);
  bar->setValue(atEnd ? bar->maximum() : value);
  echo_ = false;
}

}  // namespace korvane::ui
