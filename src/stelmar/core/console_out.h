#pragma once
// Text for standard output, collected and written in large pieces, that knows
// whether it all arrived: a full disk or a closed pipe must not pass as success.

#include <cstdio>
#include <string>
#include <string_view>

namespace stelmar {

class ConsoleOut {
 public:
  explicit ConsoleOut(std::FILE* out);
  ~ConsoleOut();
  ConsoleOut(const ConsoleOut&) = delete;
  ConsoleOut& operator=(const ConsoleOut&) = delete;

  void Write(std::string_view text);
  void Line(std::string_view text);

  // Writes what is left and flushes the stream. False when any write failed;
  // Error() then gives the system's message for the first failure.
  bool Finish();
  const std::string& Error() const { return error_; }

 private:
  void Flush();
  void Fail(int code);

  static constexpr std::size_t kFlushAt = 64 * 1024;
  std::FILE* out_;
  std::string buffer_;
  std::string error_;
  bool failed_ = false;
};

}  // namespace stelmar
