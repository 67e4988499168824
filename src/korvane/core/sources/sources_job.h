#pragma once
// What the source lists need of the job around them: where its folders are (only when
// the job may be written), the product's language and version, its file filters, and
// the modified flag. ProjectSourcesJob gives the real job; tests give their own.

#include <string>

#include "korvane/core/common/outcome.h"

namespace korvane {

class ConfigurationService;
class Project;
class ProductCatalogue;

class SourcesJob {
 public:
  virtual ~SourcesJob() = default;
  // The job base directory; ends the operation with the reason when the job must not be
  // written (a damaged load, no usable folder).
  virtual std::string WritableBase() = 0;
  // Whether the shell may write and delete in the base directory, or why not.
  virtual Outcome Writable() const = 0;
  virtual std::string BaseDirectory() const = 0;
  virtual std::string LangCode() const = 0;
  virtual std::string SubVersion() const = 0;
  // The file dialog filter of a product kind ("COB", "COB.Copy") and version.
  virtual std::string FilterFor(const std::string& kind, const std::string& version) = 0;
  // How many files a directory may hold before adding it asks first.
  virtual long long BigDirectoryLimit() const = 0;
  virtual void SetModified() = 0;
};

class ProjectSourcesJob : public SourcesJob {
 public:
  ProjectSourcesJob(Project& project, const ProductCatalogue& catalogue,
                    ConfigurationService& configuration);
  std::string WritableBase() override;
  Outcome Writable() const override;
  std::string BaseDirectory() const override;
  std::string LangCode() const override;
  std::string SubVersion() const override;
  std::string FilterFor(const std::string& kind, const std::string& version) override;
  long long BigDirectoryLimit() const override;
  void SetModified() override;

 private:
  Project& project_;
  const ProductCatalogue& catalogue_;
  ConfigurationService& configuration_;
};

}  // namespace korvane
