#pragma once
// Reading whole files as 8-bit text lines and writing them back with CR LF line ends,
// replacing the old file only once the new one is complete.

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "korvane/core/common/outcome.h"

namespace korvane {

// A file could not be read. what() reads "<path>: <system message>"
// ("/jobs/a.jwrap: No such file or directory"); without a path it is the
// message alone.
class FileError : public std::runtime_error {
 public:
  FileError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  FileError(std::string path, int code, const std::string& message)
      : std::runtime_error(path + ": " + message), code_(code), path_(std::move(path)) {}
  // errno value, 0 when the failure has none.
  int code() const { return code_; }
  const std::string& path() const { return path_; }

 private:
  int code_;
  std::string path_;
};

// The file's bytes exactly as stored. Throws FileError, also for anything
// but a regular file (a FIFO, a device, a folder), which is never read.
std::string ReadFileBytes(const std::string& path);

// The file split into lines; CR LF, CR and LF are all accepted. Throws FileError.
std::vector<std::string> ReadTextLines(const std::string& path);

// Writes every line followed by CR LF through a temporary file renamed over path. A
// failure says the operating system's message and leaves the old file as it was. mode
// applies to a newly created file.
Outcome WriteTextLinesAtomic(const std::string& path, const std::vector<std::string>& lines,
                             unsigned mode = 0644);

}  // namespace korvane
