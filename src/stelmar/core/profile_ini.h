#pragma once
// An INI text edited the way the Windows profile functions edit one: a key
// written into an existing section replaces its value in place or is added at
// the section's end, a new section is added at the end of the file, and every
// other line stays as it was. Names compare without ASCII case.

#include <string>
#include <string_view>
#include <vector>

namespace stelmar {

class ProfileIni {
 public:
  // Lines may end in LF or CR LF.
  static ProfileIni Parse(std::string_view text);
  // Lines joined with CR LF, the last one ended too.
  std::string Serialize() const;

  // The value with surrounding blanks removed, and one pair of matching quotes
  // around it; fallback when the section or key is absent.
  std::string Get(std::string_view section, std::string_view key, std::string_view fallback) const;
  void Set(std::string_view section, std::string_view key, std::string_view value);

 private:
  std::vector<std::string> lines_;
};

}  // namespace stelmar
