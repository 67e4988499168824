// The steps of window creation and window show, in their fixed order.

#include <filesystem>

#include "korvane/core/app/application_profile.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/app/shell.h"
#include "korvane/core/common/file_types.h"
#include "korvane/core/common/text.h"
#include "korvane/core/common/version.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/lists.h"
#include "platform/file_type_registry.h"

namespace korvane {

namespace fs = std::filesystem;
namespace n = names;

namespace {

// One argument of a command line in double quotes, by the rules programs use to split
// such lines: a quote inside is escaped with a backslash, and backslashes before a
// quote (or before the closing one) are doubled.
std::string Quoted(const std::string& arg) {
  std::string out = "\"";
  size_t slashes = 0;
  for (const char c : arg) {
    if (c == '\\') {
      ++slashes;
      continue;
    }
    out.append(c == '"' ? 2 * slashes + 1 : slashes, '\\');
    slashes = 0;
    out += c;
  }
  out.append(2 * slashes, '\\');
  return out + "\"";
}

}  // namespace

void Shell::CreateSteps() {
  settings_.SetSettingsProduct(std::string(profile::kAppName) + " Shell");
  settings_.SetSettingsSection(std::string(profile::kSettingsSection));
  rememberFiles_ = args_.HasSwitch("-RememberFiles:RF");

  appExeName_ = ToLower(fs::path(env_.programPath).stem().string());
  profileTaken_ = appExeName_ == ToLower(profile::kAppName);

  auto& languages = form_.Get<Page>(n::kPageLanguages);
  languages.SetVisible(false);
  auto& outputInterface = form_.Get<ComboBox>(n::kComboOutputInterface);
  outputInterface.Combo().SetClearBeforeFill(true);
  for (const char* type : {"RPC", "IDL", "XML", "WSDL"})
    outputInterface.Combo().AddWithKey(type, type);
  outputInterface.Combo().SetSecondInd("XML");
  outputInterface.Touch();
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
  project_->State().loading = false;
  project_->State().modified = false;

  toolRoot_ = DetermineToolRoot();
  project_->State().nameChanged = true;
  BindFrames();

  fileVersion_ = GetVersionValue("FileVersion");
  if (args_.HasSwitch("-Register:-Shell") ||
      settings_.ReadSetting("ProgramVersion") != fileVersion_) {
    RegisterJobFileType();
  }
  if (runControl_.systemCaptureConsole) {
    auto& console = form_.Get<Memo>(n::kMemoCaptureConsole);
    console.Clear();
    console.SetVisible(true);
  }
  form_.Get<PageControl>(n::kPageControlCopySource).SetActivePage(n::kPageSources);
  std::string autoRun;
  autoRun_ = args_.SwitchValue("-AutoRun:-ar", autoRun) && EqualsNoCase(autoRun, "Anal");
}

void Shell::ShowSteps() {
  person_.ProcessPendingEvents();
  settings_.WriteSetting("ProgramVersion", fileVersion_);
  ReadWindowSettings();
  // A stored value spoilt by hand is replaced by its default and repaired by the next
  // write; the person hears of it once.
  for (const std::string& problem : settings_.TakeProblems()) status_.ShowWarning(problem);
  SetCaption(std::string(profile::kMainCaption) + " - ");
  catalogue_->HealProductLines();
  catalogue_->CheckProductInstallation(2);

  Action& advanced = actions_.Get(n::kActShowAdvanced);
  advanced.SetVisible(args_.HasSwitch("-ShowAdvanced:-ShA"));
  advanced.SetChecked(!runControl_.debugMode);
  ToggleExtendedOptions();

  OpenJobAtStart();
  // The wrapper run itself is started by the caller once the window shows.
}

void Shell::OpenJobAtStart() {
  std::string job;
  if (args_.SwitchValue("-Proj:P", job)) {
    std::error_code ec;
    const fs::file_status st = fs::status(job, ec);
    if (!fs::is_regular_file(st)) {
      // A folder or a FIFO would be read forever or make no sense as a job.
      const char* why = !fs::exists(st)         ? "there is no such file"
                        : fs::is_directory(st) ? "it is a folder"
                                               : "it is not a regular file";
      status_.AddErrorAndAbort("Cannot open the job " + job + ": " + why);
    }
    if (ToLower(fs::path(job).extension().string()) == profile::kJobExtension) {
      jobs_->LoadProject(job);
      project_->CheckBatchOnLoad();
      return;
    }
  }
  const std::string active = catalogue_->ActiveProduct();
  if (active.empty()) return;
  auto& button = form_.Get<RadioButton>(active);
  if (button.Checked()) {
    catalogue_->ProductClick(active);
  } else {
    button.SetChecked(true);
  }
}

void Shell::ReadWindowSettings() {
  if (!settings_.ReadSetting("FontName").empty()) {
    FontChoice font;
    font.charSet = static_cast<int>(settings_.ReadIntSetting("FontCharSet"));
    font.size = static_cast<int>(settings_.ReadIntSetting("FontSize"));
    font.height = static_cast<int>(settings_.ReadIntSetting("FontHeight"));
    font.name = settings_.ReadSetting("FontName");
    font.bold = settings_.ReadBoolSetting("FontBold");
    font.italic = settings_.ReadBoolSetting("FontItalic");
    font.underline = settings_.ReadBoolSetting("FontUnderline");
    font.strikeOut = settings_.ReadBoolSetting("FontStrikeOut");
    viewerFont_ = font;
  }
  const long long width = settings_.ReadIntSetting("FormWidth");
  if (width != 0) {
    storedSize_ = {static_cast<int>(width),
                   static_cast<int>(settings_.ReadIntSetting("FormHeight"))};
  }
}

void Shell::WindowHidden(int width, int height) {
  settings_.WriteIntSetting("FormWidth", width);
  settings_.WriteIntSetting("FormHeight", height);
}

void Shell::ReadRunControlFlags() {
  runControl_ = ReadRunControl(config_, consoleStubPath_);
  actions_.Get(n::kActViewConsoleLog).SetVisible(runControl_.captureLog);
  windowChanged.Emit();
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

void Shell::RegisterJobFileType() {
  const std::string description(profile::kJobDescription);
  const std::string exe = env_.programPath;
  auto registry = env_.dataHome.empty() ? platform::FileTypeRegistry()
                                        : platform::FileTypeRegistry(env_.dataHome);
  RegisterFileType(registry, std::string(profile::kJobExtension), description);
  RegisterDefaultIcon(registry, description, exe + ",0");
  RegisterShellVerb(registry, description, "OpenAdvanced",
                    "Start job with advanced options enabled",
                    Quoted(exe) + " -sha -root " + Quoted(toolRoot_) + " -proj \"%1\"");
  RegisterShellVerb(registry, description, "Open", "Start job",
                    Quoted(exe) + " -root " + Quoted(toolRoot_) + " -proj \"%1\"");
}

}  // namespace korvane
