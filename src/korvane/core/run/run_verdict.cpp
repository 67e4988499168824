#include "korvane/core/run/run_verdict.h"

#include "korvane/core/run/run_rules.h"
#include "platform/os_error.h"

namespace korvane {

std::string ToolNameOf(std::string_view program) {
  while (!program.empty() && program.front() == ' ') program.remove_prefix(1);
  if (!program.empty() && program.front() == '"') {
    program.remove_prefix(1);
    program = program.substr(0, program.find('"'));
  } else {
    // A captured log is asked for with "> file" after the program.
    program = program.substr(0, program.find('>'));
  }
  while (!program.empty() && program.back() == ' ') program.remove_suffix(1);
  const size_t slash = program.find_last_of("/\\");
  return std::string(slash == std::string_view::npos ? program : program.substr(slash + 1));
}

std::string SignalText(int signal) {
  const std::string name = platform::SignalName(signal);
  return "signal " + std::to_string(signal) + (name.empty() ? "" : " (" + name + ")");
}

RunVerdict EndOfRunVerdict(const RunEnd& end, bool cancelled, std::string_view tool,
                           std::string_view source, int written, int renamed) {
  const std::string results = ResultsLine(written, renamed);
  if (cancelled || end.kind == RunEnd::Kind::Cancelled) {
    return {true, "Process cancelled, analysis incomplete! (" + results + ")"};
  }
  if (end.kind == RunEnd::Kind::Succeeded) {
    return {false, "Analysis completed, processing finished: " + results};
  }
  std::string text = "The tool " + std::string(tool);
  if (end.kind == RunEnd::Kind::Failed) {
    text += " ended with exit status " + std::to_string(end.code);
  } else {
    text += " was ended by " + SignalText(end.code);
  }
  if (!source.empty()) text += " on " + std::string(source);
  return {true, text + ": analysis incomplete, " + results};
}

}  // namespace korvane
