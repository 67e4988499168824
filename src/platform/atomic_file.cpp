#include "platform/atomic_file.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <random>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>

#include "platform/os_error.h"
#include "platform/win_text.h"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <vector>
#endif

namespace platform {

namespace {

namespace fs = std::filesystem;

std::uint64_t Fnv1a64(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

std::string RandomDigits() {
  static thread_local std::mt19937_64 rng{std::random_device{}()};
  return std::to_string(rng() % 1000000000ULL);
}

}  // namespace

fs::path AtomicTempPath(const fs::path& target) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::uint64_t hash = Fnv1a64(target.filename().string());
  std::string name = ".0123456789abcdef.kvtmp";
  for (int i = 16; i >= 1; --i, hash >>= 4) name[i] = kHex[hash & 0xF];
  return target.parent_path() / name;
}

#ifndef _WIN32

namespace {

// The kernel's own limit on links followed in one path lookup.
constexpr int kMaxLinkHops = 40;

// Replaces path, while its last component is a symbolic link, by the link's
// target; a relative target counts from the link's own folder. Returns 0 or
// an errno value.
int FollowLinks(fs::path& path) {
  std::vector<char> buffer(PATH_MAX);
  for (int hops = 0;; ++hops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return 0;
    if (hops == kMaxLinkHops) return ELOOP;
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0) return errno;
    if (static_cast<size_t>(n) == buffer.size()) return ENAMETOOLONG;
    const fs::path next(std::string(buffer.data(), static_cast<size_t>(n)));
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
}

// Opens the fixed temporary name for reuse, or gives -1 when it must be left
// alone: not a plain file of ours (a planted link or hard link must never be
// written through), or locked by a save in another process. The name is
// checked again under the lock because a save that has just renamed it away
// releases the lock on what is now its target.
int OpenReusable(const std::string& name, unsigned mode) {
  // O_NONBLOCK: a FIFO planted here must not stall the save.
  const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                        static_cast<mode_t>(mode));
  if (fd < 0) return -1;
  struct stat opened {};
  struct stat named {};
  const bool usable = ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
                      opened.st_nlink == 1 && opened.st_uid == ::geteuid() &&
                      ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(name.c_str(), &named) == 0 &&
                      named.st_dev == opened.st_dev && named.st_ino == opened.st_ino;
  if (usable) return fd;
  ::close(fd);
  return -1;
}

// A new file named base + random digits; -1 with errno set on failure.
int OpenFresh(const std::string& base, unsigned mode, std::string& name) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = base + RandomDigits();
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          static_cast<mode_t>(mode));
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

int WriteAll(int fd, std::string_view content) {
  const char* data = content.data();
  size_t left = content.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += n;
    left -= static_cast<size_t>(n);
  }
  return 0;
}

}  // namespace

std::string WriteFileAtomic(const fs::path& path, std::string_view content, unsigned mode) {
  fs::path target = path;
  if (const int err = FollowLinks(target)) return std::strerror(err);

  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) mode = existing.st_mode & 07777;

  std::string temp = AtomicTempPath(target).string();
  int fd = OpenReusable(temp, mode);
  if (fd < 0) fd = OpenFresh(std::string(temp), mode, temp);
  if (fd < 0) return std::strerror(errno);

  // The temporary file is unlinked before the lock goes with close(), so no
  // other save can be writing it by then.
  auto fail = [&](int err) {
    ::unlink(temp.c_str());
    ::close(fd);
    return std::string(std::strerror(err));
  };

  // A reused leftover may be longer than the new content.
  if (::ftruncate(fd, 0) != 0) return fail(errno);
  // open() applies the umask; the requested bits must hold (settings: 0600).
  if (::fchmod(fd, static_cast<mode_t>(mode)) != 0) return fail(errno);
  if (const int err = WriteAll(fd, content)) return fail(err);
  if (::fsync(fd) != 0) return fail(errno);
  // Renamed while still locked: once another save gets the lock, the name no
  // longer leads to the new file.
  if (::rename(temp.c_str(), target.c_str()) != 0) return fail(errno);
  // The content is on disk already; close cannot lose it any more.
  ::close(fd);
  return {};
}

std::string WriteFilesAtomic(const std::vector<AtomicWrite>& files, std::string& failedPath,
                             Durability durability, unsigned mode) {
  struct Written {
    std::string temp;
    fs::path target;
  };
  std::vector<Written> written;
  written.reserve(files.size());
  const auto fail = [&](const fs::path& path, int err, size_t renamed) {
    for (size_t i = renamed; i < written.size(); ++i) ::unlink(written[i].temp.c_str());
    failedPath = path.string();
    return std::string(std::strerror(err));
  };
  for (const AtomicWrite& file : files) {
    fs::path target = file.path;
    if (const int err = FollowLinks(target)) return fail(file.path, err, 0);
    unsigned fileMode = mode;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) fileMode = existing.st_mode & 07777;
    // A fresh temporary name each: the batch holds no lock on them, so no save may
    // find one of them and reuse it.
    std::string temp;
    const int fd = OpenFresh(AtomicTempPath(target).string(), fileMode, temp);
    if (fd < 0) return fail(file.path, errno, 0);
    int err = ::fchmod(fd, static_cast<mode_t>(fileMode)) != 0 ? errno : 0;
    if (err == 0) err = WriteAll(fd, file.content);
    ::close(fd);
    written.push_back({temp, target});
    if (err != 0) return fail(file.path, err, 0);
  }
  if (written.empty()) return {};
  if (durability == Durability::Flushed) {
#ifdef __linux__
    // One flush of the file system they are on (the batch writes into one folder).
    const int fd = ::open(written.front().temp.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || ::syncfs(fd) != 0) {
      const int err = errno;
      if (fd >= 0) ::close(fd);
      return fail(written.front().target, err, 0);
    }
    ::close(fd);
#else
    for (const Written& file : written) {
      const int fd = ::open(file.temp.c_str(), O_RDONLY | O_CLOEXEC);
      if (fd < 0 || ::fsync(fd) != 0) {
        const int err = errno;
        if (fd >= 0) ::close(fd);
        return fail(file.target, err, 0);
      }
      ::close(fd);
    }
#endif
  }
  for (size_t i = 0; i < written.size(); ++i) {
    if (::rename(written[i].temp.c_str(), written[i].target.c_str()) != 0) {
      return fail(written[i].target, errno, i);
    }
  }
  return {};
}

#else

std::string WriteFilesAtomic(const std::vector<AtomicWrite>& files, std::string& failedPath,
                             Durability /*durability*/, unsigned mode) {
  for (const AtomicWrite& file : files) {
    if (std::string error = WriteFileAtomic(file.path, file.content, mode); !error.empty()) {
      failedPath = file.path.string();
      return error;
    }
  }
  return {};
}

// A fresh temporary file beside the target, written, flushed to the disk and
// moved over the target in one step; the system's message on failure, with
// the old file intact and no temporary file left.
std::string WriteFileAtomic(const fs::path& path, std::string_view content, unsigned /*mode*/) {
  HANDLE file = INVALID_HANDLE_VALUE;
  fs::path temp;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temp = AtomicTempPath(path).wstring() + Widen(RandomDigits());
    file = ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
    if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) return OsErrorMessage(LastOsError());
  auto fail = [&](DWORD code) {
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    ::DeleteFileW(temp.c_str());
    return OsErrorMessage(static_cast<int>(code));
  };
  std::size_t done = 0;
  while (done < content.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 20));
    DWORD written = 0;
    if (!::WriteFile(file, content.data() + done, chunk, &written, nullptr)) {
      return fail(::GetLastError());
    }
    done += written;
  }
  if (!::FlushFileBuffers(file)) return fail(::GetLastError());
  ::CloseHandle(file);
  file = INVALID_HANDLE_VALUE;
  if (!::MoveFileExW(temp.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return fail(::GetLastError());
  }
  return {};
}

#endif

}  // namespace platform
