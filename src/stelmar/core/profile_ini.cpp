#include "stelmar/core/profile_ini.h"

#include <cstddef>

#include "platform/ascii_case.h"

namespace stelmar {
namespace {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// The section name of a "[name]" line, or false.
bool SectionName(std::string_view line, std::string_view& name) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return false;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return false;
  name = Trim(line.substr(1, close - 1));
  return true;
}

bool KeyOf(std::string_view line, std::string_view key, std::string_view& value) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return false;
  if (!platform::AsciiEqualNoCase(Trim(line.substr(0, eq)), key)) return false;
  value = line.substr(eq + 1);
  return true;
}

}  // namespace

ProfileIni ProfileIni::Parse(std::string_view text) {
  ProfileIni ini;
  while (!text.empty()) {
    const std::size_t nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ini.lines_.emplace_back(line);
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
  }
  return ini;
}

std::string ProfileIni::Serialize() const {
  std::string text;
  for (const std::string& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string ProfileIni::Get(std::string_view section, std::string_view key,
                            std::string_view fallback) const {
  bool inSection = false;
  for (const std::string& line : lines_) {
    std::string_view name;
    if (SectionName(line, name)) {
      inSection = platform::AsciiEqualNoCase(name, section);
      continue;
    }
    std::string_view value;
    if (!inSection || !KeyOf(line, key, value)) continue;
    value = Trim(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
  }
  return std::string(fallback);
}

void ProfileIni::Set(std::string_view section, std::string_view key, std::string_view value) {
  std::string entry = std::string(key) + "=" + std::string(value);
  std::size_t sectionLine = lines_.size();
  std::size_t lastContent = 0;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    std::string_view name;
    if (SectionName(lines_[i], name)) {
      if (sectionLine != lines_.size()) break;  // the next section ends ours
      if (platform::AsciiEqualNoCase(name, section)) sectionLine = lastContent = i;
      continue;
    }
    if (sectionLine == lines_.size()) continue;
    std::string_view old;
    if (KeyOf(lines_[i], key, old)) {
      lines_[i] = std::move(entry);
      return;
    }
    if (!Trim(lines_[i]).empty()) lastContent = i;
  }
  if (sectionLine == lines_.size()) {
    lines_.push_back("[" + std::string(section) + "]");
    lines_.push_back(std::move(entry));
    return;
  }
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), std::move(entry));
}

}  // namespace stelmar
