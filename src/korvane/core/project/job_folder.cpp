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

Outcome CheckUsableBase(const std::string& outputDir) {
  if (outputDir.empty()) return Outcome::Failure("no base directory is given");
  if (!IsAbsoluteOutputDir(outputDir)) return Outcome::Failure("it is not an absolute path");
  const std::string dir = NormaliseOutputDir(outputDir);
  if (dir == "/") return Outcome::Failure("it is the root of the file system");
  for (const auto& part : fs::path(dir)) {
    if (part == "..") return Outcome::Failure("it contains \"..\"");
  }
  if (SameFolder(dir, platform::HomeDirectory())) return Outcome::Failure("it is the home folder");
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(dir, ec);
  if (fs::is_symlink(st)) return Outcome::Failure("it is a symbolic link");
  if (fs::exists(st) && !fs::is_directory(st)) return Outcome::Failure("it is not a folder");
  return {};
}

Outcome CheckRealFolder(const std::string& folder) {
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(folder, ec);
  if (fs::is_symlink(st))
    return Outcome::Failure("The folder " + folder +
                            " is a symbolic link; the shell does not write or delete through it");
  if (fs::exists(st) && !fs::is_directory(st))
    return Outcome::Failure("The folder " + folder + " is not a folder");
  return {};
}

}  // namespace korvane
