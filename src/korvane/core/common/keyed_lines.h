#pragma once
// A list of text lines of which those of the form Name=Value can be looked up and set by
// name, ignoring case, first match winning: the tool configuration and the job file.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvane {

class KeyedLines {
 public:
  KeyedLines() = default;
  explicit KeyedLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  const std::vector<std::string>& Lines() const { return lines_; }
  size_t size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }
  const std::string& operator[](size_t index) const { return lines_[index]; }

  void SetLines(std::vector<std::string> lines);
  void Append(std::string line);
  void Insert(size_t index, std::string line);
  void Erase(size_t index);
  // Replaces one line as it is (no name handling).
  void SetLine(size_t index, std::string line);
  void Clear();

  // The value of the first line whose name equals name ignoring case; empty when none.
  std::string Value(std::string_view name) const;
  // Index of that line, -1 when none.
  int IndexOfName(std::string_view name) const;
  // Replaces the first matching line by name=value (in the spelling given here), or
  // appends it when no line matches. An empty value deletes the first matching line.
  void SetValue(std::string_view name, std::string_view value);

  // The text before the first "="; empty for a line without "=" (which has no name).
  static std::string NameOf(std::string_view line);
  // The text after the first "="; empty for a line without "=".
  static std::string ValueOf(std::string_view line);
  // Whether line has a name at all, i.e. contains "=".
  static bool HasName(std::string_view line);

 private:
  static std::string FoldName(std::string_view name);
  void EnsureIndex() const;
  void Invalidate() { indexValid_ = false; }
  // Keeps a valid index valid after a line was added at the end.
  void IndexAppended(size_t index);

  std::vector<std::string> lines_;
  // Case-folded name -> index of the first line carrying it. Built on the first lookup,
  // kept up to date by replacements and appends, dropped when lines shift.
  mutable std::unordered_map<std::string, size_t> index_;
  mutable bool indexValid_ = false;
};

}  // namespace korvane
