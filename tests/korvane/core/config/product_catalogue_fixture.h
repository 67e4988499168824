#pragma once
// A main window with just the parts the product catalogue touches, a tool root in a
// temporary folder, and hooks that record what the catalogue asked of the rest of the shell.

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
#include "platform/memory_settings.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane::testing {

// The job as the catalogue sees it, recording what it was asked.
struct RecordingJob : ProductJob {
  std::string subVersion, projectDir, outputDir, workDir, hint;
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
  std::string ProjectNameHint() const override { return hint; }
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
  FormModel form;
  ActionList actions;
  WindowState windowState;
  WindowContext window{form, actions, status, person, settings, windowState};
  TempDir root;
  Installation installation{root.Path().string(), root.Path().string(), "",
                            (root.Path() / "Docs").string(), false};
  ConfigLocator locator{root.Path() / "korvane", (root.Path() / "Korvane.INI").string()};
  ConfigurationService configuration{window, installation, locator};
  ToolConfiguration& config = configuration.Config();
  ProductCatalogue catalogue{window, configuration, installation, *this};

  std::vector<std::string> messages;
  int dosBoxApplied = 0, functabLoads = 0;

  CatalogueWindow() {
    settings.SetSettingsProduct("Korvane Shell");
    settings.SetSettingsSection("Parameters");
    BuildForm();
    BuildActions();
    std::filesystem::create_directories(root.Path() / "Docs");
    windowState.SetCaption("Korvane main shell - ");
    status.onMessage = [this](StatusMessageKind, const std::string& text) {
      messages.push_back(text);
    };
    root.Write("Korvane.INI", "");
    locator.Path(status);
    std::filesystem::remove(root.Path() / "Korvane.INI");
    catalogue.installationChecked.Connect([this] { ++dosBoxApplied; });
    catalogue.functionTableWanted.Connect([this] { ++functabLoads; });
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

 private:
  void BuildForm() {
    namespace n = names;
    form.Create<PageControl>(n::kPageControlMain, n::kForm);
    form.Create<Page>(n::kPageLanguages, n::kPageControlMain, "Language selection");
    form.Create<GroupBox>(n::kGroupLanguages, n::kPageLanguages, "Languages to wrap");
    for (const std::string& name : ProductCatalogue::ProductButtons()) {
      form.Create<RadioButton>(name, n::kGroupLanguages, name.substr(11));
    }
    form.Create<RadioGroup>(n::kRadioGroupVersions, n::kPageLanguages).SetVisible(false);

    form.Create<Page>(n::kPageNames, n::kPageControlMain, "Names and datasets");
    form.Create<GroupBox>(n::kGroupWrapType, n::kPageNames, "Select type of processing");
    form.Create<ComboBox>(n::kComboWrapType, n::kGroupWrapType);
    form.Create<GroupBox>(n::kGroupMapType, n::kPageNames, "Map type");
    form.Create<ComboBox>(n::kComboMapType, n::kGroupMapType);
    form.Create<PageControl>(n::kPageControlCopySource, n::kPageNames);
    form.Create<Page>(n::kPageSources, n::kPageControlCopySource, "Source files to be wrapped");
    form.Create<CheckList>(n::kListSources, n::kPageSources);
    form.Create<Page>(n::kPageCopies, n::kPageControlCopySource, "Copies to be expanded");
    form.Create<CheckList>(n::kListCopies, n::kPageCopies);

    form.Create<Page>(n::kPageTechnical, n::kPageControlMain, "Technical parameters")
        .SetVisible(false);
    form.Create<GroupBox>(n::kGroupIniFile, n::kPageTechnical, "Product ini file");
    form.Create<Memo>(n::kMemoIniFile, n::kGroupIniFile);
    form.Create<ToolPathFrame>(n::kFrameEditor, n::kPageTechnical, "External editor & viewer")
        .SetTag(1);
    for (const char* frame : {n::kFrameCopylib, n::kFrameFunctab, n::kFrameDalmer, n::kFrameArdent,
                              n::kFrameBelmont, n::kFrameCorvid, n::kFrameLinker, n::kFrameEskar}) {
      form.Create<ToolPathFrame>(frame, n::kPageTechnical, frame);
    }

    form.Create<Page>(n::kPageWordScan, n::kPageControlMain, "Edit word list");
    form.Create<ComboBox>(n::kComboCreateWrdList, n::kPageWordScan);
    form.Create<CheckList>(n::kListControlTags, n::kPageWordScan);
    form.Create<ComboBox>(n::kComboEditCWrd, n::kPageWordScan);
    form.Create<Page>(n::kPageObjects, n::kPageControlMain, "Objects");
    form.Create<CheckList>(n::kListObjects, n::kPageObjects);
  }

  void BuildActions() {
    namespace n = names;
    for (const char* name :
         {n::kActRunWrap, n::kActRunTool, n::kActRename, n::kActApplyToAll, n::kActApplyToChecked,
          n::kActAddFilesToCopies, n::kActAddDirectoryToCopies, n::kActWrapTypeOnl,
          n::kActWrapTypeFile, n::kActWrapTypeModule, n::kActWrapTypeProc}) {
      actions.Add(name, std::string("Caption of ") + name, "Project");
    }
    actions.Add(n::kActViewConsoleLog, "View console log", "Viewer");
    actions.Add("ActLoadWordList", "Import a word list", n::kCategoryWordList);
    actions.Add("ActSaveWordList", "Export word list to a file", n::kCategoryWordList);
  }
};

}  // namespace korvane::testing
