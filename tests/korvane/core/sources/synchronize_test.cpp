#include "korvane/core/sources/synchronize.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/common/text_file.h"
#include "support/svc_scenario.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::Observations;
using testing::TempDir;
using Lines = std::vector<std::string>;

struct Job {
  TempDir tmp;
  CheckList sources{"CheckListBoxSelectedFiles", "PanelSelectedFiles"};
  CheckList copies{"CheckListBoxUsedCopies", "PanelUsedCopies"};
  StringListHolder marks{"StLHWrapperMarks", "TfrmKorvaneMain"};
  int modified = 0;  // the synchronisations that changed the lists or the marks
  Lines refused;
  Lines dropped;
  Lines unholdable;

  void Source(const std::string& name, const std::string& type, bool checked, bool enabled) {
    sources.Add({name + "=/orig/" + name, checked, enabled});
    if (!type.empty()) marks.Keyed().SetValue(name + ".WrpT", type);
  }
  bool Sync(bool copiesTab = true) {
    bool changed = false;
    const bool whole =
        SynchronizeJobDirectories({sources, copies, marks, copiesTab, tmp.Path().string(), &changed,
                                   &refused, &dropped, &unholdable});
    modified += changed ? 1 : 0;
    return whole;
  }
  // Synchronises, then shows whether the job is whole, the lists, the marks, what was
  // named, and the job's folder.
  void SyncAndLook(Observations& o, bool copiesTab = true) {
    o("whole", Sync(copiesTab))("sources", sources)("copies", copies)("highlighted copy",
                                                                      copies.ItemIndex());
    o("marks", marks.StringList())("changes", modified);
    o("refused", refused)("dropped", dropped)("unholdable", unholdable).Tree("folder", tmp.Path());
    refused.clear();
    dropped.clear();
    unholdable.clear();
  }
  // Plays a scenario of tests/data/sources: the job's folder is {dir}, another one
  // that links lead to is {outside}.
  void RunScenario(const std::string& golden) {
    TempDir outside;
    testing::Scenario s({{"{outside}", outside.Path().string()}, {"{dir}", tmp.Path().string()}});
    Observations& o = s.out;
    using Command = testing::ScenarioCommand;
    // "source [+][~]NAME [TYPE]": "+" checked, "~" greyed.
    s.On("source", [this](const Command& c) {
      std::string name = c[0];
      const bool checked = name.starts_with('+');
      if (checked) name.erase(0, 1);
      const bool greyed = name.starts_with('~');
      if (greyed) name.erase(0, 1);
      Source(name, c.words.size() > 1 ? c[1] : "", checked, !greyed);
    });
    s.On("copy", [this](const Command& c) { copies.Add({c[0], c[1] == "checked", true}); });
    s.On("highlight-copy", [this](const Command& c) { copies.SetItemIndex(c.Int(0)); });
    s.On("write", [this](const Command& c) { tmp.Write(c[0], c.Text()); });
    s.On("outside", [&](const Command& c) { outside.Write(c[0], c.Text()); });
    s.On("mkdir", [this](const Command& c) { fs::create_directories(tmp / c[0]); });
    s.On("link", [this](const Command& c) { fs::create_symlink(c[0], tmp / c[1]); });
    s.On("marks", [this](const Command& c) { marks.SetStringList(c.words); });
    s.On("mark", [this](const Command& c) { marks.Keyed().SetValue(c[0], c[1]); });
    s.On("uncheck", [this](const Command& c) { sources.MutableItems()[c.Int(0)].checked = false; });
    s.On("enable", [this](const Command& c) { sources.MutableItems()[c.Int(0)].enabled = true; });
    s.On("sync", [&](const Command& c) { SyncAndLook(o, c.rest != "hidden copies"); });
    s.On("outside-tree", [&](const Command&) { o.Tree("outside", outside.Path()); });
    s.Run("sources/" + golden);
  }
};

// The scenarios are in tests/data/sources/sync_*.txt, commands with what they showed.
class SynchronizeJobDirectories : public ::testing::TestWithParam<const char*> {};

TEST_P(SynchronizeJobDirectories, Scenario) {
  Job().RunScenario(std::string("sync_") + GetParam() + ".txt");
}

INSTANTIATE_TEST_SUITE_P(Scenarios, SynchronizeJobDirectories,
                         ::testing::Values("copies", "named_sources", "labels", "fitting_labels",
                                           "links"),
                         [](const auto& info) { return std::string(info.param); });

TEST(SynchronizeLinkedFolders, LinkedCollectionFoldersAreLeftAloneWithTheirEntries) {
  // Each folder, when it is a link, keeps everything behind it and every entry it serves.
  Observations o;
  for (const char* linked : {"SourceCollection", "LabelCollection", "CopyCollection"}) {
    Job job;
    TempDir outside;
    outside.Write("OTHER.cbl", "precious");
    job.Source("A.cbl", "Onl", true, true);
    job.Source("B.cbl", "File", true, true);
    job.copies.Add({"C.cpy=/o/C.cpy", true, true});
    for (const char* folder : {"SourceCollection", "LabelCollection", "CopyCollection"}) {
      if (std::string(folder) != linked) fs::create_directories(job.tmp.Path() / folder);
    }
    fs::create_directory_symlink(outside.Path(), job.tmp.Path() / linked);
    o.Step(linked);
    job.Sync();
    o("sources", job.sources)("copies", job.copies)("refused", job.refused);
    o.Tree("outside", outside.Path());
    o.text = testing::WithPlaceholders(
        o.text, {{"{outside}", outside.Path().string()}, {"{dir}", job.tmp.Path().string()}});
  }
  o.Compare("sources/sync_linked_folders.txt");
}

}  // namespace
}  // namespace korvane
