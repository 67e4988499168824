#pragma once
// Makes a job from a recipe the way a person fills in the window: the product button,
// the two name fields, the base folder field, sources and copies added to their lists
// (copied into the collections), wrapping types, the usable sources checked, then the
// save command. Every rule and message is the window's own; the maker adds only the
// checks a person cannot get wrong by typing (names too long for their fields, a
// product or wrapping type the window does not offer, paths that are not there).

#include <optional>
#include <ostream>
#include <string>

#include "korvane/core/app/job_recipe.h"
#include "korvane/core/common/person_port.h"

namespace platform {
class SettingsBackend;
}

namespace korvane {

class Shell;
struct HeadlessOptions;

// `korvane -batch -MakeJob FILE ...`: starts the shell without a window, makes the job
// and returns the exit status (0 when it was saved, 3 for a bad recipe, 4 when the tool
// configuration did not load, 6 when a step was refused, 2 for an unanswered question).
int RunJobMaker(const HeadlessOptions& options, platform::SettingsBackend& settings,
                std::ostream& err);

// Drives a shell that was created and shown without a job. The save dialog is the
// shell's person's to answer (RecipePerson answers it with the recipe's file). Returns
// false when a step was refused; its message went to the shell's status bar.
bool MakeJob(Shell& shell, const JobRecipe& recipe);

// The person of a job made from switches: the file to save into is known beforehand,
// everything else goes to the person it wraps. Replacing an existing file is asked.
class RecipePerson : public PersonPort {
 public:
  RecipePerson(PersonPort& inner, std::string jobFile);

  Button Ask(MessageKind kind, const std::string& text, const Buttons& buttons) override {
    return inner_.Ask(kind, text, buttons);
  }
  std::vector<std::string> OpenFiles(const FileDialogRequest& request) override {
    return inner_.OpenFiles(request);
  }
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFolder(const FolderDialogRequest& request) override {
    return inner_.ChooseFolder(request);
  }
  std::optional<FontChoice> ChooseFont(const FontChoice& current) override {
    return inner_.ChooseFont(current);
  }
  void Beep() override { inner_.Beep(); }
  void ProcessPendingEvents() override { inner_.ProcessPendingEvents(); }
  void RunOnInterfaceThread(const std::function<void()>& work) override {
    inner_.RunOnInterfaceThread(work);
  }
  void ShowFailure(const std::string& text) override { inner_.ShowFailure(text); }

 private:
  PersonPort& inner_;
  std::string jobFile_;
};

}  // namespace korvane
