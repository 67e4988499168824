#pragma once
// The main window's model: it owns the form, the action list, the status bar,
// the settings store and the tool configuration, and runs the start-up
// sequence. Every user operation enters the core through Execute() or Run().

#include <functional>
#include <memory>
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

namespace platform {
class SettingsBackend;
}

namespace korvane {

struct ShellEnvironment {
  std::string programPath;        // full path of the running executable
  std::vector<std::string> args;  // command line without the program name
  std::string iniOverride;        // configuration file named outright, if any
};

class Shell {
 public:
  Shell(PersonPort& person, platform::SettingsBackend& settings, ShellEnvironment env);
  ~Shell();
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  // Window creation and window show; false when the sequence ended early.
  bool Create();
  bool Show();

  // Runs an action of the main list through the guard; false when it ended
  // with an abort or an error.
  bool Execute(const std::string& actionName);
  // Runs any user operation through the guard.
  bool Run(const std::function<void()>& work);

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

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool ProfileTaken() const { return profileTaken_; }
  bool MainMenuEmpty() const { return mainMenuEmpty_; }
  const std::string& ToolRoot() const { return toolRoot_; }
  const std::string& ProgramDirectory() const { return programDir_; }

  // The configuration memo and the file behind it.
  void LoadConfiguration();
  void ApplyConfiguration();
  void SaveConfiguration();

  // Fired when the caption, the menu or the window-wide state changed.
  Signal<> windowChanged;
  // Fired when the window is to close (the view runs its close query).
  Signal<> closeRequested;

 private:
  void CreateSteps();
  void ShowSteps();
  void BindActions();
  void DisableShell();
  void ReadRunControlFlags();
  void WireCatalogue();
  void BindFrames();
  void SyncMemoFromConfig();
  void SyncConfigFromMemo();
  std::string DetermineToolRoot() const;

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
  WindowContext context_;
  std::unique_ptr<ProductCatalogue> catalogue_;
  GuardStats stats_;

  std::string programDir_;
  std::string appExeName_;
  std::string consoleStubPath_;
  std::string toolRoot_;
  std::string fileVersion_;
  std::string caption_;
  bool profileTaken_ = false;
  bool mainMenuEmpty_ = false;
  bool rememberFiles_ = false;
  bool autoRun_ = false;
};

}  // namespace korvane
