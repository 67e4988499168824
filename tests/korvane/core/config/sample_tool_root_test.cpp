// The shipped sample configuration must stay loadable and complete: demos and end-to-end
// runs start from it.

#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/common/text.h"
#include "korvane/core/common/text_file.h"
#include "korvane/core/config/config_file.h"
#include "korvane/core/config/tool_configuration.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// From the build: __FILE__ is relative when the compiler cache rewrites paths.
const fs::path kSamples = KORVANE_SAMPLES;
const fs::path kToolRoot = kSamples / "Tools";

const char* const kProductButtons[] = {
    "RadioButtonASM",     "RadioButtonCobol",   "RadioButtonPLI",    "RadioButtonC_CPP",
    "RadioButtonCobScrn", "RadioButtonCicsBms", "RadioButtonImsMfs", "RadioButtonHTML"};

TEST(SampleToolRootTest, ConfigurationDefinesInstalledProducts) {
  const std::string ini = (kToolRoot / "Korvane.INI").string();
  const std::string bytes = ReadFileBytes(ini);
  ToolConfiguration config(LoadConfigurationLines(ini));
  ASSERT_GT(config.Lines().size(), 2u);
  EXPECT_EQ(bytes, JoinLinesCrLf(config.Lines())) << "CR LF after every line";
  EXPECT_TRUE(StartsWithCase("Date Written=", config.Lines()[1]));
  for (const auto& line : config.Lines()) {
    if (StartsWithCase(";", line) || StartsWithCase("[", line)) {
      EXPECT_FALSE(KeyedLines::HasName(line)) << "a comment that reads as a key: " << line;
    }
  }

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
  for (const char* key :
       {"DebugMode", "MessagesOnTop", "DeleteAfter", "SystemCaptureConsole", "UseDOSBox",
        "Blindrun", "CaptureLog", "SystemDeleteAfterControl", "RenameAfter"}) {
    const std::string value = config.Value(std::string("Runcontrol.") + key);
    EXPECT_NE(value, "") << key;
    EXPECT_NO_THROW(StrToBoolStrict(value)) << key;
  }
  EXPECT_GT(config.IntValue("Runcontrol.SystemBigDirectoryLimit"), 0);
  EXPECT_FALSE(config.Value("Runcontrol.DOSBoxLocation").empty());
  EXPECT_EQ(ToolConfiguration::KeyList(config.Value("WordScan.ObjectTypes")).size(), 9u);

  EXPECT_TRUE(fs::is_regular_file(kToolRoot / "COBWrap" / "Copylib" / "marker"));
  EXPECT_TRUE(fs::is_regular_file(kToolRoot / "COBWrap" / "Functab.wrl"));
}

}  // namespace
}  // namespace korvane
