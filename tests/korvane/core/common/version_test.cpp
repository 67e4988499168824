#include "korvane/core/common/version.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <regex>

#include "korvane/core/common/system_error.h"

namespace {

using korvane::GetVersionValue;

TEST(Version, CompiledInStrings) {
  const std::string version = GetVersionValue("FileVersion");
  EXPECT_TRUE(std::regex_match(version, std::regex(R"(\d+\.\d+\.\d+\.\d+)"))) << version;
  EXPECT_EQ(GetVersionValue("fileversion"), version);
  EXPECT_EQ(GetVersionValue("ProductVersion"), version);
  EXPECT_EQ(GetVersionValue("ProductName"), "Korvane");
  EXPECT_EQ(GetVersionValue("FileDescription"), "Korvane main shell");
  EXPECT_EQ(GetVersionValue("CompanyName"), "Brevik");
  EXPECT_EQ(GetVersionValue("LegalCopyright").rfind("Copyright ", 0), 0u);
  EXPECT_EQ(GetVersionValue("OriginalFilename"), "korvane");
  for (const char* unknown : {"", "Comments", "FileVersion ", "ProductNam"}) {
    EXPECT_EQ(GetVersionValue(unknown), "") << unknown;
  }
}

TEST(SystemErrorText, CodeAndTheSystemsMessage) {
  EXPECT_EQ(korvane::SystemErrorText(ENOENT), "System Error : 2 - No such file or directory");
}

}  // namespace
