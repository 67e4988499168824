#include "korvane/core/app/run_report_file.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "korvane/core/app/shell.h"
#include "korvane/core/common/keyed_lines.h"
#include "korvane/core/common/name_case.h"
#include "korvane/core/common/text.h"
#include "korvane/core/prepare/wrapper_contract.h"
#include "platform/atomic_file.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

std::string StemOf(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

// Every file below the results folder (whatever case a DOS tool gave it), relative to
// base. Links are listed, never followed.
std::vector<fs::path> ResultFiles(const std::string& base) {
  std::vector<fs::path> files;
  for (const std::string& folder : EntriesNamedNoCase(base, contract::kOutputDir)) {
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(folder, ec))) continue;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      if (!it->is_directory(ec)) files.push_back(it->path().lexically_relative(base));
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

ReportProcessEnd ProcessEndOf(const RunEnd& end, std::optional<long long> durationMs) {
  ReportProcessEnd out;
  out.durationMs = durationMs;
  if (end.kind == RunEnd::Kind::Signalled) {
    out.signal = end.code;
  } else {
    out.exitStatus = end.kind == RunEnd::Kind::Succeeded ? 0 : end.code;
  }
  return out;
}

const char* OutcomeName(RunEnd::Kind kind) {
  switch (kind) {
    case RunEnd::Kind::Succeeded:
      return "succeeded";
    case RunEnd::Kind::Failed:
      return "failed";
    case RunEnd::Kind::Signalled:
      return "signalled";
    case RunEnd::Kind::Cancelled:
      return "cancelled";
  }
  return "";
}

std::optional<ReportRun> RunOf(Shell& shell) {
  const RunResult* result = shell.Runs().LastResult();
  // A run that never got as far as choosing its command did not start.
  if (result == nullptr || (!result->end && result->command.program.empty())) {
    return std::nullopt;
  }
  ReportRun run;
  run.command = result->command.program;
  if (!result->command.parameters.empty()) run.command += " " + result->command.parameters;
  run.multiEntity = shell.Catalogue().Multi();
  run.started = result->started;
  run.ended = result->ended;
  if (result->end) {
    std::optional<long long> duration;
    if (run.ended) {
      duration =
          std::chrono::duration_cast<std::chrono::milliseconds>(*run.ended - *run.started).count();
    }
    run.outcome = OutcomeName(result->end->kind);
    run.end = ProcessEndOf(*result->end, duration);
  }
  return run;
}

}  // namespace

void GatherRunReport(Shell& shell, RunReport& report) {
  if (!shell.CurrentProject().State().jobFile.empty()) {
    report.jobFile = shell.CurrentProject().State().jobFile;
  }
  report.productName = shell.Catalogue().ProductCaption();
  report.language = shell.Catalogue().LangCode();
  report.toolRoot = shell.ToolRoot();
  std::string base = shell.CurrentProject().OutputDir();
  if (!base.empty() && base.back() != '/') base += '/';
  report.baseFolder = base;
  report.run = RunOf(shell);

  const JobParameters& parameters = shell.Prepare().Parameters();
  const std::vector<fs::path> results = base.empty() ? std::vector<fs::path>{} : ResultFiles(base);
  for (const std::string& line : parameters.nameMap) {
    const std::string key = KeyedLines::NameOf(line);
    if (!StartsWithCase("SRC", key)) continue;
    ReportEntity entity;
    entity.number = std::atoi(key.c_str() + 3);
    entity.source = KeyedLines::ValueOf(line);
    const std::string suffix = ";" + key.substr(3) + " ";
    for (const std::string& batch : parameters.batch) {
      if (batch.size() >= suffix.size() &&
          batch.compare(batch.size() - suffix.size(), suffix.size(), suffix) == 0) {
        entity.commands.push_back(batch);
      }
    }
    if (parameters.batch.empty() && report.run) entity.commands.push_back(report.run->command);
    // Renamed results carry the source's name, the others still their number.
    const std::string stem = StemOf(entity.source);
    for (const fs::path& file : results) {
      const std::string fileStem = StemOf(file.filename().string());
      if (EqualsNoCase(fileStem, stem) || EqualsNoCase(fileStem, key)) {
        entity.results.push_back(file.generic_string());
      }
    }
    report.entities.push_back(std::move(entity));
  }
  // One process ran the whole job: its end is the entity's only when it had one.
  if (report.run && report.entities.size() == 1) report.entities.front().end = report.run->end;

  for (const SourceReport& source : shell.Prepare().Report().Sources()) {
    for (const std::string& name : source.copies.unresolved) {
      report.unresolvedCopies.push_back({source.fileName, name});
    }
  }
  if (const RunResult* result = shell.Runs().LastResult()) {
    report.written = result->renamed.written;
    report.renamed = result->renamed.renamed;
    report.renameFailures = result->renamed.failures;
  }
}

RunReportFile::RunReportFile(const std::vector<std::string>& args)
    : started_(std::chrono::system_clock::now()) {
  const CommandLine line(args);
  line.SwitchValue("-Report", path_);
  line.SwitchValue("-Proj:P", jobFile_);
}

bool RunReportFile::Write(ExitStatus status, const std::string& why, std::ostream& err) const {
  if (!Wanted()) return true;
  RunReport report;
  report.jobFile = jobFile_;
  if (shell_ != nullptr) GatherRunReport(*shell_, report);
  report.started = started_;
  report.ended = std::chrono::system_clock::now();
  report.exitStatus = Code(status);
  report.exitMeaning = std::string(MeaningOf(status));
  report.why = status == ExitStatus::kSuccess ? std::string() : why;
  const std::string problem = platform::WriteFileAtomic(path_, RenderRunReport(report));
  if (!problem.empty())
    err << "korvane: cannot write the run report " << path_ << ": " << problem << '\n';
  return problem.empty();
}

}  // namespace korvane
