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

namespace korvane {
namespace {

// A tool root with the COBOL product and a job for it, written as the shell
// writes job files.
class HeadlessJob : public Headless {
 protected:
  HeadlessJob() {
    ini = home.Write("tools/Korvane.INI",
                     "ActiveRadioButton=RadioButtonCobol\r\n"
                     "RadioButtonCobol=Cobol,COB,x,1,XML\r\nCOB.Extras=(DirDepth=2,Frames=N)\r\n");
    std::filesystem::create_directories(home.Path() / "tools/COBWrap");
    std::filesystem::create_directories(home.Path() / "out");
  }
  std::string Job(const std::string& system) {
    std::string text =
        "[RadioButtons]\r\nActiveRadioButton=RadioButtonCobol\r\n[Properties]\r\n"
        "ProjectName=PayAcctXml\r\nProjectProductName=pay\r\n";
    if (!system.empty()) text += "ProjectSystemName=" + system + "\r\n";
    text += "BatchRunning=N\r\nProjectDirectory=" + (home / "jobs") +
            "/\r\n[StringListHolders]\r\nFrameFindDirectoryOutputDir=" + (home / "out") +
            "\r\n[Konyec szkazki]\r\n";
    return home.Write("jobs/PayAcctXml.jwrap", text);
  }
  testing::ProgramResult Run(const std::string& job, bool yes) {
    std::vector<std::string> args{"-batch", "-Root", home / "tools", "-Ini", ini, "-Proj", job};
    if (yes) args.push_back("-Yes");
    return RunProgram(KORVANE_BINARY, args, Env());
  }
  std::string ini;
};

TEST_F(HeadlessJob, OpensAJobAndClosesCleanly) {
  const std::string job = Job("acct");
  const auto result = Run(job, true);
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err.find("Error"), std::string::npos) << result.err;
}

TEST_F(HeadlessJob, AJobWithoutSystemNameFailsToLoad) {
  const auto result = Run(Job(""), true);
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("Error: System name name missing or incorrect"), std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("Error:  Error while loading project definition"), std::string::npos)
      << result.err;
}

TEST_F(HeadlessJob, AQuestionWithoutYesEndsWithStatusTwo) {
  // The job is marked as running in the background: opening it asks.
  std::string text = home.Read("jobs/PayAcctXml.jwrap");
  const std::string job = Job("acct");
  text = home.Read("jobs/PayAcctXml.jwrap");
  const auto pos = text.find("BatchRunning=N");
  text.replace(pos, 14, "BatchRunning=Y\r\nNumberOfModules=3");
  home.Write("jobs/PayAcctXml.jwrap", text);
  const auto result = Run(job, false);
  EXPECT_EQ(result.status, 2) << result.err;
  EXPECT_NE(result.err.find("Question: Some awaited outputs are still misssing"), std::string::npos)
      << result.err;
}

}  // namespace
}  // namespace korvane
