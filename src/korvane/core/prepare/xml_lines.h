#pragma once
// The line writers of the job parameter file: every line indented by one blank per
// level, values inserted verbatim, and a block whose body stayed empty removed again.

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

class XmlLines {
 public:
  void Clear();
  const std::vector<std::string>& Lines() const { return lines_; }
  std::vector<std::string> TakeLines() { return std::move(lines_); }
  int Level() const { return level_; }
  void SetLevel(int level) { level_ = level; }

  void WriteXmlLine(std::string_view text);
  void WriteXmlValue(std::string_view name, std::string_view value);
  void OpenXmlElement(std::string_view name);
  void CloseXmlElement();
  void OpenXmlBlock(std::string_view text);
  // Removes the opening line and this one when nothing was written between them.
  void CloseXmlBlock(std::string_view text);

  // Whether some value written so far holds a character that a parser of the file would
  // read as markup ("<", "&" or a quote). Such values are written as they are.
  bool HasMarkupInValues() const { return markupInValues_; }
  // Records a value written through WriteXmlLine (the quoted attribute values).
  void NoteValue(std::string_view value);

 private:
  std::string Indent() const;

  std::vector<std::string> lines_;
  int level_ = 0;
  std::string current_;
  long long openLine_ = -1;
  bool markupInValues_ = false;
};

}  // namespace korvane
