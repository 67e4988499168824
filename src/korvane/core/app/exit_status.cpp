#include "korvane/core/app/exit_status.h"

#include <string>

namespace korvane {

const std::vector<ExitStatusRow>& ExitStatusTable() {
  static const std::vector<ExitStatusRow> rows = {
      {ExitStatus::kSuccess,
       "the run started, every tool ended with status 0, every result was renamed back and the "
       "job was saved"},
      {ExitStatus::kToolFailed,
       "a tool ended with a non-zero status or a signal, or wrote no result"},
      {ExitStatus::kQuestion, "a question came up and -Yes was not given to answer it"},
      {ExitStatus::kUsage,
       "usage: an unknown switch, a switch without its value, an unknown -ar value"},
      {ExitStatus::kLoad, "the job file or the tool configuration could not be loaded"},
      {ExitStatus::kNotStarted,
       "the run could not start (a tool missing or unusable, no source checked, the base "
       "folder not writable)"},
      {ExitStatus::kNotWritten, "results or the job could not be written after the run"},
      {ExitStatus::kCancelled, "the run was cancelled (Ctrl+C, SIGTERM or SIGHUP)"},
      {ExitStatus::kBaseHeld,
       "the base folder is held by another korvane, or belongs to another job (-TakeOver takes "
       "it over)"},
      {ExitStatus::kInterrupted, "a second interrupt ended the program at once"},
  };
  return rows;
}

std::string_view MeaningOf(ExitStatus status) {
  for (const ExitStatusRow& row : ExitStatusTable()) {
    if (row.status == status) return row.meaning;
  }
  return "unknown";
}

void PrintExitStatuses(std::ostream& out) {
  out << "Exit statuses of -batch:\n";
  for (const ExitStatusRow& row : ExitStatusTable()) {
    const std::string code = std::to_string(Code(row.status));
    out << "  " << code << std::string(code.size() < 5 ? 5 - code.size() : 1, ' ') << row.meaning
        << '\n';
  }
}

}  // namespace korvane
