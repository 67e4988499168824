#pragma once
// The main window's composition root: it owns the form, the action list, the status bar,
// the settings store and one service per subsystem, hands each the narrow interfaces it
// needs, and is the gate every user operation enters through. It has no rules of its own.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "korvane/core/app/form_run_display.h"
#include "korvane/core/app/project_run_job.h"
#include "korvane/core/app/startup.h"
#include "korvane/core/app/window_rules.h"
#include "korvane/core/common/command_line.h"
#include "korvane/core/common/guarded_run.h"
#include "korvane/core/common/lifetime.h"
#include "korvane/core/common/person_port.h"
#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/action.h"
#include "korvane/core/components/form_model.h"
#include "korvane/core/config/config_path.h"
#include "korvane/core/config/configuration_service.h"
#include "korvane/core/config/installation.h"
#include "korvane/core/config/product_catalogue.h"
#include "korvane/core/form/job_binding.h"
#include "korvane/core/form/window_context.h"
#include "korvane/core/marker/label_marker.h"
#include "korvane/core/prepare/preparation.h"
#include "korvane/core/prepare/prepare_job.h"
#include "korvane/core/project/job_commands.h"
#include "korvane/core/project/output_directory.h"
#include "korvane/core/project/project.h"
#include "korvane/core/run/dosbox_settings.h"
#include "korvane/core/run/run_service.h"
#include "korvane/core/sources/source_lists.h"
#include "korvane/core/sources/sources_job.h"
#include "korvane/core/viewer/viewer_job.h"
#include "korvane/core/viewer/viewers.h"
#include "korvane/core/wordlist/project_word_list_job.h"
#include "korvane/core/wordlist/word_lists.h"

namespace platform {
class SettingsBackend;
}

namespace korvane {

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
  void WindowHidden(int width, int height) { startup_.WindowHidden(width, height); }

  // Runs an action of the main list through the guard; false when it ended
  // with an abort or an error.
  bool Execute(const std::string& actionName) override;
  // Runs any user operation through the guard.
  bool Run(const std::function<void()>& work) override;
  // The window's event loop: a run's watcher reports through it, and a preparation
  // copies in steps on it, each step through the guard.
  void SetDispatcher(UiDispatcher& dispatcher);

  // The services, for the view and the tests.
  FormModel& Form() { return form_; }
  ActionList& Actions() { return actions_; }
  StatusBar& Status() { return status_; }
  SettingsStore& Settings() { return settings_; }
  PersonPort& Person() { return person_; }
  WindowState& Window() { return window_; }
  ConfigurationService& Configuration() { return configuration_; }
  ToolConfiguration& Config() { return configuration_.Config(); }
  ProductCatalogue& Catalogue() { return catalogue_; }
  Project& CurrentProject() { return project_; }
  OutputDirectoryField& OutputField() { return outputField_; }
  JobCommands& Jobs() { return jobs_; }
  SourceLists& Sources() { return sources_; }
  Preparation& Prepare() { return preparation_; }
  WordLists& Words() { return wordLists_; }
  Viewers& Viewer() { return viewers_; }
  RunService& Runs() { return runs_; }
  LabelMarker& Marker() { return marker_; }
  WindowRules& Rules() { return rules_; }
  const CommandLine& Args() const { return args_; }
  const RunControl& Flags() const { return configuration_.Flags(); }
  const GuardStats& Stats() const { return stats_; }
  const Installation& Install() const { return installation_; }

  // Read-outs of the window's state and the start.
  const std::string& Caption() const { return window_.Caption(); }
  bool MainMenuEmpty() const { return window_.MenuEmpty(); }
  const std::string& ToolRoot() const { return installation_.toolRoot; }
  bool ProfileTaken() const { return startup_.ProfileTaken(); }
  bool AutoRun() const { return startup_.AutoRun(); }
  std::optional<std::pair<int, int>> StoredWindowSize() const {
    return startup_.StoredWindowSize();
  }
  const std::optional<FontChoice>& ViewerFont() const { return startup_.ViewerFont(); }

  // Fired when the caption, the menu or the window-wide state changed, and when the
  // window is to close (the view runs its close query).
  Signal<>& windowChanged;
  Signal<>& closeRequested;

 private:
  // Declared in construction order: each service is built after what it uses. The few
  // references to later members (the catalogue's job, the project's saver) are only
  // stored while constructing, never called.
  PersonPort& person_;
  SettingsStore settings_;
  StatusBar status_;
  CommandLine args_;
  ShellEnvironment env_;
  FormModel form_;
  ActionList actions_;
  bool formBuilt_;  // the window's components exist before any service looks them up
  WindowState window_;
  GuardStats stats_;
  BoundJob job_;
  WindowContext context_;
  Installation installation_;
  ConfigLocator locator_;
  ConfigurationService configuration_;
  ProductCatalogue catalogue_;
  Project project_;
  OutputDirectoryField outputField_;
  JobFileCodec codec_;
  JobCommands jobs_;
  ProjectSourcesJob sourcesJob_;
  SourceLists sources_;
  ProjectWordListJob wordJob_;
  WordLists wordLists_;
  ProjectPrepareJob prepareJob_;
  Preparation preparation_;
  ProjectViewerJob viewerJob_;
  Viewers viewers_;
  ProjectMarkerJob markerJob_;
  LabelMarker marker_;
  WindowRules rules_;
  Startup startup_;
  ProjectRunJob runJob_;
  FormRunDisplay runDisplay_;
  ConfiguredDosBoxSettings dosBoxSettings_;
  RunService runs_;
  Connection markerOpening_;
  // Work posted for a shell that is gone is dropped.
  Lifetime lifetime_;
};

}  // namespace korvane
