#pragma once
// What a windowless run leaves for the scripts that started it: a plain record of
// the job, the run, each entity and the results, and its JSON form. Filling it is
// the shell's business (run_report_file.h); this unit only renders.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace korvane {

using ReportTime = std::chrono::system_clock::time_point;

// How the tool's process ended, as far as it is known.
struct ReportProcessEnd {
  std::optional<int> exitStatus;
  std::optional<int> signal;
  std::optional<long long> durationMs;
};

struct ReportEntity {
  int number = 0;      // the tool number, nnnn of SRCnnnn
  std::string source;  // the source's name in the job
  // The batch file lines that run this entity, or the run's command when one call
  // serves every entity.
  std::vector<std::string> commands;
  std::vector<std::string> results;  // relative to the base folder, "/" separated
  ReportProcessEnd end;              // empty unless the entity had a process of its own
};

struct ReportRun {
  std::string command;  // program part and parameter part as the run started them
  bool multiEntity = false;
  std::optional<ReportTime> started;
  std::optional<ReportTime> ended;
  std::string outcome;  // "succeeded", "failed", "signalled", "cancelled"; empty: no end
  ReportProcessEnd end;
};

struct ReportUnresolvedCopy {
  std::string source;
  std::string name;
};

struct RunReport {
  static constexpr int kSchemaVersion = 1;
  std::string jobFile;
  std::string productName;
  std::string language;
  std::string toolRoot;
  std::string baseFolder;
  ReportTime started;
  ReportTime ended;
  int exitStatus = 0;
  std::string exitMeaning;
  std::string why;               // empty when the status is 0
  std::optional<ReportRun> run;  // empty when no run was started
  std::vector<ReportEntity> entities;
  std::vector<ReportUnresolvedCopy> unresolvedCopies;
  int written = 0;
  int renamed = 0;
  std::vector<std::string> renameFailures;
};

// "2026-03-01T09:05:07.042Z": UTC, milliseconds.
std::string IsoUtc(ReportTime time);

// The report as JSON text, two-space indented, ending in a line break. Unknown
// values are null, never left out, so a reader needs no defaults of its own.
std::string RenderRunReport(const RunReport& report);

}  // namespace korvane
