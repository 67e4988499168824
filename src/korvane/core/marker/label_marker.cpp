// Opening marker pages, and the marker's view of the real job.
#include "korvane/core/marker/label_marker.h"

#include <filesystem>

#include "korvane/core/common/text.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/config/product_catalogue.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/project/job_commands.h"
#include "korvane/core/project/project.h"
#include "korvane/core/sources/file_list.h"

namespace korvane {

namespace fs = std::filesystem;

LabelMarker::LabelMarker(WindowContext& context, Viewers& viewers, MarkerJob& job)
    : context_(context), viewers_(viewers), job_(job) {}

void LabelMarker::Follow(JobCommands& jobs) {
  connections_.Add(jobs.saving.Connect([this] { SavePendingMarks(); }));
  // The save question has been asked by then: what is still unsaved was let go.
  connections_.Add(jobs.cleared.Connect([this] { viewers_.CloseAllPages(); }));
}

void LabelMarker::SavePendingMarks() {
  for (const auto& page : viewers_.Pages()) {
    auto* marker = dynamic_cast<WrapperMarker*>(page.get());
    if (marker != nullptr && marker->Modified()) marker->Save();
  }
}

bool LabelMarker::HasPendingEdits() const {
  for (const auto& page : viewers_.Pages()) {
    const auto* marker = dynamic_cast<const WrapperMarker*>(page.get());
    if (marker != nullptr && marker->Modified()) return true;
  }
  return false;
}

void LabelMarker::OpenMarkerPage(const std::string& path) {
  std::error_code ec;
  if (!fs::exists(path, ec)) context_.status.ShowErrorAndAbort("File " + path + " doesn't exist");
  viewers_.BringToFront();
  const std::string caption = fs::path(path).filename().string();
  const int found = viewers_.FindPage(PageKind::Marker, caption);
  if (found >= 0) {
    viewers_.SelectPage(found);
    if (FileDateOf(path) == viewers_.Pages()[found]->FileDate()) return;
    if (ToLower(fs::path(path).extension().string()) != ".log") {
      std::string text = "Module %s's date/time changed. Reload?";
      text.replace(text.find("%s"), 2, path);
      if (context_.person.Ask(MessageKind::Warning, text, {Button::Yes, Button::No}) == Button::No)
        return;
    }
    if (!viewers_.CloseCurrentPage()) return;
  }
  viewers_.AddPage([&](const std::string& name) {
    auto page = std::make_unique<WrapperMarker>(name, path, context_, job_, viewers_);
    page->Create();
    return page;
  });
}

WrapperMarker* LabelMarker::CurrentMarker() const {
  return dynamic_cast<WrapperMarker*>(viewers_.Current());
}

ProjectMarkerJob::ProjectMarkerJob(Project& project, const ProductCatalogue& catalogue,
                                   JobModel& job)
    : project_(project), catalogue_(catalogue), model_(job) {}

std::string ProjectMarkerJob::BaseDirectory() const {
  std::string base = project_.OutputDir();
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base;
}

int ProjectMarkerJob::LangIndex() const {
  return catalogue_.LangIndex();
}

KeyedLines& ProjectMarkerJob::Marks() {
  return model_.marks.Keyed();
}

void ProjectMarkerJob::SetProjectModified() {
  project_.SetModified(true);
}

void ProjectMarkerJob::SetSourceEntry(const std::string& name, bool on) {
  CheckList& list = model_.sources;
  for (auto& item : list.MutableItems()) {
    if (!EqualsNoCase(FileList::NameOf(item.text), name)) continue;
    item.enabled = on;
    item.checked = on;
  }
  list.Touch();
}

}  // namespace korvane
