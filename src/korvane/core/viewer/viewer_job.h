#pragma once
// What the viewers need of the job around them: its base directory and names, the
// product's result masks, the external editor, and the source list's wrap state.
// ProjectViewerJob gives the real job; tests give their own.

#include <string>

#include "korvane/core/form/job_parts.h"

namespace korvane {

class ConfigurationService;
class Project;
class ProductCatalogue;
class SourceLists;

class ViewerJob {
 public:
  virtual ~ViewerJob() = default;
  // The job base directory without a trailing "/".
  virtual std::string BaseDirectory() const = 0;
  virtual std::string SystemName() const = 0;
  virtual std::string LangCode() const = 0;
  virtual int LangIndex() const = 0;
  // The result, copy and source masks joined with ";".
  virtual std::string ResultMasks() const = 0;
  // The path in the external-editor frame.
  virtual std::string EditorPath() const = 0;
  // The source list's wrap-type dependent state after a page went.
  virtual void RefreshWrapState() = 0;
};

class ProjectViewerJob : public ViewerJob {
 public:
  ProjectViewerJob(Project& project, const ProductCatalogue& catalogue,
                   const ConfigurationService& configuration, const JobModel& job,
                   SourceLists& sources);
  std::string BaseDirectory() const override;
  std::string SystemName() const override;
  std::string LangCode() const override;
  int LangIndex() const override;
  std::string ResultMasks() const override;
  std::string EditorPath() const override;
  void RefreshWrapState() override;

 private:
  Project& project_;
  const ProductCatalogue& catalogue_;
  const ConfigurationService& configuration_;
  const JobModel& model_;
  SourceLists& sources_;
};

}  // namespace korvane
