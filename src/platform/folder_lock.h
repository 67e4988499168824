#pragma once
// One shell at a time in a job's base folder: an advisory lock on a file of the
// shell's own in that folder, held while the job is open. The operating system
// lets go of it when the process ends, however it ends, so it is never stale.

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class FolderLock {
 public:
  // Who holds a folder, as the holder wrote it when it took the lock.
  struct Holder {
    long pid = 0;
    std::string since;  // local time the lock was taken
    std::string job;    // the job file the holder opened, if any
  };

  struct Attempt {
    std::unique_ptr<FolderLock> lock;  // set when taken
    bool held = false;                 // another process holds it: holder says who
    Holder holder;
    std::string error;  // the folder could not be locked at all (the system's message)
  };

  static constexpr const char* kFileName = ".korvane.lock";

  // Takes the lock of folder without waiting, recording job as the holder's.
  static Attempt TryTake(const std::string& folder, const std::string& job);

  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  const std::string& Folder() const { return folder_; }

 private:
  FolderLock(std::string folder, std::intptr_t handle) : folder_(std::move(folder)), handle_(handle) {}
  std::string folder_;
  std::intptr_t handle_;  // a file descriptor, or a HANDLE on Windows
};

// "process 123 since 2026-12-07 21:40:12, job /jobs/Pay.jwrap"
std::string DescribeHolder(const FolderLock::Holder& holder);

}  // namespace platform
