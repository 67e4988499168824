#include "platform/os_error.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>

namespace {

// A known code's words are checked through SystemErrorText in the core tests.
TEST(OsError, GivesTheSystemsWordsForACode) {
  EXPECT_EQ(platform::OsErrorMessage(123456), "Unknown error 123456");

  ASSERT_LT(::open("/nonexistent/korvane/file", O_RDONLY), 0);
  EXPECT_EQ(platform::LastOsError(), ENOENT);
}

}  // namespace
