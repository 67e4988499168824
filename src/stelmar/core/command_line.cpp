#include "stelmar/core/command_line.h"

#include <optional>

#include "stelmar/core/menu.h"

namespace stelmar {
namespace {

std::optional<ScanMode> ScanSwitch(const std::string& arg) {
  if (arg == "-files") return ScanMode::kFiles;
  if (arg == "-procs") return ScanMode::kProcedures;
  if (arg == "-tokens") return ScanMode::kTokens;
  return std::nullopt;
}

// A whole decimal number of at most six digits; "106x" or "+106" is not one.
std::optional<int> Decimal(const std::string& text) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : args_(args) {}

  CommandLine Parse() {
    bool help = false;
    bool windowSwitch = false;
    bool scan = false;
    for (i_ = 0; i_ < args_.size(); ++i_) {
      const std::string& arg = args_[i_];
      if (arg == "-h" || arg == "--help") {
        help = true;
      } else if (arg == "-Ini" || arg == "-I") {
        windowSwitch = true;
        if (auto value = Value(arg, "the path of stelmar.ini")) line_.iniPath = *value;
      } else if (arg == "-Run") {
        windowSwitch = true;
        if (auto value = Value(arg, "a menu command id")) RunId(*value);
      } else if (auto mode = ScanSwitch(arg)) {
        if (scan) Refuse("only one of -files, -procs and -tokens can be given");
        scan = true;
        line_.scan = *mode;
        if (auto value = Value(arg, "a source file")) line_.source = *value;
      } else if (!arg.empty() && arg[0] == '-') {
        Refuse("unknown switch " + arg);
      } else {
        Refuse("unexpected argument " + arg);
      }
    }
    if (scan && windowSwitch) Refuse("-Ini and -Run belong to the window, not to a scan");
    if (help) {
      line_.action = CommandLine::Action::kHelp;
    } else if (!line_.error.empty()) {
      line_.action = CommandLine::Action::kUsageError;
    } else if (scan) {
      line_.action = CommandLine::Action::kScan;
    }
    return line_;
  }

 private:
  // The argument after the switch; a switch in its place means the value is missing.
  std::optional<std::string> Value(const std::string& name, const std::string& what) {
    if (i_ + 1 >= args_.size() || args_[i_ + 1].empty() || args_[i_ + 1][0] == '-') {
      Refuse(name + " needs " + what);
      return std::nullopt;
    }
    return args_[++i_];
  }

  void RunId(const std::string& text) {
    const auto id = Decimal(text);
    if (id && IsMenuCommand(*id)) {
      line_.runCommand = *id;
    } else {
      Refuse("-Run: unknown command id " + text);
    }
  }

  // The first fault is the one reported.
  void Refuse(const std::string& cause) {
    if (line_.error.empty()) line_.error = cause;
  }

  const std::vector<std::string>& args_;
  std::size_t i_ = 0;
  CommandLine line_;
};

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  return Parser(args).Parse();
}

bool IsMenuCommand(int id) {
  if (id == 0) return false;
  for (const MenuItem& item : MainMenu()) {
    if (item.id == id) return true;
  }
  return false;
}

}  // namespace stelmar
