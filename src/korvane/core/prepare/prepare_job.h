#pragma once
// What job preparation needs of the job around it: the base directory (only when the
// job may be written), the two names with their rules, the product's language and
// mode, the run-control flags, and the counters preparation sets. ProjectPrepareJob
// gives the real job; tests give their own.

#include <string>

#include "korvane/core/config/run_control.h"

namespace korvane {

class ConfigurationService;
class Project;
class ProductCatalogue;

class PrepareJob {
 public:
  virtual ~PrepareJob() = default;
  // The job base directory without a trailing "/"; ends the operation with the reason
  // when the job must not be written.
  virtual std::string WritableBase() = 0;
  // The base directory as the person typed it.
  virtual std::string OutputDir() const = 0;
  // Applies the system and product name fields again through their rules (which end
  // the operation with their messages) and refreshes the project name.
  virtual void ApplyNames() = 0;
  virtual std::string ProductName() const = 0;
  virtual std::string SystemName() const = 0;
  virtual int LangIndex() const = 0;
  // One tool call per source through the batch file.
  virtual bool MultiEntity() const = 0;
  virtual RunControl Flags() const = 0;
  virtual void SetCounts(int sourceFiles, int modules) = 0;
  virtual void SetSourceLines(long long lines) = 0;
};

class ProjectPrepareJob : public PrepareJob {
 public:
  ProjectPrepareJob(Project& project, const ProductCatalogue& catalogue,
                    const ConfigurationService& configuration);
  std::string WritableBase() override;
  std::string OutputDir() const override;
  void ApplyNames() override;
  std::string ProductName() const override;
  std::string SystemName() const override;
  int LangIndex() const override;
  bool MultiEntity() const override;
  RunControl Flags() const override;
  void SetCounts(int sourceFiles, int modules) override;
  void SetSourceLines(long long lines) override;

 private:
  Project& project_;
  const ProductCatalogue& catalogue_;
  const ConfigurationService& configuration_;
};

}  // namespace korvane
