#include "korvane/core/app/shell.h"

#include <filesystem>

#include "korvane/core/common/scope_exit.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/form/main_form.h"

namespace korvane {

namespace n = names;

namespace {

DosBoxEnvironment DosBoxEnvironmentOf(const ShellEnvironment& env) {
  // Only the template is written by a waiting start, which needs no stub or runner.
  DosBoxEnvironment dosBox = SystemDosBoxEnvironment(LaunchSettings{});
  if (!env.dosBoxLocations.empty()) dosBox.defaultLocations = env.dosBoxLocations;
  return dosBox;
}

}  // namespace

Shell::Shell(PersonPort& person, platform::SettingsBackend& settings, ShellEnvironment env)
    : windowChanged(window_.changed),
      closeRequested(window_.closeRequested),
      person_(person),
      settings_(settings),
      status_(person),
      args_(env.args),
      env_(std::move(env)),
      formBuilt_((BuildMainForm(form_, actions_), true)),
      job_(form_),
      context_{job_.model, job_.window, actions_, status_, person_, settings_, window_},
      installation_{
          std::filesystem::path(env_.programPath).parent_path().string(), {}, {}, {}, false},
      locator_(env_.programPath, env_.iniOverride),
      configuration_(context_, installation_, locator_),
      catalogue_(context_, configuration_, installation_, jobs_),
      project_(context_, catalogue_, jobs_),
      outputField_(project_),
      codec_(form_),
      jobs_(project_, catalogue_, outputField_, installation_, codec_),
      sourcesJob_(project_, catalogue_, configuration_),
      sources_(context_, sourcesJob_),
      wordJob_(project_),
      wordLists_(context_, wordJob_),
      prepareJob_(project_, catalogue_, configuration_),
      preparation_(context_, prepareJob_, sources_),
      viewerJob_(project_, catalogue_, configuration_, job_.model, sources_),
      viewers_(context_, viewerJob_),
      markerJob_(project_, catalogue_, job_.model),
      marker_(context_, viewers_, markerJob_),
      rules_(form_, context_, *this, installation_, catalogue_, sources_),
      startup_({form_, context_, args_, env_, installation_, configuration_, catalogue_, project_,
                jobs_, rules_}),
      runJob_(project_, catalogue_, configuration_, preparation_, sources_, viewers_, startup_),
      runDisplay_(context_),
      dosBoxSettings_(configuration_),
      runs_(context_, runJob_, runDisplay_, installation_, DosBoxEnvironmentOf(env_),
            dosBoxSettings_) {
  catalogue_.Connect();
  project_.BindNameFields();
  outputField_.Bind();
  jobs_.Connect();
  sources_.Connect(actions_);
  sources_.Follow(jobs_);
  wordLists_.Connect(actions_);
  wordLists_.Follow(catalogue_);
  preparation_.Connect(actions_);
  rules_.Connect();
  viewers_.Connect(actions_);
  runs_.Connect(actions_);
  runs_.Follow(catalogue_.installationChecked);
  marker_.Follow(jobs_);
  project_.SetPendingEdits(&marker_);
  project_.SetResultRenamer(&preparation_);
  // Taking another job's folder or file is asked in the window; without one nobody
  // can be asked, so only the switch allows it.
  const bool takeOver = args_.HasSwitch("-TakeOver");
  project_.SetTakeOver(takeOver                    ? Project::TakeOver::Allow
                       : args_.HasSwitch("-batch") ? Project::TakeOver::Refuse
                                                   : Project::TakeOver::Ask);
  markerOpening_ = sources_.Types().markerRequested.Connect(
      [this](const std::string& path) { marker_.OpenMarkerPage(path); });
  DisableUnhandledActions(actions_);
}

Shell::~Shell() = default;

bool Shell::Create() {
  return Run([this] { startup_.CreateSteps(); });
}

bool Shell::Show() {
  return Run([this] {
    // The stored font is read early in the show steps; it holds even when opening the
    // job ends them.
    const ScopeExit applyFont([this] {
      if (const auto& font = startup_.ViewerFont()) viewers_.SetFont(*font);
    });
    startup_.ShowSteps();
  });
}

bool Shell::Run(const std::function<void()>& work) {
  return RunGuarded(person_, work, &stats_);
}

void Shell::SetDispatcher(UiDispatcher& dispatcher) {
  runs_.SetDispatcher(dispatcher);
  // Long loops run in steps posted here, each through the guard like any command.
  auto post = [this, &dispatcher](std::function<void()> step) {
    dispatcher.Post(lifetime_.Guard([this, step = std::move(step)] { Run(step); }));
  };
  preparation_.SetStepPoster(post);
  sources_.Adding().SetStepPoster(post);
}

bool Shell::Execute(const std::string& actionName) {
  Action& action = actions_.Get(actionName);
  return Run([&] {
    if (!action.Enabled()) {
      // Greyed for a reason the window shows as its hint: said to a caller without one.
      if (!action.Unavailable().empty()) status_.ShowErrorAndAbort(action.Unavailable());
      return;
    }
    runs_.Gate(action);
    // A shortcut still reaches a greyed command: say why it does nothing.
    if (!action.Unavailable().empty()) status_.ShowErrorAndAbort(action.Unavailable());
    // The window stays responsive during a long add, but commands wait for
    // it: they would change the list being filled.
    if (sources_.Busy() && actionName != n::kActCloseAll) {
      status_.ShowStatus("Files are being added to the job, please wait");
      return;
    }
    if (preparation_.Busy() && actionName != n::kActCloseAll) {
      status_.ShowStatus("The input structure is being built, please wait");
      return;
    }
    status_.ClearMessages();
    if (!action.HasHandler()) status_.ShowErrorAndAbort(kNotInThisVersion);
    action.Invoke();
  });
}

bool Shell::CloseQuery() {
  if (preparation_.Busy()) {
    // The copy loop sees the cleared mark and asks the person to confirm the stop.
    preparation_.RequestStop();
    return false;
  }
  if (sources_.Busy()) {
    // A long add is running: it ends by itself, the window stays open.
    person_.Ask(MessageKind::Confirmation,
                "The User requested to stop the process, please confirm?",
                {Button::Ok, Button::Cancel});
    return false;
  }
  if (runs_.Running()) {
    // A run is active: the person may stop it; the window stays open either way.
    Run([this] { runs_.CloseQuery(); });
    return false;
  }
  if (viewers_.PageInFront()) {
    // The viewer in front: the request closes its current page, not the window.
    Run([this] { viewers_.CloseCurrentPage(); });
    return false;
  }
  return Run([this] { jobs_.ClearModified(); });
}

}  // namespace korvane
