// The viewer's text model.
#include "korvane/core/viewer/text_document.h"

#include <algorithm>
#include <cstring>

namespace korvane {

TextDocument::TextDocument() : starts_{0} {}

namespace {

// Normalises line ends to "\n" and appends to out.
void AppendNormalised(std::string& out, std::string_view text) {
  out.reserve(out.size() + text.size());
  size_t i = 0;
  while (i < text.size()) {
    const void* found = std::memchr(text.data() + i, '\r', text.size() - i);
    const size_t cr =
        found != nullptr ? static_cast<const char*>(found) - text.data() : text.size();
    out.append(text.data() + i, cr - i);
    if (cr == text.size()) break;
    out += '\n';
    i = cr + 1;
    if (i < text.size() && text[i] == '\n') ++i;
  }
}

// Normalises line ends to "\n" in place; the text only shrinks.
void NormaliseInPlace(std::string& text) {
  char* data = text.data();
  const size_t size = text.size();
  const void* first = std::memchr(data, '\r', size);
  if (first == nullptr) return;
  size_t in = static_cast<const char*>(first) - data;
  size_t out = in;
  while (in < size) {
    const void* found = std::memchr(data + in, '\r', size - in);
    const size_t cr = found != nullptr ? static_cast<const char*>(found) - data : size;
    if (out != in) std::memmove(data + out, data + in, cr - in);
    out += cr - in;
    if (cr == size) break;
    data[out++] = '\n';
    in = cr + 1;
    if (in < size && data[in] == '\n') ++in;
  }
  text.resize(out);
}

}  // namespace

void TextDocument::IndexFrom(size_t from) {
  const char* data = text_.data();
  size_t i = from;
  while (i < text_.size()) {
    const void* found = std::memchr(data + i, '\n', text_.size() - i);
    if (found == nullptr) break;
    i = static_cast<const char*>(found) - data + 1;
    starts_.push_back(i);
  }
}

void TextDocument::SetPlainText(std::string_view text) {
  TakePlainText(std::string(text));
}

void TextDocument::TakePlainText(std::string&& text) {
  pendingCr_ = !text.empty() && text.back() == '\r';
  text_ = std::move(text);
  NormaliseInPlace(text_);
  starts_.assign(1, 0);
  IndexFrom(0);
  runs_.clear();
  selStart_ = selLength_ = firstVisible_ = 0;
  reset.Emit();
}

void TextDocument::SetLines(const std::vector<std::string>& lines) {
  StyledText styled;
  styled.lines = lines;
  SetStyled(styled);
}

void TextDocument::SetStyled(const StyledText& styled) {
  text_.clear();
  size_t total = 0;
  for (const auto& line : styled.lines) total += line.size() + 1;
  text_.reserve(total);
  starts_.assign(1, 0);
  for (size_t i = 0; i < styled.lines.size(); ++i) {
    if (i > 0) {
      text_ += '\n';
      starts_.push_back(text_.size());
    }
    text_ += styled.lines[i];
  }
  pendingCr_ = false;
  runs_.clear();
  for (const ColourRun& run : styled.runs) {
    if (run.line >= starts_.size()) continue;
    const size_t lineLength = Line(run.line).size();
    if (run.column >= lineLength || run.length == 0) continue;
    const size_t start = starts_[run.line] + run.column;
    const size_t length = std::min(run.length, lineLength - run.column);
    if (!runs_.empty() && runs_.back().start + runs_.back().length > start) continue;
    runs_.push_back({start, length, run.colour});
  }
  selStart_ = selLength_ = firstVisible_ = 0;
  reset.Emit();
}

StyledText TextDocument::Styled() const {
  StyledText styled;
  styled.lines = Lines();
  for (const Run& run : runs_) {
    // A run never spans a line break in our use; split it where it does.
    size_t start = run.start;
    size_t left = run.length;
    while (left > 0 && start < text_.size()) {
      const size_t line = LineOf(start);
      const size_t column = start - starts_[line];
      const size_t room = Line(line).size() - column;
      const size_t take = std::min(left, room);
      if (take > 0) styled.runs.push_back({line, column, take, run.colour});
      start += take + 1;
      left -= std::min(left, take + 1);
    }
  }
  return styled;
}

std::vector<std::string> TextDocument::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(starts_.size());
  for (size_t i = 0; i < starts_.size(); ++i) lines.emplace_back(Line(i));
  return lines;
}

void TextDocument::Append(std::string_view text) {
  if (text.empty()) return;
  const size_t firstChanged = starts_.size() - 1;
  const size_t from = text_.size();
  // A CR at the end of the old text may be followed by the LF of the new part.
  if (!text_.empty() && text.front() == '\n' && pendingCr_) text.remove_prefix(1);
  pendingCr_ = !text.empty() && text.back() == '\r';
  AppendNormalised(text_, text);
  IndexFrom(from);
  appended.Emit(firstChanged);
}

std::string_view TextDocument::Line(size_t index) const {
  if (index >= starts_.size()) return {};
  const size_t start = starts_[index];
  const size_t end = index + 1 < starts_.size() ? starts_[index + 1] - 1 : text_.size();
  return std::string_view(text_).substr(start, end - start);
}

size_t TextDocument::LineOf(size_t position) const {
  const auto it = std::upper_bound(starts_.begin(), starts_.end(), position);
  return static_cast<size_t>(it - starts_.begin()) - 1;
}

void TextDocument::SetColour(size_t start, size_t length, std::uint32_t colour) {
  start = std::min(start, text_.size());
  length = std::min(length, text_.size() - start);
  if (length == 0) return;
  const size_t end = start + length;
  std::vector<Run> result;
  result.reserve(runs_.size() + 2);
  bool inserted = false;
  for (const Run& run : runs_) {
    const size_t runEnd = run.start + run.length;
    if (runEnd <= start || run.start >= end) {
      if (run.start >= end && !inserted) {
        if (colour != kWindowText) result.push_back({start, length, colour});
        inserted = true;
      }
      result.push_back(run);
      continue;
    }
    if (run.start < start) result.push_back({run.start, start - run.start, run.colour});
    if (!inserted) {
      if (colour != kWindowText) result.push_back({start, length, colour});
      inserted = true;
    }
    if (runEnd > end) result.push_back({end, runEnd - end, run.colour});
  }
  if (!inserted && colour != kWindowText) result.push_back({start, length, colour});
  runs_ = std::move(result);
  coloured.Emit(start, end);
}

std::string_view TextDocument::SelText() const {
  return std::string_view(text_).substr(std::min(selStart_, text_.size()), selLength_);
}

void TextDocument::SetSelection(size_t start, size_t length) {
  start = std::min(start, text_.size());
  length = std::min(length, text_.size() - start);
  selStart_ = start;
  selLength_ = length;
  selectionChanged.Emit();
  selectionMoved.Emit();
}

void TextDocument::SelectionFromView(size_t start, size_t length) {
  start = std::min(start, text_.size());
  length = std::min(length, text_.size() - start);
  if (start == selStart_ && length == selLength_) return;
  selStart_ = start;
  selLength_ = length;
  selectionMoved.Emit();
}

void TextDocument::ScrollToLine(size_t line) {
  firstVisible_ = std::min(line, LineCount() - 1);
  scrolled.Emit();
}

}  // namespace korvane
