// A job made from a recipe is the job a person makes in the window, and the window's
// rules refuse what they refuse there.
#include "korvane/core/app/job_maker.h"

#include <gtest/gtest.h>

#include "korvane/core/app/job_recipe.h"
#include "shell_fixture.h"

namespace korvane {
namespace {

namespace n = names;
using testing::Replaced;
using testing::ShellJobFixture;

class JobMaker : public ShellJobFixture {
 protected:
  JobMaker() {
    InstallWrappers();
    dir.Write("bin/korvane.INI",
              dir.Read("bin/korvane.INI") + "COB.Copy.Filters=COBOL copy members|*.cpy\r\n");
    dir.Write("src/ONLA.cbl", "a\r\n");
    dir.Write("src/B.cbl", "b\r\n");
    dir.Write("src/deep/C.cbl", "c\r\n");
    dir.Write("src/deep/deeper/D.cbl", "d\r\n");
    dir.Write("copies/REC.cpy", "r\r\n");
  }

  JobRecipe Recipe(const std::string& job, const std::string& base) {
    JobRecipe recipe;
    recipe.jobFile = dir / job;
    recipe.product = "COB";
    recipe.productName = "pay";
    recipe.systemName = "acct";
    recipe.base = dir / base;
    recipe.sources = {{dir / "src", 2}};
    recipe.copies = {{dir / "copies", -1}};
    recipe.types = {{"Onl", "onl*"}};
    return recipe;
  }

  // Makes the recipe in a fresh shell; the save dialog is answered with its file.
  bool Make(const JobRecipe& recipe) {
    auto shell = Start();
    messages.clear();
    ConnectionList keep;
    keep.Add(shell->Status().messageReported.Connect(
        [this](StatusMessageKind, const std::string& text) { messages += text + "\n"; }));
    person.saveAnswers.push_back(recipe.jobFile);
    return MakeJob(*shell, recipe);
  }

  std::string messages;
};

TEST_F(JobMaker, SavesTheBytesAPersonsJobHasAndOpensUnmodified) {
  for (const char* folder : {"by-hand", "hand", "auto", "made"}) {
    std::filesystem::create_directories(dir.Path() / folder);
  }
  {
    auto shell = Start();
    FillIn(*shell, "pay", "acct");
    shell->CurrentProject().SetOutputDir(dir / "by-hand");
    ASSERT_TRUE(shell->Run([&] {
      shell->Sources().Adding().DropFiles(n::kButtonAddDirsToSrc, {dir / "src"}, 2);
      shell->Sources().Adding().DropFiles(n::kButtonAddDirsToCpy, {dir / "copies"});
    }));
    ASSERT_TRUE(shell->Run([&] {
      shell->Form().Get<PageControl>(n::kPageControlCopySource).SetActivePage(n::kPageSources);
      shell->Sources().Types().SetEntryWrapType(2, "Onl");  // ONLA.cbl, after B and C
      shell->Sources().Checks().SelectAll(n::kListSources);
    }));
    person.saveAnswers.push_back(dir / "hand/PayAcctXml.jwrap");
    ASSERT_TRUE(shell->Execute(n::kActSaveProject)) << shell->Status().MessageList();
  }
  ASSERT_TRUE(Make(Recipe("auto/PayAcctXml.jwrap", "made"))) << messages;

  const std::string made = dir.Read("auto/PayAcctXml.jwrap");
  EXPECT_EQ(Replaced(made, {{dir / "auto", dir / "hand"}, {dir / "made", dir / "by-hand"}}),
            dir.Read("hand/PayAcctXml.jwrap"));
  EXPECT_NE(made.find("ONLA.cbl.WrpT=Onl"), std::string::npos) << made;
  EXPECT_NE(made.find("NNC.cbl="), std::string::npos) << made;  // one level down, no type
  EXPECT_EQ(made.find("D.cbl="), std::string::npos) << made;    // two levels down
  EXPECT_NE(made.find("YYREC.cpy="), std::string::npos) << made;
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "made/SourceCollection/C.cbl"));
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "made/CopyCollection/REC.cpy"));
  // (What is a change afterwards: the scenario sources/editing_changes.txt.)
  EXPECT_FALSE(Start({"-Proj", dir / "auto/PayAcctXml.jwrap"})->CurrentProject().Modified());
}

// (The names are refused by the window's own rule,
// ProjectNames.RefusesEmptyAndDigitLeadingNamesOnTheNamesPage; a relative base folder is
// refused here as well, before the offer to create it.)
TEST_F(JobMaker, RefusesWhatTheWindowRefusesWithItsMessages) {
  std::filesystem::create_directories(dir.Path() / "out");
  std::filesystem::create_directories(dir.Path() / "jobs");
  struct Case {
    void (*change)(JobRecipe&);
    std::string message;
  };
  const std::vector<Case> cases = {
      {[](JobRecipe& r) { r.systemName = "accounting"; },
       "The system name \"accounting\" is longer than the 8 characters the job holds"},
      {[](JobRecipe& r) { r.base = "out"; },
       "Invalid output directory (No relative or UNC format path is allowed here)!"},
      {[](JobRecipe& r) {
         r.types = {{"Module", ""}};
       },
       "The wrapping type Module is not one the product offers here"},
      {[](JobRecipe& r) {
         r.types = {{"Onl", "X*"}};
       },
       "-WrapType Onl=X*: no source of the job has such a name"},
      {[](JobRecipe& r) { r.product = "ASM"; },
       "The product ASM is not one this tool configuration offers"},
      {[](JobRecipe& r) {
         r.sources.push_back({"/nowhere/E.cbl", -1});
       },
       "The file or folder /nowhere/E.cbl does not exist"},
  };
  for (const Case& c : cases) {
    JobRecipe recipe = Recipe("jobs/Refused.jwrap", "out");
    c.change(recipe);
    EXPECT_FALSE(Make(recipe)) << c.message;
    EXPECT_NE(messages.find(c.message), std::string::npos) << messages;
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "jobs/Refused.jwrap")) << c.message;
  }
}

TEST(JobRecipeSwitches, RepeatsDepthsAndTheFirstProblem) {
  const Result<JobRecipe> read = ReadJobRecipe(
      CommandLine({"-MakeJob", "/j/A.jwrap", "-ProductName=pay", "-SystemName", "acct", "-Base",
                   "/b", "-Sources", "/s1", "-Depth", "1", "-Sources", "/s2", "-Copies", "/c",
                   "-WrapType", "Onl=ONL*", "-WrapType", "Module"}));
  ASSERT_TRUE(read) << read.Why();
  const JobRecipe& recipe = *read;
  ASSERT_EQ(recipe.sources.size(), 2u);
  EXPECT_EQ(recipe.sources[0].depth, -1);
  EXPECT_EQ(recipe.sources[1].depth, 1);
  EXPECT_EQ(recipe.copies[0].depth, 1);
  EXPECT_EQ(recipe.productName, "pay");
  ASSERT_EQ(recipe.types.size(), 2u);
  EXPECT_EQ(recipe.types[0].pattern, "ONL*");
  EXPECT_EQ(recipe.types[1].pattern, "");

  const std::vector<std::string> whole{"-MakeJob",    "/j/A.jwrap", "-ProductName", "p",
                                       "-SystemName", "s",          "-Base",        "/b",
                                       "-Sources",    "/s"};
  for (const auto& [extra, problem] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{"-Depth", "0"}, "-Depth 0: the depth is a number of folder levels, 1 or more"},
           {{"-Base", "/c"}, "The switch -Base is given twice"},
           {{"-ar", "Anal"},
            "-MakeJob only makes and saves a job; run it with a second call "
            "(without -AutoRun)"},
           {{"-WrapType"}, "The switch -WrapType needs a value"},
           {{"-Copies"}, "The switch -Copies needs a value"},
           {{"-Product"}, "The switch -Product needs a value"}}) {
    std::vector<std::string> args = whole;
    args.insert(args.end(), extra.begin(), extra.end());
    EXPECT_EQ(ReadJobRecipe(CommandLine(args)).Why(), problem);
  }
  EXPECT_EQ(ReadJobRecipe(CommandLine({"-MakeJob", "/j/A.job"})).Why(),
            "-MakeJob /j/A.job: a job file's name ends in .jwrap");

  EXPECT_TRUE(MatchesTypePattern("ONLINE.cbl", "onl*.CBL"));
  EXPECT_TRUE(MatchesTypePattern("A1.cbl", "A?.cbl"));
  EXPECT_FALSE(MatchesTypePattern("BONL.cbl", "ONL*"));
}

}  // namespace
}  // namespace korvane
