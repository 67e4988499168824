// Adding sources and copies by dialog, by folder and by dropping: each scenario's
// commands and what they showed are in tests/data/sources/adding_*.txt.
#include <gtest/gtest.h>

#include "korvane/core/sources/source_lists_fixture.h"

namespace korvane::testing {
namespace {

TEST(SourceListAdding, DialogAddsCopiesFlagsAndSortsSkippingDuplicatesAndOddExtensions) {
  SourcesFixture().RunScenario("sources/adding_dialog.txt");
}

TEST(SourceListAdding, CopiesAreCheckedAndInterfaceSourcesEnabled) {
  SourcesFixture().RunScenario("sources/adding_copies.txt");
}

TEST(SourceListAdding, AllFilesFilterAddsNothingByDialogButEveryExtensionByDirectory) {
  SourcesFixture().RunScenario("sources/adding_all_files.txt");
}

TEST(SourceListAdding, LargeDirectoryQuestionAtOneAboveTheLimitAndNeverForDrops) {
  SourcesFixture().RunScenario("sources/adding_large_folder.txt");
}

TEST(SourceListAdding, DroppedFilesOnAPanelKeepTheTabAndOnlyTheFirstSetsTheFolder) {
  SourcesFixture().RunScenario("sources/adding_dropped.txt");
}

TEST(SourceListAdding, NamesTheJobCannotHoldAreRefusedByName) {
  SourcesFixture().RunScenario("sources/adding_refused_names.txt");
}

TEST(SourceListAdding, FailedCopyEndsTheAddWithEarlierEntriesConsistent) {
  SourcesFixture().RunScenario("sources/adding_failed_copy.txt");
}

}  // namespace
}  // namespace korvane::testing
