#include "korvane/core/common/status_bar.h"

#include <algorithm>
#include <utility>

#include "korvane/core/common/operation_abort.h"

namespace korvane {

namespace {

constexpr std::string_view kEllipsis = "...";
constexpr std::string_view kCrLf = "\r\n";
constexpr std::size_t kLongText = 126;
constexpr int kLongTextCut = 120;
constexpr int kCutStep = 5;
constexpr int kMinimumRoom = 10;
constexpr int kDefaultCharWidth = 8;
constexpr int kDefaultClientWidth = 800;

// Trims the way the bar always has: every control character and blank at
// either end goes.
std::string_view Trim(std::string_view s) {
  std::size_t begin = 0;
  std::size_t end = s.size();
  while (begin < end && static_cast<unsigned char>(s[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(s[end - 1]) <= ' ') --end;
  return s.substr(begin, end - begin);
}

// The part of a shown text that a shortened message kept; a text that was
// not shortened is its own kept part.
std::string_view PartBeforeEllipsis(std::string_view shown) {
  const std::size_t at = shown.find(kEllipsis);
  return at == std::string_view::npos ? shown : shown.substr(0, at);
}

}  // namespace

StatusBar::StatusBar(PersonPort& person) : person_(person) {
  SetTextMeasure(nullptr, kDefaultClientWidth);
}

void StatusBar::SetTextMeasure(std::function<int(std::string_view)> widthOf, int clientWidth) {
  if (widthOf) {
    widthOf_ = std::move(widthOf);
  } else {
    widthOf_ = [](std::string_view s) { return static_cast<int>(s.size()) * kDefaultCharWidth; };
  }
  clientWidth_ = clientWidth;
}

int StatusBar::WidthOf(std::string_view text) const {
  return widthOf_(text);
}

void StatusBar::Changed() {
  changed.Emit();
}

void StatusBar::Report(StatusMessageKind kind, const std::string& text) {
  // An empty text blanks the bar; it carries nothing worth a console line.
  if (!text.empty()) messageReported.Emit(kind, text);
}

// The hint still describes the text on the bar: either the full form of a
// shortened message, or something that starts the same way.
bool StatusBar::HintBelongsToText() const {
  const std::string_view hint = Trim(hint_);
  return !hint.empty() && hint.starts_with(Trim(PartBeforeEllipsis(text_)));
}

void StatusBar::SetText(const std::string& text) {
  const int room = clientWidth_ - WidthOf(kEllipsis);
  if (text.size() < kLongText && WidthOf(text) <= room) {
    // A tooltip left from an earlier shortened message would now describe
    // a text that is no longer there.
    if (!text_.empty() && HintBelongsToText()) hint_.clear();
    text_ = text;
    return;
  }
  int n = text.size() >= kLongText ? kLongTextCut : static_cast<int>(text.size()) - kCutStep;
  const int limit = std::max(room, kMinimumRoom);
  // Stops at the empty prefix so that very wide characters or a bar with no
  // room at all cannot keep the loop going.
  while (n > 0 && WidthOf(std::string_view(text).substr(0, static_cast<std::size_t>(n))) > limit) {
    n -= kCutStep;
  }
  std::size_t kept = static_cast<std::size_t>(std::max(n, 0));
  // Never inside a character of a UTF-8 name: the view would show the whole text
  // as single bytes then.
  while (kept > 0 && (static_cast<unsigned char>(text[kept]) & 0xC0) == 0x80) --kept;
  text_ = text.substr(0, kept);
  text_ += kEllipsis;
  hint_ = text.substr(0, kept);
  hint_ += kCrLf;
  hint_.append(text, kept);
}

void StatusBar::ShowStatus(const std::string& text) {
  Report(StatusMessageKind::Status, text);
  if (!messageList_.empty()) {
    AppendError(text, true);
    return;
  }
  colour_ = StatusColour::Neutral;
  SetText(text);
  Changed();
}

void StatusBar::ShowWarning(const std::string& text) {
  Report(StatusMessageKind::Warning, text);
  if (!messageList_.empty()) {
    AppendError(text, true);
    return;
  }
  colour_ = StatusColour::Warning;
  SetText(text);
  Changed();
  person_.Beep();
  if (useMessageBox_) person_.Ask(MessageKind::Warning, text, {Button::Ok});
}

void StatusBar::ShowError(const std::string& text, bool goOn) {
  if (!messageList_.empty()) {
    Report(StatusMessageKind::Error, text);
    AppendError(text, goOn);
    return;
  }
  if (text.empty()) {
    ClearMessages();
    return;
  }
  Report(StatusMessageKind::Error, text);
  colour_ = StatusColour::Error;
  SetText(text);
  Changed();
  person_.Beep();
  if (useMessageBox_) person_.Ask(MessageKind::Error, text, {Button::Ok});
  if (!goOn) throw OperationAbort();
}

void StatusBar::AddError(const std::string& text, bool goOn) {
  Report(StatusMessageKind::Error, text);
  AppendError(text, goOn);
}

// The shared body of every error that joins the list; the callers have
// already reported the text under their own kind.
void StatusBar::AppendError(const std::string& text, bool goOn) {
  colour_ = StatusColour::Error;
  if (!messageList_.empty()) {
    messageList_ += kCrLf;
    messageList_ += "- ";
    messageList_ += text;
    text_ = "More than one message, click here to get them!";
    hint_ = messageList_;
  } else {
    messageList_ = "- " + text;
    SetText(text);
  }
  Changed();
  person_.Beep();
  if (useMessageBox_) person_.Ask(MessageKind::Error, messageList_, {Button::Ok});
  if (!goOn) throw OperationAbort();
}

void StatusBar::ShowFatal(const std::string& text) {
  Report(StatusMessageKind::Fatal, text);
  colour_ = StatusColour::Error;
  text_ = text;
  messageList_.clear();
  Changed();
  person_.Beep();
  person_.Ask(MessageKind::Error, text, {Button::Abort});
  throw OperationAbort();
}

void StatusBar::ClearMessages() {
  colour_ = StatusColour::Neutral;
  if (!messageList_.empty()) {
    hint_.clear();
  } else if (!text_.empty() && HintBelongsToText()) {
    hint_.clear();
  }
  text_.clear();
  messageList_.clear();
  Changed();
}

void StatusBar::ShowErrorAndAbort(const std::string& text) {
  if (!messageList_.empty()) AddErrorAndAbort(text);
  if (text.empty()) {
    ClearMessages();
    throw OperationAbort();
  }
  ShowError(text, false);
  throw OperationAbort();  // ShowError without go-on has thrown already
}

void StatusBar::AddErrorAndAbort(const std::string& text) {
  AddError(text, false);
  // AddError without go-on always ends the operation; this keeps the
  // promise of never returning even if that ever changes.
  throw OperationAbort();
}

void StatusBar::ShowClickDialog() {
  if (!messageList_.empty()) {
    person_.Ask(MessageKind::Error, "The following errors occured....\r\n\r\n" + messageList_,
                {Button::Ok});
  } else if (!text_.empty()) {
    const std::string& full = HintBelongsToText() ? hint_ : text_;
    person_.Ask(MessageKind::Error, "The following error occured....\r\n\r\n" + full, {Button::Ok});
  }
}

void StatusBar::Click() {
  if (clicked.SlotCount() > 0) {
    clicked.Emit();
    return;
  }
  ShowClickDialog();
}

void StatusBar::DoubleClick() {
  if (doubleClicked.SlotCount() > 0) {
    doubleClicked.Emit();
    return;
  }
  ShowClickDialog();
}

}  // namespace korvane
