#include "stelmar/core/headless_scan.h"

#include <cerrno>
#include <cstring>

#include "stelmar/core/file_parse.h"
#include "stelmar/core/scan_rules.h"

namespace stelmar {
namespace {

// Collects output and writes it in large pieces: a scan of a big source prints
// millions of short lines.
class BufferedOut {
 public:
  explicit BufferedOut(std::FILE* out) : out_(out) { buffer_.reserve(kFlushAt + 512); }
  ~BufferedOut() { Flush(); }
  void Line(const std::string& text) {
    buffer_ += text;
    buffer_ += '\n';
    if (buffer_.size() >= kFlushAt) Flush();
  }
  void Flush() {
    if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
    buffer_.clear();
  }
  std::string& Text() { return buffer_; }

 private:
  static constexpr std::size_t kFlushAt = 64 * 1024;
  std::FILE* out_;
  std::string buffer_;
};

}  // namespace

std::optional<int> RunHeadlessScan(const std::vector<std::string>& args, std::FILE* out,
                                   std::FILE* err) {
  if (args.empty()) return std::nullopt;
  const std::string& mode = args[0];
  if (mode != "-files" && mode != "-procs" && mode != "-tokens") return std::nullopt;
  if (args.size() != 2) {
    std::fprintf(err, "usage: stelmar %s SOURCE\n", mode.c_str());
    return 1;
  }
  FileParse parse;
  if (!parse.Open(args[1])) {
    std::fprintf(err, "stelmar: cannot open %s: %s\n", args[1].c_str(),
                 errno != 0 ? std::strerror(errno) : "not a file");
    return 1;
  }
  {
    BufferedOut lines(out);
    if (mode == "-tokens") {
      std::string line;
      for (int type = parse.NextToken(); type != kEndOfFile; type = parse.NextToken()) {
        line = std::to_string(type);
        line += '\t';
        line += parse.Token();
        lines.Line(line);
      }
      parse.Close();
    } else {
      Scan(parse, mode == "-files" ? ScanRule::kFiles : ScanRule::kProcedures,
           [&lines](const std::string& name) { lines.Line(name); });
    }
  }
  std::fflush(out);
  return 0;
}

}  // namespace stelmar
