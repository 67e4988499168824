#pragma once
// A stelmar person-port for tests: each dialog plays the next script queued for
// its kind (a script selects, types and presses OK on the model); a dialog with
// no script left is cancelled. Error boxes and open-file requests are recorded,
// and every dialog with its caption and entries goes to a transcript that a test
// compares once with a golden file.

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
  std::string transcript;

  void ShowError(const std::string& text, const std::string& caption) override {
    errors.emplace_back(text, caption);
    transcript += "error [" + caption + "]: " + text + "\n";
  }
  void RunSingleFile(SingleFileDialog& d) override { Play("single file", single, d); }
  void RunMultiFile(MultiFileDialog& d) override { Play("files", multi, d); }
  void RunObjectSelection(ObjectSelectionDialog& d) override { Play("objects", objects, d); }
  void RunDirectories(DirectoriesDialog& d) override { Play("directories", directories, d); }
  void RunDirectoryBrowser(DirectoryBrowser& d) override { Play("browser", browsers, d); }
  void RunCopyDirectories(CopyDirectoriesDialog& d) override {
    Play("copy directories", copyDirectories, d);
  }
  void RunParameter(ParameterDialog& d) override { Play("parameter", parameters, d); }
  void RunEditor(EditorDialog& d) override { Play("editor", editors, d); }
  std::optional<std::string> OpenFile(const OpenFileData&, const std::string& startDir) override {
    std::optional<std::string> answer;
    if (!openFiles.empty()) {
      answer = openFiles.front();
      openFiles.pop_front();
    }
    transcript += "open file in " + startDir + " -> " + answer.value_or("cancelled") + "\n";
    return answer;
  }

 private:
  template <typename Dialog>
  void Play(const char* kind, Scripts<Dialog>& scripts, Dialog& dialog) {
    transcript += kind;
    if constexpr (requires { dialog.Caption(); }) transcript += " \"" + dialog.Caption() + "\"";
    const auto list = [this](const std::vector<std::string>& entries) {
      for (const auto& e : entries) transcript += " |" + e;
    };
    if constexpr (requires { dialog.Entries(); }) list(dialog.Entries());
    if constexpr (requires { dialog.Available(); }) list(dialog.Available());
    transcript += scripts.empty() ? " -> cancelled\n" : "\n";
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
