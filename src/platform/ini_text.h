#pragma once
// The text form of a settings INI file: sections of name=value lines, with
// backslash escapes so that any byte string survives as a name or a value.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct IniEntry {
  std::string name;
  std::string value;
};

struct IniSection {
  std::string name;  // empty: the lines before the first header
  std::vector<IniEntry> entries;
};

class IniDocument {
 public:
  // Lines may end in LF or CR LF. Blank lines and lines starting with ";" or
  // "#" are skipped, as are lines without "=". Section and value names are
  // matched ignoring ASCII case; a repeated one after the first is dropped.
  static IniDocument Parse(std::string_view text);
  std::string Serialize() const;

  std::optional<std::string> Get(std::string_view section, std::string_view name) const;
  void Set(std::string_view section, std::string_view name, std::string_view value);
  // True when something was removed.
  bool Erase(std::string_view section, std::string_view name);

  const std::vector<IniSection>& Sections() const { return sections_; }

 private:
  IniSection* Find(std::string_view section);
  const IniSection* Find(std::string_view section) const;

  std::vector<IniSection> sections_;
};

}  // namespace platform
