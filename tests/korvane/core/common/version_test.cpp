#include "korvane/core/common/version.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

using korvane::GetVersionValue;

TEST(Version, KeysIgnoreCaseAndUnknownOnesAreEmpty) {
  const std::string version = GetVersionValue("fileversion");
  EXPECT_TRUE(std::regex_match(version, std::regex(R"(\d+\.\d+\.\d+\.\d+)"))) << version;
  EXPECT_EQ(GetVersionValue("ProductVersion"), version);
  EXPECT_EQ(GetVersionValue("PRODUCTNAME"), "Korvane");
  for (const char* unknown : {"", "Comments", "FileVersion ", "ProductNam"}) {
    EXPECT_EQ(GetVersionValue(unknown), "") << unknown;
  }
}

}  // namespace
