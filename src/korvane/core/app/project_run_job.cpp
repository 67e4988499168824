#include "korvane/core/app/project_run_job.h"

#include <filesystem>

#include "korvane/core/app/application_profile.h"
#include "korvane/core/app/startup.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/config/configuration_service.h"
#include "korvane/core/config/product_catalogue.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/prepare/preparation.h"
#include "korvane/core/prepare/wrapper_contract.h"
#include "korvane/core/project/project.h"
#include "korvane/core/sources/source_lists.h"
#include "korvane/core/viewer/viewers.h"

namespace korvane {

namespace n = names;

ProjectRunJob::ProjectRunJob(Project& project, const ProductCatalogue& catalogue,
                             const ConfigurationService& configuration, Preparation& preparation,
                             SourceLists& sources, Viewers& viewers, const Startup& startup)
    : project_(project),
      catalogue_(catalogue),
      configuration_(configuration),
      preparation_(preparation),
      sources_(sources),
      viewers_(viewers),
      startup_(startup) {}

std::string ProjectRunJob::WritableBase() {
  std::string base = project_.WritableBase();
  if (base.empty() || base.back() != '/') base += '/';
  return base;
}

std::string ProjectRunJob::ProjectName() {
  return project_.GetProjectName();
}

std::string ProjectRunJob::SystemName() const {
  return project_.State().systemName;
}

bool ProjectRunJob::MultiEntity() const {
  return catalogue_.Multi();
}

bool ProjectRunJob::WordListRequired() const {
  return project_.Context().view.wordScanPage.Visible() &&
         project_.Context().job.objects.Items().empty() &&
         project_.Context().job.controlWords.Items().empty();
}

bool ProjectRunJob::ProductInstalled() const {
  const std::string& product = catalogue_.ActiveProduct();
  if (product.empty()) return true;
  const RadioButton* button = project_.Context().job.Product(product);
  return button == nullptr || button->Enabled();
}

std::string ProjectRunJob::InterfaceWrapper() const {
  // A frame the product keeps hidden is never validated, so its field stays empty: the
  // default it would have taken is the tool.
  const auto& frame = project_.Context().job.eskar;
  return frame.Text().empty() ? frame.DefaultName() : frame.Text();
}

std::vector<std::string> ProjectRunJob::BatchLines() const {
  const std::vector<std::string>& batch = preparation_.Parameters().batch;
  std::vector<std::string> lines;
  lines.reserve(batch.size() + 1);
  lines.emplace_back(contract::kBatchHeader);
  lines.insert(lines.end(), batch.begin(), batch.end());
  return lines;
}

RunControl ProjectRunJob::Flags() const {
  return configuration_.Flags();
}

int ProjectRunJob::Modules() const {
  return project_.State().numberOfModules;
}

int ProjectRunJob::SourceFiles() const {
  return project_.State().numberOfSourceFiles;
}

int ProjectRunJob::Entities() const {
  return preparation_.Parameters().entities;
}

std::string ProjectRunJob::SingleSource() const {
  const JobParameters& parameters = preparation_.Parameters();
  if (parameters.entities != 1) return {};
  // The name map ties tool number 1 to the source's file name.
  for (const std::string& line : parameters.nameMap) {
    if (line.starts_with("SRC0001=")) return line.substr(8);
  }
  return {};
}

void ProjectRunJob::SetBatchRunning(bool running) {
  project_.SetBatchRunning(running);
}

void ProjectRunJob::RecordRunStart() {
  const ProjectState& state = project_.State();
  // Only a job saved before: starting a run must not bring up the save dialog.
  std::error_code ec;
  if (state.projectName.empty() ||
      !std::filesystem::is_regular_file(
          state.projectDirectory + state.projectName + std::string(profile::kJobExtension), ec)) {
    return;
  }
  if (Action* save = project_.Context().actions.Find(names::kActSaveProject);
      save != nullptr && save->HasHandler()) {
    save->Invoke();
  }
}

void ProjectRunJob::SetWrapRequested() {
  preparation_.SetWrapRequested(true);
  viewers_.SetWrapRequested(true);
}

bool ProjectRunJob::SynchronizeDirectories() {
  sources_.CheckBaseBeforeRun();
  return sources_.Synchronize();
}

bool ProjectRunJob::AutoRun() const {
  return startup_.AutoRun();
}

void ProjectRunJob::FollowLogs(bool on) {
  viewers_.SetFollowLogs(on);
}

void ProjectRunJob::SetRunStart(std::filesystem::file_time_type start) {
  preparation_.SetRunStart(start);
  viewers_.SetRunStart(start);
}

void ProjectRunJob::PrepareInput(std::function<void()> then) {
  preparation_.BuildInputStructure(false, std::move(then));
}

RenameOutcome ProjectRunJob::RenameResults() {
  preparation_.RenameResults();
  return preparation_.LastRename();
}

void ProjectRunJob::DeleteCopiedInput() {
  preparation_.DeleteFilesAfter();
}

void ProjectRunJob::EnableLogViews(bool on) {
  for (const char* name : {"ActViewProductLog", names::kActViewConsoleLog}) {
    if (Action* action = project_.Context().actions.Find(name)) action->SetEnabled(on);
  }
}

void ProjectRunJob::ViewProductLog() {
  viewers_.ViewLog(Viewers::Log::Product);
}

void ProjectRunJob::ViewConsoleLog() {
  viewers_.ViewLog(Viewers::Log::Console);
}

void ProjectRunJob::SaveAndClose() {
  ActionList& actions = project_.Context().actions;
  for (const char* name : {names::kActSaveProject, names::kActCloseAll}) {
    if (Action* action = actions.Find(name); action != nullptr && action->HasHandler()) {
      action->Invoke();
    }
  }
}

}  // namespace korvane
