#include "korvane/core/app/shell.h"

#include <filesystem>

#include "korvane/core/form/component_names.h"
#include "korvane/core/form/main_form.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/config/config_file.h"
#include "korvane/core/project/reset_output.h"
#include "korvane/core/sources/synchronize.h"

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
  project_ = std::make_unique<Project>(context_);
  outputField_ = std::make_unique<OutputDirectoryField>(*project_);
  jobs_ = std::make_unique<JobCommands>(*project_, *catalogue_);
  sources_ = std::make_unique<SourceLists>(context_);
  WireCatalogue();
  WireProject();
  WireSources();
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
    // The window stays responsive during a long add, but commands wait for
    // it: they would change the list being filled.
    if (sources_->Busy() && actionName != n::kActCloseAll) {
      status_.ShowStatus("Files are being added to the job, please wait");
      return;
    }
    status_.ClearMessages();
    if (!action.HasHandler()) {
      status_.ShowErrorAndAbort("This function is not available in this version of the shell");
    }
    action.Invoke();
  });
}

bool Shell::CloseQuery() {
  if (sources_->Busy()) {
    // A long add is running: it ends by itself, the window stays open.
    person_.Ask(MessageKind::Confirmation,
                "The User requested to stop the process, please confirm?",
                {Button::Ok, Button::Cancel});
    return false;
  }
  return Run([this] { project_->SetModified(false); });
}

bool Shell::SynchronizeDirectories() {
  // Nothing is brought in line for a job that does not own its folder; a base folder
  // that is not there at all (a share not mounted) keeps every entry as it is.
  if (!project_->WhyNotWritable().empty()) return true;
  const std::string base = project_->OutputDir();
  std::error_code ec;
  if (!fs::is_directory(base, ec)) return true;
  std::vector<std::string> refused;
  const bool whole = SynchronizeJobDirectories(
      {form_.Get<CheckList>(n::kListSources), form_.Get<CheckList>(n::kListCopies),
       form_.Get<StringListHolder>(n::kMarksHolder), form_.Get<Page>(n::kPageCopies).Visible(),
       base, [this] { project_->SetModified(true); }, &refused});
  for (const std::string& why : refused) status_.AddError(why, true);
  return whole;
}

void Shell::WireSources() {
  SourceLists& s = *sources_;
  // Adding copies files into the job's folders: only a job that owns them may.
  s.outputDir = [this] { return project_->WritableBase(); };
  s.langCode = [this] { return catalogue_->LangCode(); };
  s.subVersion = [this] { return project_->State().subVersion; };
  s.interfaceMode = [this] { return form_.Get<ToolPathFrame>(n::kFrameEskar).Visible(); };
  s.bigDirectoryLimit = [this] { return runControl_.bigDirectoryLimit; };
  s.setModified = [this] { project_->SetModified(true); };
  s.filterFor = [this](const std::string& kind, const std::string& version) {
    return config_.FilterFor(kind, version, status_);
  };
  s.openLabelMarker = [this](const std::string&) {
    status_.ShowErrorAndAbort("The label marker is not available in this version of the shell");
  };
  s.Connect(actions_);

  jobs_->synchronize = [this] { return SynchronizeDirectories(); };
  jobs_->refreshSourceList = [this] {
    for (const char* name : {n::kListSources, n::kListCopies}) {
      auto& list = form_.Get<CheckList>(name);
      sources_->UpdateListColumns(list);
      sources_->UpdatePanelCaption(list);
    }
  };
  jobs_->selectFirstEntry = [this] {
    const bool copies =
        form_.Get<PageControl>(n::kPageControlCopySource).ActivePage() == n::kPageCopies;
    sources_->SelectFirstEntry(form_.Get<CheckList>(copies ? n::kListCopies : n::kListSources));
  };
  actions_.Get(n::kActSynchronizeDirectories).SetHandler([this] {
    project_->WritableBase();  // says why and ends here when the job must not be touched
    SynchronizeDirectories();
  });
}

void Shell::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  windowChanged.Emit();
}

void Shell::WireCatalogue() {
  ProductCatalogue& c = *catalogue_;
  ProjectState& state = project_->State();
  c.readRunControl = [this] { ReadRunControlFlags(); };
  c.configurationChanged = [this] { SyncMemoFromConfig(); };
  c.saveConfiguration = [this] {
    SaveToolConfiguration(config_, locator_.Cached(), status_, std::time(nullptr));
  };
  c.setCaption = [this](const std::string& caption) { SetCaption(caption); };
  c.caption = [this] { return caption_; };
  c.disableShell = [this] { DisableShell(); };
  c.clearModified = [this] { project_->SetModified(false); };
  c.clearProject = [this] { jobs_->ClearProject(); };
  c.loading = [&state] { return state.loading; };
  c.projectNameHint = [this] { return jobs_->ProjectNameHint(); };
  c.setProjectDirectory = [this](const std::string& dir) { project_->SetProjectDirectory(dir); };
  c.outputDir = [this] { return project_->OutputDir(); };
  c.setOutputDir = [this](const std::string& dir) { project_->SetOutputDir(dir); };
  c.setWorkDir = [&state](const std::string& dir) { state.workDir = dir; };
  c.setSubVersion = [&state](const std::string& version) { state.subVersion = version; };
  c.setNameChanged = [&state] { state.nameChanged = true; };
  c.outputDirExit = [this] { outputField_->Leave(); };
  c.createOutputDir = [](const std::string& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
  };
  c.Connect();
}

void Shell::WireProject() {
  Project& p = *project_;
  p.saveProject = [this] {
    actions_.Get(n::kActSaveProject).SetEnabled(true);
    jobs_->SaveProject(false);
  };
  p.langCode = [this] { return catalogue_->LangCode(); };
  p.caption = [this] { return caption_; };
  p.setCaption = [this](const std::string& caption) { SetCaption(caption); };
  p.closeWindow = [this] { closeRequested.Emit(); };
  p.BindNameFields();
  outputField_->Bind();
  auto& outputFrame = form_.Get<DirectoryFrame>(n::kFrameOutputDir);
  outputFrame.onLeave = [this] { outputField_->Leave(); };
  outputFrame.onTyped = [this] { outputField_->KeyTyped(false); };

  JobCommands& j = *jobs_;
  j.toolRoot = [this] { return toolRoot_; };
  j.rememberFiles = [this] { return rememberFiles_; };
  j.caption = [this] { return caption_; };
  j.setCaption = [this](const std::string& caption) { SetCaption(caption); };
}

void Shell::BindActions() {
  auto handle = [this](const char* name, std::function<void()> handler) {
    actions_.Get(name).SetHandler(std::move(handler));
  };
  handle(n::kActCloseAll, [this] { closeRequested.Emit(); });
  handle(n::kActApplyIniFile, [this] { ApplyConfiguration(); });
  handle(n::kActWriteIniFile, [this] {
    SaveConfiguration();
    ApplyConfiguration();
  });
  handle(n::kActNewProject, [this] { jobs_->NewProject(); });
  handle(n::kActOpenProject, [this] { jobs_->OpenProject(); });
  handle(n::kActSaveProject, [this] { jobs_->SaveProject(false); });
  handle(n::kActSaveProjectAs, [this] { jobs_->SaveProject(true); });
  handle(n::kActRestartProject, [this] {
    project_->WritableBase();
    ResetOutput(*project_, static_cast<int>(catalogue_->DirDepth()));
  });
  handle(n::kActShowAdvanced, [this] { ToggleExtendedOptions(); });
  handle(n::kActAbout, [this] { ShowAbout(); });
  handle(n::kActHelpShell, [this] { ShowHelp(); });

  // A button named after an action runs that action.
  for (const auto& component : form_.Components()) {
    auto* button = dynamic_cast<ButtonControl*>(component.get());
    if (button == nullptr || button->ActionName().empty()) continue;
    const std::string action = button->ActionName();
    connections_.Add(button->clicked.Connect([this, action] {
      if (actions_.Find(action) != nullptr) Execute(action);
    }));
  }
  connections_.Add(
      form_.Get<PageControl>(n::kPageControlMain).pageChanged.Connect([this] { PageChanged(); }));
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

void Shell::DisableShell() {
  form_.Get<PageControl>(n::kPageControlMain).SetEnabled(false);
  mainMenuEmpty_ = true;
  project_->State().modified = false;
  windowChanged.Emit();
}

void Shell::SyncMemoFromConfig() {
  auto& memo = form_.Get<Memo>(n::kMemoIniFile);
  memo.SetLines(config_.Lines());
  memo.SetModified(false);
}

void Shell::SyncConfigFromMemo() {
  config_.SetLines(form_.Get<Memo>(n::kMemoIniFile).Lines());
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
