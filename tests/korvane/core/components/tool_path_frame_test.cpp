#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/form_model.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

using testing::ScriptedPerson;
using testing::TempDir;

// Notes whether the field was shown as browsing while the dialog was open.
class WatchingPerson : public ScriptedPerson {
 public:
  std::vector<std::string> OpenFiles(const FileDialogRequest& request) override {
    browsingWhileOpen = frame != nullptr && frame->Browsing();
    return ScriptedPerson::OpenFiles(request);
  }
  const ToolPathFrame* frame = nullptr;
  bool browsingWhileOpen = false;
};

class ToolPathFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame.SetStatusBar(&bar);
    frame.Bind(person);
    person.frame = &frame;
    tool = tmp.Write("COBWrap/Ardent.exe", "tool");
  }
  // Validates and checks the result and the red colour.
  void ExpectValidate(bool interactive, bool valid, bool invalid) {
    EXPECT_EQ(frame.ValidatePath(interactive), valid);
    EXPECT_EQ(frame.Invalid(), invalid);
  }

  TempDir tmp;
  WatchingPerson person;
  StatusBar bar{person};
  FormModel form;
  ToolPathFrame& frame =
      form.Create<ToolPathFrame>(names::kFrameArdent, "", "Batch wrapper program ");
  std::string tool;
};

TEST_F(ToolPathFrameTest, SpecialDefaultsAndHiddenFramesAreValid) {
  frame.SetText(tmp / "nothing-here");
  frame.SetInvalid(true);
  frame.SetDefaultName("@");
  ExpectValidate(true, true, false);
  frame.SetDefaultName(tmp / "missing.exe");
  frame.SetVisible(false);
  ExpectValidate(true, true, false);
  EXPECT_EQ(bar.MessageList(), "");

  // Marked unavailable: red and reported, yet valid, and no dialog.
  frame.SetVisible(true);
  frame.SetDefaultName("*");
  ExpectValidate(true, true, true);
  EXPECT_EQ(bar.MessageList(), "- File Batch wrapper program  is marked unavailable!");
  EXPECT_TRUE(person.openRequests.empty());
  EXPECT_EQ(frame.Text(), tmp / "nothing-here");
}

TEST_F(ToolPathFrameTest, EmptyOrQuestionMarkTakesTheDefault) {
  frame.SetDefaultName(tool);
  for (const std::string text : {"", "?"}) {
    frame.SetText(text);
    frame.SetInvalid(true);
    ExpectValidate(false, true, false);
    EXPECT_EQ(frame.Text(), tool);
  }
  frame.SetText(tmp / "typed.exe");  // a typed path is kept even when it is wrong
  ExpectValidate(false, false, true);
  EXPECT_EQ(frame.Text(), tmp / "typed.exe");
  frame.SetText(tmp / "COBWrap");  // a folder does not count as the file
  EXPECT_FALSE(frame.ValidatePath(false));
  EXPECT_TRUE(person.openRequests.empty());
}

TEST_F(ToolPathFrameTest, MissingFileTurnsRedAndAsksOnlyWhenInteractive) {
  const std::string missing = tmp / "COBWrap/Gone.exe";
  frame.SetDefaultName(missing);
  frame.SetText("");
  ExpectValidate(false, false, true);
  EXPECT_EQ(frame.Text(), missing);
  frame.SetTag(1);  // an optional file (the editor): red, but valid and never a dialog
  ExpectValidate(true, true, true);
  EXPECT_TRUE(person.openRequests.empty());
  frame.SetTag(0);

  // Interactive and cancelled: reported, stays red, collected not aborted.
  ExpectValidate(true, false, true);
  EXPECT_EQ(bar.MessageList(), "- File not found: " + missing);
  EXPECT_EQ(person.openRequests.size(), 1u);
  person.openAnswers.push_back({tool});  // interactive and chosen
  ExpectValidate(true, true, false);
  EXPECT_EQ(frame.Text(), tool);
}

TEST_F(ToolPathFrameTest, BrowseDialogIsPresetAndKeepsItsFirstFilterAndTitle) {
  frame.SetDefaultName(tool);
  std::string path = "?";
  person.openAnswers.push_back({tmp / "picked.exe"});
  EXPECT_TRUE(frame.BrowseForFile(path, frame.Caption()));
  EXPECT_EQ(path, tmp / "picked.exe");
  EXPECT_TRUE(person.browsingWhileOpen);
  EXPECT_FALSE(frame.Browsing());
  ASSERT_EQ(person.openRequests.size(), 1u);
  const FileDialogRequest first = person.openRequests[0];
  EXPECT_EQ(first.fileName, "Ardent.exe");
  EXPECT_EQ(first.initialDir, tmp / "COBWrap");
  EXPECT_EQ(first.filter, "Batch wrapper program  files (*.exe)|*.exe|All files(*.*)|*.*");
  EXPECT_EQ(first.title, "Find Batch wrapper program  ");

  // A later use with another path and caption keeps both; a cancel leaves the path alone.
  path = tmp / "other/run.bat";
  EXPECT_FALSE(frame.BrowseForFile(path, "Other"));
  EXPECT_EQ(path, tmp / "other/run.bat");
  const FileDialogRequest& second = person.openRequests.at(1);
  EXPECT_EQ(second.initialDir, tmp / "other");
  EXPECT_EQ(second.filter, first.filter);
  EXPECT_EQ(second.title, first.title);

  // A default without extension offers all files.
  ToolPathFrame plain("FramePlain", "", "Linker ");
  plain.Bind(person);
  plain.SetDefaultName("/opt/tools/COBLink");
  std::string empty;
  EXPECT_FALSE(plain.BrowseForFile(empty, "Linker "));
  EXPECT_EQ(person.openRequests.back().filter, "All files(*.*)|*.*");
  EXPECT_EQ(person.openRequests.back().title, "Find Linker  ");
}

TEST_F(ToolPathFrameTest, BrowseButtonAndLeavingTheField) {
  frame.SetDefaultName(tool);
  frame.SetVisible(false);  // hidden frames do nothing
  frame.BrowseClick();
  frame.UserEdit(tmp / "missing.exe");
  frame.EditExit();
  EXPECT_TRUE(person.openRequests.empty());
  frame.SetVisible(true);

  // The button: a cancel ends the operation, a choice fills the field.
  frame.SetText(tool);
  EXPECT_THROW(frame.BrowseClick(), OperationAbort);
  EXPECT_EQ(frame.Text(), tool);
  const std::string other = tmp.Write("other.exe", "x");
  frame.SetInvalid(true);
  person.openAnswers.push_back({other});
  frame.BrowseClick();
  EXPECT_EQ(frame.Text(), other);
  EXPECT_FALSE(frame.Invalid());

  // Leaving without typing, or after typing an existing file: nothing.
  frame.SetText(tmp / "missing.exe");
  frame.EditExit();
  frame.UserEdit(tool);
  frame.EditExit();
  EXPECT_EQ(person.openRequests.size(), 2u);

  // Typed and missing: collected message, then the button's handling.
  frame.UserEdit(tmp / "missing.exe");
  person.openAnswers.push_back({tool});
  frame.EditExit();
  EXPECT_EQ(bar.MessageList(), "- File \"" + (tmp / "missing.exe") + "\" doesn't exist");
  EXPECT_EQ(frame.Text(), tool);
  frame.UserEdit(tmp / "missing.exe");
  EXPECT_THROW(frame.EditExit(), OperationAbort);
  EXPECT_EQ(bar.Text(), "More than one message, click here to get them!");
}

TEST_F(ToolPathFrameTest, DropFollowsTheDialogsFirstPattern) {
  const std::string exeFilter = "Batch wrapper program  files (*.exe)|*.exe|All files(*.*)|*.*";
  // {filter, dropped files, taken}; "" as filter means none yet (before the first browse).
  const struct {
    std::string filter;
    std::vector<std::string> files;
    bool taken;
  } cases[] = {
      {"", {"/x/run.bat"}, true},
      {exeFilter, {"/x/TOOL.EXE"}, true},
      {exeFilter, {"/x/other.bat"}, false},
      {exeFilter, {"/x/a.exe", "/x/b.exe"}, false},
      {exeFilter, {}, false},
      {exeFilter, {"/x/half.ex"}, false},
      {exeFilter, {tmp / "COBWrap"}, false},  // a folder is no file
      {exeFilter, {"/x/v1.0/Ardent"}, true},  // its lone ";" occurs in the pattern
      {"Tools|*.exe;*.com|All files(*.*)|*.*", {"/x/t.Com"}, true},
      {"Tools|*.exe;*.com|All files(*.*)|*.*", {"/x/t.co"}, false},
      {"All files(*.*)|*.*", {"/x/any.txt"}, true},
      {"no bars", {"/x/any.bat"}, true},
  };
  for (const auto& c : cases) {
    if (!c.filter.empty()) frame.SetDialogFilter(c.filter);
    frame.SetText("before");
    frame.SetInvalid(true);
    frame.DropFiles(c.files);
    const std::string label = c.files.empty() ? "<none>" : c.files[0];
    EXPECT_EQ(frame.Text(), c.taken ? c.files[0] : "before") << label;
    EXPECT_EQ(frame.Invalid(), !c.taken) << label;
  }
  EXPECT_TRUE(person.openRequests.empty());
}

TEST(ToolPathFrame, WithoutStatusBarMessagesAreDropped) {
  ScriptedPerson person;
  ToolPathFrame frame("F", "", "Function table");
  frame.Bind(person);
  frame.SetDefaultName("/korvane-none/Functab.wrl");
  EXPECT_FALSE(frame.ValidatePath(true));  // cancelled, nowhere to report

  ToolPathFrame unbound("G", "", "C");
  std::string path;
  EXPECT_THROW(unbound.BrowseForFile(path, "C"), std::logic_error);
}

}  // namespace
}  // namespace korvane
