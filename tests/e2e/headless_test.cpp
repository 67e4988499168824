// Whole runs without a window, row by row from tests/data/e2e/headless.txt: the exit
// status and the messages, for usage errors, help, what cannot be loaded (FIFOs, folders,
// texts that are no job) and jobs made without the window. Which words each rule uses is
// the core's own test.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <sstream>

#include "e2e/sample_job.h"
#include "support/golden.h"
#include "support/table_rows.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::ExpectGolden;
using testing::ReplaceAll;
using testing::RunProgram;
using testing::TempDir;

TEST(Headless, ExitStatusAndMessages) {
  const auto rows = testing::ReadRows("e2e/headless.txt");
  ASSERT_GE(rows.size(), 20u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir home;  // each run gets its own settings and documents folders
    fs::create_directories(home.Path() / "tools/COBWrap");
    fs::create_directories(home.Path() / "out");
    std::vector<std::string> args;
    int status = -2;
    for (auto [key, text] : row.lines) {
      ReplaceAll(text, "{home}", home.Path().string());
      ReplaceAll(text, "{samples}", std::string(KORVANE_SAMPLES) + "/Tools");
      ReplaceAll(text, "{utf16}", std::string("\xff\xfe[\0R\0", 6));
      if (key == "ini") home.Write("tools/Korvane.INI", text);
      if (key == "job") {
        home.Write("jobs/PayAcctXml.jwrap",
                   "[RadioButtons]\r\nActiveRadioButton=RadioButtonCobol\r\n[Properties]\r\n"
                   "ProjectName=PayAcctXml\r\nProjectProductName=pay\r\n" +
                       text + "\r\nProjectDirectory=" + (home / "jobs") +
                       "/\r\n[StringListHolders]\r\nFrameFindDirectoryOutputDir=" + (home / "out") +
                       "\r\n[Konyec szkazki]\r\n");
      }
      std::istringstream words(text);
      for (std::string word; key == "args" && words >> word;) args.push_back(word);
      if (key == "status") status = std::stoi(text);
      if (key == "mkdir") fs::create_directories(home.Path() / text);
      if (key == "fifo") ASSERT_EQ(::mkfifo((home / text).c_str(), 0600), 0);
      if (key == "write") home.Write(testing::Split(text).first, testing::Split(text).second);
    }
    // A run that waits on a FIFO or for a window must not hold up the tests.
    const auto result =
        RunProgram(KORVANE_BINARY, args, testing::HomeEnv(home.Path(), {{"DISPLAY", ""}}), {},
                   std::chrono::minutes(1));
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.status, status) << result.err;
    for (auto [key, text] : row.lines) {
      ReplaceAll(text, "{home}", home.Path().string());
      if (key == "said") {
        EXPECT_NE(result.err.find(text), std::string::npos) << result.err;
      }
      if (key == "unsaid") {
        EXPECT_EQ(result.err.find(text), std::string::npos) << result.err;
      }
      if (key == "out") {
        EXPECT_NE(result.out.find(text), std::string::npos) << result.out;
      }
      if (key == "golden") ExpectGolden(text, result.out);
      if (key == "missing") {
        EXPECT_FALSE(fs::exists(home.Path() / text)) << text;
      }
      if (key == "settings") {
        EXPECT_TRUE(fs::exists(home.Path() / "config/Brevik/Korvane Shell.ini"));
      }
    }
    if (status == 0) {
      EXPECT_EQ(result.err.find("Error"), std::string::npos) << result.err;
    }
  }
}

}  // namespace
}  // namespace korvane
