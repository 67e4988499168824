#pragma once
// Job preparation: the pre-flight checks and the job parameter file with its name map and
// batch lines, the numbered input structure under the job base directory, and renaming
// the results and removing the structure after a run.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "korvane/core/common/pacer.h"
#include "korvane/core/common/stepped_loop.h"
#include "korvane/core/components/action.h"
#include "korvane/core/form/window_context.h"
#include "korvane/core/prepare/job_parameters.h"
#include "korvane/core/prepare/preparation_report.h"
#include "korvane/core/prepare/prepare_job.h"
#include "korvane/core/prepare/rename_outcome.h"
#include "korvane/core/project/result_renamer.h"
#include "korvane/core/sources/copy_library.h"
#include "korvane/core/sources/source_lists.h"

namespace korvane {

class Preparation : public ResultRenamer {
 public:
  Preparation(WindowContext& context, PrepareJob& job, SourceLists& sources);
  Preparation(const Preparation&) = delete;
  Preparation& operator=(const Preparation&) = delete;

  // Sets the handlers of ActPrepareXML, ActCopyFiles, ActCountLinesOnly, ActRename and
  // ActDeleteFilesAfter.
  void Connect(ActionList& actions);

  // Set by the start of a wrap run, never cleared while the shell runs.
  void SetWrapRequested(bool on) { wrapRequested_ = on; }
  bool WrapRequested() const { return wrapRequested_; }

  // The pre-flight checks, then the lines of last.xml, the name map (shown in
  // MemoNewFileNames) and the batch lines, kept until the next preparation.
  void PrepareXml();
  // Builds the input structure; countOnly stops after the copy loop, before anything
  // is saved. then runs once the structure is complete, not after an abort.
  void BuildInputStructure(bool countOnly, std::function<void()> then = {});
  // With a poster, the copy loop runs in steps between the person's events, and
  // BuildInputStructure returns while it copies; without one (no window) it copies
  // to the end at once.
  void SetStepPoster(SteppedLoop::Poster post) { loop_.SetPoster(std::move(post)); }
  // Renames the numbered results below WrapOut back to the source names.
  void RenameResults() override;
  // The file-system time a run began at: results not older than it are that run's.
  void SetRunStart(std::optional<std::filesystem::file_time_type> start) { runStart_ = start; }
  const RenameOutcome& LastRename() const { return lastRename_; }
  // Removes the temporary structure (when the run control says so).
  void DeleteFilesAfter();

  // Set while the copy loop runs, also between its steps.
  bool Busy() const { return copy_ != nullptr; }
  // The copy loop asks the person to confirm at its next step; until then, and when the
  // answer is no, it stays busy.
  void RequestStop() { stopRequested_ = true; }

  // The name map in MemoNewFileNames was replaced: lookups kept while a run is watched
  // start afresh.
  Signal<> nameMapReplaced;

  const JobParameters& Parameters() const { return parameters_; }
  const PreparationReport& Report() const { return report_; }

 private:
  void CheckBeforePreparing();
  JobParameterInput CollectInput(const std::string& base);
  void ShowMemos();
  void ShowProgress(const std::string& caption, int modulesMax);
  bool StartStructure(bool countOnly, std::function<void()>& then);
  void StartCopyLoop(const std::string& base, bool countOnly);
  bool CopySome(bool paced);
  bool CopyStep(bool paced);
  void EndCopy(bool completed);
  void CompleteStructure(const std::string& base, bool countOnly);
  void CopySource(const std::string& base, size_t index, const std::string& target,
                  CopyLibrary& library);
  void CopyMember(const std::string& base, const std::string& value);
  void DisableEntry(size_t index);
  void CheckStopRequest();
  void SaveControlFiles(const std::string& base);
  void Finish();

  WindowContext& context_;
  PrepareJob& job_;
  SourceLists& sources_;
  bool wrapRequested_ = false;
  bool stopRequested_ = false;
  // The copy loop under way: where it stands, and what follows it.
  struct CopyRun {
    CopyRun(const std::string& base, bool countOnly)
        : base(base), countOnly(countOnly), library(base) {}
    std::string base;
    bool countOnly;
    CopyLibrary library;
    size_t next = 0;  // the next line of the name map
    Pacer pacer;
    std::function<void()> then;
  };
  std::unique_ptr<CopyRun> copy_;
  SteppedLoop loop_;
  JobParameters parameters_;
  PreparationReport report_;
  std::optional<std::filesystem::file_time_type> runStart_;
  RenameOutcome lastRename_;
  ConnectionList connections_;
};

}  // namespace korvane
