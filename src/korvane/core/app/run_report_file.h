#pragma once
// The -Report switch of a windowless run: remembers when the program began, gathers
// what the shell knows when the program ends (however it ends) and saves the run
// report there. Without the switch it does nothing.

#include <ostream>
#include <string>
#include <vector>

#include "korvane/core/app/exit_status.h"
#include "korvane/core/app/run_report.h"

namespace korvane {

class Shell;

class RunReportFile {
 public:
  explicit RunReportFile(const std::vector<std::string>& args);

  bool Wanted() const { return !path_.empty(); }
  // The shell whose job and run the report describes, from its construction on.
  void Follow(Shell* shell) { shell_ = shell; }
  // Saves the report with the program's exit status; a failure is said on err. True
  // when no report was asked for or it was saved.
  bool Write(ExitStatus status, const std::string& why, std::ostream& err) const;

 private:
  std::string path_;
  std::string jobFile_;  // -Proj, for a job that never loaded
  ReportTime started_;
  Shell* shell_ = nullptr;
};

// What the shell knows about its job, its last run and the results, as a report
// (exit status, times and the job file aside).
void GatherRunReport(Shell& shell, RunReport& report);

}  // namespace korvane
