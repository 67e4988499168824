// The user's files under damaged, cut, copied and hostile jobs: whatever is opened, the
// shell changes nothing that a complete load of the job would not change.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "korvane/core/components/lists.h"
#include "korvane/core/project/transcript.h"
#include "shell_fixture.h"
#include "support/svc_scenario.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
namespace n = names;
using testing::Replaced;

// The names of app/hostile_names.txt, one a line, escaped as in a scenario.
std::vector<std::string> HostileStems() {
  std::vector<std::string> stems;
  std::istringstream in(testing::ReadGolden("app/hostile_names.txt"));
  for (std::string line; std::getline(in, line);) stems.push_back(testing::Unescaped(line));
  return stems;
}

class JobSafety : public testing::ShellJobFixture {
 protected:
  JobSafety() {
    dir.Write("bin/korvane.INI", std::string(testing::kShellIni) +
                                     "COB.Filters=COBOL|*.cbl\r\nCOB.Copy.Filters=Copy|*.cpy\r\n");
  }

  // Every entry below rel: files with their bytes, links by their target.
  std::string Files(const std::string& rel) const { return testing::FolderText(dir / rel); }

  // A saved COBOL job with two sources (one with a label), a copy member and a stray
  // file of the person's own in the base directory.
  std::unique_ptr<Shell> SavedJob() {
    auto shell = Start();
    FillIn(*shell, "pay", "acct");
    const std::string a = dir.Write("src/A.cbl", "       COPY MEMB.\r\n");
    const std::string b = dir.Write("src/B.cbl", "b\r\n");
    const std::string m = dir.Write("src/MEMB.cpy", "m\r\n");
    dir.Write("out/notes.txt", "the person's own");
    EXPECT_TRUE(
        shell->Run([&] { shell->Sources().Adding().DropFiles(n::kButtonAddFilesToCpy, {m}); }));
    EXPECT_TRUE(shell->Run([&] {
      shell->Sources().Adding().DropFiles(n::kButtonAddFilesToSrc, {a, b});
    }));
    EXPECT_TRUE(shell->Run([&] { shell->Sources().Types().SetEntryWrapType(0, "Onl"); }));
    person.saveAnswers.push_back(dir / "jobs/PayAcctXml.jwrap");
    EXPECT_TRUE(shell->Execute(n::kActSaveProject)) << shell->Status().MessageList();
    return shell;
  }

  // Opens a job file as a drop on the window would, unsaved changes dropped.
  bool Open(Shell& shell, const std::string& path) {
    shell.CurrentProject().State().modified = false;
    return shell.Run([&] { shell.Jobs().OpenProject({path}); });
  }
};

TEST_F(JobSafety, AJobCutAtAnyByteTouchesNoFile) {
  auto shell = SavedJob();
  const std::string job = dir.Read("jobs/PayAcctXml.jwrap");
  const std::string before = Files("out");
  ASSERT_NE(before.find("LabelCollection/A.cbl: "), std::string::npos) << "a label to lose";
  ASSERT_EQ(shell->Form().Get<CheckList>(n::kListSources).Items().size(), 2u);

  // Complete files load; whatever a cut file is, the folders stay exactly as they were.
  const size_t complete = job.rfind("[Konyec szkazki]") + 16;
  for (size_t cut = 0; cut <= job.size(); ++cut) {
    const std::string path = dir.Write("cut/Job.jwrap", job.substr(0, cut));
    EXPECT_EQ(Open(*shell, path), cut >= complete) << "cut at " << cut;
    ASSERT_EQ(Files("out"), before) << "cut at " << cut;
  }
  // The last, whole, file is the job again. (Broken line ends make a broken list:
  // JobFileReader.RestoresCheckFlagsPerItemWhateverTheSortOrder; a load failing past the
  // checks touches no file either: JobLifecycle.AFailedLoadShowsItsMessageAndTouchesNoFile.)
  EXPECT_EQ(shell->Form().Get<CheckList>(n::kListSources).Items().size(), 2u);
}

// A folder or job file of another job is taken only when the person says so; the
// refusal touches nothing.
TEST_F(JobSafety, AnotherJobsFolderOrFileIsTakenOnlyWhenThePersonAgrees) {
  SavedJob();
  const std::string original = dir.Read("jobs/PayAcctXml.jwrap");
  // Another job: its names are others, and so is the name derived from them.
  const std::string other =
      dir.Write("jobs/Other.jwrap",
                Replaced(original, {{"ProjectName=PayAcctXml", "ProjectName=OtherAcctXml"},
                                    {"ProjectProductName=pay", "ProjectProductName=other"},
                                    {"EditProductName=pay", "EditProductName=other"}}));
  const std::string missing = Files("out");
  ASSERT_NE(dir.Read("out/.korvane.job").find("ProjectName=PayAcctXml"), std::string::npos);
  {
    auto shell = Start();
    person.answers = {Button::No};
    EXPECT_FALSE(Open(*shell, other));
    ASSERT_FALSE(person.AskedTexts().empty());
    EXPECT_NE(person.AskedTexts().back().find("belongs to the job PayAcctXml ("), std::string::npos)
        << person.AskedTexts().back();
    EXPECT_EQ(Files("out"), missing);
    EXPECT_TRUE(shell->CurrentProject().BaseHeld());
  }
  {
    auto shell = Start();
    person.answers = {Button::Yes};
    EXPECT_TRUE(Open(*shell, other)) << shell->Status().MessageList();
    EXPECT_NE(dir.Read("out/.korvane.job").find("ProjectName=OtherAcctXml"), std::string::npos);
  }

  // A job for another folder whose derived name is that of the first job's file.
  fs::create_directories(dir.Path() / "out2");
  const std::string moved = dir.Write(
      "jobs/Moved.jwrap", Replaced(original, {{"ProjectSystemName=acct", "ProjectSystemName=moved"},
                                              {"EditSystemName=acct", "EditSystemName=moved"},
                                              {"FrameFindDirectoryOutputDir=" + dir / "out",
                                               "FrameFindDirectoryOutputDir=" + dir / "out2"}}));
  auto shell = Start();
  ASSERT_TRUE(Open(*shell, moved)) << shell->Status().MessageList();
  EXPECT_EQ(shell->CurrentProject().GetProjectName(), "PayMovedXml");
  ASSERT_TRUE(shell->Run([&] { shell->CurrentProject().SetSystemName("acct"); }));
  EXPECT_EQ(shell->CurrentProject().GetProjectName(), "PayAcctXml");
  person.answers = {Button::No};
  EXPECT_FALSE(shell->Execute(n::kActSaveProject));
  EXPECT_EQ(person.AskedTexts().back(), dir / "jobs/PayAcctXml.jwrap" +
                                            " holds another job (base directory " + dir / "out" +
                                            ").\r\nOverwrite it with this job?");
  EXPECT_EQ(dir.Read("jobs/PayAcctXml.jwrap"), original);
  person.answers = {Button::Yes};
  EXPECT_TRUE(shell->Execute(n::kActSaveProject)) << shell->Status().MessageList();
  EXPECT_NE(dir.Read("jobs/PayAcctXml.jwrap").find(dir / "out2"), std::string::npos);
}

// A file without a base directory line, or with a relative one or a file for it, names
// no folder: the job loads, but the last job's folder is not proposed, synchronised or
// reset.
TEST_F(JobSafety, AJobNamingNoUsableBaseDirectoryLoadsButTouchesNoFolder) {
  SavedJob();
  const std::string original = dir.Read("jobs/PayAcctXml.jwrap");
  const std::string before = Files("out");
  auto withBase = [&](const std::string& line) {
    const size_t at = original.find("FrameFindDirectoryOutputDir=");
    const size_t end = original.find("\r\n", at) + 2;
    return original.substr(0, at) + line + original.substr(end);
  };
  for (const std::string& line : {std::string(), std::string("FrameFindDirectoryOutputDir=out\r\n"),
                                  "FrameFindDirectoryOutputDir=" + dir / "out/notes.txt\r\n"}) {
    fs::remove(dir / "out/SourceCollection/B.cbl");  // the list still names it
    const std::string job = dir.Write("jobs/Other.jwrap", withBase(line));
    auto other = Start();
    EXPECT_TRUE(Open(*other, job)) << line;
    EXPECT_NE(other->Status().MessageList().find("names no usable base directory"),
              std::string::npos)
        << other->Status().MessageList();
    EXPECT_EQ(other->Form().Get<CheckList>(n::kListSources).Items().size(), 2u) << line;
    EXPECT_EQ(other->CurrentProject().OutputDir(), "");
    EXPECT_FALSE(other->Execute(n::kActRestartProject));
    fs::copy_file(dir / "src/B.cbl", dir / "out/SourceCollection/B.cbl");
    EXPECT_EQ(Files("out"), before) << line;
  }
}

TEST_F(JobSafety, HostileNamesAreRefusedByNameOrSurviveSaveAndOpen) {
  auto shell = Start();
  FillIn(*shell, "pay", "acct");
  const std::vector<std::string> stems = HostileStems();
  std::vector<std::string> paths;
  for (const std::string& stem : stems) paths.push_back(dir.Write("src/" + stem + ".cbl", stem));
  ASSERT_GE(paths.size(), 50u);

  shell->Run([&] { shell->Sources().Adding().DropFiles(n::kButtonAddFilesToSrc, paths); });
  const std::string messages = shell->Status().MessageList() + shell->Status().Text();
  auto& list = shell->Form().Get<CheckList>(n::kListSources);
  for (int i = 0; i < static_cast<int>(list.Items().size()); ++i) {
    ASSERT_TRUE(shell->Run([&] { shell->Sources().Types().SetEntryWrapType(i, "Onl"); }));
  }
  const std::string job = dir / "jobs/PayAcctXml.jwrap";
  person.saveAnswers.push_back(job);
  ASSERT_TRUE(shell->Execute(n::kActSaveProject)) << shell->Status().MessageList();
  shell.reset();

  auto reopened = Start({"-Proj", job});
  std::map<std::string, bool> listed;
  for (const auto& item : reopened->Form().Get<CheckList>(n::kListSources).Items()) {
    listed[item.text.substr(0, item.text.find('='))] = item.enabled;
  }
  size_t refused = 0;
  for (const std::string& stem : stems) {
    const std::string name = stem + ".cbl";
    if (listed.count(name) == 0) {
      ++refused;
      EXPECT_NE(messages.find(dir / "src/" + name), std::string::npos) << "lost: " << name;
      continue;
    }
    EXPECT_TRUE(listed[name]) << name;  // the wrapping type came back with it
    EXPECT_EQ(dir.Read("out/SourceCollection/" + name), stem) << name;
    EXPECT_EQ(dir.Read("out/LabelCollection/" + name), "MASK:" + name + "\r\n") << name;
  }
  EXPECT_EQ(refused, 4u);  // CR, LF, "=", a leading "[", nothing else
  EXPECT_EQ(listed.size(), stems.size() - refused);
}

TEST_F(JobSafety, AJobNeverCarriesTheConfigurationAndANewJobNoMarks) {
  auto shell = SavedJob();
  const auto configLines = shell->Form().Get<Memo>(n::kMemoIniFile).Lines();
  std::string job = dir.Read("jobs/PayAcctXml.jwrap");
  job.insert(job.find("[Konyec szkazki]"),
             "[TMemo]\r\nMemoIniFile=MemoIniFile\r\nDOSBox.Program=/tmp/evil\r\n");
  ASSERT_TRUE(Open(*shell, dir.Write("jobs/Evil.jwrap", job))) << shell->Status().MessageList();
  EXPECT_EQ(shell->Form().Get<Memo>(n::kMemoIniFile).Lines(), configLines);
  ASSERT_TRUE(shell->Execute(n::kActWriteIniFile)) << shell->Status().MessageList();
  EXPECT_EQ(dir.Read("bin/korvane.INI").find("evil"), std::string::npos);
  EXPECT_NE(dir.Read("bin/korvane.INI").find("RadioButtonCobol="), std::string::npos);

  EXPECT_FALSE(shell->Form().Get<StringListHolder>(n::kMarksHolder).StringList().empty());
  shell->CurrentProject().State().modified = false;
  ASSERT_TRUE(shell->Execute(n::kActNewProject));
  EXPECT_TRUE(shell->Form().Get<StringListHolder>(n::kMarksHolder).StringList().empty());
}

// The reset command on a saved job: the files it names go, to the product's depth, and
// the person's own file in the base directory stays.
TEST_F(JobSafety, ResetDeletesWhatItNamesWithTheProductDepth) {
  auto shell = SavedJob();
  for (const char* rel : {"out/last.xml", "out/WrapOut/a/b/c/deep.cbl", "out/Work/tmp.dat"}) {
    dir.Write(rel, "x");
  }
  person.answers.push_back(Button::Yes);
  ASSERT_TRUE(shell->Execute(n::kActRestartProject)) << shell->Status().MessageList();
  ASSERT_EQ(person.asked.size(), 1u);
  EXPECT_NE(person.asked[0].text.find(dir / "out/WrapOut/a/b/c/deep.cbl"), std::string::npos);
  for (const char* gone : {"out/last.xml", "out/WrapOut/a/b/c/deep.cbl", "out/Work/tmp.dat"}) {
    EXPECT_FALSE(fs::exists(dir / gone)) << gone;
  }
  EXPECT_EQ(dir.Read("out/notes.txt"), "the person's own");
}

}  // namespace
}  // namespace korvane
