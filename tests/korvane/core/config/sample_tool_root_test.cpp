// The shipped sample configuration must define its products completely: the demos start
// from it.

#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/common/text.h"
#include "korvane/core/config/config_file.h"
#include "korvane/core/config/tool_configuration.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// From the build: __FILE__ is relative when the compiler cache rewrites paths.
const fs::path kToolRoot = fs::path(KORVANE_SAMPLES) / "Tools";

const char* const kProductButtons[] = {
    "RadioButtonASM",     "RadioButtonCobol",   "RadioButtonPLI",    "RadioButtonC_CPP",
    "RadioButtonCobScrn", "RadioButtonCicsBms", "RadioButtonImsMfs", "RadioButtonHTML"};

// The run control and the COBOL product are read by the end-to-end sample runs; what
// only the demos read is each other product's definition.
TEST(SampleToolRootTest, ConfigurationDefinesInstalledProducts) {
  ToolConfiguration config(LoadConfigurationLines((kToolRoot / "Korvane.INI").string()));
  int defined = 0;
  for (const char* button : kProductButtons) {
    const std::string definition = config.Value(button);
    if (definition.empty()) continue;
    ++defined;
    const auto items = ToolConfiguration::CommaList(definition);
    ASSERT_GE(items.size(), 5u) << button;
    const std::string& code = items[1];
    EXPECT_EQ(items.size(), 4u + static_cast<size_t>(ZeroPrefixedInt(items[3]))) << button;
    ASSERT_TRUE(config.HasKey(code + ".Extras")) << button;
    // Every strict switch must read without error.
    const KeyedLines extras = config.Extras(code);
    for (const char* strict : {"Scan", "ObjectsEdit"}) {
      EXPECT_NO_THROW(StrToBoolStrict(extras.Value(strict))) << button << " " << strict;
    }
    EXPECT_NO_THROW(ZeroPrefixedInt(extras.Value("DirDepth"))) << button;
    EXPECT_NE(config.Value(code + ".Filters"), "") << button;
  }
  EXPECT_GE(defined, 5);
  EXPECT_FALSE(config.Value(config.Value("ActiveRadioButton")).empty());
}

}  // namespace
}  // namespace korvane
