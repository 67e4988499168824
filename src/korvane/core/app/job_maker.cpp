#include "korvane/core/app/job_maker.h"

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "korvane/core/app/console_person.h"
#include "korvane/core/app/exit_status.h"
#include "korvane/core/app/headless.h"
#include "korvane/core/app/shell.h"
#include "korvane/core/common/text.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/project/output_directory.h"

namespace korvane {

namespace fs = std::filesystem;
namespace n = names;

namespace {

// The product button a recipe names: the button itself, its name without
// "RadioButton", its caption or its language code.
std::string ProductButtonOf(Shell& shell, const std::string& wanted) {
  for (const std::string& button : ProductCatalogue::ProductButtons()) {
    const std::vector<std::string> items =
        ToolConfiguration::CommaList(shell.Config().Value(button));
    const std::string shortName = button.substr(std::string("RadioButton").size());
    if (EqualsNoCase(wanted, button) || EqualsNoCase(wanted, shortName) ||
        (!items.empty() && EqualsNoCase(wanted, items[0])) ||
        (items.size() > 1 && EqualsNoCase(wanted, items[1]))) {
      return button;
    }
  }
  return {};
}

void SelectProduct(Shell& shell, const std::string& wanted) {
  const std::string button = ProductButtonOf(shell, wanted);
  auto* radio = button.empty() ? nullptr : dynamic_cast<RadioButton*>(shell.Form().Find(button));
  if (radio == nullptr || !radio->Visible() || !radio->Enabled()) {
    shell.Status().ShowErrorAndAbort("The product " + wanted +
                                     " is not one this tool configuration offers");
  }
  if (!radio->Checked()) radio->SetChecked(true);
  if (shell.Catalogue().ActiveProduct() != button) {
    shell.Status().ShowErrorAndAbort("The product " + wanted + " could not be made active");
  }
}

// Typed into the field and the field left, as a person would; a field cannot take more
// than its length, so a longer name is refused rather than cut.
void TypeName(Shell& shell, const char* editName, const char* what, const std::string& text) {
  auto& edit = shell.Form().Get<EditBox>(editName);
  if (edit.MaxLength() > 0 && static_cast<int>(text.size()) > edit.MaxLength()) {
    shell.Status().ShowErrorAndAbort(std::string("The ") + what + " \"" + text +
                                     "\" is longer than the " + std::to_string(edit.MaxLength()) +
                                     " characters the job holds");
  }
  edit.UserEdit(text);
  edit.exited.Emit();
}

void TypeBase(Shell& shell, const std::string& base) {
  auto& frame = shell.Form().Get<DirectoryFrame>(n::kFrameOutputDir);
  frame.UserEdit(base);
  // A relative folder is refused before the offer to create it, which would create it
  // below whatever folder the program was started in.
  if (IsAbsoluteOutputDir(base)) frame.EditExit();
  frame.Leave();
}

void Add(Shell& shell, const std::vector<JobRecipe::Entry>& entries, bool sources) {
  for (const JobRecipe::Entry& entry : entries) {
    std::error_code ec;
    const fs::path path = fs::absolute(entry.path, ec);
    const bool folder = fs::is_directory(path, ec);
    if (!folder && !fs::is_regular_file(path, ec)) {
      shell.Status().ShowErrorAndAbort("The file or folder " + entry.path + " does not exist");
    }
    const char* button = sources ? (folder ? n::kButtonAddDirsToSrc : n::kButtonAddFilesToSrc)
                                 : (folder ? n::kButtonAddDirsToCpy : n::kButtonAddFilesToCpy);
    const size_t before =
        (sources ? shell.Sources().Sources() : shell.Sources().Copies()).List().Items().size();
    shell.Sources().Adding().DropFiles(button, {path.lexically_normal().string()}, entry.depth);
    const size_t after =
        (sources ? shell.Sources().Sources() : shell.Sources().Copies()).List().Items().size();
    if (after == before && !folder) {
      shell.Status().ShowErrorAndAbort("The file " + entry.path +
                                       " is not added: its extension is not one the product "
                                       "takes, or the list has a file of that name");
    }
  }
}

void ApplyTypes(Shell& shell, const std::vector<JobRecipe::TypeRule>& rules) {
  const auto& combo = shell.Form().Get<ComboBox>(n::kComboWrapType).Combo();
  auto& list = shell.Form().Get<CheckList>(n::kListSources);
  // Types are given on the sources' tab, as the person does after adding copies.
  shell.Form().Get<PageControl>(n::kPageControlCopySource).SetActivePage(n::kPageSources);
  for (const JobRecipe::TypeRule& rule : rules) {
    bool offered = false;
    for (const std::string& line : combo.KeyLines()) {
      offered |= AfterFirst(line, "=") == rule.code;
    }
    if (!offered) {
      shell.Status().ShowErrorAndAbort("The wrapping type " + rule.code +
                                       " is not one the product offers here");
    }
    int matched = 0;
    for (int i = 0; i < static_cast<int>(list.Items().size()); ++i) {
      if (!MatchesTypePattern(FileList::NameOf(list.Items()[i].text), rule.pattern)) continue;
      shell.Sources().Types().SetEntryWrapType(i, rule.code);
      ++matched;
    }
    if (matched == 0) {
      shell.Status().ShowErrorAndAbort("-WrapType " + rule.code + "=" + rule.pattern +
                                       ": no source of the job has such a name");
    }
  }
}

}  // namespace

RecipePerson::RecipePerson(PersonPort& inner, std::string jobFile)
    : inner_(inner), jobFile_(std::move(jobFile)) {}

std::optional<std::string> RecipePerson::SaveFile(const FileDialogRequest& request) {
  std::error_code ec;
  const std::string path = fs::absolute(jobFile_, ec).lexically_normal().string();
  if (request.overwritePrompt && fs::exists(path, ec) &&
      inner_.Ask(MessageKind::Confirmation, path + " already exists.\r\nDo you want to replace it?",
                 {Button::Yes, Button::No}) != Button::Yes) {
    return std::nullopt;
  }
  return path;
}

bool MakeJob(Shell& shell, const JobRecipe& recipe) {
  // Each step is one operation of the window: a refusal ends the making there.
  const std::vector<std::function<void()>> steps = {
      [&] {
        if (!recipe.product.empty()) SelectProduct(shell, recipe.product);
      },
      [&] { TypeName(shell, n::kEditProductName, "product name", recipe.productName); },
      [&] { TypeName(shell, n::kEditSystemName, "system name", recipe.systemName); },
      [&] { TypeBase(shell, recipe.base); },
      [&] { Add(shell, recipe.sources, true); },
      [&] { Add(shell, recipe.copies, false); },
      [&] { ApplyTypes(shell, recipe.types); },
      // Every source that may run is checked, as a job made to be run is.
      [&] { shell.Sources().Checks().SelectAll(n::kListSources); },
  };
  for (const auto& step : steps) {
    if (!shell.Run(step)) return false;
  }
  // Save as: the file is the recipe's, never one the names and the last folder suggest.
  return shell.Execute(n::kActSaveProjectAs) && !shell.CurrentProject().Modified();
}

int RunJobMaker(const HeadlessOptions& options, platform::SettingsBackend& settings,
                std::ostream& err) {
  const auto finish = [&err](ExitStatus status, const std::string& why) {
    if (status != ExitStatus::kSuccess) {
      err << "korvane: exit status " << Code(status) << ": " << why << '\n';
    }
    err.flush();
    return Code(status);
  };
  const Result<JobRecipe> read = ReadJobRecipe(CommandLine(options.args));
  if (!read) return finish(ExitStatus::kUsage, read.Why());
  const JobRecipe& recipe = *read;
  ConsolePerson console(err, options.answerYes, [&err](int status) {
    err.flush();
    std::exit(status);
  });
  RecipePerson person(console, recipe.jobFile);
  Shell shell(person, settings, {options.programPath, options.args, options.iniOverride, {}});
  const Connection printed(shell.Status().messageReported.Connect(
      [&console](StatusMessageKind kind, const std::string& text) {
        console.PrintLine(kind == StatusMessageKind::Status    ? "Status"
                          : kind == StatusMessageKind::Warning ? "Warning"
                                                               : "Error",
                          text);
      }));
  if (!shell.Create() || !shell.Show()) {
    return finish(ExitStatus::kLoad, "the tool configuration could not be loaded");
  }
  if (!MakeJob(shell, recipe)) {
    return finish(ExitStatus::kNotWritten,
                  "the job " + recipe.jobFile + " was not made (the messages above say why)");
  }
  return finish(ExitStatus::kSuccess, {});
}

}  // namespace korvane
