#include "korvane/core/common/guarded_run.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/status_bar.h"
#include "support/scripted_person.h"

namespace korvane {
namespace {

using testing::ScriptedPerson;

struct EmptyMessage : std::exception {
  const char* what() const noexcept override { return ""; }
};

TEST(GuardedRunTest, EachEndingIsCountedAndOnlyFailuresAreShown) {
  ScriptedPerson person;
  GuardStats stats;
  int ran = 0;
  EXPECT_FALSE(GuardStats{}.AnyEndedEarly());
  EXPECT_TRUE(RunGuarded(
      person, [&] { ++ran; }, &stats));
  EXPECT_FALSE(RunGuarded(
      person, [] { throw OperationAbort(); }, &stats));
  EXPECT_TRUE(stats.AnyEndedEarly());
  EXPECT_TRUE(person.failures.empty());

  EXPECT_FALSE(RunGuarded(
      person, [] { throw std::runtime_error("Disk full"); }, &stats));
  EXPECT_FALSE(RunGuarded(
      person, [] { throw 42; }, &stats));
  EXPECT_FALSE(RunGuarded(
      person, [] { throw EmptyMessage(); }, &stats));
  EXPECT_FALSE(RunGuarded(person, std::function<void()>(), &stats));
  ASSERT_EQ(person.failures.size(), 4u);
  EXPECT_EQ(person.failures[0] + "|" + person.failures[1] + "|" + person.failures[2],
            "Disk full|Unknown error|Unknown error");
  EXPECT_FALSE(person.failures[3].empty());  // calling nothing is a failure too
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(stats.completed, 1);
  EXPECT_EQ(stats.aborted, 1);
  EXPECT_EQ(stats.failed, 4);

  // Without a counter the outcome is the same.
  EXPECT_FALSE(RunGuarded(person, [] { throw std::logic_error("bad"); }));
  EXPECT_EQ(person.failures.back(), "bad");
}

TEST(GuardedRunTest, AnErrorOnTheBarEndsTheOperationQuietly) {
  ScriptedPerson person;
  StatusBar bar(person);
  GuardStats stats;
  bool reachedAfterError = false;
  bool cleanupRan = false;

  const bool finished = RunGuarded(
      person,
      [&] {
        struct Cleanup {
          bool& flag;
          ~Cleanup() { flag = true; }
        } cleanup{cleanupRan};
        bar.ShowError("No product selected");
        reachedAfterError = true;
      },
      &stats);

  EXPECT_FALSE(finished);
  EXPECT_FALSE(reachedAfterError);
  EXPECT_TRUE(cleanupRan);
  EXPECT_EQ(bar.Text(), "No product selected");  // the message stays for the person
  EXPECT_TRUE(person.failures.empty());
  EXPECT_EQ(stats.aborted, 1);

  // A go-on error lets the operation finish.
  EXPECT_TRUE(RunGuarded(
      person, [&] { bar.AddError("minor", true); }, &stats));
  EXPECT_EQ(stats.completed, 1);
}

}  // namespace
}  // namespace korvane
