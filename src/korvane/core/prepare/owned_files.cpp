#include "korvane/core/prepare/owned_files.h"

#include <filesystem>

#include "korvane/core/common/text_file.h"

namespace korvane {

namespace fs = std::filesystem;

bool DropLink(const std::string& path) {
  std::error_code ec;
  if (!fs::is_symlink(fs::symlink_status(path, ec))) return false;
  fs::remove(path, ec);
  return true;
}

void MakeRealDirectory(const std::string& path) {
  DropLink(path);
  std::error_code ec;
  fs::create_directories(path, ec);
}

std::string WriteOwnedFile(const std::string& path, const std::vector<std::string>& lines) {
  DropLink(path);
  return WriteTextLinesAtomic(path, lines);
}

}  // namespace korvane
