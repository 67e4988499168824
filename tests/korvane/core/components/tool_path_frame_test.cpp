#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "korvane/core/app/component_names.h"
#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/form_model.h"
#include "korvane/core/components/frames.h"
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
  EXPECT_TRUE(frame.ValidatePath(true));
  EXPECT_FALSE(frame.Invalid());

  frame.SetDefaultName(tmp / "missing.exe");
  frame.SetVisible(false);
  EXPECT_TRUE(frame.ValidatePath(true));
  EXPECT_FALSE(frame.Invalid());
  EXPECT_TRUE(person.openRequests.empty());
  EXPECT_EQ(bar.MessageList(), "");

  // Marked unavailable: red and reported, yet valid, and no dialog.
  frame.SetVisible(true);
  frame.SetDefaultName("*");
  EXPECT_TRUE(frame.ValidatePath(true));
  EXPECT_TRUE(frame.Invalid());
  EXPECT_EQ(bar.MessageList(), "- File Batch wrapper program  is marked unavailable!");
  EXPECT_EQ(bar.Text(), "File Batch wrapper program  is marked unavailable!");
  EXPECT_TRUE(person.openRequests.empty());
  EXPECT_EQ(frame.Text(), tmp / "nothing-here");
}

TEST_F(ToolPathFrameTest, EmptyOrQuestionMarkTakesTheDefault) {
  frame.SetDefaultName(tool);
  for (const std::string text : {"", "?"}) {
    frame.SetText(text);
    frame.SetInvalid(true);
    EXPECT_TRUE(frame.ValidatePath(false)) << text;
    EXPECT_EQ(frame.Text(), tool);
    EXPECT_FALSE(frame.Invalid());
  }
  // A typed path is kept even when it is wrong.
  frame.SetText(tmp / "typed.exe");
  EXPECT_FALSE(frame.ValidatePath(false));
  EXPECT_EQ(frame.Text(), tmp / "typed.exe");
  EXPECT_TRUE(frame.Invalid());
  // A folder does not count as the file.
  frame.SetText(tmp / "COBWrap");
  EXPECT_FALSE(frame.ValidatePath(false));
  EXPECT_TRUE(person.openRequests.empty());
  EXPECT_EQ(bar.MessageList(), "");
}

TEST_F(ToolPathFrameTest, MissingFileTurnsRedAndAsksOnlyWhenInteractive) {
  const std::string missing = tmp / "COBWrap/Gone.exe";
  frame.SetDefaultName(missing);
  frame.SetText("");

  EXPECT_FALSE(frame.ValidatePath(false));
  EXPECT_TRUE(frame.Invalid());
  EXPECT_EQ(frame.Text(), missing);
  EXPECT_TRUE(person.openRequests.empty());

  // An optional file (the editor): red, but valid and never a dialog.
  frame.SetTag(1);
  EXPECT_TRUE(frame.ValidatePath(true));
  EXPECT_TRUE(frame.Invalid());
  EXPECT_TRUE(person.openRequests.empty());
  frame.SetTag(0);

  // Interactive and cancelled: reported, stays red, collected not aborted.
  EXPECT_FALSE(frame.ValidatePath(true));
  EXPECT_TRUE(frame.Invalid());
  EXPECT_EQ(bar.MessageList(), "- File not found: " + missing);
  ASSERT_EQ(person.openRequests.size(), 1u);
  EXPECT_FALSE(frame.Browsing());

  // Interactive and chosen: the chosen path, the normal colour.
  person.openAnswers.push_back({tool});
  EXPECT_TRUE(frame.ValidatePath(true));
  EXPECT_FALSE(frame.Invalid());
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

  // A later use with another path and caption keeps both; a cancel leaves
  // the path alone.
  path = tmp / "other/run.bat";
  EXPECT_FALSE(frame.BrowseForFile(path, "Other"));
  EXPECT_EQ(path, tmp / "other/run.bat");
  ASSERT_EQ(person.openRequests.size(), 2u);
  const FileDialogRequest& second = person.openRequests[1];
  EXPECT_EQ(second.fileName, "run.bat");
  EXPECT_EQ(second.initialDir, tmp / "other");
  EXPECT_EQ(second.filter, first.filter);
  EXPECT_EQ(second.title, first.title);
  EXPECT_FALSE(frame.Browsing());

  // A default without extension offers all files.
  ToolPathFrame plain("FramePlain", "", "Linker ");
  plain.Bind(person);
  plain.SetDefaultName("/opt/tools/COBLink");
  std::string empty;
  EXPECT_FALSE(plain.BrowseForFile(empty, "Linker "));
  EXPECT_EQ(person.openRequests.back().filter, "All files(*.*)|*.*");
  EXPECT_EQ(person.openRequests.back().title, "Find Linker  ");
  EXPECT_EQ(person.openRequests.back().fileName, "COBLink");
  EXPECT_EQ(plain.DialogFilter(), "All files(*.*)|*.*");
}

TEST_F(ToolPathFrameTest, BrowseButtonAndLeavingTheField) {
  frame.SetDefaultName(tool);
  frame.SetText(tool);

  // Hidden frames do nothing.
  frame.SetVisible(false);
  frame.BrowseClick();
  frame.UserEdit(tmp / "missing.exe");
  frame.EditExit();
  EXPECT_TRUE(person.openRequests.empty());
  frame.SetVisible(true);

  // The button: a cancel ends the operation, a choice fills the field.
  frame.SetText(tool);
  EXPECT_THROW(frame.BrowseClick(), OperationAbort);
  EXPECT_FALSE(frame.Browsing());
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
  EXPECT_EQ(bar.MessageList(), "");

  // Typed and missing: collected message, then the button's handling.
  frame.UserEdit(tmp / "missing.exe");
  person.openAnswers.push_back({tool});
  frame.EditExit();
  EXPECT_EQ(bar.MessageList(), "- File \"" + (tmp / "missing.exe") + "\" doesn't exist");
  EXPECT_EQ(frame.Text(), tool);
  EXPECT_EQ(person.openRequests.size(), 3u);

  frame.UserEdit(tmp / "missing.exe");
  EXPECT_THROW(frame.EditExit(), OperationAbort);
  EXPECT_EQ(bar.Text(), "More than one message, click here to get them!");
}

TEST_F(ToolPathFrameTest, DropFollowsTheDialogsFirstPattern) {
  // Before the first browse there is no filter: any single file is taken.
  frame.DropFiles({"/x/run.bat"});
  EXPECT_EQ(frame.Text(), "/x/run.bat");

  frame.SetDialogFilter("Batch wrapper program  files (*.exe)|*.exe|All files(*.*)|*.*");
  frame.SetInvalid(true);
  frame.DropFiles({"/x/TOOL.EXE"});
  EXPECT_EQ(frame.Text(), "/x/TOOL.EXE");
  EXPECT_FALSE(frame.Invalid());

  frame.DropFiles({"/x/other.bat"});
  frame.DropFiles({"/x/a.exe", "/x/b.exe"});
  frame.DropFiles({});
  frame.DropFiles({"/x/half.ex"});
  frame.DropFiles({tmp / "COBWrap"});  // a folder is no file
  EXPECT_EQ(frame.Text(), "/x/TOOL.EXE");

  // No extension: its lone ";" occurs in the pattern.
  frame.DropFiles({"/x/v1.0/Ardent"});
  EXPECT_EQ(frame.Text(), "/x/v1.0/Ardent");

  // A list of patterns; and "*.*" or a filter without "|" take anything.
  frame.SetDialogFilter("Tools|*.exe;*.com|All files(*.*)|*.*");
  frame.DropFiles({"/x/t.Com"});
  EXPECT_EQ(frame.Text(), "/x/t.Com");
  frame.DropFiles({"/x/t.co"});
  EXPECT_EQ(frame.Text(), "/x/t.Com");
  frame.SetDialogFilter("All files(*.*)|*.*");
  frame.DropFiles({"/x/any.txt"});
  EXPECT_EQ(frame.Text(), "/x/any.txt");
  frame.SetDialogFilter("no bars");
  frame.DropFiles({"/x/any.bat"});
  EXPECT_EQ(frame.Text(), "/x/any.bat");
  EXPECT_TRUE(person.openRequests.empty());
}

TEST(ToolPathFrame, WithoutStatusBarMessagesAreDropped) {
  ScriptedPerson person;
  ToolPathFrame frame("F", "", "Function table");
  frame.Bind(person);
  frame.SetDefaultName("/korvane-none/Functab.wrl");
  EXPECT_FALSE(frame.ValidatePath(true));  // cancelled, nowhere to report
  EXPECT_TRUE(frame.Invalid());
  EXPECT_EQ(person.openRequests.size(), 1u);
  EXPECT_EQ(frame.DialogFilter(), "Function table files (*.wrl)|*.wrl|All files(*.*)|*.*");

  ToolPathFrame unbound("G", "", "C");
  std::string path;
  EXPECT_THROW(unbound.BrowseForFile(path, "C"), std::logic_error);
}

}  // namespace
}  // namespace korvane
