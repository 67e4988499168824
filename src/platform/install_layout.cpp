#include "platform/install_layout.h"

#include <filesystem>
#include <system_error>

#include "platform/system_paths.h"

// The install rules pass the folders relative to the program's folder, so that the code
// and the package agree on one layout.
#ifndef KORVANE_HELPER_DIR_FROM_BIN
#define KORVANE_HELPER_DIR_FROM_BIN "../lib/korvane"
#endif
#ifndef KORVANE_DATA_DIR_FROM_BIN
#define KORVANE_DATA_DIR_FROM_BIN "../share/korvane"
#endif

namespace platform {

namespace {

namespace fs = std::filesystem;

std::string Resolved(const std::string& programDir, const char* relative) {
  if (programDir.empty()) return {};
  return (fs::path(programDir) / relative).lexically_normal().string();
}

bool IsFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

}  // namespace

std::string InstalledHelperDirectory(const std::string& programDir) {
  return Resolved(programDir, KORVANE_HELPER_DIR_FROM_BIN);
}

std::string InstalledDataDirectory(const std::string& programDir) {
  return Resolved(programDir, KORVANE_DATA_DIR_FROM_BIN);
}

std::string HelperProgramPath(const std::string& programDir, std::string_view name) {
  const std::string file = std::string(name) + ExecutableSuffix();
  const fs::path beside = fs::path(programDir) / file;
  if (IsFile(beside)) return beside.string();
  const std::string helpers = InstalledHelperDirectory(programDir);
  if (!helpers.empty()) {
    const fs::path installed = fs::path(helpers) / file;
    if (IsFile(installed)) return installed.string();
  }
  return beside.string();
}

}  // namespace platform
