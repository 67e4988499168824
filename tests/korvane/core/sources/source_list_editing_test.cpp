// Checking, removing and typing the entries of the lists: the scenarios are in
// tests/data/sources/editing_*.txt, commands with what they showed.
#include <gtest/gtest.h>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/sources/source_lists_fixture.h"

namespace korvane::testing {
namespace {

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
  SourcesFixture().RunScenario("sources/editing_validation.txt");
}

TEST(SourceListEditing, CheckActionsFindTheirListAndLeaveDisabledEntriesAlone) {
  SourcesFixture().RunScenario("sources/editing_check_actions.txt");
}

TEST(SourceListEditing, RemovingUncheckedDeletesOnlyInsideTheCollection) {
  SourcesFixture().RunScenario("sources/editing_remove.txt");
}

TEST(SourceListEditing, DuplicatesGoOnlyWhenTheWholeLineMatches) {
  SourcesFixture().RunScenario("sources/editing_duplicates.txt");
}

TEST(SourceListEditing, WrappingTypesFollowLabelsPerEntryAndInBulk) {
  SourcesFixture().RunScenario("sources/editing_wrap_types.txt");
}

TEST(SourceListEditing, OnlyANewTypeOrStateIsAChangeOfTheJob) {
  SourcesFixture().RunScenario("sources/editing_changes.txt");
}

TEST(SourceListEditing, TheHighlightAndTheNextTypeFollowTheEntryThroughAnAdd) {
  SourcesFixture().RunScenario("sources/editing_highlight.txt");
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
