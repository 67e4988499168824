#include "korvane/core/run/console_copy.h"

#include <filesystem>
#include <system_error>

namespace korvane {

ConsoleCopy::ConsoleCopy(std::string path) : path_(std::move(path)) {
  if (path_.empty()) return;
  std::error_code ec;
  // Never written through a link someone left there: the link goes, not its target.
  std::filesystem::remove(path_, ec);
  out_.open(path_, std::ios::binary | std::ios::trunc);
  failed_ = !out_;
}

void ConsoleCopy::Append(const std::vector<std::string>& lines) {
  if (path_.empty() || failed_) return;
  std::string text;
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  failed_ = !out_.write(text.data(), static_cast<std::streamsize>(text.size()));
}

bool ConsoleCopy::Finish() {
  if (path_.empty()) return false;
  if (out_.is_open()) {
    out_.flush();
    failed_ = failed_ || !out_;
    out_.close();
  }
  if (failed_) {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
  }
  return !failed_;
}

}  // namespace korvane
