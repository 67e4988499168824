#include "platform/system_paths.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>

#include "platform/user_dirs.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <shlobj.h>
#include <windows.h>
#include <vector>

#include "platform/win_text.h"
#endif

namespace platform {

namespace {

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
  return path;
}

#ifndef _WIN32

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_directory(path, ec);
}

// One line of user-dirs.dirs: XDG_DOCUMENTS_DIR="$HOME/Documents". The file
// is shell syntax written by xdg-user-dirs-update; only the two forms it
// writes are accepted: "$HOME/..." and an absolute path.
std::optional<std::string> ParseUserDirLine(std::string_view line, std::string_view wanted,
                                            const std::string& home) {
  const size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos || line[first] == '#') return std::nullopt;
  line.remove_prefix(first);
  if (line.substr(0, wanted.size()) != wanted) return std::nullopt;
  line.remove_prefix(wanted.size());
  line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
  if (line.empty() || line.front() != '=') return std::nullopt;
  line.remove_prefix(1);
  line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
  if (line.empty() || line.front() != '"') return std::nullopt;

  std::string value;
  bool closed = false;
  for (size_t i = 1; i < line.size(); ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) {
      value.push_back(line[++i]);
    } else if (line[i] == '"') {
      closed = true;
      break;
    } else {
      value.push_back(line[i]);
    }
  }
  if (!closed) return std::nullopt;

  constexpr std::string_view kHome = "$HOME";
  if (value.compare(0, kHome.size(), kHome) == 0 &&
      (value.size() == kHome.size() || value[kHome.size()] == '/')) {
    if (home.empty()) return std::nullopt;
    return home + value.substr(kHome.size());
  }
  if (!value.empty() && value.front() == '/') return value;
  return std::nullopt;
}

std::optional<std::string> XdgUserDir(std::string_view wanted, const std::string& home) {
  const std::string config = ConfigHome();
  if (config.empty()) return std::nullopt;
  std::ifstream in(std::filesystem::path(config) / "user-dirs.dirs", std::ios::binary);
  if (!in) return std::nullopt;
  std::optional<std::string> found;
  std::string line;
  // Later assignments override earlier ones, as when the shell sources it.
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (auto dir = ParseUserDirLine(line, wanted, home)) found = std::move(dir);
  }
  return found;
}

#endif

}  // namespace

std::string ProgramPath() {
#ifdef _WIN32
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return Narrow(std::wstring_view(buffer.data(), n));
    buffer.resize(buffer.size() * 2);
  }
#else
  std::error_code ec;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : path.string();
#endif
}

std::string ProgramDirectory() {
  const std::string path = ProgramPath();
  if (path.empty()) return {};
  return WithoutTrailingSeparators(std::filesystem::path(path).parent_path().string());
}

std::string DocumentsFolder() {
#ifdef _WIN32
  wchar_t buffer[MAX_PATH] = {};
  if (SUCCEEDED(::SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, buffer))) {
    return Narrow(buffer);
  }
  return {};
#else
  const std::string home = HomeDirectory();
  // A configured folder that has since been removed is no place to start a
  // dialog in; the usual fallbacks follow then.
  if (auto dir = XdgUserDir("XDG_DOCUMENTS_DIR", home); dir && IsDirectory(*dir)) {
    return WithoutTrailingSeparators(*dir);
  }
  if (home.empty()) return {};
  std::string documents = (std::filesystem::path(home) / "Documents").string();
  if (IsDirectory(documents)) return documents;
  return WithoutTrailingSeparators(home);
#endif
}

bool ShortDirectoryPath(std::string& dir, std::string& message) {
  message.clear();
#ifdef _WIN32
  const std::wstring wide = Widen(dir);
  const DWORD needed = dir.empty() ? 0 : ::GetShortPathNameW(wide.c_str(), nullptr, 0);
  std::string shortPath;
  if (needed > 0) {
    std::vector<wchar_t> buffer(needed);
    const DWORD n = ::GetShortPathNameW(wide.c_str(), buffer.data(), needed);
    if (n > 0 && n < needed) shortPath = Narrow(std::wstring_view(buffer.data(), n));
  }
  dir = shortPath;
#else
  if (!IsDirectory(dir)) dir.clear();
#endif
  if (dir.empty()) message = "Directory doesn't exist";
  return !message.empty();
}

}  // namespace platform
