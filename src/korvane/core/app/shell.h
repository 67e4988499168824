#pragma once
// The main window's model and composition root: it owns the form, the action
// list, the status bar, the settings store, the tool configuration and one
// service per subsystem, wires them together and runs the start-up sequence.
// Every user operation enters the core through Execute() or Run().

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "korvane/core/app/run_control.h"
#include "korvane/core/common/command_line.h"
#include "korvane/core/common/guarded_run.h"
#include "korvane/core/common/person_port.h"
#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/action.h"
#include "korvane/core/components/form_model.h"
#include "korvane/core/components/window_context.h"
#include "korvane/core/config/config_path.h"
#include "korvane/core/config/product_catalogue.h"
#include "korvane/core/config/tool_configuration.h"
#include "korvane/core/project/job_commands.h"
#include "korvane/core/project/output_directory.h"
#include "korvane/core/project/project.h"
#include "korvane/core/sources/source_lists.h"

namespace platform {
class SettingsBackend;
}

namespace korvane {

struct ShellEnvironment {
  std::string programPath;        // full path of the running executable
  std::vector<std::string> args;  // command line without the program name
  std::string iniOverride;        // configuration file named outright, if any
  std::string dataHome;           // where file types are registered; empty: the user's
};

// What the About box shows.
struct AboutInfo {
  std::string fileDescription, fileVersion, productName, legalCopyright, productVersion;
  std::string memoContent;
};

class Shell : public CommandGate {
 public:
  Shell(PersonPort& person, platform::SettingsBackend& settings, ShellEnvironment env);
  ~Shell() override;
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  // Window creation and window show; false when the sequence ended early.
  bool Create();
  bool Show();
  // The window's close query: false keeps the window open.
  bool CloseQuery();
  // The window is hidden with this size: it is remembered for the next start.
  void WindowHidden(int width, int height);

  // Runs an action of the main list through the guard; false when it ended
  // with an abort or an error.
  bool Execute(const std::string& actionName) override;
  // Runs any user operation through the guard.
  bool Run(const std::function<void()>& work) override;

  FormModel& Form() { return form_; }
  ActionList& Actions() { return actions_; }
  StatusBar& Status() { return status_; }
  SettingsStore& Settings() { return settings_; }
  ToolConfiguration& Config() { return config_; }
  PersonPort& Person() { return person_; }
  const CommandLine& Args() const { return args_; }
  const RunControl& Flags() const { return runControl_; }
  const GuardStats& Stats() const { return stats_; }
  ProductCatalogue& Catalogue() { return *catalogue_; }
  Project& CurrentProject() { return *project_; }
  JobCommands& Jobs() { return *jobs_; }
  OutputDirectoryField& OutputField() { return *outputField_; }
  SourceLists& Sources() { return *sources_; }
  // Brings the job folders in line with the lists; false when something was withdrawn.
  bool SynchronizeDirectories();

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool ProfileTaken() const { return profileTaken_; }
  bool MainMenuEmpty() const { return mainMenuEmpty_; }
  const std::string& ToolRoot() const { return toolRoot_; }
  const std::string& ProgramDirectory() const { return programDir_; }
  bool AutoRun() const { return autoRun_; }
  // The window size stored at the last hide (nothing: keep the designed size).
  std::optional<std::pair<int, int>> StoredWindowSize() const { return storedSize_; }
  // The viewer font stored by the font choice (nothing: the default font).
  const std::optional<FontChoice>& ViewerFont() const { return viewerFont_; }

  // The configuration memo and the file behind it.
  void LoadConfiguration();
  void ApplyConfiguration();
  void SaveConfiguration();

  // Fired when the caption, the menu or the window-wide state changed.
  Signal<> windowChanged;
  // Fired when the window is to close (the view runs its close query).
  Signal<> closeRequested;
  // The About box and the help file are shown by the view.
  std::function<void(const AboutInfo&)> showAbout;
  std::function<void(const std::string& helpFile)> openHelp;

 private:
  // Start-up (startup.cpp)
  void CreateSteps();
  void ShowSteps();
  void ReadRunControlFlags();
  std::string DetermineToolRoot() const;
  void RegisterJobFileType();
  void ReadWindowSettings();
  void OpenJobAtStart();

  // Wiring (shell.cpp)
  void WireCatalogue();
  void WireProject();
  void WireSources();
  void BindActions();
  void BindFrames();
  void DisableShell();
  void SyncMemoFromConfig();
  void SyncConfigFromMemo();

  // Window-wide rules (window_rules.cpp)
  void PageChanged();
  void ToggleExtendedOptions();
  void ShowAbout();
  void ShowHelp();

  PersonPort& person_;
  SettingsStore settings_;
  StatusBar status_;
  CommandLine args_;
  ShellEnvironment env_;
  FormModel form_;
  ActionList actions_;
  ToolConfiguration config_;
  ConfigLocator locator_;
  RunControl runControl_;
  GuardStats stats_;
  WindowContext context_;
  std::unique_ptr<ProductCatalogue> catalogue_;
  std::unique_ptr<Project> project_;
  std::unique_ptr<OutputDirectoryField> outputField_;
  std::unique_ptr<JobCommands> jobs_;
  std::unique_ptr<SourceLists> sources_;

  std::string programDir_;
  std::string appExeName_;
  std::string consoleStubPath_;
  std::string toolRoot_;
  std::string fileVersion_;
  std::string caption_;
  std::optional<std::pair<int, int>> storedSize_;
  std::optional<FontChoice> viewerFont_;
  bool profileTaken_ = false;
  bool mainMenuEmpty_ = false;
  bool rememberFiles_ = false;
  bool autoRun_ = false;
  ConnectionList connections_;
};

}  // namespace korvane
