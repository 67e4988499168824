#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "support/golden.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

using testing::ExpectGolden;
using testing::RunProgram;
using testing::TempDir;

constexpr const char* kCobolIni =
    "ActiveRadioButton=RadioButtonCobol\r\n"
    "RadioButtonCobol=Cobol,COB,x,1,XML\r\nCOB.Extras=(DirDepth=2,Frames=N)\r\n";
constexpr const char* kJobArgs =
    "-Root {home}/tools -Ini {home}/tools/Korvane.INI -Proj {home}/jobs/PayAcctXml.jwrap";

// {home} and {samples} stand for the run's home folder and the sample tool root.
std::string Expand(std::string text, const TempDir& home) {
  for (const auto& [mark, path] :
       {std::pair<std::string, std::string>{"{home}", home.Path().string()},
        {"{samples}", std::string(KORVANE_SAMPLES) + "/Tools"}}) {
    for (size_t at; (at = text.find(mark)) != std::string::npos;)
      text.replace(at, mark.size(), path);
  }
  return text;
}

// Whole runs without a window: the exit status tells how a run ended (0 done, 1 an error,
// 2 a question that needed -Yes) and the messages go to standard error.
TEST(Headless, ExitStatusAndMessages) {
  struct Case {
    const char* ini;  // written as tools/Korvane.INI unless null
    const char* job;  // the job's properties besides its names and folders; null: no job
    std::string args;
    int status;
    std::vector<std::string> messages;  // expected on stderr; none means no error at all
  };
  const std::string job = kJobArgs;
  const Case cases[] = {
      {nullptr, nullptr, "-Yes -Root {samples} -Ini {samples}/Korvane.INI", 0, {}},
      // Usage errors end before anything is loaded, with a line naming the switch.
      {nullptr,
       nullptr,
       "-Yes -Root {samples} -Frobnicate -Ini {samples}/Korvane.INI",
       3,
       {"korvane: exit status 3: Unknown switch -Frobnicate"}},
      {nullptr, nullptr, "-Yes -Root {samples} -Proj", 3, {"The switch -Proj needs a value"}},
      {nullptr, nullptr, "-Yes -Proj -Root {samples}", 3, {"The switch -Proj needs a value"}},
      {nullptr,
       nullptr,
       "-Yes -ar Analyse -Root {samples}",
       3,
       {"Unknown -AutoRun value \"Analyse\": the only value is Anal"}},
      {nullptr,
       nullptr,
       "-Ini {home}/nowhere/Korvane.INI",
       4,
       {"Error: Cannot access product ini file - {home}/nowhere/Korvane.INI"}},
      {"Runcontrol.DebugMode=Ja\r\n",
       nullptr,
       "-Ini {home}/tools/Korvane.INI",
       4,
       {"Ja is not valid boolean value (Y,J,I,N,True,False)"}},
      {kCobolIni, "ProjectSystemName=acct\r\nBatchRunning=N", job + " -Yes", 0, {}},
      {kCobolIni,
       "BatchRunning=N",
       job + " -Yes",
       4,
       {"Error: System name name missing or incorrect",
        "Error:  Error while loading project definition",
        "korvane: exit status 4: the job or the tool configuration could not be loaded"}},
      // A job marked as running in the background asks when it opens.
      {kCobolIni,
       "ProjectSystemName=acct\r\nBatchRunning=Y\r\nNumberOfModules=3",
       job,
       2,
       {"Question: Some awaited outputs are still misssing"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    TempDir home;  // each run gets its own settings and documents folders
    std::filesystem::create_directories(home.Path() / "tools/COBWrap");
    std::filesystem::create_directories(home.Path() / "out");
    if (c.ini != nullptr) home.Write("tools/Korvane.INI", c.ini);
    if (c.job != nullptr) {
      home.Write("jobs/PayAcctXml.jwrap",
                 "[RadioButtons]\r\nActiveRadioButton=RadioButtonCobol\r\n[Properties]\r\n"
                 "ProjectName=PayAcctXml\r\nProjectProductName=pay\r\n" +
                     std::string(c.job) + "\r\nProjectDirectory=" + (home / "jobs") +
                     "/\r\n[StringListHolders]\r\nFrameFindDirectoryOutputDir=" + (home / "out") +
                     "\r\n[Konyec szkazki]\r\n");
    }
    std::vector<std::string> args{"-batch"};
    std::istringstream words(c.args);
    for (std::string word; words >> word;) args.push_back(Expand(word, home));

    const auto result = RunProgram(KORVANE_BINARY, args,
                                   {{"HOME", home.Path().string()},
                                    {"XDG_CONFIG_HOME", home / "config"},
                                    {"XDG_DATA_HOME", home / "data"}});
    EXPECT_EQ(result.status, c.status) << result.err;
    for (const std::string& message : c.messages) {
      EXPECT_NE(result.err.find(Expand(message, home)), std::string::npos) << result.err;
    }
    if (c.messages.empty()) {
      EXPECT_EQ(result.err.find("Error"), std::string::npos) << result.err;
      EXPECT_TRUE(std::filesystem::exists(home.Path() / "config/Brevik/Korvane Shell.ini"));
    }
  }
}

// Help and version end at once, without a window and whatever else is given.
TEST(Headless, HelpAndVersionPrintAndEnd) {
  for (const char* ask : {"--help", "-h", "-?"}) {
    const auto result = RunProgram(KORVANE_BINARY, {"-Proj", "x.jwrap", ask}, {{"DISPLAY", ""}});
    EXPECT_EQ(result.status, 0) << ask;
    ExpectGolden("korvane/help.txt", result.out);
  }
  const auto version = RunProgram(KORVANE_BINARY, {"--version"}, {{"DISPLAY", ""}});
  EXPECT_EQ(version.status, 0);
  EXPECT_NE(version.out.find("Product Version: "), std::string::npos) << version.out;
}

}  // namespace
}  // namespace korvane
