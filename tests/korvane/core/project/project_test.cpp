#include "korvane/core/project/project.h"

#include <gtest/gtest.h>

#include "korvane/core/common/operation_abort.h"
#include "project_fixture.h"
#include "transcript.h"

namespace korvane {
namespace {

using testing::ProjectFixture;
using testing::Transcript;
using testing::YesNo;

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

TEST(ProjectNames, RefusesEmptyAndDigitLeadingNamesOnTheNamesPage) {
  ProjectFixture f;
  Transcript t(f.person, f.status);
  f.project.State().productName = "keep";
  int focused = 0;
  const Connection focusRequestedWatch =
      f.edit(names::kEditSystemName).focusRequested.Connect([&] { ++focused; });
  auto note = [&](const char* step) {
    t.Note(std::string(step) + ": page " + f.pages().ActivePage() + ", system focused " +
           std::to_string(focused) + ", modified " + YesNo(f.project.State().modified) +
           ", product '" + f.project.State().productName + "', project '" +
           f.project.State().projectName + "', product box '" +
           f.edit(names::kEditProductName).Text() + "', status '" + f.status.Text() + "'");
  };
  EXPECT_THROW(f.project.SetSystemName("7abc"), OperationAbort);
  note("system 7abc");
  f.pages().SetActivePage(names::kPageLanguages);
  EXPECT_THROW(f.project.SetProductName(""), OperationAbort);
  note("empty product");
  // A missing name also stops the derivation of the project name.
  f.project.State().systemName = "";
  EXPECT_THROW(f.project.GetProjectName(), OperationAbort);
  note("derived without a system name");
  // "*" empties a name without complaint and clears the status bar.
  f.status.ShowWarning("old");
  f.project.SetProductName("*");
  note("product *");
  t.Expect("project/refused_names.txt");
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

// Cancel keeps the project modified, No drops the changes, Yes saves with the save action
// enabled; edits held elsewhere count as changes; a cancelled save keeps them.
TEST(ProjectModified, TheSaveQuestionOnlyWhenSomethingChanged) {
  struct Held : PendingEdits {
    bool pending = false;
    bool HasPendingEdits() const override { return pending; }
  } held;
  ProjectFixture f;
  f.project.SetPendingEdits(&held);
  Transcript t(f.person, f.status);
  auto note = [&](const std::string& step) {
    t.Note(step + ": modified " + YesNo(f.project.Modified()) + ", state " +
           YesNo(f.project.State().modified) + ", save offered " + YesNo(f.saveEnabled()) +
           ", saves " + std::to_string(f.saves));
  };
  auto leave = [&](Button answer, const char* step) {
    f.person.answers = {answer};
    try {
      f.project.SetModified(false);
    } catch (const OperationAbort&) {
      note(std::string(step) + " (aborted)");
      return;
    }
    note(step);
  };
  f.project.SetModified(false);
  f.project.SetModified(true);
  note("cleared unmodified, then modified");
  leave(Button::Cancel, "Cancel");
  leave(Button::No, "No");
  f.project.SetModified(true);
  f.onSave = [&] { note("saving"); };
  leave(Button::Yes, "Yes");
  f.project.SetModified(true);
  f.onSave = [] { throw OperationAbort(); };
  leave(Button::Yes, "Yes, save cancelled");

  leave(Button::No, "No");
  held.pending = true;
  note("clean state, edits held elsewhere");
  leave(Button::Cancel, "Cancel");
  f.onSave = [&] { held.pending = false; };
  leave(Button::Yes, "Yes");
  leave(Button::Cancel, "nothing held");
  t.Expect("project/save_question.txt");
}

// A job saved while its batch ran: finished meanwhile, it is renamed and saved as finished;
// outputs missing, OK restarts it and Cancel leaves, keeping it marked as running in the
// file since it may still run.
TEST(ProjectBatch, AJobOpenedWhileItsBatchRanIsReconciled) {
  struct Case {
    bool running;
    int renamed;
    std::vector<Button> answers;
  };
  const Case cases[] = {
      {false, 1, {}}, {true, 3, {}}, {true, 1, {Button::Ok}}, {true, 1, {Button::Cancel}}};
  std::string text;
  for (const auto& c : cases) {
    ProjectFixture f;
    Transcript t(f.person, f.status);
    int closes = 0;
    f.project.SetResultRenamer(&f);
    const Connection closing = f.window.closeRequested.Connect([&] { ++closes; });
    f.onSave = [&] {
      t.Note(std::string("saved running ") + YesNo(f.project.State().batchRunning));
    };
    f.project.State().batchRunning = c.running;
    f.project.State().numberOfModules = 3;
    f.project.State().numberOfRenamedModules = c.renamed;
    f.person.answers.assign(c.answers.begin(), c.answers.end());
    f.project.CheckBatchOnLoad();
    t.Note("renames " + std::to_string(f.renames) + ", saves " + std::to_string(f.saves) +
           ", closes " + std::to_string(closes) + ", running " +
           YesNo(f.project.State().batchRunning) + ", modified " +
           YesNo(f.project.State().modified));
    text += "== running " + std::string(YesNo(c.running)) + ", renamed " +
            std::to_string(c.renamed) + " of 3\n" + t.Text();
  }
  testing::ExpectGolden("project/batch_on_load.txt", text);
}

}  // namespace
}  // namespace korvane
