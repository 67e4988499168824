#include "korvane/core/config/product_catalogue.h"

#include <algorithm>
#include <filesystem>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/text.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "platform/system_paths.h"
#include "platform/text_editor.h"

namespace korvane {

namespace n = names;
namespace fs = std::filesystem;

namespace {

constexpr const char* kButtonPrefix = "RadioButton";
constexpr const char* kNotInstalled = "Not installed ";
// The byte 0xE1 is a-acute in the shell's 8-bit code page.
constexpr const char* kEmptyConfiguration =
    "Szar van a palacsint\xE1"
    "ban";
constexpr const char* kMissingDefinition = "Shell error,missing language definition, inform Brevik";

std::string Item(const std::vector<std::string>& items, size_t index) {
  return index < items.size() ? items[index] : std::string();
}

// Names the product in messages: the button name without its common prefix.
std::string ProductPart(const std::string& buttonName) {
  if (StartsWithCase(kButtonPrefix, buttonName)) {
    return buttonName.substr(std::char_traits<char>::length(kButtonPrefix));
  }
  return buttonName;
}

bool DirectoryExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string WithTrailingSlash(std::string path) {
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}

}  // namespace

const std::vector<std::string>& ProductCatalogue::ProductButtons() {
  static const std::vector<std::string> buttons(std::begin(n::kProductButtons),
                                                std::end(n::kProductButtons));
  return buttons;
}

ProductCatalogue::ProductCatalogue(WindowContext& window, ConfigurationService& configuration,
                                   const Installation& installation, ProductJob& job)
    : window_(window),
      configuration_(configuration),
      config_(configuration.Config()),
      installation_(installation),
      job_(job) {}

int ProductCatalogue::LangIndexOf(const std::string& langCode) {
  if (langCode == "COB") return 0;
  if (langCode == "ASM") return 1;
  if (langCode == "PLI") return 2;
  if (langCode == "CPP") return 3;
  return 4;
}

std::string ProductCatalogue::Documents() const {
  return installation_.documentsFolder.empty() ? platform::DocumentsFolder()
                                               : installation_.documentsFolder;
}

void ProductCatalogue::Connect() {
  for (RadioButton* button : window_.job.products) {
    const std::string name = button->Name();
    connections_.Add(button->clicked.Connect([this, name] { ProductClick(name); }));
  }
  connections_.Add(window_.job.versions.clicked.Connect([this] { VersionClick(); }));
  auto handle = [this](const char* name, std::function<void()> handler) {
    if (Action* action = window_.actions.Find(name)) action->SetHandler(std::move(handler));
  };
  handle(n::kActApplyIniFile, [this] { ApplyConfiguration(); });
  handle(n::kActWriteIniFile, [this] {
    configuration_.SaveMemo();
    ApplyConfiguration();
  });
}

void ProductCatalogue::ApplyConfiguration() {
  configuration_.TakeFromMemo();
  CheckProductInstallation(2);
  ApplyProductExtras();
  configuration_.ShowInMemo();
}

void ProductCatalogue::DisableShell() {
  window_.view.mainPages.SetEnabled(false);
  job_.ForgetChanges();
  window_.window.EmptyMenu();
}

bool ProductCatalogue::IsInstalled(const std::string& langCode) {
  const std::string& root = installation_.toolRoot;
  const std::string extrasKey = langCode + ".Extras";
  if (!config_.HasKey(extrasKey)) {
    window_.status.ShowWarning("Installation error #1, " + extrasKey + " is missing from ini file");
  } else {
    std::string procpgm = ToolConfiguration::KeyList(config_.Value(extrasKey)).Value("Procpgm");
    if (!procpgm.empty()) {
      // Hand-edited files written for the other platform still name the same place.
      std::replace(procpgm.begin(), procpgm.end(), '\\', '/');
      return DirectoryExists(fs::path(root + "/" + procpgm).parent_path().string());
    }
  }
  return DirectoryExists(root + "/" + langCode + "Wrap");
}

bool ProductCatalogue::LanguagePageShown(const std::string& buttonName) const {
  if (window_.job.Product(buttonName) == nullptr) return false;
  return window_.view.tree.Showing(window_.view.languagesPage);
}

void ProductCatalogue::HealProductLines() {
  // A product marked at a start whose tool folder was briefly unreachable (a wrong root,
  // a share not mounted) is offered again once the folder is back. The configuration is
  // not written for this: it is saved where it always is, with the healed lines.
  bool healed = false;
  const std::string prefix = kNotInstalled;
  for (size_t i = 0; i < config_.Keyed().size(); ++i) {
    const std::string line = config_.Keyed()[i];
    if (line.compare(0, prefix.size(), prefix) != 0) continue;
    const std::string definition = line.substr(prefix.size());
    const std::string name = BeforeFirst(definition, "=");
    const auto& buttons = ProductButtons();
    if (std::find(buttons.begin(), buttons.end(), name) == buttons.end()) continue;
    if (definition.size() == name.size() || config_.HasKey(name)) continue;
    const std::string value = definition.substr(name.size() + 1);
    if (!IsInstalled(Item(ToolConfiguration::CommaList(value), 1))) continue;
    config_.Keyed().SetLine(i, definition);
    healed = true;
  }
  if (healed) configuration_.ShowInMemo();
}

void ProductCatalogue::CheckProductInstallation(int mode) {
  configuration_.ReadRunControl();
  if (mode == 0) return;
  installationChecked.Emit();

  bool rewritten = false;
  for (RadioButton* button : window_.job.products) {
    const std::string& name = button->Name();
    const std::string value = config_.Value(name);
    bool enabled = !value.empty();
    if (enabled) {
      enabled = IsInstalled(Item(ToolConfiguration::CommaList(value), 1));
      if (!enabled) {
        // The prefix hides the key, so a second check finds no value and leaves it alone.
        const int line = config_.Keyed().IndexOfName(name);
        config_.Keyed().SetLine(line, kNotInstalled + config_.Keyed()[line]);
        rewritten = true;
      }
    }
    button->SetEnabled(enabled);
  }
  if (rewritten) configuration_.ShowInMemo();

  if (!activeProduct_.empty()) {
    const RadioButton* active = window_.job.Product(activeProduct_);
    if (active != nullptr && active->Enabled()) return;
  }
  activeProduct_.clear();
  const std::string stored = config_.Value("ActiveRadioButton");
  if (!stored.empty() && !config_.Value(stored).empty() && LanguagePageShown(stored)) {
    activeProduct_ = stored;
    return;
  }

  window_.status.AddError(
      "Installation problem - required components missing for : " + ProductPart(stored), true);
  for (const std::string& name : ProductButtons()) {
    if (config_.Value(name).empty() || !LanguagePageShown(name)) continue;
    activeProduct_ = name;
    config_.SetValue("ActiveRadioButton", name);
    configuration_.ShowInMemo();
    configuration_.Save();
    window_.status.AddError("Default product changed to: " + ProductPart(name), true);
    window_.status.AddErrorAndAbort("Please select a product now or restart the application!");
  }

  DisableShell();
  window_.status.SetUseMessageBox(true);
  window_.status.AddErrorAndAbort(
      "Installation error , no product is available - probably misplaced TOOL library");
}

void ProductCatalogue::CheckOnly(const std::string& buttonName) {
  settingButtons_ = true;
  for (RadioButton* button : window_.job.products) button->SetChecked(button->Name() == buttonName);
  settingButtons_ = false;
}

void ProductCatalogue::ProductClick(const std::string& buttonName) {
  if (settingButtons_ || job_.Loading()) return;
  // Until the job is let go the old product is the one shown checked.
  CheckOnly(activeProduct_);
  try {
    job_.ClearModified();
  } catch (const OperationAbort&) {
    // The person kept the job: the previous product stays, and so does its button.
    CheckOnly(activeProduct_);
    throw;
  }
  window_.status.ClearMessages();
  activeProduct_ = buttonName;
  CheckOnly(buttonName);
  SelectProduct(buttonName);
  job_.MarkNameChanged();
}

std::string ProductCatalogue::ProductCaption() const {
  if (activeProduct_.empty()) return {};
  return Item(ToolConfiguration::CommaList(config_.Value(activeProduct_)), 0);
}

void ProductCatalogue::SelectProduct(const std::string& name, const ProductSelection& how) {
  if (job_.Loading()) return;
  job_.ClearModified();
  if (config_.Empty()) window_.status.ShowErrorAndAbort(kEmptyConfiguration);
  const std::string value = config_.Value(name);
  if (value.empty()) window_.status.ShowErrorAndAbort(kMissingDefinition);
  const std::vector<std::string> items = ToolConfiguration::CommaList(value);
  langCode_ = Item(items, 1);
  langIndex_ = LangIndexOf(langCode_);

  window_.window.SetCaption(BeforeLast(window_.window.Caption(), " - ") + " - " + Item(items, 0));
  if (how.clearJob) job_.ClearProject();
  ApplyProductExtras();
  SetFrameDefaults();

  std::string projectDir = window_.settings.ReadSetting("LastPosition" + langCode_);
  if (!DirectoryExists(projectDir)) projectDir = Documents();
  projectDir = WithTrailingSlash(projectDir);
  job_.SetProjectDirectory(projectDir);

  std::string out =
      WithoutTrailingSlash(window_.settings.ReadSetting("LastOutputDir" + langCode_, Documents()));
  if (!how.projectName.empty()) out = projectDir + how.projectName;
  job_.SetOutputDir(out);
  job_.SetWorkDir(out + "/Work");

  SetUpVersionGroup(name);
  if (how.checkTools) {
    CheckProjectTools();
    window_.status.ClearMessages();
  }
}

void ProductCatalogue::SetFrameDefaults() {
  const std::string base = installation_.toolRoot + "/" + langCode_ + "Wrap/";
  const std::string exe = platform::ExecutableSuffix();
  // The editor's frame only turns red when it is missing.
  JobModel& job = window_.job;
  const std::pair<ToolPathFrame*, std::string> defaults[] = {
      {&job.editor, platform::DefaultTextEditor()},  {&job.copyLibrary, base + "Copylib/marker"},
      {&job.functionTable, base + "Functab.wrl"},    {&job.dalmer, base + "Dalmer" + exe},
      {&job.ardent, base + "Ardent" + exe},          {&job.belmont, base + "Belmont" + exe},
      {&job.corvid, base + "Corvid" + exe},          {&job.linker, base + langCode_ + "Link" + exe},
      {&job.eskar, base + langCode_ + "Wrap" + exe},
  };
  for (const auto& [frame, path] : defaults) {
    frame->SetDefaultName(path);
    frame->SetText("");
  }
}

void ProductCatalogue::SetUpVersionGroup(const std::string& buttonName) {
  const std::string value = config_.Value(buttonName);
  if (value.empty()) window_.status.ShowErrorAndAbort(kMissingDefinition);
  RadioGroup* group = &window_.job.versions;
  const std::vector<std::string> items = ToolConfiguration::CommaList(value);
  const long long declared = ZeroPrefixedInt(Item(items, 3));
  // A definition promising more names than it lists gets only the names it has.
  const size_t available = items.size() > 4 ? items.size() - 4 : 0;
  const size_t count = std::min(static_cast<size_t>(std::max(declared, 0LL)), available);
  versionCount_ = static_cast<int>(count);
  std::vector<std::string> versions(items.begin() + 4, items.begin() + 4 + count);
  job_.SetSubVersion(Item(items, 4));
  group->SetItems(std::move(versions));
  group->SetItemIndex(0);
  group->SetVisible(versionCount_ >= 2);
}

void ProductCatalogue::VersionClick() {
  const RadioGroup& group = window_.job.versions;
  if (group.ItemIndex() < 0) return;
  job_.SetSubVersion(group.Items()[group.ItemIndex()]);
}

void ProductCatalogue::CheckProjectTools() {
  ApplyProductExtras();

  bool failed = false;
  const JobModel& job = window_.job;
  for (ToolPathFrame* frame : job.Tools()) {
    if (!frame->ValidatePath(false)) failed = true;
  }
  if (failed) {
    window_.view.technicalPage.SetVisible(true);
    window_.view.mainPages.SetActivePage(window_.view.technicalPage);
  }

  // A run needs every wrapper tool shown; the first one missing is what the greyed
  // command says (as its hint, and to a run started without a window).
  std::string missing;
  for (const ToolPathFrame* frame : job.Wrappers()) {
    if (missing.empty() && frame->Visible() && frame->Invalid()) {
      missing = "File not found: " + (frame->Text().empty() ? frame->Caption() : frame->Text());
    }
  }
  if (Action* run = window_.actions.Find(n::kActRunWrap)) {
    run->SetEnabled(missing.empty());
    run->SetUnavailable(missing);
  }

  if (window_.view.wordScanPage.Visible() && job.functionTable.Visible() &&
      job.controlWords.Items().empty() && job.objects.Items().empty()) {
    functionTableWanted.Emit();
  }

  const std::string dir = job_.OutputDir();
  const std::string base = WithoutTrailingSlash(dir);
  job_.SetWorkDir(base + "/Work");
  if (DirectoryExists(base)) return;
  if (job_.Loading()) {
    job_.CreateOutputDir(dir);
    return;
  }
  window_.person.Ask(MessageKind::Warning,
                     "The project's output directory - " + dir + " - doesn't exist\r\n" +
                         "please define an output directory",
                     {Button::Ok});
  job_.OutputDirMissing();
}

}  // namespace korvane
