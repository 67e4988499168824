// Whole runs of `korvane -batch` on real folders with link traps and a folder of the
// person's own files that must come through every run untouched.

#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/sample_job.h"
#include "support/svc_observations.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::RunProgram;
using testing::TempDir;

constexpr const char* kIni =
    "ActiveRadioButton=RadioButtonCobol\r\n"
    "RadioButtonCobol=Cobol,COB,x,1,XML\r\n"
    "RadioButtonPLI=PL/I,PLI,x,1,XML\r\n"
    "COB.Extras=(DirDepth=2)\r\n"
    "PLI.Extras=(DirDepth=2)\r\n";

class BatchSafety : public ::testing::Test {
 protected:
  BatchSafety() {
    home.Write("tools/Korvane.INI", kIni);
    fs::create_directories(home.Path() / "tools/COBWrap");
    fs::create_directories(home.Path() / "tools/PLIWrap");
    home.Write("precious/A.cbl", "precious A");
    home.Write("precious/OTHER.cbl", "precious other");
  }

  testing::ProgramResult Run(std::vector<std::string> args) const {
    std::vector<std::string> all{"-batch",       "-Yes", "-Root",
                                 home / "tools", "-Ini", home / "tools/Korvane.INI"};
    all.insert(all.end(), args.begin(), args.end());
    return RunProgram(KORVANE_BINARY, all, testing::HomeEnv(home.Path() / "home"));
  }

  // A job as the shell writes it, listing A.cbl and B.cbl, with its sources collected.
  std::string Job(const std::string& rel, const std::string& out, const std::string& extra = "") {
    const std::string text =
        "[RadioButtons]\r\nActiveRadioButton=RadioButtonCobol\r\n[Properties]\r\n"
        "ProjectName=PayAcctXml\r\nProjectProductName=pay\r\nProjectSystemName=acct\r\n" +
        extra +
        "ProjectDirectory=/somewhere/else/\r\nProjectSubVersion=XML\r\n[StringListHolders]\r\n" +
        (out.empty() ? std::string() : "FrameFindDirectoryOutputDir=" + out + "\r\n") +
        "[TCheckListBox]\r\nCheckListBoxSelectedFiles=CheckListBoxSelectedFiles\r\n"
        "NYA.cbl=/o/A.cbl\r\nNYB.cbl=/o/B.cbl\r\n[Konyec szkazki]\r\n";
    return home.Write(rel, text);
  }

  // Every entry below the person's own folder, with its bytes.
  std::string Precious() const {
    return testing::Observations().Tree("precious", home.Path() / "precious").text;
  }

  TempDir home;
};

// Opened through a link, the job's own file is rewritten and the link stays a link (a copy
// saving into itself is JobLifecycle.AJobOpenedAtStartComesBackAsSaved).
TEST_F(BatchSafety, AJobOpenedThroughALinkIsSavedIntoItsTarget) {
  fs::create_directories(home.Path() / "out/SourceCollection");
  home.Write("out/SourceCollection/A.cbl", "a");
  home.Write("out/SourceCollection/B.cbl", "b");
  // A finished background run is saved as finished when the job is opened.
  const std::string original =
      Job("jobs/PayAcctXml.jwrap", home / "out",
          "BatchRunning=Y\r\nNumberOfModules=2\r\nNumberOfRenamedModules=2\r\n");
  fs::create_directories(home.Path() / "links");
  fs::create_symlink(original, home / "links/PayAcctXml.jwrap");
  const auto result = Run({"-Proj", home / "links/PayAcctXml.jwrap"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_TRUE(fs::is_symlink(home / "links/PayAcctXml.jwrap"));
  EXPECT_NE(home.Read("jobs/PayAcctXml.jwrap").find("BatchRunning=N"), std::string::npos);
  EXPECT_EQ(home.Read("out/SourceCollection/A.cbl"), "a");
}

TEST_F(BatchSafety, ALinkedCollectionFolderIsNeitherWrittenNorEmptied) {
  fs::create_directories(home.Path() / "out");
  fs::create_directory_symlink(home.Path() / "precious", home.Path() / "out/SourceCollection");
  const auto before = Precious();
  const auto result = Run({"-Proj", Job("jobs/PayAcctXml.jwrap", home / "out")});
  EXPECT_NE(result.err.find("The folder " + home / "out/SourceCollection" +
                            " is a symbolic link; the shell does not write or delete through it"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(Precious(), before);
}

TEST_F(BatchSafety, AProductMarkedWhileItsToolsWereAwayComesBack) {
  // The configuration is a link into the installation: saves go to its target.
  fs::create_directories(home.Path() / "install");
  fs::rename(home.Path() / "tools/Korvane.INI", home.Path() / "install/Korvane.INI");
  fs::create_symlink(home.Path() / "install/Korvane.INI", home.Path() / "tools/Korvane.INI");
  fs::rename(home.Path() / "tools/COBWrap", home.Path() / "tools/COBWrap.away");

  auto result = Run({});
  EXPECT_EQ(result.status, 4) << result.err;
  EXPECT_NE(result.err.find("Default product changed to: PLI"), std::string::npos) << result.err;
  EXPECT_TRUE(fs::is_symlink(home.Path() / "tools/Korvane.INI"));
  const std::string marked = home.Read("install/Korvane.INI");
  EXPECT_NE(marked.find("\r\nNot installed RadioButtonCobol=Cobol,COB"), std::string::npos)
      << marked;

  fs::rename(home.Path() / "tools/COBWrap.away", home.Path() / "tools/COBWrap");
  fs::create_directories(home.Path() / "out");
  result = Run({"-Proj", Job("jobs/PayAcctXml.jwrap", home / "out")});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err.find("missing language definition"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace korvane
