#pragma once
// A main window with just the parts the product catalogue touches, a tool root in a
// temporary folder, and hooks that record what the catalogue asked of the rest of the shell.

#include <filesystem>
#include <string>
#include <vector>

#include "korvane/core/form/component_names.h"
#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/config/product_catalogue.h"
#include "platform/memory_settings.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane::testing {

struct CatalogueWindow {
  ScriptedPerson person;
  platform::MemorySettings backend;
  SettingsStore settings{backend};
  StatusBar status{person};
  FormModel form;
  ActionList actions;
  WindowContext window{form, actions, status, person, settings};
  ToolConfiguration config;
  TempDir root;
  ProductCatalogue catalogue{window, config, [this] { return root.Path().string(); }};

  // What the hooks saw.
  std::string caption = "Korvane main shell - ";
  std::string subVersion, projectDir, outputDir, workDir, hint;
  std::vector<std::string> created;
  std::vector<std::string> messages;
  bool loading = false;
  bool cancelSave = false;
  int runControlReads = 0, dosBoxApplied = 0, saves = 0, projectClears = 0, disables = 0,
      outputExits = 0, nameChanges = 0, functabLoads = 0, modifiedClears = 0;

  CatalogueWindow() {
    settings.SetSettingsProduct("Korvane Shell");
    settings.SetSettingsSection("Parameters");
    BuildForm();
    BuildActions();
    std::filesystem::create_directories(root.Path() / "Docs");
    status.onMessage = [this](StatusMessageKind, const std::string& text) {
      messages.push_back(text);
    };
    ProductCatalogue& c = catalogue;
    c.readRunControl = [this] { ++runControlReads; };
    c.applyDosBox = [this] { ++dosBoxApplied; };
    c.clearModified = [this] {
      ++modifiedClears;
      if (cancelSave) throw OperationAbort();
    };
    c.clearProject = [this] { ++projectClears; };
    c.loading = [this] { return loading; };
    c.projectNameHint = [this] { return hint; };
    c.setProjectDirectory = [this](const std::string& d) { projectDir = d; };
    c.outputDir = [this] { return outputDir; };
    c.setOutputDir = [this](const std::string& d) { outputDir = d; };
    c.setWorkDir = [this](const std::string& d) { workDir = d; };
    c.setSubVersion = [this](const std::string& v) { subVersion = v; };
    c.setNameChanged = [this] { ++nameChanges; };
    c.saveConfiguration = [this] { ++saves; };
    c.loadFunctionTableIfEmpty = [this] { ++functabLoads; };
    c.outputDirExit = [this] { ++outputExits; };
    c.createOutputDir = [this](const std::string& d) { created.push_back(d); };
    c.setCaption = [this](const std::string& t) { caption = t; };
    c.caption = [this] { return caption; };
    c.disableShell = [this] { ++disables; };
    c.documentsFolder = [this] { return Docs(); };
    c.Connect();
  }

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
    actions.Add("ActLoadWordList", "Import a word list", n::kCategoryWordList);
    actions.Add("ActSaveWordList", "Export word list to a file", n::kCategoryWordList);
  }
};

}  // namespace korvane::testing
