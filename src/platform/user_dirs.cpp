#include "platform/user_dirs.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace platform {

namespace {

std::string AbsoluteEnv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return {};
  std::string text(value);
  if (!std::filesystem::path(text).is_absolute()) return {};
  return text;
}

std::string BelowHomeOrEnv(const char* name, const char* relative) {
  std::string dir = AbsoluteEnv(name);
  if (!dir.empty()) return dir;
  const std::string home = HomeDirectory();
  if (home.empty()) return {};
  return (std::filesystem::path(home) / relative).string();
}

}  // namespace

std::string HomeDirectory() {
#ifdef _WIN32
  return AbsoluteEnv("USERPROFILE");
#else
  return AbsoluteEnv("HOME");
#endif
}

std::string ConfigHome() {
  return BelowHomeOrEnv("XDG_CONFIG_HOME", ".config");
}

std::string DataHome() {
  return BelowHomeOrEnv("XDG_DATA_HOME", ".local/share");
}

bool EnsureDirectory(const std::filesystem::path& dir, unsigned mode) {
  if (dir.empty()) return false;
  std::error_code ec;
  if (std::filesystem::is_directory(dir, ec)) return true;
  const std::filesystem::path parent = dir.parent_path();
  if (!parent.empty() && parent != dir && !EnsureDirectory(parent, mode)) return false;
#ifdef _WIN32
  (void)mode;
  std::filesystem::create_directory(dir, ec);
#else
  if (::mkdir(dir.c_str(), static_cast<mode_t>(mode)) != 0 && errno != EEXIST) return false;
#endif
  return std::filesystem::is_directory(dir, ec);
}

}  // namespace platform
