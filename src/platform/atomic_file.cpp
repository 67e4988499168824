#include "platform/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <random>

#ifdef _WIN32
#include <cstdio>
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

std::string TempNameFor(const std::filesystem::path& path) {
  static thread_local std::mt19937_64 rng{std::random_device{}()};
  return path.string() + ".tmp" + std::to_string(rng() % 1000000000ULL);
}

}  // namespace

#ifndef _WIN32

std::string WriteFileAtomic(const std::filesystem::path& path, std::string_view content,
                            unsigned mode) {
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0) mode = existing.st_mode & 07777;

  const std::string temp = TempNameFor(path);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) return std::strerror(errno);

  auto fail = [&](int err) {
    ::close(fd);
    ::unlink(temp.c_str());
    return std::string(std::strerror(err));
  };

  // open() applies the umask; the requested bits must hold (settings: 0600).
  if (::fchmod(fd, mode) != 0) return fail(errno);
  const char* data = content.data();
  size_t left = content.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail(errno);
    }
    data += n;
    left -= static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) return fail(errno);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return std::strerror(err);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return std::strerror(err);
  }
  return {};
}

#else

std::string WriteFileAtomic(const std::filesystem::path& path, std::string_view content,
                            unsigned /*mode*/) {
  const std::string temp = TempNameFor(path);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return std::strerror(errno);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out) {
      std::remove(temp.c_str());
      return "Write failed";
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::remove(temp.c_str());
    return ec.message();
  }
  return {};
}

#endif

}  // namespace platform
