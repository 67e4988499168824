#pragma once
// The job as a whole: clearing it, starting a new one, opening, loading and saving job
// files, resetting its output. It ties the project state, the product catalogue and the
// job file format together in the order the shell needs, and tells the other services
// when a job was cleared, loaded or is about to be saved, so each keeps its own state.

#include <optional>
#include <string>
#include <vector>

#include "korvane/core/common/signal.h"
#include "korvane/core/config/installation.h"
#include "korvane/core/config/product_catalogue.h"
#include "korvane/core/config/product_job.h"
#include "korvane/core/project/base_owner.h"
#include "korvane/core/project/job_file.h"
#include "korvane/core/project/output_directory.h"
#include "korvane/core/project/project.h"

namespace korvane {

class JobCommands : public ProductJob, public JobSaver {
 public:
  JobCommands(Project& project, ProductCatalogue& catalogue, OutputDirectoryField& outputField,
              const Installation& installation, JobFileCodec& codec);

  // Job lifecycle: the job was emptied; a load ends (before the tools check, only when
  // the file loaded completely); a load is over either way (the lists get their first
  // selection); a save of a job it may write has its file name and first takes in what
  // other services still hold (saving); a save is about to write the file.
  Signal<> cleared;
  Signal<> loadClosing;
  Signal<> loadFinished;
  Signal<> saving;
  Signal<> beforeSave;

  // Sets the handlers of the job's actions (new, open, save, save as, reset output).
  void Connect();

  void ClearProject() override;
  void NewProject();
  // Asks for the file unless one was dropped (exactly one ".jwrap" file).
  void OpenProject(const std::vector<std::string>& dropped = {});
  void SaveProject(bool saveAs);
  // Empties the job and applies a job file to the window. Any failure inside ends
  // with the load error message after the closing steps have run.
  void LoadProject(const std::string& path);
  // Puts the job's output back to its initial state after asking.
  void ResetOutput();

  // ProductJob
  void ClearModified() override;
  void ForgetChanges() override;
  bool Loading() const override;
  void SetProjectDirectory(const std::string& dir) override;
  std::string OutputDir() const override;
  void SetOutputDir(const std::string& dir) override;
  void SetWorkDir(const std::string& dir) override;
  void SetSubVersion(const std::string& version) override;
  void MarkNameChanged() override;
  void OutputDirMissing() override;
  void CreateOutputDir(const std::string& dir) override;

  // JobSaver: the save question's Yes, a finished background run.
  void SaveJob() override;

 private:
  void ApplyJobFile(const std::string& path);
  // LoadProject on a job emptied just now.
  void LoadIntoEmptyJob(const std::string& path);
  void ClosingSteps();
  void FinishOnPages();
  void TakeOutputDirFrom(const JobFileContent& content);
  void ClaimBase(const std::string& dir, const std::string& savedName);
  std::optional<BaseOwner> ownerToRecord_;  // the base folder's owner, once the load is whole
  std::string ownerFolder_;
  void RefuseAnotherJobsFile(const std::string& path);
  void ShowSourceCount();
  void ActivateNamesPage();
  std::string JobFilter() const;

  Project& project_;
  ProductCatalogue& catalogue_;
  OutputDirectoryField& outputField_;
  const Installation& installation_;
  JobFileCodec& codec_;
};

}  // namespace korvane
