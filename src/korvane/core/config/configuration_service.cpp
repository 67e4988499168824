#include "korvane/core/config/configuration_service.h"

#include <ctime>

#include "korvane/core/components/controls.h"
#include "korvane/core/config/config_file.h"
#include "korvane/core/form/component_names.h"

namespace korvane {

namespace n = names;

ConfigurationService::ConfigurationService(WindowContext& window, const Installation& installation,
                                           ConfigLocator& locator)
    : window_(window), installation_(installation), locator_(locator) {}

void ConfigurationService::Load() {
  auto& group = window_.view.configurationGroup;
  const ConfigLoadResult result = LoadToolConfiguration(locator_, config_, window_.status);
  if (!result.ok) {
    window_.view.mainPages.SetEnabled(false);
    window_.window.EmptyMenu();
    window_.status.AddErrorAndAbort("Cannot access product ini file - " + result.path);
  }
  ShowInMemo();
  group.SetCaption("Product ini file : " + result.path);
}

void ConfigurationService::ReadRunControl() {
  flags_ = korvane::ReadRunControl(config_, installation_.consoleStub);
  window_.actions.Get(n::kActViewConsoleLog).SetVisible(flags_.captureLog);
  window_.window.changed.Emit();
}

void ConfigurationService::ShowInMemo() {
  auto& memo = window_.view.configuration;
  memo.SetLines(config_.Lines());
  memo.SetModified(false);
}

void ConfigurationService::TakeFromMemo() {
  config_.SetLines(window_.view.configuration.Lines());
}

void ConfigurationService::Save() {
  SaveToolConfiguration(config_, locator_.Cached(), window_.status, std::time(nullptr));
}

void ConfigurationService::SaveMemo() {
  TakeFromMemo();
  Save();
  ShowInMemo();
}

}  // namespace korvane
