#include "korvane/core/app/about_box.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(AboutBox, MemoLayoutFollowsItsFirstCharacterAndLineCount) {
  EXPECT_FALSE(LayoutAboutMemo("").visible);
  const auto centred = LayoutAboutMemo("one\r\ntwo\r\nthree");
  EXPECT_TRUE(centred.visible);
  EXPECT_FALSE(centred.leftAligned);
  EXPECT_EQ(centred.height, 57);
  const auto left = LayoutAboutMemo("@Tool root directory : \r\n/opt/tools");
  EXPECT_TRUE(left.leftAligned);
  EXPECT_EQ(left.text, "Tool root directory : \r\n/opt/tools");
  EXPECT_EQ(left.height, 38);
}

}  // namespace
}  // namespace korvane
