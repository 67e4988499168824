#pragma once
// The exit statuses of a windowless run: one table, printed by --help, so that a
// script can tell a run that ended well from every way it can fail.

#include <ostream>
#include <string_view>
#include <vector>

namespace korvane {

enum class ExitStatus : int {
  kSuccess = 0,       // the run started, every tool ended with 0, results and job written
  kToolFailed = 1,    // a tool ended with a non-zero status or a signal, or wrote no result
  kQuestion = 2,      // a question came up without -Yes to answer it
  kUsage = 3,         // an unknown switch, a switch without its value, an unknown -ar value
  kLoad = 4,          // the job or the tool configuration could not be loaded
  kNotStarted = 5,    // the run could not start
  kNotWritten = 6,    // results or the job could not be written afterwards
  kCancelled = 7,     // the run was cancelled (Ctrl+C, SIGTERM, SIGHUP)
  kBaseHeld = 8,      // the base folder is held by another shell or belongs to another job
  kInterrupted = 130  // a second interrupt ended the program at once
};

struct ExitStatusRow {
  ExitStatus status;
  std::string_view meaning;
};

const std::vector<ExitStatusRow>& ExitStatusTable();
std::string_view MeaningOf(ExitStatus status);
void PrintExitStatuses(std::ostream& out);

inline int Code(ExitStatus status) {
  return static_cast<int>(status);
}

}  // namespace korvane
