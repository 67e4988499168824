#include "korvane/core/prepare/prepare_job.h"

#include <climits>

#include "korvane/core/components/controls.h"
#include "korvane/core/config/configuration_service.h"
#include "korvane/core/config/product_catalogue.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/project/project.h"

namespace korvane {

ProjectPrepareJob::ProjectPrepareJob(Project& project, const ProductCatalogue& catalogue,
                                     const ConfigurationService& configuration)
    : project_(project), catalogue_(catalogue), configuration_(configuration) {}

std::string ProjectPrepareJob::WritableBase() {
  std::string base = project_.WritableBase();
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base;
}

std::string ProjectPrepareJob::OutputDir() const {
  return project_.OutputDir();
}

void ProjectPrepareJob::ApplyNames() {
  const JobWindow& view = project_.Context().view;
  project_.SetSystemName(view.systemName.Text());
  project_.SetProductName(view.productName.Text());
  project_.GetProjectName();
}

std::string ProjectPrepareJob::ProductName() const {
  return project_.State().productName;
}

std::string ProjectPrepareJob::SystemName() const {
  return project_.State().systemName;
}

int ProjectPrepareJob::LangIndex() const {
  return catalogue_.LangIndex();
}

bool ProjectPrepareJob::MultiEntity() const {
  return catalogue_.Multi();
}

RunControl ProjectPrepareJob::Flags() const {
  return configuration_.Flags();
}

void ProjectPrepareJob::SetCounts(int sourceFiles, int modules) {
  project_.State().numberOfSourceFiles = sourceFiles;
  project_.State().numberOfModules = modules;
}

void ProjectPrepareJob::SetSourceLines(long long lines) {
  project_.State().sourceLinesInJob = lines > INT_MAX ? INT_MAX : static_cast<int>(lines);
}

}  // namespace korvane
