#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/sources/source_lists_fixture.h"

namespace korvane::testing {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

TEST(SourceListEditing, ValidationLimitsMissingFilesAndCheckedRequirement) {
  SourcesFixture f;
  std::vector<CheckListItem> many(9999, CheckListItem{"X.cbl=/x", false, false});
  f.sources().SetItems(many);
  EXPECT_THROW(f.lists.ValidateFileList(false), OperationAbort);
  EXPECT_EQ(f.status.Text(), "The number of file in one job must be less than 9999");
  EXPECT_EQ(f.caption(names::kPanelSources), "Source files of the project (9999)");
  many.pop_back();
  f.sources().SetItems(many);
  EXPECT_NO_THROW(f.lists.ValidateFileList(false));

  f.dir.Write("job/SourceCollection/HERE.cbl", "");
  f.sources().SetItems(
      {{"GONE.cbl=/a", true, true}, {"HERE.cbl=/b", true, true}, {"../HERE.cbl=/c", true, true}});
  EXPECT_THROW(f.lists.ValidateFileList(false), OperationAbort);
  EXPECT_EQ(f.status.Text(), "Some input files cannot be found!");
  for (int i : {0, 2}) {
    EXPECT_FALSE(f.sources().Items()[i].checked || f.sources().Items()[i].enabled) << i;
  }
  EXPECT_TRUE(f.sources().Items()[1].checked);
  f.lists.ValidateFileList(true);  // the missing ones are out now: passes and clears the bar
  EXPECT_EQ(f.status.Text(), "");

  f.run("ActUnselectAll");  // no list focused yet
  EXPECT_EQ(f.status.Text(), "Click on a checklistbox first to use this function!");
  f.Focus(names::kListSources);
  f.run("ActUnselectAll");
  EXPECT_EQ(f.status.Text(), "No files are selected for processing!");
  EXPECT_THROW(f.lists.ValidateFileList(true), OperationAbort);
  EXPECT_EQ(f.status.Colour(), StatusColour::Error);

  f.SetInterface(true);
  f.lists.ValidateFileList(false);
  for (const auto& item : f.sources().Items()) EXPECT_TRUE(item.enabled);
}

TEST(SourceListEditing, CheckActionsFindTheirListAndLeaveDisabledEntriesAlone) {
  SourcesFixture f;
  auto& tags = f.form.Get<CheckList>(names::kListControlTags);
  tags.SetItems({{"WORD a", false, true}, {"WORD b", true, true}, {"WORD c", false, false}});
  f.lists.Checks().ToggleSelect(names::kListControlTags);
  EXPECT_TRUE(tags.Items()[0].checked);
  EXPECT_FALSE(tags.Items()[2].checked);
  f.lists.Checks().SelectAll(names::kListControlTags);
  EXPECT_FALSE(tags.Items()[2].checked);
  f.lists.Checks().RemoveFiles(names::kListControlTags);
  EXPECT_EQ(tags.Items().size(), 2u);

  EXPECT_THROW(f.lists.Checks().SelectAll(names::kFrameEditor),
               OperationAbort);  // tagged, not a list
  EXPECT_EQ(f.status.Text(), "Click on a checklistbox first to use this function(Tag)!");

  f.dir.Write("job/SourceCollection/B.cbl", "");
  f.sources().SetItems({{"A.cbl=/a", false, false}, {"B.cbl=/b", true, false}});
  f.lists.Checks().ToggleSelect(names::kListSources);
  EXPECT_FALSE(f.sources().Items()[0].checked);
  EXPECT_TRUE(f.sources().Items()[1].checked);
}

TEST(SourceListEditing, RemovingUncheckedDeletesOnlyInsideTheCollection) {
  SourcesFixture f;
  f.dir.Write("job/SourceCollection/A.cbl", "");
  f.dir.Write("job/SourceCollection/SelectedEntities/A.cbl", "");
  f.dir.Write("job/SourceCollection/B.cbl", "");
  f.dir.Write("job/victim.cbl", "keep");
  const std::string outside = f.dir.Write("outside.cbl", "keep");
  fs::create_symlink(outside, f.dir / "job/SourceCollection/L.cbl");
  f.marks().SetValue("A.cbl.WrpT", "Onl");
  f.sources().SetItems({{"../victim.cbl=/v", false, true},
                        {"A.cbl=/a", false, true},
                        {"B.cbl=/b", true, true},
                        {"L.cbl=/l", false, true}});
  f.lists.Checks().RemoveFiles(names::kListSources);

  EXPECT_EQ(f.texts(f.sources()), (Texts{"B.cbl=/b"}));
  EXPECT_FALSE(fs::exists(f.dir / "job/SourceCollection/A.cbl"));
  EXPECT_FALSE(fs::exists(f.dir / "job/SourceCollection/SelectedEntities/A.cbl"));
  EXPECT_EQ(f.dir.Read("job/victim.cbl"), "keep");
  EXPECT_FALSE(fs::exists(fs::symlink_status(f.dir / "job/SourceCollection/L.cbl")));
  EXPECT_EQ(f.dir.Read("outside.cbl"), "keep");
  EXPECT_EQ(f.marks().Value("A.cbl.WrpT"), "Onl");
  EXPECT_EQ(f.caption(names::kPanelSources), "Source files of the project (1)");
  EXPECT_FALSE(f.lists.Sources().Contains("a.CBL"));
}

TEST(SourceListEditing, DuplicatesGoOnlyWhenTheWholeLineMatches) {
  SourcesFixture f;
  f.sources().SetItems({{"B.cbl=/x", true, true},
                        {"A.cbl=/x", false, true},
                        {"b.cbl=/x", false, true},
                        {"B.cbl=/x", false, true},
                        {"B.cbl=/y", false, true}});
  f.lists.Checks().RemoveDuplicates(names::kListSources);
  EXPECT_EQ(f.texts(f.sources()), (Texts{"A.cbl=/x", "B.cbl=/x", "b.cbl=/x", "B.cbl=/y"}));
  EXPECT_TRUE(f.sources().Items()[1].checked);  // the first of the pair stays
}

TEST(SourceListEditing, WrappingTypesFollowLabelsPerEntryAndInBulk) {
  SourcesFixture f;
  f.sources().SetItems(
      {{"A.cbl=/a", true, true}, {"B.cbl=/b", true, true}, {"C.cbl=/c", false, false}});
  f.marks().SetValue("B.cbl.Lbl", "Y");
  auto& mark = f.actions.Get(names::kActMarkToBeWrapped);

  f.run("ActMarkToBeWrapped");
  EXPECT_EQ(f.status.Text(), "No selection, click with the left mouse button on a line!");

  f.lists.Types().HighlightSource(2);  // no type yet: takes the combo's
  EXPECT_EQ(f.marks().Value("C.cbl.WrpT"), "Onl");
  EXPECT_TRUE(f.sources().Items()[2].enabled);
  f.run(names::kActWrapTypeProc);
  EXPECT_EQ(f.marks().Value("C.cbl.WrpT"), "Proc");
  EXPECT_FALSE(f.sources().Items()[2].enabled);
  EXPECT_TRUE(mark.Enabled());
  f.run(names::kActMarkToBeWrapped);  // the marker is not part of this version yet
  EXPECT_EQ(f.status.Text(), "The label marker is not available in this version of the shell");
  f.lists.Types().SetEntryWrapType(2, "Intr");
  EXPECT_TRUE(f.sources().Items()[2].enabled);
  EXPECT_FALSE(mark.Enabled());

  f.lists.Types().HighlightSource(1);  // a stored type is shown in the combo
  f.lists.Types().SetEntryWrapType(1, "File");
  f.lists.Types().HighlightSource(1);
  EXPECT_EQ(f.combo().SecondInd(), "File");

  f.combo().SetSecondInd("Proc");
  f.run(names::kActApplyToAll);
  EXPECT_FALSE(f.sources().Items()[0].checked || f.sources().Items()[0].enabled);
  EXPECT_TRUE(f.sources().Items()[1].checked && f.sources().Items()[1].enabled);
  EXPECT_TRUE(mark.Enabled());

  f.sources().MutableItems()[0] = {"A.cbl=/a", true, true};
  f.combo().SetSecondInd("Intr");
  f.run(names::kActApplyToChecked);
  EXPECT_FALSE(f.sources().Items()[0].enabled);  // in bulk "Intr" needs labels too
  EXPECT_EQ(f.marks().Value("A.cbl.WrpT"), "Intr");
  EXPECT_EQ(f.marks().Value("C.cbl.WrpT"), "Proc");  // unchecked: untouched

  auto& pages = f.form.Get<PageControl>(names::kPageControlCopySource);
  pages.SetActivePage(names::kPageCopies);
  f.combo().SetSecondInd("Onl");
  f.run(names::kActApplyToAll);
  EXPECT_EQ(pages.ActivePage(), names::kPageSources);
  EXPECT_EQ(f.marks().Value("A.cbl.WrpT"), "Intr");
  EXPECT_EQ(f.aborts, 2);  // no selection, and the marker that is not there yet
}

TEST(SourceListEditing, OnlyANewTypeOrStateIsAChangeOfTheJob) {
  SourcesFixture f;
  f.sources().SetItems(
      {{"A.cbl=/a", true, true}, {"B.cbl=/b", false, false}, {"C.cbl=/c", false, true}});
  f.marks().SetValue("A.cbl.WrpT", "Onl");
  f.marks().SetValue("B.cbl.WrpT", "File");
  // Walking through typed entries, as opening a job does with the first one, and giving
  // an entry the type it has, change nothing.
  for (int index : {0, 1, 0}) f.lists.Types().HighlightSource(index);
  f.lists.Types().SetEntryWrapType(0, "Onl");
  EXPECT_EQ(f.modified, 0);
  EXPECT_FALSE(f.sources().Items()[1].enabled);

  f.run(names::kActWrapTypeModule);  // the highlighted A
  EXPECT_EQ(f.marks().Value("A.cbl.WrpT"), "Module");
  EXPECT_EQ(f.modified, 1);
  // B's labels arrived meanwhile: highlighting makes it usable, which is a change.
  f.marks().SetValue("B.cbl.Lbl", "Y");
  f.lists.Types().HighlightSource(1);
  EXPECT_TRUE(f.sources().Items()[1].enabled);
  EXPECT_EQ(f.modified, 2);
  // An entry without a type takes the combo's.
  f.lists.Types().HighlightSource(2);
  EXPECT_EQ(f.marks().Value("C.cbl.WrpT"), "File");
  EXPECT_EQ(f.modified, 3);

  // A product without wrapping types has none to give: the stored one stays.
  f.combo().Clear();
  f.lists.Types().HighlightSource(0);
  EXPECT_EQ(f.sources().ItemIndex(), 0);
  EXPECT_EQ(f.marks().Value("A.cbl.WrpT"), "Module");
  EXPECT_EQ(f.modified, 3);
}

TEST(SourceListEditing, TheHighlightAndTheNextTypeFollowTheEntryThroughAnAdd) {
  SourcesFixture f;
  const std::string m = f.dir.Write("in/M.cbl", "");
  f.person.openAnswers.push_back({m});
  f.run("ActAddFilesToSources");
  f.lists.Types().HighlightSource(0);
  f.lists.Types().WrapType("Module");
  EXPECT_EQ(f.combo().SecondInd(), "Module");

  // Entries that sort before and after the highlighted one.
  f.dir.Write("more/A.cbl", "");
  f.dir.Write("more/Z.cbl", "");
  f.person.folderAnswers.push_back(f.dir / "more");
  f.run("ActAddDirectoryToSources");
  ASSERT_EQ(f.sources().Items().size(), 3u);
  EXPECT_EQ(f.caption(names::kPanelSources), "Source files of the project (3)");
  EXPECT_EQ(f.form.Get<Page>(names::kPageSources).Caption(), "Source files to be wrapped(3)");
  ASSERT_EQ(f.sources().ItemIndex(), 1);
  EXPECT_EQ(f.sources().Items()[1].text, "M.cbl=" + m);
  f.lists.Types().WrapType("Onl");
  EXPECT_EQ(f.marks().Value("M.cbl.WrpT"), "Onl");
  EXPECT_EQ(f.marks().Value("A.cbl.WrpT"), "");

  // A refill without the entry drops the highlight: no type reaches another source.
  f.sources().SetItems({{"A.cbl=/a", true, true}, {"Z.cbl=/z", true, true}});
  EXPECT_EQ(f.sources().ItemIndex(), -1);
  EXPECT_EQ(f.form.Get<Page>(names::kPageSources).Caption(), "Source files to be wrapped(2)");
  f.lists.Types().WrapType("Module");
  EXPECT_EQ(f.marks().Value("A.cbl.WrpT"), "");
  EXPECT_EQ(f.marks().Value("Z.cbl.WrpT"), "");
  f.sources().Clear();
  EXPECT_EQ(f.caption(names::kPanelSources), "Source files of the project (0)");
}

TEST(SourceListEditing, ColumnsLayoutAndSortChoice) {
  SourcesFixture f;
  f.sources().SetItems(
      {{"LONGNAME.cbl=/p", false, false}, {"A.cbl=/very/long/path", false, false}});
  f.copies().SetItems({{"C.cpy=/ab", true, true}});
  f.marks().SetValue("A.cbl.WrpT", "Proc");
  f.marks().SetValue("LONGNAME.cbl.WrpT", "Odd");
  f.lists.UpdateListColumns(f.sources());
  f.lists.UpdateListColumns(f.copies());
  EXPECT_EQ(f.sources().ScrollWidth(), 12 * 7 + 22 + 20 * 7 + 5 + 15 * 7);
  EXPECT_EQ(f.copies().ScrollWidth(), 5 * 7 + 22 + 3 * 7);

  const auto line = f.lists.LayoutOf(f.sources(), 1);
  EXPECT_EQ(line.typeCaption, "Procedure wrapping");
  EXPECT_EQ(line.typeX, 12 * 7 + 7);
  EXPECT_EQ(line.pathX, 12 * 7 + 7 + 20 * 7 + 5);
  EXPECT_EQ(f.lists.LayoutOf(f.sources(), 0).typeCaption, "Odd");

  f.run("ActSortByLevel");
  EXPECT_TRUE(f.actions.Get("ActSortByLevel").Checked());
  f.run("ActSortByRuleName");
  EXPECT_FALSE(f.actions.Get("ActSortByLevel").Checked());
  EXPECT_TRUE(f.actions.Get("ActSortByRuleName").Checked());
}

}  // namespace
}  // namespace korvane::testing
