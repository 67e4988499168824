// The product catalogue: the installation check, the default product, selecting and
// clicking products, the project's tools and the extras' switches. Each scenario's
// commands and what they showed are in tests/data/config/<name>.txt, its rule in its
// opening comment. The window is the main window on a tool root in a temporary folder,
// with hooks that record what the catalogue asked of the rest of the shell.
#include "korvane/core/config/product_catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/text.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/config/configuration_service.h"
#include "korvane/core/form/component_names.h"
#include "support/abort_counter.h"
#include "support/scripted_person.h"
#include "support/svc_scenario.h"
#include "support/temp_dir.h"
#include "support/window_parts.h"

namespace korvane::testing {
namespace {

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

struct CatalogueWindow : RecordingJob, AbortCounter, WindowParts {
  ConnectionList keep;
  TempDir root;
  Installation installation{root.Path().string(), root.Path().string(), "",
                            (root.Path() / "Docs").string(), false};
  ConfigLocator locator{root.Path() / "korvane", (root.Path() / "Korvane.INI").string()};
  ConfigurationService configuration{context, installation, locator};
  ToolConfiguration& config = configuration.Config();
  ProductCatalogue catalogue{context, configuration, installation, *this};

  std::vector<std::string> messages;
  int dosBoxApplied = 0, functabLoads = 0;
  ConnectionList counters;

  CatalogueWindow() {
    settings.SetSettingsProduct("Korvane Shell");
    settings.SetSettingsSection("Parameters");
    std::filesystem::create_directories(root.Path() / "Docs");
    window.SetCaption("Korvane main shell - ");
    keep.Add(status.messageReported.Connect(
        [this](StatusMessageKind, const std::string& text) { messages.push_back(text); }));
    root.Write("Korvane.INI", "");
    locator.Path(status);
    std::filesystem::remove(root.Path() / "Korvane.INI");
    counters.Add(catalogue.installationChecked.Connect([this] { ++dosBoxApplied; }));
    counters.Add(catalogue.functionTableWanted.Connect([this] { ++functabLoads; }));
    catalogue.Connect();
  }

  // Creates <root>/<code>Wrap with every tool file the frames default to.
  void Install(const std::string& code) {
    const std::string dir = code + "Wrap/";
    for (const std::string& file :
         std::vector<std::string>{"Copylib/marker", "Functab.wrl", "Dalmer", "Ardent", "Belmont",
                                  "Corvid", code + "Link", code + "Wrap"}) {
      root.Write(dir + file, "x");
    }
  }

  // The commands of the catalogue scenarios under tests/data/config.
  void Commands(Scenario& s) {
    namespace fs = std::filesystem;
    Observations& o = s.out;
    using Command = ScenarioCommand;
    s.On("install", [this](const Command& c) { Install(c[0]); });
    s.On("mkdir", [this](const Command& c) { fs::create_directories(root.Path() / c[0]); });
    s.On("remove", [this](const Command& c) { fs::remove(root.Path() / c[0]); });
    s.On("lines", [this](const Command&) { config.SetLines({}); });
    s.On("line", [this](const Command& c) {
      std::vector<std::string> lines = config.Lines();
      lines.push_back(c.rest);
      config.SetLines(lines);
    });
    s.On("set", [this](const Command& c) { config.SetValue(c[0], c.Text()); });
    s.On("setting", [this](const Command& c) { settings.WriteSetting(c[0], c.Text()); });
    s.On("caption", [this](const Command& c) { window.SetCaption(c.rest); });
    s.On("hide", [this](const Command& c) { Part(c[0]).SetVisible(false); });
    s.On("cancel-save", [this](const Command& c) { cancelSave = c[0] == "on"; });
    s.On("loading", [this](const Command& c) { loading = c[0] == "on"; });
    s.On("check", [this](const Command& c) {
      Guard([&] { catalogue.CheckProductInstallation(c.Int(0)); });
    });
    // "select BUTTON [quiet] [project NAME]"
    s.On("select", [this](const Command& c) {
      ProductSelection how;
      for (size_t i = 1; i < c.words.size(); ++i) {
        if (c.words[i] == "quiet") how.checkTools = false;
        if (c.words[i] == "project") how.projectName = c[++i];
      }
      Guard([&] { catalogue.SelectProduct(c[0], how); });
    });
    s.On("click", [this](const Command& c) { Guard([&] { Button(c[0]).Click(); }); });
    s.On("check-tools", [this](const Command&) { Guard([&] { catalogue.CheckProjectTools(); }); });
    s.On("extras", [this, &o](const Command&) {
      try {
        catalogue.ApplyProductExtras();
      } catch (const ConversionError& e) {
        o("conversion error", e.what());
      }
    });
    s.On("version", [this](const Command& c) { Versions().SetItemIndex(c.Int(0)); });
    s.On("add-object", [this](const Command& c) { job.model.objects.Add({c.rest}); });
    s.On("unsorted", [this](const Command&) { job.model.sources.SetSorted(false); });
    s.On("output-dir", [this](const Command& c) { outputDir = c[0]; });
    s.On("hide-action", [this](const Command& c) { actions.Get(c[0]).SetVisible(false); });
    s.On("depth", [this, &o](const Command&) {
      o("dir depth", catalogue.DirDepth())("procpgm", catalogue.Procpgm())("multi",
                                                                           catalogue.Multi());
    });
    s.On("sorted", [this, &o](const Command&) { o("sources sorted", job.model.sources.Sorted()); });
    s.On("clear-status", [this](const Command&) { status.ClearMessages(); });
    s.On("product", [this, &o](const Command&) { LookAtProduct(o, true); });
    // Without the run and the page, which depend on the tools found (".exe" on Windows).
    s.On("choice", [this, &o](const Command&) { LookAtProduct(o, false); });
    s.On("shown", [this, &o](const Command& c) {
      for (const auto& name : c.words) o(name, Part(name).Visible());
    });
    s.On("combo", [this, &o](const Command& c) {
      IncCombo& combo = Combo(c[0]);
      o(c[0], combo.Items())("keys", combo.KeyLines())("chosen", combo.SecondInd());
    });
    s.On("action", [this, &o](const Command& c) {
      const Action& action = actions.Get(c[0]);
      o(c[0], action.Caption() + (action.Visible() ? "" : ", hidden") +
                  (action.Enabled() ? "" : ", disabled"));
    });
    s.On("frame", [this, &o](const Command& c) {
      o(c[0], Frame(c[0]).DefaultName() + " | " + Frame(c[0]).Text());
    });
    s.On("overrides",
         [this, &o](const Command&) { o("overrides", catalogue.Overrides().Lines()); });
  }
  // The product chosen, the buttons, the configuration, what the job was told and what
  // the person saw since the last look.
  void LookAtProduct(Observations& o, bool withShell) {
    o("product", catalogue.ActiveProduct() + " " + catalogue.LangCode() + " " +
                     std::to_string(catalogue.LangIndex()))("caption", window.Caption());
    std::vector<std::string> buttons;
    for (RadioButton* button : job.model.products) {
      buttons.push_back(button->Name() + (button->Enabled() ? "" : " disabled") +
                        (button->Checked() ? " checked" : ""));
    }
    // The date a save writes differs from run to run.
    std::vector<std::string> lines = config.Lines();
    for (auto& line : lines) {
      if (line.starts_with("Date Written=")) line = "Date Written={stamp}";
    }
    o("buttons", buttons)("configuration", lines)(
        "saved", std::filesystem::exists(root.Path() / "Korvane.INI"));
    o("versions", Versions().Items())("versions shown", Versions().Visible());
    o("sub version", subVersion);
    o("folders", projectDir + " | " + outputDir + " | " + workDir)("created", created);
    o("job", "clears " + std::to_string(projectClears) + ", name changes " +
                 std::to_string(nameChanges) + ", missing output " + std::to_string(outputExits) +
                 ", saves " + std::to_string(modifiedClears) + ", changes dropped " +
                 std::to_string(forgotten));
    o("checks", dosBoxApplied)("function tables", functabLoads)("aborts", aborts);
    if (withShell) {
      o("shell", std::string(window.MenuEmpty() ? "disabled" : "enabled") +
                     (actions.Get(names::kActRunWrap).Enabled() ? ", wrap runs" : ", no wrap run"));
      o("page", job.window.mainPages.ActivePage());
    }
    o("status", status.Text())("message list", status.MessageList())("messages", messages);
    o("message box", status.UseMessageBox());
    o.Take("person", person.transcript);
  }
  void RunScenario(const std::string& golden) {
    Scenario s({{"{docs}", (root.Path() / "Docs").string()}, {"{root}", root.Path().string()}});
    Commands(s);
    s.Run(golden);
  }

  RadioButton& Button(const std::string& name) { return form.Get<RadioButton>(name); }
  ToolPathFrame& Frame(const std::string& name) { return form.Get<ToolPathFrame>(name); }
  Component& Part(const std::string& name) { return *form.Find(name); }
  IncCombo& Combo(const std::string& name) { return form.Get<ComboBox>(name).Combo(); }
  RadioGroup& Versions() { return form.Get<RadioGroup>(names::kRadioGroupVersions); }
};

class ProductCatalogue : public ::testing::TestWithParam<const char*> {};

TEST_P(ProductCatalogue, Scenario) {
  CatalogueWindow().RunScenario(std::string("config/") + GetParam() + ".txt");
}

INSTANTIATE_TEST_SUITE_P(Scenarios, ProductCatalogue,
                         ::testing::Values("installation", "unusable_default", "hidden_default",
                                           "no_product", "select_product", "select_failures",
                                           "product_click", "project_tools", "extras_switches",
                                           "extras_captions", "extras_bad_switch"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace korvane::testing
