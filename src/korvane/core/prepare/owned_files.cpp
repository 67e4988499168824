#include "korvane/core/prepare/owned_files.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "korvane/core/common/text_file.h"
#include "platform/os_error.h"

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

Outcome WriteOwnedFile(const std::string& path, const std::vector<std::string>& lines) {
  DropLink(path);
  return WriteTextLinesAtomic(path, lines);
}

Outcome WriteScratchFile(const std::string& path, const std::vector<std::string>& lines) {
  DropLink(path);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return Outcome::Failure(platform::OsErrorMessage(errno));
  std::string chunk;
  bool ok = true;
  for (const std::string& line : lines) {
    chunk += line;
    chunk += "\r\n";
    if (chunk.size() >= size_t{64} * 1024) {
      ok = ok && std::fwrite(chunk.data(), 1, chunk.size(), file) == chunk.size();
      chunk.clear();
    }
  }
  ok = ok && std::fwrite(chunk.data(), 1, chunk.size(), file) == chunk.size();
  const int error = ok ? 0 : errno;
  if (std::fclose(file) != 0 && ok) return Outcome::Failure(platform::OsErrorMessage(errno));
  return ok ? Outcome() : Outcome::Failure(platform::OsErrorMessage(error));
}

}  // namespace korvane
