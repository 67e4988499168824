#include "platform/ini_text.h"

#include <unordered_map>
#include <unordered_set>

#include "platform/ascii_case.h"

namespace platform {

namespace {

constexpr std::string_view kNameSpecials = "=[];#";
constexpr std::string_view kSectionSpecials = "[]";

// Control characters would end or mangle a line, "=" would move the split of
// a name, a leading "[" ";" "#" would turn a name into a header or a comment.
std::string Escape(std::string_view text, std::string_view specials) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u == 0x7f) {
      out += "\\x";
      out.push_back(kHex[u >> 4]);
      out.push_back(kHex[u & 0x0f]);
    } else if (specials.find(c) != std::string_view::npos) {
      out.push_back('\\');
      out.push_back(c);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Lenient on hand-edited text: an unknown escape stands for the character
// itself and a lone trailing backslash is kept.
std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out.push_back(text[i]);
      continue;
    }
    const char next = text[++i];
    switch (next) {
      case 'n':
        out.push_back('\n');
        break;
      case 'r':
        out.push_back('\r');
        break;
      case 't':
        out.push_back('\t');
        break;
      case 'x':
        if (i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
          out.push_back(static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2])));
          i += 2;
        } else {
          out.push_back('x');
        }
        break;
      default:
        out.push_back(next);
    }
  }
  return out;
}

size_t UnescapedEquals(std::string_view line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '=') {
      return i;
    }
  }
  return std::string_view::npos;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view text) {
  IniDocument doc;
  std::unordered_map<std::string, size_t> sectionIndex;
  std::vector<std::unordered_set<std::string>> seen;

  auto open = [&](std::string name) {
    const std::string folded = AsciiLower(name);
    const auto [it, added] = sectionIndex.try_emplace(folded, doc.sections_.size());
    if (added) {
      doc.sections_.push_back({std::move(name), {}});
      seen.emplace_back();
    }
    return it->second;
  };

  size_t current = open("");
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[' && line.size() >= 2 && line.back() == ']') {
      current = open(Unescape(line.substr(1, line.size() - 2)));
      continue;
    }
    const size_t eq = UnescapedEquals(line);
    if (eq == std::string_view::npos) continue;
    std::string name = Unescape(line.substr(0, eq));
    if (!seen[current].insert(AsciiLower(name)).second) continue;
    doc.sections_[current].entries.push_back({std::move(name), Unescape(line.substr(eq + 1))});
  }
  return doc;
}

std::string IniDocument::Serialize() const {
  std::string out;
  // Values of the unnamed section have no header, so they must come first.
  for (const IniSection& section : sections_) {
    if (!section.name.empty() || section.entries.empty()) continue;
    for (const IniEntry& e : section.entries) {
      out += Escape(e.name, kNameSpecials) + "=" + Escape(e.value, {}) + "\n";
    }
  }
  for (const IniSection& section : sections_) {
    if (section.name.empty() || section.entries.empty()) continue;
    if (!out.empty()) out += "\n";
    out += "[" + Escape(section.name, kSectionSpecials) + "]\n";
    for (const IniEntry& e : section.entries) {
      out += Escape(e.name, kNameSpecials) + "=" + Escape(e.value, {}) + "\n";
    }
  }
  return out;
}

IniSection* IniDocument::Find(std::string_view section) {
  for (IniSection& s : sections_) {
    if (AsciiEqualNoCase(s.name, section)) return &s;
  }
  return nullptr;
}

const IniSection* IniDocument::Find(std::string_view section) const {
  return const_cast<IniDocument*>(this)->Find(section);
}

std::optional<std::string> IniDocument::Get(std::string_view section, std::string_view name) const {
  const IniSection* s = Find(section);
  if (s == nullptr) return std::nullopt;
  for (const IniEntry& e : s->entries) {
    if (AsciiEqualNoCase(e.name, name)) return e.value;
  }
  return std::nullopt;
}

void IniDocument::Set(std::string_view section, std::string_view name, std::string_view value) {
  IniSection* s = Find(section);
  if (s == nullptr) {
    sections_.push_back({std::string(section), {}});
    s = &sections_.back();
  }
  for (IniEntry& e : s->entries) {
    if (AsciiEqualNoCase(e.name, name)) {
      e.value = value;
      return;
    }
  }
  s->entries.push_back({std::string(name), std::string(value)});
}

bool IniDocument::Erase(std::string_view section, std::string_view name) {
  IniSection* s = Find(section);
  if (s == nullptr) return false;
  for (auto it = s->entries.begin(); it != s->entries.end(); ++it) {
    if (AsciiEqualNoCase(it->name, name)) {
      s->entries.erase(it);
      return true;
    }
  }
  return false;
}

}  // namespace platform
