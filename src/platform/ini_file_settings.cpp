#include "platform/ini_file_settings.h"

#include <fstream>
#include <iterator>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/ascii_case.h"
#include "platform/atomic_file.h"
#include "platform/ini_text.h"
#include "platform/user_dirs.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace platform {

namespace {

struct Location {
  std::filesystem::path file;
  std::string section;
};

bool UsableFileName(const std::string& part) {
  return !part.empty() && part != "." && part != ".." &&
         part.find_first_of(std::string_view("/\0", 2)) == std::string::npos;
}

// "Software\<vendor>\<product>\<section...>\" with the trailing backslash
// optional; a section may itself contain backslashes.
std::optional<Location> Locate(const std::filesystem::path& configDir, const std::string& key) {
  if (configDir.empty()) return std::nullopt;
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= key.size()) {
    size_t end = key.find('\\', start);
    if (end == std::string::npos) end = key.size();
    parts.push_back(key.substr(start, end - start));
    start = end + 1;
  }
  if (!parts.empty() && parts.front().empty()) parts.erase(parts.begin());
  if (!parts.empty() && parts.back().empty()) parts.pop_back();
  if (parts.size() < 3 || !AsciiEqualNoCase(parts[0], "Software")) return std::nullopt;
  if (!UsableFileName(parts[1]) || !UsableFileName(parts[2])) return std::nullopt;

  Location loc;
  loc.file = configDir / parts[1] / (parts[2] + ".ini");
  for (size_t i = 3; i < parts.size(); ++i) {
    if (i > 3) loc.section += '\\';
    loc.section += parts[i];
  }
  return loc;
}

enum class Loaded { Missing, Read, Failed };

std::pair<Loaded, IniDocument> Load(const std::filesystem::path& file) {
  std::error_code ec;
  const auto status = std::filesystem::status(file, ec);
  if (status.type() == std::filesystem::file_type::not_found) return {Loaded::Missing, {}};
  if (ec || status.type() != std::filesystem::file_type::regular) return {Loaded::Failed, {}};
  std::ifstream in(file, std::ios::binary);
  if (!in) return {Loaded::Failed, {}};
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return {Loaded::Failed, {}};
  return {Loaded::Read, IniDocument::Parse(text)};
}

// Two running shells share one file; the lock on its folder keeps one
// shell's read-modify-write from dropping a value the other just wrote.
class FolderLock {
 public:
  explicit FolderLock(const std::filesystem::path& dir) {
#ifndef _WIN32
    fd_ = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ >= 0) ::flock(fd_, LOCK_EX);
#else
    // A folder cannot be locked there: a lock file of its own in it is.
    file_ = ::CreateFileW((dir / ".settings.lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file_ != INVALID_HANDLE_VALUE) {
      OVERLAPPED whole{};
      ::LockFileEx(file_, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole);
    }
#endif
  }
  ~FolderLock() {
#ifndef _WIN32
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
#else
    if (file_ != INVALID_HANDLE_VALUE) ::CloseHandle(file_);  // and so here
#endif
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
#ifndef _WIN32
  int fd_ = -1;
#else
  HANDLE file_ = INVALID_HANDLE_VALUE;
#endif
};

template <typename Change>
bool Modify(const std::filesystem::path& configDir, const std::string& key, Change change) {
  const auto loc = Locate(configDir, key);
  if (!loc) return false;
  const std::filesystem::path dir = loc->file.parent_path();
  if (!EnsureDirectory(dir, 0700)) return false;
  FolderLock lock(dir);
  auto [state, doc] = Load(loc->file);
  // Rewriting a file that could not be read would throw away every other
  // value in it.
  if (state == Loaded::Failed) return false;
  if (!change(doc, loc->section)) return true;
#ifndef _WIN32
  // The file holds the user's private paths; an older copy that was created
  // readable by others is tightened before the new content replaces it. (On
  // Windows the user's profile folder is private already.)
  if (state == Loaded::Read) ::chmod(loc->file.c_str(), 0600);
#endif
  return WriteFileAtomic(loc->file, doc.Serialize(), 0600).empty();
}

}  // namespace

IniFileSettings::IniFileSettings(std::filesystem::path configDir)
    : configDir_(std::move(configDir)) {}

std::filesystem::path IniFileSettings::FileFor(const std::string& key) const {
  const auto loc = Locate(configDir_, key);
  return loc ? loc->file : std::filesystem::path();
}

std::optional<std::string> IniFileSettings::Read(const std::string& key, const std::string& name) {
  const auto loc = Locate(configDir_, key);
  if (!loc) return std::nullopt;
  const auto [state, doc] = Load(loc->file);
  if (state != Loaded::Read) return std::nullopt;
  return doc.Get(loc->section, name);
}

bool IniFileSettings::Write(const std::string& key, const std::string& name,
                            const std::string& value) {
  return Modify(configDir_, key, [&](IniDocument& doc, const std::string& section) {
    if (doc.Get(section, name) == value) return false;  // the file already says so
    doc.Set(section, name, value);
    return true;
  });
}

bool IniFileSettings::Remove(const std::string& key, const std::string& name) {
  const auto loc = Locate(configDir_, key);
  if (!loc) return false;
  std::error_code ec;
  // Nothing to remove from a file that is not there, and no folder to create.
  if (!std::filesystem::exists(loc->file, ec) && !ec) return true;
  return Modify(configDir_, key, [&](IniDocument& doc, const std::string& section) {
    return doc.Erase(section, name);
  });
}

}  // namespace platform
