// Rules that hold for the whole window: page changes, the extended options,
// the About box and help.

#include <filesystem>

#include "korvane/core/app/application_profile.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/app/shell.h"
#include "korvane/core/common/version.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/lists.h"

namespace korvane {

namespace n = names;

void Shell::PageChanged() {
  status_.ClearMessages();
  const std::string& page = form_.Get<PageControl>(n::kPageControlMain).ActivePage();
  if (page == n::kPageNames) {
    if (form_.Get<PageControl>(n::kPageControlCopySource).ActivePage() == n::kPageSources) {
      sources_->SelectFirstEntry(form_.Get<CheckList>(n::kListSources));
    }
  } else if (page == n::kPageLanguages) {
    const std::string& active = catalogue_->ActiveProduct();
    if (!active.empty()) {
      auto& button = form_.Get<RadioButton>(active);
      if (button.Enabled()) button.RequestFocus();
    }
  } else if (page == n::kPageWordScan) {
    form_.Get<EditBox>(n::kEditObjects).SetVisible(false);
  }
}

void Shell::ToggleExtendedOptions() {
  form_.Get<PageControl>(n::kPageControlMain).SetActivePage(n::kPageNames);
  Action& advanced = actions_.Get(n::kActShowAdvanced);
  advanced.SetChecked(!advanced.Checked());
  const bool shown = advanced.Checked();
  form_.Get<Page>(n::kPageTechnical).SetVisible(shown);
  for (Action* action : actions_.InCategory(n::kCategoryPreparation)) action->SetVisible(shown);
  for (const char* name : {n::kMemoNewFileNames, n::kPageNewFileNames, n::kMemoLongExtension,
                           n::kPageLongExtensions}) {
    form_.Find(name)->SetVisible(shown);
  }
  form_.Get<PageControl>(n::kPageControlExtended).SetMultiLine(shown);
}

void Shell::ShowAbout() {
  AboutInfo info;
  info.fileDescription = GetVersionValue("FileDescription");
  info.fileVersion = "File Version: " + GetVersionValue("FileVersion");
  info.productName = GetVersionValue("ProductName");
  info.legalCopyright = GetVersionValue("LegalCopyright");
  info.productVersion = "Product Version: " + GetVersionValue("ProductVersion");
  info.memoContent = "Tool root directory : \r\n" + toolRoot_;
  if (showAbout) {
    showAbout(info);
  } else {
    person_.Ask(MessageKind::Information,
                info.productName + " " + info.fileVersion + "\r\n" + info.memoContent,
                {Button::Ok});
  }
}

void Shell::ShowHelp() {
  const std::string file = programDir_ + "/" + std::string(profile::kHelpFile);
  std::error_code ec;
  if (!std::filesystem::exists(file, ec) || !openHelp) {
    status_.ShowStatus("No help is available: " + file + " was not found");
    return;
  }
  openHelp(file);
}

}  // namespace korvane
