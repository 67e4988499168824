#pragma once
// The main window, a tool root in a temporary folder, and hooks that record what the
// product catalogue asked of the rest of the shell.

#include <filesystem>
#include <string>
#include <vector>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/config/configuration_service.h"
#include "korvane/core/config/product_catalogue.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/form/job_binding.h"
#include "korvane/core/form/main_form.h"
#include "platform/memory_settings.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane::testing {

// The job as the catalogue sees it, recording what it was asked.
struct RecordingJob : ProductJob {
  std::string subVersion, projectDir, outputDir, workDir;
  std::vector<std::string> created;
  bool loading = false;
  bool cancelSave = false;
  int projectClears = 0, outputExits = 0, nameChanges = 0, modifiedClears = 0, forgotten = 0;

  void ClearModified() override {
    ++modifiedClears;
    if (cancelSave) throw OperationAbort();
  }
  void ForgetChanges() override { ++forgotten; }
  void ClearProject() override { ++projectClears; }
  bool Loading() const override { return loading; }
  void SetProjectDirectory(const std::string& d) override { projectDir = d; }
  std::string OutputDir() const override { return outputDir; }
  void SetOutputDir(const std::string& d) override { outputDir = d; }
  void SetWorkDir(const std::string& d) override { workDir = d; }
  void SetSubVersion(const std::string& v) override { subVersion = v; }
  void MarkNameChanged() override { ++nameChanges; }
  void OutputDirMissing() override { ++outputExits; }
  void CreateOutputDir(const std::string& d) override { created.push_back(d); }
};

struct CatalogueWindow : RecordingJob {
  ScriptedPerson person;
  platform::MemorySettings backend;
  SettingsStore settings{backend};
  StatusBar status{person};
  ConnectionList keep;
  FormModel form;
  ActionList actions;
  WindowState windowState;
  bool built = (BuildMainForm(form, actions), true);
  BoundJob job{form};
  WindowContext window{job.model, job.window, actions, status, person, settings, windowState};
  TempDir root;
  Installation installation{root.Path().string(), root.Path().string(), "",
                            (root.Path() / "Docs").string(), false};
  ConfigLocator locator{root.Path() / "korvane", (root.Path() / "Korvane.INI").string()};
  ConfigurationService configuration{window, installation, locator};
  ToolConfiguration& config = configuration.Config();
  ProductCatalogue catalogue{window, configuration, installation, *this};

  std::vector<std::string> messages;
  int dosBoxApplied = 0, functabLoads = 0;
  ConnectionList counters;

  CatalogueWindow() {
    settings.SetSettingsProduct("Korvane Shell");
    settings.SetSettingsSection("Parameters");
    std::filesystem::create_directories(root.Path() / "Docs");
    windowState.SetCaption("Korvane main shell - ");
    keep.Add(status.messageReported.Connect(
        [this](StatusMessageKind, const std::string& text) { messages.push_back(text); }));
    root.Write("Korvane.INI", "");
    locator.Path(status);
    std::filesystem::remove(root.Path() / "Korvane.INI");
    counters.Add(catalogue.installationChecked.Connect([this] { ++dosBoxApplied; }));
    counters.Add(catalogue.functionTableWanted.Connect([this] { ++functabLoads; }));
    catalogue.Connect();
  }

  // Whether the catalogue wrote the configuration file.
  bool Saved() const { return std::filesystem::exists(root.Path() / "Korvane.INI"); }
  bool Disabled() const { return windowState.MenuEmpty(); }

  std::string Root() const { return root.Path().string(); }
  std::string Docs() const { return (root.Path() / "Docs").string(); }

  // Creates <root>/<code>Wrap with every tool file the frames default to.
  void Install(const std::string& code) {
    const std::string dir = code + "Wrap/";
    for (const std::string& file :
         std::vector<std::string>{"Copylib/marker", "Functab.wrl", "Dalmer", "Ardent", "Belmont",
                                  "Corvid", code + "Link", code + "Wrap"}) {
      root.Write(dir + file, "x");
    }
  }

  RadioButton& Button(const std::string& name) { return form.Get<RadioButton>(name); }
  ToolPathFrame& Frame(const char* name) { return form.Get<ToolPathFrame>(name); }
  Component& Part(const char* name) { return *form.Find(name); }
  IncCombo& Combo(const char* name) { return form.Get<ComboBox>(name).Combo(); }
  RadioGroup& Versions() { return form.Get<RadioGroup>(names::kRadioGroupVersions); }
};

}  // namespace korvane::testing
