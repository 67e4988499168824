#pragma once
// The main window, a job base folder and recorded hooks, for the source list tests.

#include <filesystem>
#include <string>
#include <vector>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/sources/source_lists.h"
#include "korvane/core/sources/wrap_types.h"
#include "platform/system_paths.h"
#include "support/abort_counter.h"
#include "support/svc_scenario.h"
#include "support/temp_dir.h"
#include "support/window_parts.h"

namespace korvane::testing {

// The wrapping types in the combo as the catalogue fills them, the first one chosen, and
// no interface wrapper.
inline bool ShapeForSources(FormModel& form) {
  IncCombo& combo = form.Get<ComboBox>(names::kComboWrapType).Combo();
  for (const auto& type : kWrapTypes) {
    combo.AddWithKey(std::string(type.comboCaption), std::string(type.code));
  }
  combo.SetItemIndex(0);
  form.Get<ToolPathFrame>(names::kFrameEskar).SetVisible(false);
  form.Get<PageControl>(names::kPageControlMain).SetActivePage(names::kPageNames);
  return true;
}

// The job around the lists: a base folder in a temporary directory, the COBOL product,
// and a count of the changes announced.
struct FixtureJob : SourcesJob {
  TempDir dir;
  long long limit = 0;
  std::string filter = "Cobol (*.cbl;*.cob)|*.cbl;*.cob|Copies|*.cpy";
  int modified = 0;

  std::string WritableBase() override { return dir / "job"; }
  Outcome Writable() const override { return {}; }
  std::string BaseDirectory() const override { return dir / "job"; }
  std::string LangCode() const override { return "COB"; }
  std::string SubVersion() const override { return {}; }
  std::string FilterFor(const std::string&, const std::string&) override { return filter; }
  long long BigDirectoryLimit() const override { return limit > 0 ? limit : 50; }
  void SetModified() override { ++modified; }
};

struct SourcesFixture : FixtureJob, AbortCounter, WindowParts {
  SourcesFixture() { lists.Connect(actions); }

  CheckList& sources() { return form.Get<CheckList>(names::kListSources); }
  CheckList& copies() { return form.Get<CheckList>(names::kListCopies); }
  std::string caption(const char* panel) { return form.Get<Panel>(panel).Caption(); }
  KeyedLines& marks() { return form.Get<StringListHolder>(names::kMarksHolder).Keyed(); }
  IncCombo& combo() { return form.Get<ComboBox>(names::kComboWrapType).Combo(); }
  // The lists, their captions, the wrapping marks, the status bar, the counters and
  // what the person saw since the last look.
  void Look(Observations& o) {
    o("sources", sources())("copies", copies())("marks", job.model.marks.StringList());
    o("captions", caption(names::kPanelSources) + " | " + caption(names::kPanelCopies));
    o("status", StatusSaid())("modified", modified)("aborts", aborts);
    if (!status.MessageList().empty()) o("messages", status.MessageList());
    o.Take("person", person.transcript);
  }
  // The whole status: the bar cuts a long one and keeps it in its hint, wrapped.
  std::string StatusSaid() const {
    const std::string text = status.Text();
    if (!text.ends_with("...")) return text;
    std::string hint = status.Hint();
    for (size_t at; (at = hint.find("\r\n")) != std::string::npos;) hint.erase(at, 2);
    return hint;
  }
  // The temporary folder, with the separator a path joined to it gets, and the folder the
  // first file dialog opens in.
  Placeholders Dirs() const {
    return {{"{dir}/", (dir.Path() / "").string()},
            {"{dir}", dir.Path().string()},
            {"{personal}", platform::PersonalFolder()}};
  }
  // The commands of the source list scenarios under tests/data.
  virtual void Commands(Scenario& s) {
    namespace fs = std::filesystem;
    Observations& o = s.out;
    s.On("write", [this](const ScenarioCommand& c) { dir.Write(c[0], c.Text()); });
    s.On("mkdir", [this](const ScenarioCommand& c) { fs::create_directories(dir / c[0]); });
    s.On("remove", [this](const ScenarioCommand& c) { fs::remove_all(dir / c[0]); });
    s.On("link", [this](const ScenarioCommand& c) { fs::create_symlink(dir / c[0], dir / c[1]); });
    s.On("open", [this](const ScenarioCommand& c) { person.openAnswers.push_back(c.words); });
    s.On("folder", [this](const ScenarioCommand& c) { person.folderAnswers.push_back(c[0]); });
    s.On("answer", [this](const ScenarioCommand& c) {
      const std::map<std::string, Button> buttons{
          {"Ok", Button::Ok}, {"Cancel", Button::Cancel}, {"Yes", Button::Yes}, {"No", Button::No}};
      person.answers.push_back(buttons.at(c[0]));
    });
    s.On("run", [this](const ScenarioCommand& c) { run(c[0].c_str()); });
    s.On("drop", [this](const ScenarioCommand& c) {
      lists.Adding().DropFiles(c[0], {c.words.begin() + 1, c.words.end()});
    });
    s.On("items", [this](const ScenarioCommand& c) {
      std::vector<CheckListItem> items;
      for (size_t i = 1; i < c.words.size(); ++i) items.push_back(Item(c.words[i]));
      List(c[0]).SetItems(items);
    });
    s.On("item",
         [this](const ScenarioCommand& c) { sources().MutableItems().at(c.Int(0)) = Item(c[1]); });
    s.On("bar", [this, &o](const ScenarioCommand&) {
      o("status", StatusSaid())("aborts", aborts)("caption", caption(names::kPanelSources));
    });
    s.On("many", [this](const ScenarioCommand& c) {
      sources().SetItems(std::vector<CheckListItem>(c.Int(0), Item(c[1])));
    });
    // The lists' widths and the layout of every source line.
    s.On("columns", [this, &o](const ScenarioCommand&) {
      lists.UpdateListColumns(sources());
      lists.UpdateListColumns(copies());
      o("widths",
        std::to_string(sources().ScrollWidth()) + " " + std::to_string(copies().ScrollWidth()));
      for (int i = 0; i < static_cast<int>(sources().Items().size()); ++i) {
        const auto line = lists.LayoutOf(sources(), i);
        o("line " + std::to_string(i), line.typeCaption + " at " + std::to_string(line.typeX) +
                                           ", path at " + std::to_string(line.pathX));
      }
    });
    s.On("clear", [this](const ScenarioCommand& c) { List(c[0]).Clear(); });
    s.On("mark", [this](const ScenarioCommand& c) { marks().SetValue(c[0], c.Text()); });
    // The interface wrapper is offered when its tool frame shows.
    s.On("interface",
         [this](const ScenarioCommand& c) { job.model.eskar.SetVisible(c[0] == "on"); });
    s.On("limit", [this](const ScenarioCommand& c) { limit = c.Int(0); });
    s.On("filter", [this](const ScenarioCommand& c) { filter = c.rest; });
    s.On("focus", [this](const ScenarioCommand& c) { form.SetFocused(NameOf(c[0])); });
    s.On("tab",
         [this](const ScenarioCommand& c) { job.window.copySourcePages.SetActivePage(c[0]); });
    s.On("highlight",
         [this](const ScenarioCommand& c) { lists.Types().HighlightSource(c.Int(0)); });
    s.On("entry-type",
         [this](const ScenarioCommand& c) { lists.Types().SetEntryWrapType(c.Int(0), c[1]); });
    s.On("wrap-type", [this](const ScenarioCommand& c) { lists.Types().WrapType(c[0]); });
    s.On("combo", [this](const ScenarioCommand& c) { combo().SetSecondInd(c[0]); });
    s.On("combo-clear", [this](const ScenarioCommand&) { combo().Clear(); });
    s.On("validate", [this](const ScenarioCommand& c) {
      Guard([&] { lists.ValidateFileList(c.rest == "checked"); });
    });
    s.On("checks", [this](const ScenarioCommand& c) {
      SourceChecks& checks = lists.Checks();
      const std::string list = NameOf(c[1]);
      Guard([&] {
        if (c[0] == "toggle") checks.ToggleSelect(list);
        if (c[0] == "all") checks.SelectAll(list);
        if (c[0] == "remove") checks.RemoveFiles(list);
        if (c[0] == "duplicates") checks.RemoveDuplicates(list);
      });
    });
    s.On("clear-status", [this](const ScenarioCommand&) { status.ClearMessages(); });
    s.On("colour", [this, &o](const ScenarioCommand&) {
      const char* const colours[] = {"neutral", "warning", "error"};
      o("colour", colours[static_cast<int>(status.Colour())]);
    });
    s.On("list", [this, &o](const ScenarioCommand& c) { o(c[0], List(c[0])); });
    s.On("contains", [this, &o](const ScenarioCommand& c) {
      o("index holds " + c[0], lists.Sources().Contains(c[0]));
    });
    // From here on every status message is shown as it comes, with its kind.
    s.On("follow", [this, &o](const ScenarioCommand&) {
      following.Add(
          status.messageReported.Connect([&o](StatusMessageKind kind, const std::string& text) {
            const char* const kinds[] = {"Status", "Warning", "Error", "Fatal"};
            o(kinds[static_cast<int>(kind)], text);
          }));
    });
    s.On("sync", [this, &o](const ScenarioCommand&) { o("in line", lists.Synchronize()); });
    s.On("check-base", [this, &o](const ScenarioCommand&) {
      const int before = aborts;
      Guard([&] { lists.CheckBaseBeforeRun(); });
      o("run allowed", aborts == before);
    });
    s.On("look", [this, &o](const ScenarioCommand&) { Look(o); });
    s.On("read", [this, &o](const ScenarioCommand& c) { o(c[0], dir.Read(c[0])); });
    s.On("exists", [this, &o](const ScenarioCommand& c) {
      o(c[0] + " exists", fs::symlink_status(dir / c[0]).type() != fs::file_type::not_found);
    });
    s.On("setting", [this, &o](const ScenarioCommand& c) { o(c[0], settings.ReadSetting(c[0])); });
    s.On("action", [this, &o](const ScenarioCommand& c) {
      const Action& action = actions.Get(c[0]);
      o(c[0], std::string(action.Enabled() ? "enabled" : "disabled") +
                  (action.Visible() ? "" : ", hidden") + (action.Checked() ? ", checked" : ""));
    });
    s.On("window", [this, &o](const ScenarioCommand&) {
      o("tabs",
        job.window.mainPages.ActivePage() + " | " + job.window.copySourcePages.ActivePage());
      o("highlighted", sources().ItemIndex())("combo", combo().SecondInd());
      o("sources page", job.window.sourcesPage.Caption())("progress",
                                                          job.window.progress.Visible());
    });
  }
  void RunScenario(const std::string& golden) {
    Scenario s(Dirs());
    Commands(s);
    s.Run(golden);
  }
  // An entry as "text", "+text" (checked), "~text" (greyed) or "+~text".
  static CheckListItem Item(std::string text) {
    const bool checked = text.starts_with('+');
    if (checked) text.erase(0, 1);
    const bool greyed = text.starts_with('~');
    if (greyed) text.erase(0, 1);
    return {text, checked, !greyed};
  }
  // A list by its short name in the scenarios, or any component by its own name.
  std::string NameOf(const std::string& alias) const {
    const std::map<std::string, std::string> lists{{"sources", names::kListSources},
                                                   {"copies", names::kListCopies},
                                                   {"tags", names::kListControlTags},
                                                   {"objects", names::kListObjects}};
    const auto found = lists.find(alias);
    return found == lists.end() ? alias : found->second;
  }
  CheckList& List(const std::string& alias) { return form.Get<CheckList>(NameOf(alias)); }

  // Runs an action as the shell does: an abort ends it quietly.
  void run(const char* action) {
    Guard([&] { actions.Get(action).Invoke(); });
  }

  bool shaped = ShapeForSources(form);
  SourceLists lists{context, *this};
  ConnectionList following;
};

}  // namespace korvane::testing
