#pragma once
// The tool configuration: the lines of Korvane.INI as the configuration memo holds them,
// looked up by key name (first match wins, case ignored), and the value forms its keys use.

#include <string>
#include <string_view>
#include <vector>

#include "korvane/core/common/keyed_lines.h"

namespace korvane {

class StatusBar;

class ToolConfiguration {
 public:
  ToolConfiguration() = default;
  explicit ToolConfiguration(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  // Value of the first line whose name matches, empty when none does.
  std::string Value(std::string_view name) const { return lines_.Value(name); }
  // Replaces the first matching line, appends when there is none; an empty value removes
  // the line.
  void SetValue(std::string_view name, std::string_view value) { lines_.SetValue(name, value); }
  // Whether some line carries the name, even with an empty value.
  bool HasKey(std::string_view name) const { return lines_.IndexOfName(name) >= 0; }
  // Decimal value of "0" + Value(name): empty and absent read as 0. Throws ConversionError
  // for anything that is not a number.
  long long IntValue(std::string_view name) const;

  const std::vector<std::string>& Lines() const { return lines_.Lines(); }
  void SetLines(std::vector<std::string> lines) { lines_.SetLines(std::move(lines)); }
  bool Empty() const { return lines_.empty(); }
  // Direct line access for the few places that rewrite lines as such (the "Not installed "
  // marking, inserting the save stamp).
  KeyedLines& Keyed() { return lines_; }
  const KeyedLines& Keyed() const { return lines_; }

  // The Name=Value items of a parenthesised key list: the text after the first "(" up to
  // the last ")" read as comma text. A value without "(" gives an empty list.
  static KeyedLines KeyList(std::string_view value);
  // The items of a comma list (double-quoted items allowed).
  static std::vector<std::string> CommaList(std::string_view value);

  // The per-product switches of <langCode>.Extras; "DirDepth=2" when the key is missing
  // altogether, so that only a written list can turn the depth to 0.
  KeyedLines Extras(std::string_view langCode) const;

  // Dialog filter for adding files. kindKey is the language code for sources and
  // "<LangCode>.Copy" for copies; the filter of the chosen interface version, when it has
  // one, is appended. A missing definition is reported as a status text and replaced by a
  // catch-all filter so that the dialog still opens.
  std::string FilterFor(const std::string& kindKey, const std::string& versionKey,
                        StatusBar& status) const;

  // The masks of the result, copy and source filters of a product as one ";" list, for the
  // result viewer's open dialog.
  std::string ResultMasks(const std::string& langCode) const;

 private:
  KeyedLines lines_;
};

}  // namespace korvane
