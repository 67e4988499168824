#include "korvane/core/common/outcome.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

// The platform's empty-text-for-success answers cross over unchanged, and a failure never
// reads as a success, even one given no reason.
TEST(Outcome, FailuresAlwaysSayWhy) {
  EXPECT_TRUE(Outcome::FromReason(""));
  EXPECT_EQ(Outcome::FromReason("Disk full").Why(), "Disk full");
  EXPECT_FALSE(Outcome::Failure(""));
  EXPECT_EQ(Outcome::Failure("").Why(), "failed");

  const Result<int> failed = Outcome::Failure("no number");
  EXPECT_FALSE(failed);
  EXPECT_EQ(failed.Why(), "no number");
}

}  // namespace
}  // namespace korvane
