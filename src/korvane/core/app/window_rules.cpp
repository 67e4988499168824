// Rules that hold for the whole window: page changes, the extended options,
// the About box and help.

#include <filesystem>

#include "korvane/core/app/application_profile.h"
#include "korvane/core/app/window_rules.h"
#include "korvane/core/common/version.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"

namespace korvane {

namespace n = names;

WindowRules::WindowRules(FormModel& form, WindowContext& window, CommandGate& gate,
                         const Installation& installation, const ProductCatalogue& catalogue,
                         SourceLists& sources)
    : form_(form),
      window_(window),
      gate_(gate),
      installation_(installation),
      catalogue_(catalogue),
      sources_(sources) {}

void WindowRules::Connect() {
  auto handle = [this](const char* name, std::function<void()> handler) {
    window_.actions.Get(name).SetHandler(std::move(handler));
  };
  handle(n::kActCloseAll, [this] { window_.window.RequestClose(); });
  handle(n::kActShowAdvanced, [this] { ToggleExtendedOptions(); });
  handle(n::kActAbout, [this] { ShowAbout(); });
  handle(n::kActHelpShell, [this] { ShowHelp(); });

  // A button named after an action runs that action.
  for (const auto& component : form_.Components()) {
    auto* button = dynamic_cast<ButtonControl*>(component.get());
    if (button == nullptr || button->ActionName().empty()) continue;
    const std::string action = button->ActionName();
    connections_.Add(button->clicked.Connect([this, action] {
      if (window_.actions.Find(action) != nullptr) gate_.Execute(action);
    }));
  }
  connections_.Add(window_.view.mainPages.pageChanged.Connect([this] { PageChanged(); }));
}

void WindowRules::PageChanged() {
  window_.status.ClearMessages();
  const std::string& page = window_.view.mainPages.ActivePage();
  if (page == n::kPageNames) {
    if (window_.view.copySourcePages.IsActive(window_.view.sourcesPage)) {
      sources_.SelectFirstEntry(window_.job.sources);
    }
  } else if (page == n::kPageLanguages) {
    const std::string& active = catalogue_.ActiveProduct();
    if (!active.empty()) {
      RadioButton* button = window_.job.Product(active);
      if (button != nullptr && button->Enabled()) button->RequestFocus();
    }
  } else if (page == n::kPageWordScan) {
    window_.view.objectsEdit.SetVisible(false);
  }
}

void WindowRules::ToggleExtendedOptions() {
  window_.view.mainPages.SetActivePage(window_.view.namesPage);
  Action& advanced = window_.actions.Get(n::kActShowAdvanced);
  advanced.SetChecked(!advanced.Checked());
  const bool shown = advanced.Checked();
  window_.view.technicalPage.SetVisible(shown);
  for (Action* action : window_.actions.InCategory(n::kCategoryPreparation))
    action->SetVisible(shown);
  for (const char* name : {n::kMemoNewFileNames, n::kPageNewFileNames, n::kMemoLongExtension,
                           n::kPageLongExtensions}) {
    form_.Get<Component>(name).SetVisible(shown);
  }
  form_.Get<PageControl>(n::kPageControlExtended).SetMultiLine(shown);
}

void WindowRules::ShowAbout() {
  AboutInfo info;
  info.fileDescription = GetVersionValue("FileDescription");
  info.fileVersion = "File Version: " + GetVersionValue("FileVersion");
  info.productName = GetVersionValue("ProductName");
  info.legalCopyright = GetVersionValue("LegalCopyright");
  info.productVersion = "Product Version: " + GetVersionValue("ProductVersion");
  info.memoContent = "Tool root directory : \r\n" + installation_.toolRoot;
  window_.person.ShowAbout(info);
}

void WindowRules::ShowHelp() {
  const std::string file = installation_.programDir + "/" + std::string(profile::kHelpFile);
  std::error_code ec;
  if (!std::filesystem::exists(file, ec) || !window_.person.OpenDocument(file)) {
    window_.status.ShowStatus("No help is available: " + file + " was not found");
  }
}

}  // namespace korvane
