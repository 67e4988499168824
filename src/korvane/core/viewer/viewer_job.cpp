// The viewers' view of the real job.
#include "korvane/core/viewer/viewer_job.h"

#include "korvane/core/components/frames.h"
#include "korvane/core/config/configuration_service.h"
#include "korvane/core/config/product_catalogue.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/project/project.h"
#include "korvane/core/sources/source_lists.h"

namespace korvane {

ProjectViewerJob::ProjectViewerJob(Project& project, const ProductCatalogue& catalogue,
                                   const ConfigurationService& configuration, const JobModel& job,
                                   SourceLists& sources)
    : project_(project),
      catalogue_(catalogue),
      configuration_(configuration),
      model_(job),
      sources_(sources) {}

std::string ProjectViewerJob::BaseDirectory() const {
  std::string base = project_.OutputDir();
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base;
}

std::string ProjectViewerJob::SystemName() const {
  return project_.State().systemName;
}

std::string ProjectViewerJob::LangCode() const {
  return catalogue_.LangCode();
}

int ProjectViewerJob::LangIndex() const {
  return catalogue_.LangIndex();
}

std::string ProjectViewerJob::ResultMasks() const {
  return configuration_.Config().ResultMasks(catalogue_.LangCode());
}

std::string ProjectViewerJob::EditorPath() const {
  return model_.editor.Text();
}

void ProjectViewerJob::RefreshWrapState() {
  sources_.Types().RefreshSelected();
}

}  // namespace korvane
