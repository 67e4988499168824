#include "korvane/core/common/guarded_run.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "korvane/core/common/operation_abort.h"
#include "support/scripted_person.h"

namespace korvane {
namespace {

using testing::ScriptedPerson;

struct EmptyMessage : std::exception {
  const char* what() const noexcept override { return ""; }
};

// An error on the status bar ends its operation by the same abort as here, so
// the bar's own tests cover that path.
TEST(GuardedRunTest, EachEndingIsCountedAndOnlyFailuresAreShown) {
  ScriptedPerson person;
  GuardStats stats;
  EXPECT_TRUE(RunGuarded(
      person, [] {}, &stats));
  EXPECT_FALSE(stats.AnyEndedEarly());
  EXPECT_FALSE(RunGuarded(
      person, [] { throw OperationAbort(); }, &stats));
  EXPECT_TRUE(stats.AnyEndedEarly());
  EXPECT_TRUE(person.failures.empty());  // whoever aborted has told the person already

  const std::function<void()> failing[] = {[] { throw std::runtime_error("Disk full"); },
                                           [] { throw 42; }, [] { throw EmptyMessage(); },
                                           std::function<void()>()};
  for (const auto& work : failing) EXPECT_FALSE(RunGuarded(person, work, &stats));
  ASSERT_EQ(person.failures.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(person.failures.begin(), person.failures.begin() + 3),
            (std::vector<std::string>{"Disk full", "Unknown error", "Unknown error"}));
  EXPECT_FALSE(person.failures[3].empty());  // calling nothing is a failure too
  EXPECT_EQ(stats.completed, 1);
  EXPECT_EQ(stats.aborted, 1);
  EXPECT_EQ(stats.failed, 4);

  // Without a counter the outcome is the same.
  EXPECT_FALSE(RunGuarded(person, [] { throw std::logic_error("bad"); }));
  EXPECT_EQ(person.failures.back(), "bad");
}

}  // namespace
}  // namespace korvane
