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

  const std::string job = dir / "jobs/PayAcctXml.jwrap";
  person.saveAnswers.push_back(job);
  ASSERT_TRUE(shell->Execute(n::kActSaveProject)) << shell->Status().MessageList();
  ASSERT_EQ(person.saveRequests.size(), 1u);
  EXPECT_EQ(person.saveRequests[0].fileName, "PayAcctXml");
  EXPECT_EQ(person.saveRequests[0].title, "Save job as...");

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

// Opened at start (an upper-case extension is accepted) and saved again, a job goes back
// into the copy it was opened from, never over the file of its derived name. (The rest of
// the round trip: JobFileReader.RoundTripRestoresTheWindowAndWritesTheSameFile.)
TEST_F(JobLifecycle, AJobOpenedAtStartIsSavedIntoItsOwnFile) {
  const std::string job = dir / "jobs/PayAcctXml.jwrap";
  {
    auto shell = Start();
    FillIn(*shell, "pay", "acct");
    person.saveAnswers.push_back(job);
    ASSERT_TRUE(shell->Execute(n::kActSaveProject));
  }
  const std::string saved = dir.Read("jobs/PayAcctXml.jwrap");
  const std::string upper = dir / "jobs/COPY.JWRAP";
  std::filesystem::copy_file(job, upper);

  auto shell = Start({"-Proj", upper});
  EXPECT_EQ(shell->CurrentProject().State().systemName, "acct");
  EXPECT_EQ(shell->CurrentProject().OutputDir(), dir / "out");
  EXPECT_FALSE(shell->CurrentProject().State().modified);
  dir.Write("jobs/COPY.JWRAP", "");
  shell->CurrentProject().SetModified(true);
  ASSERT_TRUE(shell->Execute(n::kActSaveProject));
  EXPECT_EQ(dir.Read("jobs/PayAcctXml.jwrap"), saved);
  EXPECT_NE(dir.Read("jobs/COPY.JWRAP").find("ProjectSystemName=acct"), std::string::npos);
  EXPECT_EQ(person.saveRequests.size(), 1u);
}

// Complete files that fail while loading: their messages, what was applied before the
// failure, and the folders untouched, with nothing synchronised or reset afterwards. (A
// file cut short or no job file at all: JobSafety.AJobCutAtAnyByte... and
// JobFileReader.TellsAFileThatIsNoJobFileFromOneCutShort.)
TEST_F(JobLifecycle, AFailedLoadShowsItsMessageAndTouchesNoFile) {
  dir.Write("out/SourceCollection/A.cbl", "a");
  dir.Write("out/SourceCollection/NOT_LISTED.cbl", "precious");
  const std::string folder = testing::FolderText(dir / "out");
  const std::string head =
      "[RadioButtons]\r\nActiveRadioButton=RadioButtonCobol\r\n[Properties]\r\n"
      "ProjectProductName=pay\r\nFrameFindDirectoryOutputDir=" +
      (dir / "out") + "\r\n";
  const std::string blocks =
      "[TMemo]\r\nMemoLongextension=MemoLongextension\r\n.cbl=.cobol\r\n"
      "[TCheckListBox]\r\nCheckListBoxSelectedFiles=CheckListBoxSelectedFiles\r\nYYA.cbl=/o/"
      "A.cbl\r\n[Konyec szkazki]\r\n";
  std::string text;
  for (const auto& [what, properties] :
       {std::pair<std::string, std::string>{"no system name", ""},
        {"bad number", "ProjectSystemName=hr\r\nMaxDirDepth=4294967297\r\n"}}) {
    dir.Write("jobs/old.jwrap", head + properties + blocks);
    auto shell = Start();
    testing::Transcript t(person, shell->Status(), dir.Path().string());
    person.openAnswers.push_back({dir / "jobs/old.jwrap"});
    EXPECT_FALSE(shell->Execute(n::kActOpenProject)) << what;
    EXPECT_FALSE(shell->CurrentProject().State().loading) << what;
    // Nothing may be synchronised or reset until a job loads or a new one starts.
    EXPECT_FALSE(shell->Execute(n::kActSynchronizeDirectories)) << what;
    EXPECT_EQ(testing::FolderText(dir / "out"), folder) << what;
    for (const auto& line : shell->Form().Get<Memo>(n::kMemoLongExtension).Lines()) {
      t.Note("long extensions: " + line);
    }
    text += "== " + what + "\n" + t.Text();
  }
  testing::ExpectGolden("app/failed_loads.txt", text);
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
