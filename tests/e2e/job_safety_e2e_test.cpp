// A product marked as not installed at a start whose tools were away is offered again
// once they are back, through the real program and a configuration that is a link.
// (Saves through links: AtomicFile.SavesThroughLinksWriteTheirTarget; linked collection
// folders: SynchronizeLinkedFolders.LinkedCollectionFoldersAreLeftAloneWithTheirEntries.)
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/sample_job.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(BatchSafety, AProductMarkedWhileItsToolsWereAwayComesBack) {
  TempDir home;
  // The configuration is a link into the installation: saves go to its target.
  home.Write("install/Korvane.INI",
             "ActiveRadioButton=RadioButtonCobol\r\nRadioButtonCobol=Cobol,COB,x,1,XML\r\n"
             "RadioButtonPLI=PL/I,PLI,x,1,XML\r\n");
  fs::create_directories(home.Path() / "tools/COBWrap.away");
  fs::create_directories(home.Path() / "tools/PLIWrap");
  fs::create_symlink(home.Path() / "install/Korvane.INI", home.Path() / "tools/Korvane.INI");
  const auto run = [&home](std::vector<std::string> args) {
    args.insert(args.begin(),
                {"-batch", "-Yes", "-Root", home / "tools", "-Ini", home / "tools/Korvane.INI"});
    return testing::RunProgram(KORVANE_BINARY, args, testing::HomeEnv(home.Path() / "home"));
  };

  auto result = run({});
  EXPECT_EQ(result.status, 4) << result.err;
  EXPECT_NE(result.err.find("Default product changed to: PLI"), std::string::npos) << result.err;
  EXPECT_TRUE(fs::is_symlink(home.Path() / "tools/Korvane.INI"));
  const std::string marked = home.Read("install/Korvane.INI");
  EXPECT_NE(marked.find("\r\nNot installed RadioButtonCobol=Cobol,COB"), std::string::npos)
      << marked;

  fs::rename(home.Path() / "tools/COBWrap.away", home.Path() / "tools/COBWrap");
  const std::string job = home.Write(
      "jobs/PayAcctXml.jwrap",
      "[RadioButtons]\r\nActiveRadioButton=RadioButtonCobol\r\n[Properties]\r\n"
      "ProjectName=PayAcctXml\r\nProjectProductName=pay\r\nProjectSystemName=acct\r\n"
      "ProjectSubVersion=XML\r\n[StringListHolders]\r\nFrameFindDirectoryOutputDir=" +
          (home / "out") +
          "\r\n[TCheckListBox]\r\nCheckListBoxSelectedFiles=CheckListBoxSelectedFiles\r\n"
          "NYA.cbl=/o/A.cbl\r\n[Konyec szkazki]\r\n");
  fs::create_directories(home.Path() / "out");
  result = run({"-Proj", job});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err.find("missing language definition"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace korvane
