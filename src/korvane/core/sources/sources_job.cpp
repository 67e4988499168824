#include "korvane/core/sources/sources_job.h"

#include "korvane/core/config/configuration_service.h"
#include "korvane/core/config/product_catalogue.h"
#include "korvane/core/project/project.h"

namespace korvane {

ProjectSourcesJob::ProjectSourcesJob(Project& project, const ProductCatalogue& catalogue,
                                     ConfigurationService& configuration)
    : project_(project), catalogue_(catalogue), configuration_(configuration) {}

std::string ProjectSourcesJob::WritableBase() {
  return project_.WritableBase();
}

Outcome ProjectSourcesJob::Writable() const {
  return project_.Writable();
}

std::string ProjectSourcesJob::BaseDirectory() const {
  return project_.OutputDir();
}

std::string ProjectSourcesJob::LangCode() const {
  return catalogue_.LangCode();
}

std::string ProjectSourcesJob::SubVersion() const {
  return project_.State().subVersion;
}

std::string ProjectSourcesJob::FilterFor(const std::string& kind, const std::string& version) {
  return configuration_.Config().FilterFor(kind, version, project_.Context().status);
}

long long ProjectSourcesJob::BigDirectoryLimit() const {
  return configuration_.Flags().bigDirectoryLimit;
}

void ProjectSourcesJob::SetModified() {
  project_.SetModified(true);
}

}  // namespace korvane
