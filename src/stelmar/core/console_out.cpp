#include "stelmar/core/console_out.h"

#include <cerrno>
#include <cstring>

namespace stelmar {

ConsoleOut::ConsoleOut(std::FILE* out) : out_(out) {
  buffer_.reserve(kFlushAt + 512);
}

ConsoleOut::~ConsoleOut() {
  Flush();
}

void ConsoleOut::Write(std::string_view text) {
  if (failed_) return;  // the rest would be lost as well
  buffer_ += text;
  if (buffer_.size() >= kFlushAt) Flush();
}

void ConsoleOut::Line(std::string_view text) {
  if (failed_) return;
  buffer_ += text;
  buffer_ += '\n';
  if (buffer_.size() >= kFlushAt) Flush();
}

void ConsoleOut::Flush() {
  if (failed_ || buffer_.empty()) return;
  errno = 0;
  const std::size_t written = std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
  if (written != buffer_.size()) Fail(errno);
  buffer_.clear();
}

bool ConsoleOut::Finish() {
  Flush();
  if (!failed_) {
    errno = 0;
    // The stream's own buffer reaches the file only here; its state tells
    // whether anything was lost on the way.
    if (std::fflush(out_) != 0 || std::ferror(out_) != 0) Fail(errno);
  }
  return !failed_;
}

void ConsoleOut::Fail(int code) {
  failed_ = true;
  buffer_.clear();
  if (error_.empty()) error_ = code != 0 ? std::strerror(code) : "write error";
}

}  // namespace stelmar
