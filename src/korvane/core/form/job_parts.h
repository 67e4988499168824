#pragma once
// The job and the window around it as the services see them: typed parts, no names.
// The parts are the main window's components, because the job file writes them by
// name and in creation order; only the form binding (job_binding.h) and the job-file
// codec look a component up by its name.

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "korvane/core/components/component.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"

namespace korvane {

// The name map of the job: each copied input's number and its file name ("SRC0001=A.CBL"),
// made by the preparation or read with the job file. The memo shows it; renaming the
// results reads the map itself, so an edit in the memo cannot steer what is renamed.
class NameMap {
 public:
  explicit NameMap(Memo& shown) : shown_(&shown) {}
  const std::vector<std::string>& Lines() const { return lines_; }
  void Set(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    shown_->SetLines(lines_);
  }
  void Clear() {
    lines_.clear();
    shown_->Clear();
  }
  // After the job file was applied to the memo: the map is what the file held.
  void TakeLoaded() { lines_ = shown_->Lines(); }
  Memo& Shown() const { return *shown_; }

 private:
  Memo* shown_;
  std::vector<std::string> lines_;
};

// What a job holds: its base folder, the source and copy lists with their marks, the
// choices made for it, its word lists, the name map and long extensions of the last
// preparation, the last run's console, and the tool paths the job's files depend on.
struct JobModel {
  // The products to choose from, named by their keys in the configuration and the job
  // file.
  std::vector<RadioButton*> products;
  RadioButton* Product(std::string_view key) const {
    for (RadioButton* button : products) {
      if (button->Name() == key) return button;
    }
    return nullptr;
  }
  DirectoryFrame& baseFolder;
  CheckList& sources;
  CheckList& copies;
  StringListHolder& marks;
  ComboBox& wrapType;
  ComboBox& mapType;
  ComboBox& interfaceType;
  RadioGroup& versions;
  CheckList& controlWords;
  CheckList& objects;
  NameMap nameMap;
  Memo& longExtensions;
  Memo& console;
  // The tool paths; a frame is visible when the product uses that tool.
  ToolPathFrame& editor;
  ToolPathFrame& copyLibrary;
  ToolPathFrame& functionTable;
  ToolPathFrame& dalmer;
  ToolPathFrame& ardent;
  ToolPathFrame& belmont;
  ToolPathFrame& corvid;
  ToolPathFrame& linker;
  ToolPathFrame& eskar;

  // Every tool frame, in the window's order.
  std::array<ToolPathFrame*, 9> Tools() const {
    return {&editor,  &copyLibrary, &functionTable, &dalmer, &ardent,
            &belmont, &corvid,      &linker,        &eskar};
  }
  // The wrapper programs, one per wrapping type.
  std::array<ToolPathFrame*, 5> Wrappers() const {
    return {&dalmer, &ardent, &belmont, &corvid, &eskar};
  }
};

// The window around the job: the pages a service shows, the progress group, and the
// editors of the word-list page.
struct JobWindow {
  const ComponentTree& tree;
  EditBox& productName;
  EditBox& systemName;
  PageControl& mainPages;
  PageControl& copySourcePages;
  Page& languagesPage;
  Page& namesPage;
  Page& technicalPage;
  Page& wordScanPage;
  Page& viewerPage;
  Page& sourcesPage;
  Page& copiesPage;
  Panel& sourcesPanel;
  Panel& copiesPanel;
  GroupBox& wrapTypeGroup;
  GroupBox& mapTypeGroup;
  Page& objectsPage;
  GroupBox& progress;
  ProgressBar& modulesBar;
  ProgressBar& sourcesBar;
  GroupBox& configurationGroup;
  Memo& configuration;
  EditBox& wordEdit;
  EditBox& controlWordEdit;
  ComboBox& wordType;
  ComboBox& controlWordType;
  ButtonControl& addWord;
  Memo& wordsView;
  EditBox& objectsEdit;
};

}  // namespace korvane
