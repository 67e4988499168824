#include "korvane/core/sources/copy_library.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "korvane/core/common/text.h"
#include "korvane/core/common/text_file.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

void ListInto(const fs::path& dir, std::vector<CollectionFile>& out, bool topLevel) {
  std::error_code ec;
  fs::directory_iterator it(dir, ec);
  if (ec) return;
  struct Found {
    std::string name;
    fs::file_type type;
  };
  std::vector<Found> found;
  for (; it != fs::directory_iterator(); it.increment(ec)) {
    if (ec) break;
    // A link is taken as a link, never as what it points to. The entry's type comes from
    // the listing itself, so no file is looked at one by one.
    std::error_code typeError;
    fs::file_type type = fs::file_type::symlink;
    if (!it->is_symlink(typeError)) {
      if (it->is_directory(typeError)) {
        type = fs::file_type::directory;
      } else if (it->is_regular_file(typeError)) {
        type = fs::file_type::regular;
      } else {
        continue;
      }
    }
    if (typeError) continue;
    found.push_back({it->path().filename().string(), type});
  }
  std::sort(found.begin(), found.end(),
            [](const Found& a, const Found& b) { return a.name < b.name; });
  for (const Found& f : found) {
    const fs::path full = dir / f.name;
    if (f.type == fs::file_type::directory) {
      ListInto(full, out, false);
    } else if (f.type == fs::file_type::regular || f.type == fs::file_type::symlink) {
      out.push_back({f.name, full.string(), f.type == fs::file_type::symlink, topLevel});
    }
  }
}

enum class CopySyntax { None, Columns, Assembler };

CopySyntax SyntaxFor(int langIndex) {
  switch (langIndex) {
    case 0:
    case 2:
      return CopySyntax::Columns;
    case 1:
      return CopySyntax::Assembler;
    default:
      return CopySyntax::None;
  }
}

// Columns from (1-based) and count long, cut short at the end of the line.
std::string_view Columns(std::string_view line, size_t from, size_t count) {
  if (line.size() < from) return {};
  return line.substr(from - 1, count);
}

char Column(std::string_view line, size_t column) {
  return line.size() >= column ? line[column - 1] : ' ';
}

// Finds a copy statement in scan and stores its cleaned name; false when there is none.
bool CopyName(std::string_view scan, std::string& name) {
  const size_t at = scan.find(" copy ");
  if (at == std::string_view::npos) return false;
  name = Trim(scan.substr(at + 6));
  if (!name.empty() && name.back() == '.') name.back() = ' ';
  name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return c == '\'' || c == '"'; }),
             name.end());
  name = Trim(name);
  return true;
}

// The cleaned name of the copy statement in a line, if it has one.
bool StatementIn(std::string_view line, CopySyntax syntax, std::string& scan, std::string& name) {
  scan.assign(1, ' ');
  if (syntax == CopySyntax::Columns) {
    if (Column(line, 7) == '*') return false;
    scan += ToLower(Columns(line, 8, 72));
  } else {
    if (Column(line, 1) == '*') return false;
    scan += ToLower(Columns(line, 1, 72));
  }
  return CopyName(scan, name);
}

}  // namespace

std::vector<CollectionFile> ListCollectionFiles(const std::string& dir) {
  std::vector<CollectionFile> out;
  std::error_code ec;
  if (fs::symlink_status(dir, ec).type() == fs::file_type::directory) ListInto(dir, out, true);
  return out;
}

CopyLibrary::CopyLibrary(const std::string& base) {
  // The first file listed keeps a name that two files share.
  for (const CollectionFile& file : ListCollectionFiles(base + "/CopyCollection")) {
    const size_t dot = file.name.rfind('.');
    if (dot == std::string::npos) {
      byName_.emplace(ToLower(file.name), file.path);
    } else {
      byName_.emplace(ToLower(file.name.substr(0, dot)), file.path);
      byName_.emplace(ToLower(file.name), file.path);
    }
  }
}

const std::string* CopyLibrary::Find(const std::string& name) const {
  auto it = byName_.find(name);
  if (it != byName_.end()) return &it->second;
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return nullptr;
  it = byName_.find(name.substr(0, dot));
  return it != byName_.end() ? &it->second : nullptr;
}

const std::vector<std::string>& CopyLibrary::Lines(const std::string& path) {
  auto it = read_.find(path);
  if (it == read_.end()) it = read_.emplace(path, ReadTextLines(path)).first;
  return it->second;
}

void LoadSourceWithCopies(const std::string& base, int langIndex, const std::string& sourcePath,
                          std::vector<std::string>& target, std::vector<std::string>* unresolved) {
  if (SyntaxFor(langIndex) == CopySyntax::None) {
    target = ReadTextLines(sourcePath);
    return;
  }
  CopyLibrary library(base);
  ExpandSourceCopies(library, langIndex, sourcePath, target, unresolved);
}

void ExpandSourceCopies(CopyLibrary& library, int langIndex, const std::string& sourcePath,
                        std::vector<std::string>& target, std::vector<std::string>* unresolved,
                        CopyTrace* trace) {
  target = ReadTextLines(sourcePath);
  const CopySyntax syntax = SyntaxFor(langIndex);
  if (syntax == CopySyntax::None) return;

  // The statements are resolved from the last line to the first, so names reach the
  // unresolved list and members are read in that order; the text is then assembled front
  // to back in one pass. Inserted member text is never scanned, so copies inside members
  // stay as they are.
  std::vector<const std::vector<std::string>*> memberAt(target.size(), nullptr);
  std::vector<CopyTrace::Use> resolved;
  std::vector<std::string> missing;
  std::string scan;
  std::string name;
  for (size_t i = target.size(); i-- > 0;) {
    if (!StatementIn(target[i], syntax, scan, name)) continue;
    const std::string* path = library.Find(name);
    if (path == nullptr) {
      if (unresolved != nullptr) unresolved->push_back(name);
      if (trace != nullptr) missing.push_back(name);
      continue;
    }
    memberAt[i] = &library.Lines(*path);
    if (trace != nullptr) resolved.push_back({name, *path});
  }
  if (trace != nullptr) {
    trace->resolved.insert(trace->resolved.end(), resolved.rbegin(), resolved.rend());
    trace->unresolved.insert(trace->unresolved.end(), missing.rbegin(), missing.rend());
    std::unordered_set<std::string> scanned;
    for (auto use = resolved.rbegin(); use != resolved.rend(); ++use) {
      if (!scanned.insert(use->member).second) continue;
      for (const std::string& line : library.Lines(use->member)) {
        if (StatementIn(line, syntax, scan, name)) trace->nested.push_back({name, use->member});
      }
    }
  }

  size_t total = target.size();
  for (const auto* member : memberAt) {
    if (member != nullptr) total += member->size();
  }
  std::vector<std::string> out;
  out.reserve(total);
  for (size_t i = 0; i < target.size(); ++i) {
    const std::vector<std::string>* member = memberAt[i];
    if (member == nullptr) {
      out.push_back(std::move(target[i]));
    } else if (syntax == CopySyntax::Columns) {
      out.push_back("insert*" + std::string(Columns(target[i], 8, 80)));
      for (const std::string& m : *member) out.push_back("insert" + std::string(Columns(m, 7, 80)));
    } else {
      out.push_back("*" + std::string(Columns(target[i], 1, 79)));
      out.insert(out.end(), member->begin(), member->end());
    }
  }
  target = std::move(out);
}

std::string ReadLabelHead(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return {};
  // Label files are short and synchronisation reads thousands of them: reading straight
  // into our own buffer spares the stream's buffer and the size query that sets it up.
  std::setvbuf(file, nullptr, _IONBF, 0);
  std::string buffer;
  char chunk[4096];
  std::string head;
  for (;;) {
    const size_t got = std::fread(chunk, 1, sizeof chunk, file);
    buffer.append(chunk, got);
    const bool atEnd = got < sizeof chunk;
    // Line one ends at the first CR or LF; a CR LF pair is one line end.
    const size_t end1 = buffer.find_first_of("\r\n");
    size_t start2 = std::string::npos;
    if (end1 != std::string::npos) {
      start2 = end1 + 1;
      if (buffer[end1] == '\r' && start2 < buffer.size() && buffer[start2] == '\n') ++start2;
    }
    const size_t end2 =
        start2 == std::string::npos ? std::string::npos : buffer.find_first_of("\r\n", start2);
    if (end2 != std::string::npos || atEnd) {
      head = buffer.substr(0, end1);
      if (start2 != std::string::npos && start2 <= buffer.size()) {
        head +=
            buffer.substr(start2, end2 == std::string::npos ? std::string::npos : end2 - start2);
      }
      break;
    }
  }
  std::fclose(file);
  return head;
}

}  // namespace korvane
