#include "korvane/core/project/job_folder.h"

#include <filesystem>
#include <system_error>

#include "korvane/core/project/output_directory.h"
#include "platform/user_dirs.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

bool SameFolder(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  if (fs::equivalent(a, b, ec)) return true;
  return fs::path(a).lexically_normal() == fs::path(b).lexically_normal();
}

}  // namespace

std::string UnusableBaseReason(const std::string& outputDir) {
  if (outputDir.empty()) return "no base directory is given";
  if (!IsAbsoluteOutputDir(outputDir)) return "it is not an absolute path";
  const std::string dir = NormaliseOutputDir(outputDir);
  if (dir == "/") return "it is the root of the file system";
  for (const auto& part : fs::path(dir)) {
    if (part == "..") return "it contains \"..\"";
  }
  if (SameFolder(dir, platform::HomeDirectory())) return "it is the home folder";
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(dir, ec);
  if (fs::is_symlink(st)) return "it is a symbolic link";
  if (fs::exists(st) && !fs::is_directory(st)) return "it is not a folder";
  return {};
}

std::string LinkedFolderReason(const std::string& folder) {
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(folder, ec);
  if (fs::is_symlink(st))
    return "The folder " + folder +
           " is a symbolic link; the shell does not write or delete through it";
  if (fs::exists(st) && !fs::is_directory(st)) return "The folder " + folder + " is not a folder";
  return {};
}

}  // namespace korvane
