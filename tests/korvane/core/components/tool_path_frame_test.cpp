#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/frames.h"
#include "support/golden.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

using testing::ScriptedPerson;
using testing::TempDir;

const std::string kCaption = "Batch wrapper program ";
const std::string kExeFilter = "Batch wrapper program  files (*.exe)|*.exe|All files(*.*)|*.*";

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
  }

  TempDir tmp;
  WatchingPerson person;
  StatusBar bar{person};
  ToolPathFrame frame{"FrameArdent", "", kCaption};
  std::string tool = tmp.Write("COBWrap/Ardent.exe", "tool");
};

TEST_F(ToolPathFrameTest, ValidatePathDefaultsReportsAndOffersTheDialog) {
  const std::string missing = tmp / "COBWrap/Gone.exe";
  const std::string folder = tmp / "COBWrap";
  // Both are collected in the list, never ending the operation.
  const std::string marked = "- File Batch wrapper program  is marked unavailable!";
  const std::string notFound = "- File not found: " + missing;
  const struct {
    const char* what;
    std::string defaultName, text;
    bool visible;
    int tag;
    bool interactive;
    std::optional<std::string> chosen;  // the dialog's answer; none: cancelled
    bool valid, red;
    std::string textAfter, messages;
    size_t dialogs;
  } cases[] = {
      {"never validated", "@", missing, true, 0, true, {}, true, false, missing, "", 0},
      {"hidden", missing, missing, false, 0, true, {}, true, false, missing, "", 0},
      {"marked unavailable", "*", missing, true, 0, true, {}, true, true, missing, marked, 0},
      {"empty takes the default", tool, "", true, 0, false, {}, true, false, tool, "", 0},
      {"? takes the default", tool, "?", true, 0, false, {}, true, false, tool, "", 0},
      {"a typed path is kept", tool, missing, true, 0, false, {}, false, true, missing, "", 0},
      {"a folder is no file", tool, folder, true, 0, false, {}, false, true, folder, "", 0},
      {"optional: red only", missing, "", true, 1, true, {}, true, true, missing, "", 0},
      {"cancelled", missing, "", true, 0, true, {}, false, true, missing, notFound, 1},
      {"chosen", missing, "", true, 0, true, tool, true, false, tool, "", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedPerson asked;
    StatusBar status{asked};
    ToolPathFrame f("F", "", kCaption);
    f.Bind(asked);
    f.SetStatusBar(&status);
    f.SetDefaultName(c.defaultName);
    f.SetText(c.text);
    f.SetVisible(c.visible);
    f.SetTag(c.tag);
    f.SetInvalid(!c.red);
    if (c.chosen) asked.openAnswers.push_back({*c.chosen});
    EXPECT_EQ(f.ValidatePath(c.interactive), c.valid);
    EXPECT_EQ(f.Invalid(), c.red);
    EXPECT_EQ(f.Text(), c.textAfter);
    EXPECT_EQ(status.MessageList(), c.messages);
    EXPECT_EQ(asked.openRequests.size(), c.dialogs);
  }
}

// The dialog opens on the default's folder and name with its filter and title, which a
// later use with another path and caption keeps; a default without extension offers all files.
TEST_F(ToolPathFrameTest, BrowseDialogIsPresetAndKeepsItsFirstFilterAndTitle) {
  frame.SetDefaultName(tool);
  std::string path = "?";
  person.openAnswers.push_back({tmp / "picked.exe"});
  EXPECT_TRUE(frame.BrowseForFile(path, frame.Caption()));
  EXPECT_EQ(path, tmp / "picked.exe");
  EXPECT_TRUE(person.browsingWhileOpen);
  EXPECT_FALSE(frame.Browsing());
  path = tmp / "other/run.bat";
  EXPECT_FALSE(frame.BrowseForFile(path, "Other"));
  EXPECT_EQ(path, tmp / "other/run.bat");  // a cancel leaves the path alone

  ToolPathFrame plain("FramePlain", "", "Linker ");
  plain.Bind(person);
  plain.SetDefaultName("/opt/tools/COBLink");
  std::string empty;
  EXPECT_FALSE(plain.BrowseForFile(empty, "Linker "));
  testing::ExpectGolden("components/tool_path_browse.txt", person.transcript,
                        {{"{dir}", tmp.Path().string()}});

  ToolPathFrame unbound("G", "", "C");
  EXPECT_THROW(unbound.BrowseForFile(path, "C"), std::logic_error);
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
  frame.SetStatusBar(nullptr);  // without a bar the message is dropped, the abort is not
  EXPECT_THROW(frame.EditExit(), OperationAbort);
}

TEST_F(ToolPathFrameTest, DropFollowsTheDialogsFirstPattern) {
  // {filter, dropped files, taken}; "" as filter means none yet (before the first browse).
  const struct {
    std::string filter;
    std::vector<std::string> files;
    bool taken;
  } cases[] = {
      {"", {"/x/run.bat"}, true},
      {kExeFilter, {"/x/TOOL.EXE"}, true},
      {kExeFilter, {"/x/other.bat"}, false},
      {kExeFilter, {"/x/a.exe", "/x/b.exe"}, false},
      {kExeFilter, {}, false},
      {kExeFilter, {"/x/half.ex"}, false},
      {kExeFilter, {tmp / "COBWrap"}, false},  // a folder is no file
      {kExeFilter, {"/x/v1.0/Ardent"}, true},  // its lone ";" occurs in the pattern
      {"Tools|*.exe;*.com|All files(*.*)|*.*", {"/x/t.Com"}, true},
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

}  // namespace
}  // namespace korvane
