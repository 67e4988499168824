// Checking, removing and typing the entries of the lists: the scenarios are in
// tests/data/sources/editing_*.txt, commands with what they showed.
#include <gtest/gtest.h>

#include "korvane/core/sources/source_lists_fixture.h"

namespace korvane::testing {
namespace {

TEST(SourceListEditing, ValidationLimitsMissingFilesAndCheckedRequirement) {
  SourcesFixture().RunScenario("sources/editing_limit.txt");
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
  SourcesFixture().RunScenario("sources/editing_columns.txt");
}

}  // namespace
}  // namespace korvane::testing
