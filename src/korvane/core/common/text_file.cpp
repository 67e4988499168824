#include "korvane/core/common/text_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "korvane/core/common/text.h"
#include "platform/atomic_file.h"

namespace korvane {

namespace {

[[noreturn]] void ThrowFromErrno(int err) {
  if (err == 0) err = EIO;
  throw FileError(err, std::strerror(err));
}

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

std::string ReadFileBytes(const std::string& path) {
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) ThrowFromErrno(errno);
  std::string bytes;
  char buffer[65536];
  for (;;) {
    errno = 0;
    const size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
    bytes.append(buffer, n);
    if (n < sizeof buffer) {
      // A directory opens fine on POSIX and fails only here (EISDIR).
      if (std::ferror(file.get())) ThrowFromErrno(errno);
      break;
    }
  }
  return bytes;
}

std::vector<std::string> ReadTextLines(const std::string& path) {
  return SplitLines(ReadFileBytes(path));
}

std::string WriteTextLinesAtomic(const std::string& path, const std::vector<std::string>& lines,
                                 unsigned mode) {
  return platform::WriteFileAtomic(path, JoinLinesCrLf(lines), mode);
}

}  // namespace korvane
