#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/sources/source_lists_fixture.h"

namespace korvane::testing {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

TEST(SourceListAdding, DialogAddsCopiesFlagsAndSortsSkippingDuplicatesAndOddExtensions) {
  SourcesFixture f;
  const std::string b = f.dir.Write("one/b.COB", "B");
  const std::string a = f.dir.Write("one/A.cbl", "first A");
  const std::string a2 = f.dir.Write("two/a.CBL", "second A");
  const std::string bare = f.dir.Write("one/README", "x");
  const std::string txt = f.dir.Write("one/notes.txt", "x");
  f.person.openAnswers.push_back({b, a, a2, bare, txt});
  f.run("ActAddFilesToSources");

  const auto& request = f.person.openRequests.at(0);
  EXPECT_EQ(request.title, "Add files to process to the project");
  EXPECT_EQ(request.filter, f.filter);
  EXPECT_EQ(f.filterKeys.at(0), "COB");
  EXPECT_EQ(f.texts(f.sources()), (Texts{"A.cbl=" + a, "b.COB=" + b}));
  // New sources start unchecked and greyed; the first one is highlighted and so
  // takes the combo's type, which makes it usable.
  EXPECT_FALSE(f.sources().Items()[1].checked || f.sources().Items()[1].enabled);
  EXPECT_TRUE(f.sources().Items()[0].enabled);
  EXPECT_EQ(f.dir.Read("job/SourceCollection/A.cbl"), "first A");
  EXPECT_FALSE(fs::exists(f.dir / "job/SourceCollection/README"));
  EXPECT_EQ(f.settings.ReadSetting("LastInputFileDir"), b);
  EXPECT_EQ(f.caption(names::kPanelSources), "Source files of the project (2)");
  EXPECT_EQ(f.status.Text(), "No files are selected for processing!");
  EXPECT_EQ(f.marks().Value("A.cbl.WrpT"), "Onl");
  EXPECT_EQ(f.marks().Value("b.COB.WrpT"), "");
  EXPECT_GT(f.modified, 0);

  // The next dialog opens where the first file of the last add came from.
  f.person.openAnswers.push_back({});
  f.run("ActAddFiles");
  EXPECT_EQ(f.person.openRequests.at(1).initialDir, f.dir / "one/");
}

TEST(SourceListAdding, CopiesAreCheckedAndInterfaceSourcesEnabled) {
  SourcesFixture f;
  const std::string c = f.dir.Write("lib/PAY.cpy", "copy");
  f.person.openAnswers.push_back({c});
  f.run(names::kActAddFilesToCopies);
  EXPECT_EQ(f.form.Get<PageControl>(names::kPageControlCopySource).ActivePage(),
            names::kPageCopies);
  EXPECT_EQ(f.filterKeys.back(), "COB.Copy");
  ASSERT_EQ(f.copies().Items().size(), 1u);
  EXPECT_TRUE(f.copies().Items()[0].checked);
  EXPECT_EQ(f.settings.ReadSetting("LastInputFileDir.Copy"), c);
  EXPECT_EQ(f.caption(names::kPanelCopies), "Copy library of the project (1)");
  EXPECT_FALSE(f.actions.Get(names::kActMarkToBeWrapped).Visible());

  // In interface mode a new source is usable at once, as interface wrapping.
  f.SetInterface(true);
  const std::string a = f.dir.Write("in/A.cbl", "a");
  f.person.openAnswers.push_back({a});
  f.run("ActAddFilesToSources");
  ASSERT_EQ(f.sources().Items().size(), 1u);
  EXPECT_TRUE(f.sources().Items()[0].enabled);
  EXPECT_EQ(f.marks().Value("A.cbl.WrpT"), "Intr");
}

TEST(SourceListAdding, AllFilesFilterAddsNothingByDialogButEveryExtensionByDirectory) {
  SourcesFixture f;
  f.filter = "All files|*.*";
  const std::string x = f.dir.Write("tree/X.cbl", "x");
  f.dir.Write("tree/sub/Y.any", "y");
  f.dir.Write("tree/NOEXT", "n");
  f.dir.Write("tree/.hidden/Z.cbl", "z");
  f.person.openAnswers.push_back({x});
  f.run("ActAddFiles");
  EXPECT_TRUE(f.sources().Items().empty());

  f.person.folderAnswers.push_back(f.dir / "tree");
  f.run("ActAddDirectories");
  EXPECT_EQ(f.person.folderRequests.at(0).caption,
            "Select a folder containing files to add to the project");
  EXPECT_EQ(f.texts(f.sources()), (Texts{"X.cbl=" + x, "Y.any=" + (f.dir / "tree/sub/Y.any")}));
  EXPECT_FALSE(f.form.Get<GroupBox>(names::kGroupProgress).Visible());
}

TEST(SourceListAdding, LargeDirectoryQuestionAtOneAboveTheLimitAndNeverForDrops) {
  SourcesFixture f;
  f.limit = 3;
  for (const char* rel : {"three/a.cbl", "three/b.cbl", "three/c.cbl", "four/d.cbl", "four/e.cbl",
                          "four/f.cbl", "four/g.cbl"}) {
    f.dir.Write(rel, "");
  }
  f.person.folderAnswers.push_back(f.dir / "three");
  f.run("ActAddDirectoryToCopies");
  EXPECT_TRUE(f.person.asked.empty());
  EXPECT_EQ(f.copies().Items().size(), 3u);

  f.person.folderAnswers.push_back(f.dir / "four");
  f.person.answers.push_back(Button::Cancel);
  f.run("ActAddDirectoryToCopies");
  ASSERT_EQ(f.person.asked.size(), 1u);
  EXPECT_EQ(f.person.asked[0].text,
            "You are going to add 4 source files\r\nDo you really want to proceed?");
  EXPECT_EQ(f.status.Text(), "Cancelled due to too many files in directory");
  EXPECT_EQ(f.aborts, 1);

  // A dropped directory is quiet; a drop on a copies button switches to the copies tab.
  f.form.Get<PageControl>(names::kPageControlCopySource).SetActivePage(names::kPageSources);
  f.lists.Adding().DropFiles(names::kButtonAddFilesToCpy, {f.dir / "four"});
  EXPECT_EQ(f.person.asked.size(), 1u);
  EXPECT_EQ(f.copies().Items().size(), 7u);
}

TEST(SourceListAdding, DroppedFilesOnAPanelKeepTheTabAndOnlyTheFirstSetsTheFolder) {
  SourcesFixture f;
  const std::string d = f.dir.Write("d/D.cob", "");
  const std::string e = f.dir.Write("d/sub/E.cbl", "");
  const std::string bare = f.dir.Write("d/NOEXT", "");
  f.lists.Adding().DropFiles(names::kPanelSources, {f.dir / "d/sub", bare, d});
  EXPECT_EQ(f.texts(f.sources()), (Texts{"D.cob=" + d, "E.cbl=" + e}));
  // The tree's first file was the first stored; a file dropped later is not.
  EXPECT_EQ(f.settings.ReadSetting("LastInputFileDir"), e);
}

// A name whose line the job file would split or end early is refused, by name, and the
// other files of the same add still come in.
TEST(SourceListAdding, NamesTheJobCannotHoldAreRefusedByName) {
  SourcesFixture f;
  const std::string eq = f.dir.Write("in/PAY=2.cbl", "x");
  const std::string bracket = f.dir.Write("in/[old].cbl", "x");
  const std::string good = f.dir.Write("in/GOOD.cbl", "x");
  std::vector<std::string> errors;
  ConnectionList keep;
  keep.Add(
      f.status.messageReported.Connect([&errors](StatusMessageKind kind, const std::string& text) {
        if (kind == StatusMessageKind::Error) errors.push_back(text);
      }));
  f.person.openAnswers.push_back({eq, bracket, good});
  f.run("ActAddFilesToSources");
  EXPECT_EQ(f.texts(f.sources()), Texts{"GOOD.cbl=" + good});
  EXPECT_EQ(errors, (Texts{"The file " + eq + " is not added: its name holds \"=\"",
                           "The file " + bracket + " is not added: its name starts with \"[\""}));
  EXPECT_FALSE(fs::exists(f.dir / "job/SourceCollection/PAY=2.cbl"));
}

TEST(SourceListAdding, FailedCopyEndsTheAddWithEarlierEntriesConsistent) {
  SourcesFixture f;
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
  EXPECT_EQ(f.aborts, 1);
  EXPECT_EQ(f.status.Text().rfind("Error during preparation - System Error : ", 0), 0u)
      << f.status.Text();
  // The message names both files: either side may be the one that failed.
  EXPECT_NE(reported.find("(copying " + c + " to " + (f.dir / "job/SourceCollection/C.cbl") + ")"),
            std::string::npos)
      << reported;
  EXPECT_EQ(f.texts(f.sources()), (Texts{"B.cbl=" + b}));
  EXPECT_EQ(f.caption(names::kPanelSources), "Source files of the project (1)");

  // Sorting is back on and the index knows B: re-adding skips it, A goes in before it.
  fs::remove(f.dir / "job/SourceCollection/C.cbl");
  f.person.openAnswers.push_back({a, b});
  f.run("ActAddFiles");
  EXPECT_EQ(f.texts(f.sources()), (Texts{"A.cbl=" + a, "B.cbl=" + b}));

  // A link planted in the collection is replaced, not written through.
  const std::string outside = f.dir.Write("outside.cbl", "keep");
  fs::create_symlink(outside, f.dir / "job/SourceCollection/C.cbl");
  f.person.openAnswers.push_back({c});
  f.run("ActAddFiles");
  EXPECT_EQ(f.dir.Read("outside.cbl"), "keep");
  EXPECT_EQ(f.dir.Read("job/SourceCollection/C.cbl"), "c");
}

}  // namespace
}  // namespace korvane::testing
