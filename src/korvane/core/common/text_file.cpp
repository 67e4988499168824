#include "korvane/core/common/text_file.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <cstdio>
#include <filesystem>
#include <memory>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "korvane/core/common/text.h"
#include "platform/atomic_file.h"

namespace korvane {

namespace {

[[noreturn]] void ThrowFromErrno(const std::string& path, int err) {
  if (err == 0) err = EIO;
  throw FileError(path, err, std::strerror(err));
}

#ifndef _WIN32

struct FdCloser {
  int fd;
  ~FdCloser() { ::close(fd); }
};

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "of an unknown kind";
}

#else

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

#endif

}  // namespace

#ifndef _WIN32

std::string ReadFileBytes(const std::string& path) {
  // Without O_NONBLOCK, opening a FIFO that has no writer waits for one.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) ThrowFromErrno(path, errno);
  const FdCloser closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) ThrowFromErrno(path, errno);
  // A FIFO or a device can deliver bytes forever (/dev/zero); only a regular
  // file has an end to read to.
  if (!S_ISREG(st.st_mode)) {
    throw FileError(path, S_ISDIR(st.st_mode) ? EISDIR : EINVAL,
                    std::string("Not a regular file (") + KindOf(st.st_mode) + ")");
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) ThrowFromErrno(path, errno);

  std::string bytes;
  bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowFromErrno(path, errno);
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  return bytes;
}

#else

std::string ReadFileBytes(const std::string& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (!ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
    throw FileError(path, EINVAL, "Not a regular file");
  }
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) ThrowFromErrno(path, errno);
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
    bytes.append(buffer, n);
    if (n < sizeof buffer) {
      if (std::ferror(file.get())) ThrowFromErrno(path, errno);
      break;
    }
  }
  return bytes;
}

#endif

std::vector<std::string> ReadTextLines(const std::string& path) {
  return SplitLines(ReadFileBytes(path));
}

Outcome WriteTextLinesAtomic(const std::string& path, const std::vector<std::string>& lines,
                             unsigned mode) {
  return Outcome::FromReason(platform::WriteFileAtomic(path, JoinLinesCrLf(lines), mode));
}

}  // namespace korvane
