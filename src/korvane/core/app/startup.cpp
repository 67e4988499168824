// The steps of window creation and window show, in their fixed order.

#include <filesystem>

#include "korvane/core/app/application_profile.h"
#include "korvane/core/app/startup.h"
#include "korvane/core/app/switch_table.h"
#include "korvane/core/app/window_rules.h"
#include "korvane/core/common/text.h"
#include "korvane/core/common/version.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "platform/desktop_exec.h"
#include "platform/file_type_registry.h"
#include "platform/install_layout.h"

namespace korvane {

namespace fs = std::filesystem;
namespace n = names;

Startup::Startup(Services s) : s_(s) {}

void Startup::CreateSteps() {
  s_.window.settings.SetSettingsProduct(std::string(profile::kAppName) + " Shell");
  s_.window.settings.SetSettingsSection(std::string(profile::kSettingsSection));
  s_.installation.rememberFiles = s_.args.HasSwitch("-RememberFiles:RF");

  appExeName_ = ToLower(fs::path(s_.env.programPath).stem().string());
  profileTaken_ = appExeName_ == ToLower(profile::kAppName);

  auto& languages = s_.window.view.languagesPage;
  languages.SetVisible(false);
  auto& outputInterface = s_.window.job.interfaceType;
  outputInterface.Combo().SetClearBeforeFill(true);
  for (const char* type : {"RPC", "IDL", "XML", "WSDL"})
    outputInterface.Combo().AddWithKey(type, type);
  outputInterface.Combo().SetSecondInd("XML");
  outputInterface.Touch();
  s_.installation.consoleStub =
      platform::HelperProgramPath(s_.installation.programDir, profile::kConsoleStub);

  if (!profileTaken_) {
    s_.window.status.ShowErrorAndAbort("Application name: " + appExeName_ + " is invalid");
  }

  languages.SetVisible(true);
  s_.window.view.mainPages.SetActivePage(s_.window.view.languagesPage);
  std::error_code ec;
  if (!fs::exists(s_.installation.consoleStub, ec)) s_.installation.consoleStub.clear();

  s_.configuration.Load();
  s_.configuration.ReadRunControl();
  s_.project.State().loading = false;
  s_.project.State().modified = false;

  s_.installation.toolRoot = DetermineToolRoot();
  s_.project.State().nameChanged = true;
  BindFrames();

  fileVersion_ = GetVersionValue("FileVersion");
  if (s_.args.HasSwitch("-Register:-Shell") ||
      s_.window.settings.ReadSetting("ProgramVersion") != fileVersion_) {
    RegisterJobFileType();
  }
  if (s_.configuration.Flags().systemCaptureConsole) {
    auto& console = s_.window.job.console;
    console.Clear();
    console.SetVisible(true);
  }
  s_.window.view.copySourcePages.SetActivePage(s_.window.view.sourcesPage);
  std::string autoRun;
  autoRun_ = s_.args.SwitchValue("-AutoRun:-ar", autoRun) && EqualsNoCase(autoRun, "Anal");
}

void Startup::ShowSteps() {
  s_.window.person.ProcessPendingEvents();
  s_.window.settings.WriteSetting("ProgramVersion", fileVersion_);
  ReadWindowSettings();
  // A stored value spoilt by hand is replaced by its default and repaired by the next
  // write; the person hears of it once.
  for (const std::string& problem : s_.window.settings.TakeProblems())
    s_.window.status.ShowWarning(problem);
  s_.window.window.SetCaption(std::string(profile::kMainCaption) + " - ");
  s_.catalogue.HealProductLines();
  s_.catalogue.CheckProductInstallation(2);

  Action& advanced = s_.window.actions.Get(n::kActShowAdvanced);
  advanced.SetVisible(s_.args.HasSwitch("-ShowAdvanced:-ShA"));
  advanced.SetChecked(!s_.configuration.Flags().debugMode);
  s_.rules.ToggleExtendedOptions();

  // A mistyped switch is said last, so that nothing shown after it hides it.
  try {
    OpenJobAtStart();
  } catch (...) {
    ReportUnknownSwitches();
    throw;
  }
  ReportUnknownSwitches();
  // The wrapper run itself is started by the caller once the window shows.
}

void Startup::ReportUnknownSwitches() {
  for (const std::string& arg : UnknownSwitches(s_.args)) {
    s_.window.status.AddError("Unknown switch ignored: " + arg + " (korvane --help lists them)",
                              true);
  }
}

void Startup::OpenJobAtStart() {
  std::string job;
  if (s_.args.SwitchValue("-Proj:P", job)) {
    std::error_code ec;
    const fs::file_status st = fs::status(job, ec);
    if (!fs::is_regular_file(st)) {
      // A folder or a FIFO would be read forever or make no sense as a job.
      const char* why = !fs::exists(st)        ? "there is no such file"
                        : fs::is_directory(st) ? "it is a folder"
                                               : "it is not a regular file";
      s_.window.status.AddErrorAndAbort("Cannot open the job " + job + ": " + why);
    }
    if (ToLower(fs::path(job).extension().string()) != profile::kJobExtension) {
      // Taken for a new job, it would only fail later on the names it never had.
      s_.window.status.AddErrorAndAbort("Cannot open the job " + job +
                                        ": it is not a job file (its name does not end in " +
                                        std::string(profile::kJobExtension) + ")");
    }
    s_.jobs.LoadProject(job);
    s_.project.CheckBatchOnLoad();
    return;
  }
  const std::string active = s_.catalogue.ActiveProduct();
  if (active.empty()) return;
  RadioButton* button = s_.window.job.Product(active);
  if (button == nullptr) return;
  if (button->Checked()) {
    s_.catalogue.ProductClick(active);
  } else {
    button->SetChecked(true);
  }
}

void Startup::BindFrames() {
  for (const auto& component : s_.form.Components()) {
    if (auto* tool = dynamic_cast<ToolPathFrame*>(component.get())) {
      tool->SetStatusBar(&s_.window.status);
      tool->Bind(s_.window.person);
    } else if (auto* dir = dynamic_cast<DirectoryFrame*>(component.get())) {
      dir->SetStatusBar(&s_.window.status);
      dir->Bind(s_.window.person, s_.window.settings);
    }
  }
}

void Startup::ReadWindowSettings() {
  if (!s_.window.settings.ReadSetting("FontName").empty()) {
    FontChoice font;
    font.charSet = static_cast<int>(s_.window.settings.ReadIntSetting("FontCharSet"));
    font.size = static_cast<int>(s_.window.settings.ReadIntSetting("FontSize"));
    font.height = static_cast<int>(s_.window.settings.ReadIntSetting("FontHeight"));
    font.name = s_.window.settings.ReadSetting("FontName");
    font.bold = s_.window.settings.ReadBoolSetting("FontBold");
    font.italic = s_.window.settings.ReadBoolSetting("FontItalic");
    font.underline = s_.window.settings.ReadBoolSetting("FontUnderline");
    font.strikeOut = s_.window.settings.ReadBoolSetting("FontStrikeOut");
    viewerFont_ = font;
  }
  const long long width = s_.window.settings.ReadIntSetting("FormWidth");
  if (width != 0) {
    storedSize_ = {static_cast<int>(width),
                   static_cast<int>(s_.window.settings.ReadIntSetting("FormHeight"))};
  }
}

void Startup::WindowHidden(int width, int height) {
  s_.window.settings.WriteIntSetting("FormWidth", width);
  s_.window.settings.WriteIntSetting("FormHeight", height);
}

std::string Startup::DetermineToolRoot() const {
  std::string root;
  if (!s_.args.SwitchValue("-Root:-R", root)) root = s_.installation.programDir;
  // Tools start in the job's base directory, so a root given relative to where the
  // shell was started must not stay relative.
  std::error_code ec;
  if (!root.empty() && fs::path(root).is_relative()) {
    const fs::path absolute = fs::absolute(root, ec);
    if (!ec) root = absolute.lexically_normal().string();
  }
  while (root.size() > 1 && (root.back() == '/' || root.back() == '\\')) root.pop_back();
  const std::string last = fs::path(root).filename().string();
  if (EqualsNoCase(last, profile::kToolsDirName) &&
      fs::is_directory(root + std::string(profile::kMigrateSubdir), ec)) {
    root += std::string(profile::kMigrateSubdir);
  }
  return root;
}

void Startup::RegisterJobFileType() {
  const std::string description(profile::kJobDescription);
  const std::string exe = s_.env.programPath;
  auto registry = s_.env.dataHome.empty() ? platform::FileTypeRegistry()
                                          : platform::FileTypeRegistry(s_.env.dataHome);
  registry.SetExtensionType(std::string(profile::kJobExtension), description);
  registry.SetDefaultIcon(description, exe + ",0");
  registry.SetShellVerb(description, "OpenAdvanced", "Start job with advanced options enabled",
                        platform::QuoteCommandArgument(exe) + " -sha -root " +
                            platform::QuoteCommandArgument(s_.installation.toolRoot) +
                            " -proj \"%1\"");
  registry.SetShellVerb(description, "Open", "Start job",
                        platform::QuoteCommandArgument(exe) + " -root " +
                            platform::QuoteCommandArgument(s_.installation.toolRoot) +
                            " -proj \"%1\"");
  registry.RefreshDesktopDatabases();
}

}  // namespace korvane
