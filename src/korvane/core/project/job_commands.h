#pragma once
// The job as a whole: clearing it, starting a new one, opening, loading and
// saving job files. It ties the project state, the product catalogue and the
// job file format together in the order the shell needs.

#include <functional>
#include <string>

#include "korvane/core/config/product_catalogue.h"
#include "korvane/core/project/job_file.h"
#include "korvane/core/project/project.h"

namespace korvane {

class JobCommands {
 public:
  JobCommands(Project& project, ProductCatalogue& catalogue);

  // Hooks into subsystems that live elsewhere; unset hooks are skipped.
  std::function<bool()> synchronize;        // brings the job folders in line with the lists
  std::function<void()> refreshSourceList;  // after a load
  std::function<void()> selectFirstEntry;   // of the current file list
  std::function<void()> closeViewerPages;   // and hides the viewer page
  std::function<std::string()> toolRoot;    // written into the job for people
  std::function<bool()> rememberFiles;      // -RememberFiles: restore tool paths
  std::function<std::string()> caption;     // the main window caption
  std::function<void(const std::string&)> setCaption;

  void ClearProject();
  void NewProject();
  // Asks for the file unless one was dropped (exactly one ".jwrap" file).
  void OpenProject(const std::vector<std::string>& dropped = {});
  void SaveProject(bool saveAs);
  // Applies a job file to the window. Any failure inside ends with the load
  // error message after the closing steps have run.
  void LoadProject(const std::string& path);
  // The project name of the job being loaded, which the product selection
  // uses to propose the output directory; empty otherwise.
  const std::string& ProjectNameHint() const { return projectNameHint_; }

 private:
  void ApplyJobFile(const std::string& path);
  void ClosingSteps();
  void FinishOnPages();
  void TakeOutputDirFrom(const JobFileContent& content);
  void ShowSourceCount();
  void ActivateNamesPage();
  std::string JobFilter() const;

  Project& project_;
  ProductCatalogue& catalogue_;
  std::string projectNameHint_;
};

}  // namespace korvane
