// What bringing the lists in line with the job's folders tells the person: the scenarios
// are in tests/data/sources/sync_*.txt.
#include <gtest/gtest.h>

#include "korvane/core/sources/source_lists_fixture.h"

namespace korvane::testing {
namespace {

TEST(SourceListSync, DroppedAndUnholdableSourcesAreNamed) {
  SourcesFixture().RunScenario("sources/sync_named.txt");
}

TEST(SourceListSync, AMissingBaseFolderKeepsTheListsAndStopsTheRunNamingIt) {
  SourcesFixture().RunScenario("sources/sync_missing_base.txt");
}

}  // namespace
}  // namespace korvane::testing
