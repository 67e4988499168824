#include "korvane/core/prepare/xml_lines.h"

namespace korvane {

void XmlLines::Clear() {
  lines_.clear();
  level_ = 0;
  current_.clear();
  openLine_ = -1;
  markupInValues_ = false;
}

std::string XmlLines::Indent() const {
  return std::string(level_ > 0 ? static_cast<size_t>(level_) : 0, ' ');
}

void XmlLines::NoteValue(std::string_view value) {
  if (value.find_first_of("<&\"'") != std::string_view::npos) markupInValues_ = true;
}

void XmlLines::WriteXmlLine(std::string_view text) {
  lines_.push_back(Indent() + std::string(text));
}

void XmlLines::WriteXmlValue(std::string_view name, std::string_view value) {
  NoteValue(value);
  std::string line = Indent();
  line.reserve(line.size() + 2 * name.size() + value.size() + 5);
  line += '<';
  line += name;
  line += '>';
  line += value;
  line += "</";
  line += name;
  line += '>';
  lines_.push_back(std::move(line));
}

void XmlLines::OpenXmlElement(std::string_view name) {
  lines_.push_back(Indent() + "<" + std::string(name) + ">");
  current_ = name;
  ++level_;
}

void XmlLines::CloseXmlElement() {
  --level_;
  lines_.push_back(Indent() + "</" + current_ + ">");
}

void XmlLines::OpenXmlBlock(std::string_view text) {
  lines_.push_back(Indent() + std::string(text));
  openLine_ = static_cast<long long>(lines_.size()) - 1;
  ++level_;
}

void XmlLines::CloseXmlBlock(std::string_view text) {
  --level_;
  if (openLine_ >= 0 && openLine_ == static_cast<long long>(lines_.size()) - 1) {
    lines_.pop_back();  // the block's body stayed empty: neither line is kept
    return;
  }
  lines_.push_back(Indent() + std::string(text));
}

}  // namespace korvane
