#include "korvane/core/app/shell.h"

#include <filesystem>

#include "korvane/core/app/application_profile.h"
#include "korvane/core/app/component_names.h"
#include "korvane/core/app/main_form.h"
#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/text.h"
#include "korvane/core/common/version.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/config/config_file.h"

namespace korvane {

namespace fs = std::filesystem;
namespace n = names;

Shell::Shell(PersonPort& person, platform::SettingsBackend& settings, ShellEnvironment env)
    : person_(person),
      settings_(settings),
      status_(person),
      args_(env.args),
      env_(std::move(env)),
      locator_(env_.programPath, env_.iniOverride),
      context_{form_, actions_, status_, person_, settings_} {
  programDir_ = fs::path(env_.programPath).parent_path().string();
  BuildMainForm(form_, actions_);
  catalogue_ = std::make_unique<ProductCatalogue>(context_, config_, [this] { return toolRoot_; });
  WireCatalogue();
  BindActions();
  DisableUnhandledActions(actions_);
}

Shell::~Shell() = default;

bool Shell::Create() {
  return Run([this] { CreateSteps(); });
}

bool Shell::Show() {
  return Run([this] { ShowSteps(); });
}

bool Shell::Run(const std::function<void()>& work) {
  return RunGuarded(person_, work, &stats_);
}

bool Shell::Execute(const std::string& actionName) {
  Action& action = actions_.Get(actionName);
  return Run([&] {
    if (!action.Enabled()) return;
    status_.ClearMessages();
    action.Invoke();
  });
}

void Shell::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  windowChanged.Emit();
}

void Shell::BindActions() {
  actions_.Get(n::kActCloseAll).SetHandler([this] { closeRequested.Emit(); });
  actions_.Get(n::kActApplyIniFile).SetHandler([this] { ApplyConfiguration(); });
  actions_.Get(n::kActWriteIniFile).SetHandler([this] {
    SaveConfiguration();
    ApplyConfiguration();
  });
  // A button named after an action runs that action.
  for (const auto& component : form_.Components()) {
    auto* button = dynamic_cast<ButtonControl*>(component.get());
    if (button == nullptr || button->ActionName().empty()) continue;
    const std::string action = button->ActionName();
    button->clicked.Connect([this, action] {
      if (actions_.Find(action) != nullptr) Execute(action);
    });
  }
}

void Shell::CreateSteps() {
  settings_.SetSettingsProduct(std::string(profile::kAppName) + " Shell");
  settings_.SetSettingsSection(std::string(profile::kSettingsSection));
  rememberFiles_ = args_.HasSwitch("-RememberFiles:RF");

  appExeName_ = ToLower(fs::path(env_.programPath).stem().string());
  profileTaken_ = appExeName_ == ToLower(profile::kAppName);

  auto& languages = form_.Get<Page>(n::kPageLanguages);
  languages.SetVisible(false);
  auto& outputInterface = form_.Get<ComboBox>(n::kComboOutputInterface).Combo();
  outputInterface.SetClearBeforeFill(true);
  for (const char* type : {"RPC", "IDL", "XML", "WSDL"}) outputInterface.AddWithKey(type, type);
  outputInterface.SetSecondInd("XML");
  form_.Get<ComboBox>(n::kComboOutputInterface).Touch();
  consoleStubPath_ = (fs::path(programDir_) / std::string(profile::kConsoleStub)).string();

  if (!profileTaken_) {
    status_.ShowErrorAndAbort("Application name: " + appExeName_ + " is invalid");
    return;
  }

  languages.SetVisible(true);
  form_.Get<PageControl>(n::kPageControlMain).SetActivePage(n::kPageLanguages);
  std::error_code ec;
  if (!fs::exists(consoleStubPath_, ec)) consoleStubPath_.clear();

  LoadConfiguration();
  ReadRunControlFlags();

  toolRoot_ = DetermineToolRoot();
  BindFrames();
  fileVersion_ = GetVersionValue("FileVersion");

  if (runControl_.systemCaptureConsole) {
    auto& console = form_.Get<Memo>(n::kMemoCaptureConsole);
    console.Clear();
    console.SetVisible(true);
  }
  std::string autoRun;
  autoRun_ = args_.SwitchValue("-AutoRun:-ar", autoRun) && EqualsNoCase(autoRun, "Anal");
}

void Shell::ShowSteps() {
  person_.ProcessPendingEvents();
  settings_.WriteSetting("ProgramVersion", fileVersion_);
  SetCaption(std::string(profile::kMainCaption) + " - ");
  catalogue_->CheckProductInstallation(2);
  const std::string active = catalogue_->ActiveProduct();
  if (!active.empty()) {
    auto& button = form_.Get<RadioButton>(active);
    if (button.Checked()) {
      catalogue_->ProductClick(active);
    } else {
      button.SetChecked(true);
    }
  }
}

void Shell::WireCatalogue() {
  ProductCatalogue& c = *catalogue_;
  c.readRunControl = [this] { ReadRunControlFlags(); };
  c.configurationChanged = [this] { SyncMemoFromConfig(); };
  c.saveConfiguration = [this] {
    SaveToolConfiguration(config_, locator_.Cached(), status_, std::time(nullptr));
  };
  c.setCaption = [this](const std::string& caption) { SetCaption(caption); };
  c.caption = [this] { return caption_; };
  c.disableShell = [this] { DisableShell(); };
  c.Connect();
}

void Shell::BindFrames() {
  for (const auto& component : form_.Components()) {
    if (auto* tool = dynamic_cast<ToolPathFrame*>(component.get())) {
      tool->SetStatusBar(&status_);
      tool->Bind(person_);
    } else if (auto* dir = dynamic_cast<DirectoryFrame*>(component.get())) {
      dir->SetStatusBar(&status_);
      dir->Bind(person_, settings_);
    }
  }
}

void Shell::ReadRunControlFlags() {
  runControl_ = ReadRunControl(config_, consoleStubPath_);
}

std::string Shell::DetermineToolRoot() const {
  std::string root;
  if (!args_.SwitchValue("-Root:-R", root)) root = programDir_;
  while (root.size() > 1 && (root.back() == '/' || root.back() == '\\')) root.pop_back();
  const std::string last = fs::path(root).filename().string();
  std::error_code ec;
  if (EqualsNoCase(last, profile::kToolsDirName) &&
      fs::is_directory(root + std::string(profile::kMigrateSubdir), ec)) {
    root += std::string(profile::kMigrateSubdir);
  }
  return root;
}

void Shell::DisableShell() {
  form_.Get<PageControl>(n::kPageControlMain).SetEnabled(false);
  mainMenuEmpty_ = true;
  windowChanged.Emit();
}

void Shell::LoadConfiguration() {
  auto& group = form_.Get<GroupBox>(n::kGroupIniFile);
  const ConfigLoadResult result = LoadToolConfiguration(locator_, config_, status_);
  if (!result.ok) {
    DisableShell();
    status_.AddErrorAndAbort("Cannot access product ini file - " + result.path);
  }
  SyncMemoFromConfig();
  group.SetCaption("Product ini file : " + result.path);
}

void Shell::SyncMemoFromConfig() {
  auto& memo = form_.Get<Memo>(n::kMemoIniFile);
  memo.SetLines(config_.Lines());
  memo.SetModified(false);
}

void Shell::SyncConfigFromMemo() {
  config_.SetLines(form_.Get<Memo>(n::kMemoIniFile).Lines());
}

void Shell::ApplyConfiguration() {
  SyncConfigFromMemo();
  catalogue_->CheckProductInstallation(2);
  catalogue_->ApplyProductExtras();
  SyncMemoFromConfig();
}

void Shell::SaveConfiguration() {
  SyncConfigFromMemo();
  SaveToolConfiguration(config_, locator_.Cached(), status_, std::time(nullptr));
  SyncMemoFromConfig();
}

}  // namespace korvane
