#include "stelmar/core/file_listing.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "platform/ascii_case.h"

namespace stelmar {
namespace fs = std::filesystem;
namespace {

bool NoCaseLess(const std::string& a, const std::string& b) {
  return platform::AsciiLower(a) < platform::AsciiLower(b);
}

// Sorted without case, each name once: extensions are compared without case,
// so "pli" and "PLI" in the table match the same files.
void SortNoCase(std::vector<std::string>& names) {
  std::set<std::string> seen;
  std::erase_if(names, [&seen](const std::string& name) { return !seen.insert(name).second; });
  std::stable_sort(names.begin(), names.end(), NoCaseLess);
}

}  // namespace

std::vector<std::string> FilesWithExtension(const std::string& dir, const std::string& ext) {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(dir.empty() ? "." : dir, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    const std::size_t dot = name.rfind('.');
    const std::string own = dot == std::string::npos ? "" : name.substr(dot + 1);
    if (ext == "*" || platform::AsciiEqualNoCase(own, ext)) names.push_back(name);
  }
  return names;
}

std::vector<std::string> SingleFileList(const std::string& dir, const ExtensionTable& table) {
  std::vector<std::string> names;
  if (table.entries.empty()) names = FilesWithExtension(dir, "*");
  for (const std::string& ext : table.entries) {
    auto found = FilesWithExtension(dir, ext);
    names.insert(names.end(), found.begin(), found.end());
  }
  SortNoCase(names);
  return names;
}

std::vector<std::string> MultiFileList(const std::string& dir, const ExtensionTable& table) {
  if (table.entries.empty()) {
    auto names = FilesWithExtension(dir, "*");
    SortNoCase(names);
    return names;
  }
  auto names = SingleFileList(dir, table);
  auto bare = FilesWithExtension(dir, "");
  names.insert(names.end(), bare.begin(), bare.end());
  SortNoCase(names);
  return names;
}

std::vector<std::string> DirectoryEntries(const std::string& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (name.empty() || name[0] == '.' || !it->is_directory(typeError)) continue;
    names.push_back("[" + name + "]");
  }
  SortNoCase(names);
  const fs::path path(dir);
  if (path.has_relative_path()) names.insert(names.begin(), "[..]");
  return names;
}

bool DirectoryAvailable(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_directory(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace stelmar
