#include "stelmar/core/headless_scan.h"

#include <cerrno>
#include <cstring>

#include "stelmar/core/console_out.h"
#include "stelmar/core/exit_status.h"
#include "stelmar/core/file_parse.h"
#include "stelmar/core/scan_rules.h"

namespace stelmar {
namespace {

int Finished(ConsoleOut& out, std::FILE* err) {
  if (out.Finish()) return kExitOk;
  std::fprintf(err, "stelmar: cannot write standard output: %s\n", out.Error().c_str());
  return kExitWriteError;
}

}  // namespace

int RunHeadlessScan(ScanMode mode, const std::string& source, std::FILE* out, std::FILE* err) {
  FileParse parse;
  errno = 0;
  if (!parse.Open(source)) {
    // Open refuses a directory without a system error of its own.
    std::fprintf(err, "stelmar: cannot open %s: %s\n", source.c_str(),
                 std::strerror(errno != 0 ? errno : EISDIR));
    return kExitUnreadableSource;
  }
  ConsoleOut lines(out);
  if (mode == ScanMode::kTokens) {
    std::string line;
    for (int type = parse.NextToken(); type != kEndOfFile; type = parse.NextToken()) {
      line = std::to_string(type);
      line += '\t';
      line += parse.Token();
      lines.Line(line);
    }
    parse.Close();
  } else {
    Scan(parse, mode == ScanMode::kFiles ? ScanRule::kFiles : ScanRule::kProcedures,
         [&lines](const std::string& name) { lines.Line(name); });
  }
  return Finished(lines, err);
}

int PrintText(const std::string& text, std::FILE* out, std::FILE* err) {
  ConsoleOut console(out);
  console.Write(text);
  return Finished(console, err);
}

}  // namespace stelmar
