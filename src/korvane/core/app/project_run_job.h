#pragma once
// The run's view of the job and of the window's other services.

#include <string>

#include "korvane/core/run/run_session.h"

namespace korvane {

class ConfigurationService;
class Preparation;
class ProductCatalogue;
class Project;
class SourceLists;
class Viewers;
class Startup;

class ProjectRunJob : public RunJob {
 public:
  ProjectRunJob(Project& project, const ProductCatalogue& catalogue,
                const ConfigurationService& configuration, Preparation& preparation,
                SourceLists& sources, Viewers& viewers, const Startup& startup);

  std::string WritableBase() override;
  std::string ProjectName() override;
  std::string SystemName() const override;
  bool MultiEntity() const override;
  bool WordListRequired() const override;
  bool ProductInstalled() const override;
  std::string InterfaceWrapper() const override;
  std::vector<std::string> BatchLines() const override;
  RunControl Flags() const override;
  int Modules() const override;
  int SourceFiles() const override;
  int Entities() const override;
  std::string SingleSource() const override;
  void SetBatchRunning(bool running) override;
  void RecordRunStart() override;
  void SetWrapRequested() override;
  bool SynchronizeDirectories() override;
  bool AutoRun() const override;
  void FollowLogs(bool on) override;
  void SetRunStart(std::filesystem::file_time_type start) override;
  void PrepareInput(std::function<void()> then) override;
  RenameOutcome RenameResults() override;
  void DeleteCopiedInput() override;
  void EnableLogViews(bool on) override;
  void ViewProductLog() override;
  void ViewConsoleLog() override;
  void SaveAndClose() override;

 private:
  Project& project_;
  const ProductCatalogue& catalogue_;
  const ConfigurationService& configuration_;
  Preparation& preparation_;
  SourceLists& sources_;
  Viewers& viewers_;
  const Startup& startup_;
};

}  // namespace korvane
