#pragma once
// A stelmar person-port for tests: each dialog plays the next script queued for
// its kind (a script selects, types and presses OK on the model); a dialog with
// no script left is cancelled. Error boxes and open-file requests are recorded.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "stelmar/core/selection_dialogs.h"
#include "stelmar/core/settings_dialogs.h"
#include "stelmar/core/stelmar_port.h"
#include "stelmar/core/tool_starter.h"

namespace stelmar::testing {

template <typename Dialog>
using Scripts = std::deque<std::function<void(Dialog&)>>;

class ScriptedStelmarPort : public StelmarPort {
 public:
  Scripts<SingleFileDialog> single;
  Scripts<MultiFileDialog> multi;
  Scripts<ObjectSelectionDialog> objects;
  Scripts<DirectoriesDialog> directories;
  Scripts<DirectoryBrowser> browsers;
  Scripts<CopyDirectoriesDialog> copyDirectories;
  Scripts<ParameterDialog> parameters;
  Scripts<EditorDialog> editors;
  std::deque<std::optional<std::string>> openFiles;

  std::vector<std::pair<std::string, std::string>> errors;  // text, caption
  std::vector<std::string> openFileStartDirs;
  int dialogsShown = 0;

  void ShowError(const std::string& text, const std::string& caption) override {
    errors.emplace_back(text, caption);
  }
  void RunSingleFile(SingleFileDialog& d) override { Play(single, d); }
  void RunMultiFile(MultiFileDialog& d) override { Play(multi, d); }
  void RunObjectSelection(ObjectSelectionDialog& d) override { Play(objects, d); }
  void RunDirectories(DirectoriesDialog& d) override { Play(directories, d); }
  void RunDirectoryBrowser(DirectoryBrowser& d) override { Play(browsers, d); }
  void RunCopyDirectories(CopyDirectoriesDialog& d) override { Play(copyDirectories, d); }
  void RunParameter(ParameterDialog& d) override { Play(parameters, d); }
  void RunEditor(EditorDialog& d) override { Play(editors, d); }
  std::optional<std::string> OpenFile(const OpenFileData&, const std::string& startDir) override {
    openFileStartDirs.push_back(startDir);
    if (openFiles.empty()) return std::nullopt;
    auto answer = openFiles.front();
    openFiles.pop_front();
    return answer;
  }

 private:
  template <typename Dialog>
  void Play(Scripts<Dialog>& scripts, Dialog& dialog) {
    ++dialogsShown;
    if (scripts.empty()) return;
    auto script = std::move(scripts.front());
    scripts.pop_front();
    script(dialog);
  }
};

// Records the programs it is asked to start instead of starting them.
class RecordingStarter : public ToolStarter {
 public:
  std::vector<std::vector<std::string>> started;
  void Start(const std::vector<std::string>& argv) override { started.push_back(argv); }
};

}  // namespace stelmar::testing
