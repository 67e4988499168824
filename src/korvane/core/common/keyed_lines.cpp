#include "korvane/core/common/keyed_lines.h"

#include "korvane/core/common/text.h"

namespace korvane {

std::string KeyedLines::FoldName(std::string_view name) {
  return ToLower(name);
}

bool KeyedLines::HasName(std::string_view line) {
  return line.find('=') != std::string_view::npos;
}

std::string KeyedLines::NameOf(std::string_view line) {
  const size_t eq = line.find('=');
  return eq == std::string_view::npos ? std::string() : std::string(line.substr(0, eq));
}

std::string KeyedLines::ValueOf(std::string_view line) {
  const size_t eq = line.find('=');
  return eq == std::string_view::npos ? std::string() : std::string(line.substr(eq + 1));
}

void KeyedLines::EnsureIndex() const {
  if (indexValid_) return;
  index_.clear();
  index_.reserve(lines_.size());
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::string_view line = lines_[i];
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    index_.try_emplace(FoldName(line.substr(0, eq)), i);  // the first line wins
  }
  indexValid_ = true;
}

void KeyedLines::IndexAppended(size_t index) {
  if (!indexValid_) return;
  const std::string_view line = lines_[index];
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos) return;
  index_.try_emplace(FoldName(line.substr(0, eq)), index);
}

void KeyedLines::SetLines(std::vector<std::string> lines) {
  lines_ = std::move(lines);
  Invalidate();
}

void KeyedLines::Append(std::string line) {
  lines_.push_back(std::move(line));
  IndexAppended(lines_.size() - 1);
}

void KeyedLines::Insert(size_t index, std::string line) {
  if (index > lines_.size()) index = lines_.size();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
  Invalidate();
}

void KeyedLines::Erase(size_t index) {
  if (index >= lines_.size()) return;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
  Invalidate();
}

void KeyedLines::SetLine(size_t index, std::string line) {
  if (index >= lines_.size()) return;
  lines_[index] = std::move(line);
  Invalidate();
}

void KeyedLines::Clear() {
  lines_.clear();
  index_.clear();
  indexValid_ = true;
}

int KeyedLines::IndexOfName(std::string_view name) const {
  EnsureIndex();
  const auto found = index_.find(FoldName(name));
  return found == index_.end() ? -1 : static_cast<int>(found->second);
}

std::string KeyedLines::Value(std::string_view name) const {
  const int at = IndexOfName(name);
  return at < 0 ? std::string() : ValueOf(lines_[static_cast<size_t>(at)]);
}

void KeyedLines::SetValue(std::string_view name, std::string_view value) {
  const int at = IndexOfName(name);
  if (value.empty()) {
    if (at >= 0) Erase(static_cast<size_t>(at));
    return;
  }
  std::string line;
  line.reserve(name.size() + 1 + value.size());
  line.append(name).append("=").append(value);
  if (at >= 0) {
    // Same name up to case: the index entry stays right.
    lines_[static_cast<size_t>(at)] = std::move(line);
  } else {
    Append(std::move(line));
  }
}

}  // namespace korvane
