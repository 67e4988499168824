#include "korvane/core/project/project.h"

#include <gtest/gtest.h>

#include "korvane/core/common/operation_abort.h"
#include "project_fixture.h"

namespace korvane {
namespace {

using testing::ProjectFixture;

constexpr const char* kSaveQuestion =
    "The current project has been modified \r\nDo you want to save the changes?'";

TEST(ProjectNames, DerivesTheNameFromProperCasedParts) {
  ProjectFixture f;
  f.project.State().productName = "ab";
  f.project.State().systemName = "sys";
  f.project.State().subVersion = "xml";
  EXPECT_EQ(f.project.GetProjectName(), "AbSysXml");
  // Deriving applies the name rules: the boxes show the names, the job is modified.
  EXPECT_EQ(f.edit(names::kEditSystemName).Text(), "sys");
  EXPECT_TRUE(f.saveEnabled());
  EXPECT_TRUE(f.project.State().nameChanged);

  // Once derived it is kept until a name changes.
  f.project.State().systemName = "other";
  EXPECT_EQ(f.project.GetProjectName(), "AbSysXml");
  f.project.SetProductName("MY-PROD");
  EXPECT_EQ(f.project.State().projectName, "");
  EXPECT_EQ(f.project.GetProjectName(), "My-ProdOtherXml");
}

TEST(ProjectNames, RefusesEmptyAndDigitLeadingNames) {
  ProjectFixture f;
  f.project.State().productName = "keep";
  int focused = 0;
  const Connection focusRequestedWatch =
      f.edit(names::kEditSystemName).focusRequested.Connect([&] { ++focused; });
  EXPECT_THROW(f.project.SetSystemName("7abc"), OperationAbort);
  EXPECT_EQ(f.status.Text(), "System name name missing or incorrect");
  EXPECT_EQ(f.pages().ActivePage(), names::kPageNames);
  EXPECT_EQ(focused, 1);
  EXPECT_FALSE(f.project.State().modified);

  f.status.ClearMessages();
  f.pages().SetActivePage(names::kPageLanguages);
  EXPECT_THROW(f.project.SetProductName(""), OperationAbort);
  EXPECT_EQ(f.status.Text(), "Product name missing or incorrect");
  EXPECT_EQ(f.project.State().productName, "keep");

  // A missing name also stops the derivation of the project name.
  f.status.ClearMessages();
  f.project.State().systemName = "";
  EXPECT_THROW(f.project.GetProjectName(), OperationAbort);
  EXPECT_EQ(f.project.State().projectName, "");

  // "*" empties a name without complaint and clears the status bar.
  f.status.ShowWarning("old");
  f.project.SetProductName("*");
  EXPECT_EQ(f.edit(names::kEditProductName).Text(), "");
  EXPECT_EQ(f.status.Text(), "");
}

TEST(ProjectNames, EditBoxesFeedTheStateAndApplyTheRuleOnLeaving) {
  ProjectFixture f;
  auto& system = f.edit(names::kEditSystemName);
  system.UserEdit("SYSA");
  EXPECT_EQ(f.project.State().systemName, "SYSA");
  EXPECT_FALSE(f.project.State().modified);
  system.exited.Emit();
  EXPECT_TRUE(f.project.State().modified);
  // An empty box is left alone when left.
  system.UserEdit("");
  system.exited.Emit();
  EXPECT_EQ(f.status.Text(), "");
  system.UserEdit("9");
  EXPECT_THROW(system.exited.Emit(), OperationAbort);
}

TEST(ProjectNames, ProjectNameAndCaption) {
  ProjectFixture f;
  f.project.SetProjectName("/jobs/cob/Payroll.v2.jwrap");
  EXPECT_EQ(f.project.State().projectName, "Payroll.v2");
  EXPECT_EQ(f.window.Caption(), "Korvane Shell [Payroll.v2]");
  f.window.SetCaption("Korvane Shell [Payroll.v2] - run");
  f.project.SetProjectName("Billing.jwrap");
  EXPECT_EQ(f.window.Caption(), "Korvane Shell [Billing] - run");
  f.project.SetProjectName("*");
  EXPECT_EQ(f.window.Caption(), "Korvane Shell [] - run");
  EXPECT_EQ(CaptionWithProject("A [x] [y]z", "N"), "A [x] [N]z");
}

TEST(ProjectDirectory, KeepsTheFolderWithSeparatorAndRemembersIt) {
  ProjectFixture f;
  f.project.SetProjectDirectory("/home/u/jobs/Payroll.jwrap");
  EXPECT_EQ(f.project.State().projectDirectory, "/home/u/jobs/");
  EXPECT_EQ(f.settings.ReadSetting("LastPositionCOB"), "/home/u/jobs/");
  f.project.SetProjectDirectory("/Payroll.jwrap");
  EXPECT_EQ(f.project.State().projectDirectory, "/");
}

TEST(ProjectModified, SaveQuestionPaths) {
  ProjectFixture f;
  // Clearing an unmodified project asks nothing.
  f.project.SetModified(false);
  f.project.SetModified(true);
  EXPECT_TRUE(f.person.asked.empty());

  // Cancel: the operation ends and the project stays modified.
  f.person.answers = {Button::Cancel};
  EXPECT_THROW(f.project.SetModified(false), OperationAbort);
  ASSERT_EQ(f.person.asked.size(), 1u);
  EXPECT_EQ(f.person.asked[0].text, kSaveQuestion);
  EXPECT_EQ(f.person.asked[0].kind, MessageKind::Warning);
  EXPECT_EQ(f.person.asked[0].buttons, (Buttons{Button::Yes, Button::No, Button::Cancel}));
  EXPECT_EQ(f.status.Text(), "Action cancelled");
  EXPECT_TRUE(f.project.State().modified);
  EXPECT_TRUE(f.saveEnabled());

  // No: nothing saved, no longer modified.
  f.person.answers = {Button::No};
  f.project.SetModified(false);
  EXPECT_FALSE(f.saveEnabled());
  EXPECT_EQ(f.saves, 0);

  // Yes: the save runs with its action enabled.
  f.project.SetModified(true);
  bool enabledDuringSave = false;
  f.onSave = [&] { enabledDuringSave = f.saveEnabled(); };
  f.person.answers = {Button::Yes};
  f.project.SetModified(false);
  EXPECT_EQ(f.saves, 1);
  EXPECT_TRUE(enabledDuringSave);

  // A save that is cancelled ends the operation; the project stays modified.
  f.project.SetModified(true);
  f.onSave = [] { throw OperationAbort(); };
  f.person.answers = {Button::Yes};
  EXPECT_THROW(f.project.SetModified(false), OperationAbort);
  EXPECT_TRUE(f.project.State().modified);
}

TEST(ProjectModified, EditsHeldElsewhereCountForTheSaveQuestion) {
  struct Held : PendingEdits {
    bool pending = false;
    bool HasPendingEdits() const override { return pending; }
  } held;
  ProjectFixture f;
  f.project.SetPendingEdits(&held);
  EXPECT_FALSE(f.project.Modified());
  held.pending = true;
  EXPECT_TRUE(f.project.Modified());

  // The state itself is clean, yet leaving asks, and Cancel still keeps everything.
  f.person.answers = {Button::Cancel};
  EXPECT_THROW(f.project.SetModified(false), OperationAbort);
  f.person.answers = {Button::Yes};
  f.onSave = [&] { held.pending = false; };
  f.project.SetModified(false);
  EXPECT_EQ(f.saves, 1);
  EXPECT_EQ(f.person.AskedTexts(), (std::vector<std::string>{kSaveQuestion, kSaveQuestion}));
  EXPECT_FALSE(f.project.Modified());
  f.project.SetModified(false);  // nothing held any more: no question
  EXPECT_EQ(f.person.asked.size(), 2u);
}

TEST(ProjectBatch, CheckOnLoadPaths) {
  constexpr const char* kMissing =
      "Some awaited outputs are still misssing from your previous processing.\r\n"
      "If your background job is still running, reply Cancel to exit.\r\n"
      "Reply OK, if the process was broken, and you want to restart this project.";
  constexpr const char* kFinished =
      "Your batch process seems to have finished in the mean time. \r\nEnjoy the results. ";
  struct Case {
    bool running;
    int modules, renamed;
    std::vector<Button> answers;
    const char* question;
    int renames, saves, closes;
    bool runningAfter, modifiedAfter;
  };
  const Case cases[] = {
      {false, 3, 1, {}, nullptr, 0, 0, 0, false, false},
      {true, 3, 3, {}, kFinished, 1, 1, 0, false, true},
      {true, 3, 1, {Button::Ok}, kMissing, 1, 0, 0, false, true},
      {true, 3, 1, {Button::Cancel}, kMissing, 1, 1, 1, false, true},
  };
  for (const auto& c : cases) {
    ProjectFixture f;
    int renames = 0, closes = 0;
    bool runningAtSave = false;
    f.actions.Get(names::kActRename).SetHandler([&] { ++renames; });
    const Connection closing = f.window.closeRequested.Connect([&] { ++closes; });
    f.onSave = [&] { runningAtSave = f.project.State().batchRunning; };
    f.project.State().batchRunning = c.running;
    f.project.State().numberOfModules = c.modules;
    f.project.State().numberOfRenamedModules = c.renamed;
    f.person.answers.assign(c.answers.begin(), c.answers.end());
    f.project.CheckBatchOnLoad();
    if (c.question == nullptr) {
      EXPECT_TRUE(f.person.asked.empty());
    } else {
      ASSERT_EQ(f.person.asked.size(), 1u);
      EXPECT_EQ(f.person.asked[0].text, c.question);
    }
    EXPECT_EQ(renames, c.renames);
    EXPECT_EQ(f.saves, c.saves);
    EXPECT_EQ(closes, c.closes);
    EXPECT_EQ(f.project.State().batchRunning, c.runningAfter);
    EXPECT_EQ(f.project.State().modified, c.modifiedAfter);
    // Leaving a possibly still running job must keep it marked in the file;
    // a finished one is saved as finished.
    if (c.closes == 1) {
      EXPECT_TRUE(runningAtSave);
    }
    if (c.question == kFinished) {
      EXPECT_FALSE(runningAtSave);
      EXPECT_EQ(f.person.asked[0].kind, MessageKind::Information);
    }
  }
}

}  // namespace
}  // namespace korvane
