// Adding, checking, removing and typing the entries of the lists, and what bringing them
// in line with the job's folders tells the person. Each scenario's commands and what they
// showed are in tests/data/sources/<name>.txt, its rule in its opening comment.
#include <gtest/gtest.h>

#include "korvane/core/sources/source_lists_fixture.h"

namespace korvane::testing {
namespace {

class SourceLists : public ::testing::TestWithParam<const char*> {};

TEST_P(SourceLists, Scenario) {
  SourcesFixture().RunScenario(std::string("sources/") + GetParam() + ".txt");
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, SourceLists,
    ::testing::Values("adding_dialog", "adding_copies", "adding_all_files", "adding_large_folder",
                      "adding_dropped", "adding_refused_names", "adding_failed_copy",
                      "editing_limit", "editing_validation", "editing_check_actions",
                      "editing_remove", "editing_duplicates", "editing_wrap_types",
                      "editing_changes", "editing_highlight", "editing_columns", "sync_named",
                      "sync_missing_base", "sync_linked_collection"),
    [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace korvane::testing
