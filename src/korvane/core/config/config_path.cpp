#include "korvane/core/config/config_path.h"

#include <system_error>

#include "korvane/core/common/status_bar.h"
#include "platform/install_layout.h"

namespace korvane {

namespace {

constexpr const char* kDevIniPath = "../_Korvane.Src/Korvane.INI";
constexpr const char* kAppName = "Korvane";
constexpr const char* kInstalledIniName = "Korvane.INI";

std::filesystem::path FullPath(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(path, ec);
  if (ec) full = path;
  return full.lexically_normal();
}

bool IsExistingFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

ConfigLocator::ConfigLocator(std::filesystem::path programPath, std::string overridePath)
    : override_(std::move(overridePath)) {
  const std::filesystem::path program = FullPath(programPath);
  programDir_ = program.parent_path();
  localName_ = program.filename().replace_extension(".INI").string();
}

std::string ConfigLocator::DevPath() const {
  return FullPath(programDir_ / kDevIniPath).string();
}

std::string ConfigLocator::LocalPath() const {
  return (programDir_ / localName_).string();
}

std::string ConfigLocator::InstalledPath() const {
  return (std::filesystem::path(platform::InstalledDataDirectory(programDir_.string())) /
          kInstalledIniName)
      .string();
}

const std::string& ConfigLocator::Path(StatusBar& status) {
  if (!cached_.empty()) return cached_;
  if (!override_.empty()) {
    cached_ = FullPath(override_).string();
    return cached_;
  }
  cached_ = LocalPath();
  const std::string dev = DevPath();
  const std::string installed = InstalledPath();
  if (IsExistingFile(dev)) {
    cached_ = dev;
  } else if (IsExistingFile(cached_)) {
    // The file beside the program stands.
  } else if (IsExistingFile(installed)) {
    cached_ = installed;
  } else {
    // One line, so that a headless run says all of it on standard error.
    status.AddErrorAndAbort(std::string("No ini file is available for ") + kAppName +
                            " (looked for " + cached_ + ", " + dev + " and " + installed +
                            "); start it with -Ini <file> to name the configuration and" +
                            " -Root <folder> for the tool root it belongs to");
  }
  return cached_;
}

}  // namespace korvane
