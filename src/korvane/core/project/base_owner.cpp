#include "korvane/core/project/base_owner.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "korvane/core/common/text.h"
#include "platform/atomic_file.h"

namespace korvane {

namespace fs = std::filesystem;

std::optional<BaseOwner> ReadBaseOwner(const std::string& folder) {
  const fs::path path = fs::path(folder) / kBaseOwnerFile;
  std::error_code ec;
  // A link in its place is not a record of ours.
  if (!fs::is_regular_file(fs::symlink_status(path, ec))) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  BaseOwner owner;
  for (const std::string& line : SplitLines(text.str())) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq);
    if (key == "ProjectName") owner.projectName = line.substr(eq + 1);
    if (key == "JobFile") owner.jobFile = line.substr(eq + 1);
  }
  if (owner.projectName.empty()) return std::nullopt;
  return owner;
}

Outcome WriteBaseOwner(const std::string& folder, const BaseOwner& owner) {
  const fs::path path = fs::path(folder) / kBaseOwnerFile;
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(path, ec))) {
    return Outcome::Failure(path.string() + " is a symbolic link; it is left alone");
  }
  return Outcome::FromReason(platform::WriteFileAtomic(
      path, "ProjectName=" + owner.projectName + "\r\nJobFile=" + owner.jobFile + "\r\n"));
}

}  // namespace korvane
