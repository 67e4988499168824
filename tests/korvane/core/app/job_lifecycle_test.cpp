#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/app/shell.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/project/transcript.h"
#include "platform/memory_settings.h"
#include "shell_fixture.h"

namespace korvane {
namespace {

namespace n = names;

using JobLifecycle = testing::ShellJobFixture;

TEST_F(JobLifecycle, SaveAsksForTheFileOnceThenWritesDirectly) {
  auto shell = Start();
  FillIn(*shell, "pay", "acct");
  EXPECT_TRUE(shell->Actions().Get(n::kActSaveProject).Enabled());

  const std::string job = dir / "jobs/PayAcctXml.jwrap";
  person.saveAnswers.push_back(job);
  ASSERT_TRUE(shell->Execute(n::kActSaveProject)) << shell->Status().MessageList();
  ASSERT_EQ(person.saveRequests.size(), 1u);
  EXPECT_EQ(person.saveRequests[0].fileName, "PayAcctXml");
  EXPECT_EQ(person.saveRequests[0].title, "Save job as...");
  EXPECT_FALSE(shell->Actions().Get(n::kActSaveProject).Enabled());

  std::string saved = testing::WithTmp(dir.Read("jobs/PayAcctXml.jwrap"), dir.Path().string());
  const size_t editor = saved.find(";FrameFindexecEditorGeneral=");  // the system's editor
  saved.erase(editor, saved.find("\r\n", editor) + 2 - editor);
  testing::ExpectGolden("app/new_job.jwrap", saved);
  EXPECT_EQ(settings.Read("Software\\Brevik\\Korvane Shell\\Parameters\\", "LastOutputDirCOB"),
            dir.Path().string());

  // Unchanged names: the next save goes straight to the same file.
  shell->CurrentProject().SetModified(true);
  ASSERT_TRUE(shell->Execute(n::kActSaveProject));
  EXPECT_EQ(person.saveRequests.size(), 1u);

  // A new product name makes the next save ask again.
  auto& product = shell->Form().Get<EditBox>(n::kEditProductName);
  product.UserEdit("bill");
  product.exited.Emit();
  person.saveAnswers.push_back(std::nullopt);
  EXPECT_FALSE(shell->Execute(n::kActSaveProject));
  EXPECT_EQ(shell->Status().Text(), "Save cancelled");
  EXPECT_EQ(person.saveRequests.size(), 2u);
}

TEST_F(JobLifecycle, AJobOpenedAtStartComesBackAsSaved) {
  const std::string job = dir / "jobs/PayAcctXml.jwrap";
  {
    auto shell = Start();
    FillIn(*shell, "pay", "acct");
    shell->Form().Get<Memo>(n::kMemoLongExtension).UserEdit({"a", "", "b"});
    person.saveAnswers.push_back(job);
    ASSERT_TRUE(shell->Execute(n::kActSaveProject));
  }
  const std::string saved = dir.Read("jobs/PayAcctXml.jwrap");
  // Upper-case extensions are accepted at start.
  const std::string upper = dir / "jobs/COPY.JWRAP";
  std::filesystem::copy_file(job, upper);

  auto shell = Start({"-Proj", upper});
  auto& state = shell->CurrentProject().State();
  EXPECT_EQ(state.productName, "pay");
  EXPECT_EQ(state.systemName, "acct");
  EXPECT_EQ(shell->CurrentProject().OutputDir(), dir / "out");
  EXPECT_EQ(shell->Form().Get<Memo>(n::kMemoLongExtension).Lines(),
            (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(shell->Form().Get<PageControl>(n::kPageControlMain).ActivePage(), n::kPageNames);
  EXPECT_FALSE(state.modified);

  // Saved again, it goes back into the copy it was opened from, never over the file
  // of its derived name; opened from that one and saved once more, the bytes stay the
  // same (the first save of a new job has not measured its list columns yet).
  shell->CurrentProject().SetModified(true);
  ASSERT_TRUE(shell->Execute(n::kActSaveProject));
  EXPECT_EQ(dir.Read("jobs/PayAcctXml.jwrap"), saved);
  const std::string resaved = dir.Read("jobs/COPY.JWRAP");
  EXPECT_EQ(resaved.substr(resaved.find("[StringListHolders]")),
            saved.substr(saved.find("[StringListHolders]")));
  shell.reset();
  auto again = Start({"-Proj", job});
  again->CurrentProject().SetModified(true);
  ASSERT_TRUE(again->Execute(n::kActSaveProject));
  EXPECT_EQ(dir.Read("jobs/PayAcctXml.jwrap"), resaved);
}

TEST_F(JobLifecycle, AJobJustOpenedIsNotModifiedUntilItIsEdited) {
  InstallWrappers();
  const std::string job = dir / "jobs/PayAcctXml.jwrap";
  {
    auto shell = Start();
    FillIn(*shell, "pay", "acct");
    const std::string a = dir.Write("src/A.cbl", "a\r\n");
    const std::string b = dir.Write("src/B.cbl", "b\r\n");
    ASSERT_TRUE(shell->Run([&] {
      shell->Sources().Adding().DropFiles(n::kButtonAddFilesToSrc, {a, b});
    }));
    ASSERT_TRUE(shell->Run([&] {
      shell->Sources().Types().SetEntryWrapType(0, "Onl");
      shell->Sources().Types().SetEntryWrapType(1, "File");
    }));
    person.saveAnswers.push_back(job);
    ASSERT_TRUE(shell->Execute(n::kActSaveProject)) << shell->Status().MessageList();
    EXPECT_FALSE(shell->CurrentProject().Modified());
  }

  // Opened at start and by command: the first source is highlighted, nothing changed.
  // (What is a change afterwards: SourceListEditing.OnlyANewTypeOrStateIsAChangeOfTheJob.)
  auto shell = Start({"-Proj", job});
  EXPECT_EQ(shell->Form().Get<CheckList>(n::kListSources).ItemIndex(), 0);
  EXPECT_FALSE(shell->CurrentProject().Modified());
  EXPECT_FALSE(shell->Actions().Get(n::kActSaveProject).Enabled());
  person.openAnswers.push_back({job});
  ASSERT_TRUE(shell->Execute(n::kActOpenProject)) << shell->Status().MessageList();
  EXPECT_FALSE(shell->CurrentProject().Modified());
  EXPECT_TRUE(person.asked.empty());
}

TEST_F(JobLifecycle, AFailedLoadShowsItsMessageAndTouchesNoFile) {
  const std::string loadError =
      " Error while loading project definition, it was possibly generated with an older "
      "version of the tool";
  dir.Write("out/SourceCollection/A.cbl", "a");
  dir.Write("out/SourceCollection/NOT_LISTED.cbl", "precious");
  const std::string head =
      "[RadioButtons]\r\nActiveRadioButton=RadioButtonCobol\r\n[Properties]\r\n"
      "ProjectProductName=pay\r\nFrameFindDirectoryOutputDir=" +
      (dir / "out") + "\r\n";
  const std::string blocks =
      "[TMemo]\r\nMemoLongextension=MemoLongextension\r\n.cbl=.cobol\r\n"
      "[TCheckListBox]\r\nCheckListBoxSelectedFiles=CheckListBoxSelectedFiles\r\nYYA.cbl=/o/"
      "A.cbl\r\n";
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> reported;
  };
  const std::string job = dir / "jobs/old.jwrap";
  const Case cases[] = {
      // Complete, but without a system name: what was applied before the failure stays.
      {"no system name",
       head + blocks + "[Konyec szkazki]\r\n",
       {"System name name missing or incorrect", loadError}},
      // (A file cut short or no job file at all: JobSafety.AJobCutAtAnyByte... and
      // JobFileReader.TellsAFileThatIsNoJobFileFromOneCutShort.)
      {"bad number",
       head + "ProjectSystemName=hr\r\nMaxDirDepth=4294967297\r\n" + blocks +
           "[Konyec szkazki]\r\n",
       {job + ": '04294967297' is not a valid integer value", loadError}},
  };
  for (const Case& c : cases) {
    dir.Write("jobs/old.jwrap", c.text);
    auto shell = Start();
    std::vector<std::string> reported;
    ConnectionList keep;
    keep.Add(shell->Status().messageReported.Connect(
        [&](StatusMessageKind, const std::string& text) { reported.push_back(text); }));
    person.openAnswers.push_back({dir / "jobs/old.jwrap"});
    EXPECT_FALSE(shell->Execute(n::kActOpenProject)) << c.what;
    EXPECT_EQ(reported, c.reported) << c.what;
    EXPECT_EQ(dir.Read("out/SourceCollection/NOT_LISTED.cbl"), "precious") << c.what;
    EXPECT_EQ(dir.Read("out/SourceCollection/A.cbl"), "a") << c.what;
    EXPECT_FALSE(shell->CurrentProject().State().loading) << c.what;
    // Nothing may be synchronised or reset until a job loads or a new one starts.
    EXPECT_FALSE(shell->Execute(n::kActSynchronizeDirectories)) << c.what;
    EXPECT_EQ(dir.Read("out/SourceCollection/NOT_LISTED.cbl"), "precious") << c.what;
  }
  // The applied memo stays on show after the first case's failure.
  dir.Write("jobs/old.jwrap", cases[0].text);
  auto shell = Start();
  person.openAnswers.push_back({dir / "jobs/old.jwrap"});
  shell->Execute(n::kActOpenProject);
  EXPECT_EQ(shell->Form().Get<Memo>(n::kMemoLongExtension).Lines(),
            (std::vector<std::string>{".cbl=.cobol"}));
}

TEST_F(JobLifecycle, OpenCancelledLeavesANewProject) {
  auto shell = Start();
  EXPECT_FALSE(shell->Execute(n::kActOpenProject));
  EXPECT_EQ(shell->Status().Text(), "File search cancelled, new project created");
  ASSERT_EQ(person.openRequests.size(), 1u);
  EXPECT_EQ(person.openRequests[0].title, "Open a Tamrock project definition");
  EXPECT_EQ(person.openRequests[0].filter, "Job definitions files(*.jwrap)|*.jwrap");
}

TEST_F(JobLifecycle, ExtendedOptionsFollowTheDebugSwitch) {
  auto shell = Start({"-sha"});
  Action& advanced = shell->Actions().Get(n::kActShowAdvanced);
  EXPECT_TRUE(advanced.Visible());
  EXPECT_FALSE(advanced.Checked());  // debug mode is off
  EXPECT_FALSE(shell->Form().Get<Page>(n::kPageTechnical).Visible());
  EXPECT_FALSE(shell->Actions().Get(n::kActRunTool).Visible());
  ASSERT_TRUE(shell->Execute(n::kActShowAdvanced));
  EXPECT_TRUE(shell->Form().Get<Page>(n::kPageTechnical).Visible());
  EXPECT_TRUE(shell->Actions().Get(n::kActRunTool).Visible());
  EXPECT_TRUE(shell->Form().Get<PageControl>(n::kPageControlExtended).MultiLine());
}

TEST_F(JobLifecycle, OnlyASingleDroppedJobFileIsOpened) {
  auto shell = Start();
  FillIn(*shell, "pay", "acct");
  const std::string other = dir.Write("jobs/source.cbl", "");
  ASSERT_TRUE(shell->Run([&] { shell->Jobs().OpenProject({other}); }));
  ASSERT_TRUE(shell->Run([&] { shell->Jobs().OpenProject({other, other}); }));
  EXPECT_EQ(shell->CurrentProject().State().productName, "pay");  // nothing was cleared
  EXPECT_TRUE(person.asked.empty());
}

}  // namespace
}  // namespace korvane
