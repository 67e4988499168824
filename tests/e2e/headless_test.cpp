#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

using testing::RunProgram;
using testing::TempDir;

class Headless : public ::testing::Test {
 protected:
  // Each run gets its own settings and documents folders.
  std::map<std::string, std::string> Env() const {
    return {{"HOME", home.Path().string()},
            {"XDG_CONFIG_HOME", home / "config"},
            {"XDG_DATA_HOME", home / "data"}};
  }
  TempDir home;
};

TEST_F(Headless, StartsOnTheSampleToolRoot) {
  const std::string root = std::string(KORVANE_SAMPLES) + "/Tools";
  const auto result = RunProgram(
      KORVANE_BINARY, {"-batch", "-Yes", "-Root", root, "-Ini", root + "/Korvane.INI"}, Env());
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err.find("Error:"), std::string::npos) << result.err;
  EXPECT_TRUE(std::filesystem::exists(home.Path() / "config/Brevik/Korvane Shell.ini"));
}

TEST_F(Headless, MissingConfigurationPrintsBothMessagesAndFails) {
  const auto result =
      RunProgram(KORVANE_BINARY, {"-batch", "-Ini", home / "nowhere/Korvane.INI"}, Env());
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(
      result.err.find("Error: Cannot access product ini file - " + (home / "nowhere/Korvane.INI")),
      std::string::npos)
      << result.err;
}

TEST_F(Headless, BadBooleanInTheConfigurationIsAnErrorNotACrash) {
  const std::string ini = home.Write("tools/Korvane.INI", "Runcontrol.DebugMode=Ja\r\n");
  const auto result = RunProgram(KORVANE_BINARY, {"-batch", "-Ini", ini}, Env());
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("Ja is not valid boolean value (Y,J,I,N,True,False)"),
            std::string::npos)
      << result.err;
}

TEST_F(Headless, BinaryJunkAndHugeLinesInTheConfigurationAreRead) {
  std::string junk(1 << 20, 'x');
  junk += "\r\n";
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>(i * 37 % 256);
  junk += "\r\nRuncontrol.DebugMode=N\r\n";
  const std::string ini = home.Write("tools/Korvane.INI", junk);
  const auto result = RunProgram(KORVANE_BINARY, {"-batch", "-Ini", ini}, Env());
  EXPECT_NE(result.status, -1) << "the program must not crash";
}

}  // namespace
}  // namespace korvane
