// Adding sources and copies by dialog, by folder and by dropping; each scenario's lists,
// captions, marks, status and dialogs are compared with a golden under tests/data/sources.
#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/sources/source_lists_fixture.h"

namespace korvane::testing {
namespace {

namespace fs = std::filesystem;

TEST(SourceListAdding, DialogAddsCopiesFlagsAndSortsSkippingDuplicatesAndOddExtensions) {
  SourcesFixture f;
  Observations o;
  const std::string b = f.dir.Write("one/b.COB", "B");
  const std::string a = f.dir.Write("one/A.cbl", "first A");
  const std::string a2 = f.dir.Write("two/a.CBL", "second A");
  f.person.openAnswers.push_back(
      {b, a, a2, f.dir.Write("one/README", "x"), f.dir.Write("one/notes.txt", "x")});
  f.run("ActAddFilesToSources");
  // New sources start unchecked and greyed; the first one is highlighted and so takes the
  // combo's type, which makes it usable.
  f.Look(o, "added");
  o("filter asked for", f.filterKeys)("last folder", f.settings.ReadSetting("LastInputFileDir"));
  o("A.cbl copied", f.dir.Read("job/SourceCollection/A.cbl"));
  o("README copied", fs::exists(f.dir / "job/SourceCollection/README"));
  // The next dialog opens where the first file of the last add came from.
  f.person.openAnswers.push_back({});
  f.run("ActAddFiles");
  f.Look(o, "next dialog");
  o.Compare("sources/adding_dialog.txt", f.Dirs());
}

TEST(SourceListAdding, CopiesAreCheckedAndInterfaceSourcesEnabled) {
  SourcesFixture f;
  Observations o;
  f.person.openAnswers.push_back({f.dir.Write("lib/PAY.cpy", "copy")});
  f.run(names::kActAddFilesToCopies);
  f.Look(o, "copy added");
  o("tab", f.job.window.copySourcePages.ActivePage())("filter asked for", f.filterKeys);
  o("last folder", f.settings.ReadSetting("LastInputFileDir.Copy"));
  o("marking offered", f.actions.Get(names::kActMarkToBeWrapped).Visible());
  // In interface mode a new source is usable at once, as interface wrapping.
  f.SetInterface(true);
  f.person.openAnswers.push_back({f.dir.Write("in/A.cbl", "a")});
  f.run("ActAddFilesToSources");
  f.Look(o, "interface source added");
  o.Compare("sources/adding_copies.txt", f.Dirs());
}

TEST(SourceListAdding, AllFilesFilterAddsNothingByDialogButEveryExtensionByDirectory) {
  SourcesFixture f;
  Observations o;
  f.filter = "All files|*.*";
  f.dir.Write("tree/sub/Y.any", "y");
  f.dir.Write("tree/NOEXT", "n");
  f.dir.Write("tree/.hidden/Z.cbl", "z");
  f.person.openAnswers.push_back({f.dir.Write("tree/X.cbl", "x")});
  f.run("ActAddFiles");
  f.Look(o, "by dialog");
  f.person.folderAnswers.push_back(f.dir / "tree");
  f.run("ActAddDirectories");
  f.Look(o, "by folder");
  o("progress shown", f.job.window.progress.Visible());
  o.Compare("sources/adding_all_files.txt", f.Dirs());
}

TEST(SourceListAdding, LargeDirectoryQuestionAtOneAboveTheLimitAndNeverForDrops) {
  SourcesFixture f;
  Observations o;
  f.limit = 3;
  for (const char* rel : {"three/a.cbl", "three/b.cbl", "three/c.cbl", "four/d.cbl", "four/e.cbl",
                          "four/f.cbl", "four/g.cbl"}) {
    f.dir.Write(rel, "");
  }
  f.person.folderAnswers.push_back(f.dir / "three");
  f.run("ActAddDirectoryToCopies");
  f.Look(o, "three files, the limit");
  f.person.folderAnswers.push_back(f.dir / "four");
  f.person.answers.push_back(Button::Cancel);
  f.run("ActAddDirectoryToCopies");
  f.Look(o, "four files, cancelled");
  // A dropped directory is quiet; a drop on a copies button switches to the copies tab.
  f.job.window.copySourcePages.SetActivePage(names::kPageSources);
  f.lists.Adding().DropFiles(names::kButtonAddFilesToCpy, {f.dir / "four"});
  f.Look(o, "four files dropped");
  o("tab", f.job.window.copySourcePages.ActivePage());
  o.Compare("sources/adding_large_folder.txt", f.Dirs());
}

TEST(SourceListAdding, DroppedFilesOnAPanelKeepTheTabAndOnlyTheFirstSetsTheFolder) {
  SourcesFixture f;
  const std::string d = f.dir.Write("d/D.cob", "");
  const std::string e = f.dir.Write("d/sub/E.cbl", "");
  f.lists.Adding().DropFiles(names::kPanelSources,
                             {f.dir / "d/sub", f.dir.Write("d/NOEXT", ""), d});
  EXPECT_EQ(f.texts(f.sources()), (std::vector<std::string>{"D.cob=" + d, "E.cbl=" + e}));
  // The tree's first file was the first stored; a file dropped later is not.
  EXPECT_EQ(f.settings.ReadSetting("LastInputFileDir"), e);
}

// A name whose line the job file would split or end early is refused, by name, and the
// other files of the same add still come in.
TEST(SourceListAdding, NamesTheJobCannotHoldAreRefusedByName) {
  SourcesFixture f;
  Observations o;
  ConnectionList keep;
  keep.Add(f.status.messageReported.Connect([&o](StatusMessageKind kind, const std::string& text) {
    if (kind == StatusMessageKind::Error) o("error", text);
  }));
  f.person.openAnswers.push_back({f.dir.Write("in/PAY=2.cbl", "x"),
                                  f.dir.Write("in/[old].cbl", "x"),
                                  f.dir.Write("in/GOOD.cbl", "x")});
  f.run("ActAddFilesToSources");
  f.Look(o, "added");
  o("PAY=2.cbl copied", fs::exists(f.dir / "job/SourceCollection/PAY=2.cbl"));
  o.Compare("sources/adding_refused_names.txt", f.Dirs());
}

TEST(SourceListAdding, FailedCopyEndsTheAddWithEarlierEntriesConsistent) {
  SourcesFixture f;
  Observations o;
  const std::string a = f.dir.Write("in/A.cbl", "a");
  const std::string b = f.dir.Write("in/B.cbl", "b");
  const std::string c = f.dir.Write("in/C.cbl", "c");
  fs::create_directories(f.dir / "job/SourceCollection/C.cbl");  // cannot be overwritten
  f.person.openAnswers.push_back({b, c, a});
  std::string reported;
  ConnectionList keep;
  keep.Add(f.status.messageReported.Connect(
      [&](StatusMessageKind, const std::string& text) { reported += text; }));
  f.run("ActAddFiles");
  // The system's words vary: only the start of the status is compared, and the message
  // names both files since either side may be the one that failed.
  EXPECT_EQ(f.status.Text().rfind("Error during preparation - System Error : ", 0), 0u)
      << f.status.Text();
  EXPECT_NE(reported.find("(copying " + c + " to " + (f.dir / "job/SourceCollection/C.cbl") + ")"),
            std::string::npos)
      << reported;
  f.status.ClearMessages();
  f.Look(o, "the copy of C failed");

  // Sorting is back on and the index knows B: re-adding skips it, A goes in before it.
  fs::remove(f.dir / "job/SourceCollection/C.cbl");
  f.person.openAnswers.push_back({a, b});
  f.run("ActAddFiles");
  f.Look(o, "A and B again");

  // A link planted in the collection is replaced, not written through.
  fs::create_symlink(f.dir.Write("outside.cbl", "keep"), f.dir / "job/SourceCollection/C.cbl");
  f.person.openAnswers.push_back({c});
  f.run("ActAddFiles");
  o("outside", f.dir.Read("outside.cbl"))("C.cbl copied", f.dir.Read("job/SourceCollection/C.cbl"));
  o.Compare("sources/adding_failed_copy.txt", f.Dirs());
}

}  // namespace
}  // namespace korvane::testing
