#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/frames.h"
#include "support/golden.h"
#include "support/inner_case_table.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

using testing::ScriptedPerson;
using testing::TempDir;

const std::string kCaption = "Batch wrapper program ";

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
  testing::ExpectCaseTable(
      "components/tool_path_validate.txt",
      [&](testing::Fields in) {
        for (auto& field : in)
          field = testing::WithPlaceholders(field, {{tmp.Path().string(), "{dir}"}});
        // Run from either colour, so that both setting and clearing red show.
        testing::Fields results;
        for (const bool redBefore : {false, true}) {
          ScriptedPerson asked;
          StatusBar status{asked};
          ToolPathFrame f("F", "", kCaption);
          f.Bind(asked);
          f.SetStatusBar(&status);
          f.SetDefaultName(in[1]);
          f.SetText(in[2]);
          f.SetVisible(in[3] == "yes");
          f.SetTag(std::stoi(in[4]));
          f.SetInvalid(redBefore);
          if (!in[6].empty()) asked.openAnswers.push_back({in[6]});
          const bool valid = f.ValidatePath(in[5] == "yes");
          if (redBefore) {
            results.push_back(f.Invalid() ? "red" : "plain");
            break;
          }
          results = {valid ? "valid" : "invalid", f.Invalid() ? "red" : "plain", f.Text(),
                     status.MessageList(), std::to_string(asked.openRequests.size())};
        }
        return results;
      },
      {{"{dir}", tmp.Path().string()}});
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
  testing::ExpectCaseTable(
      "components/tool_path_drop.txt",
      [&](const testing::Fields& in) {
        ToolPathFrame f("F", "", kCaption);
        if (!in[0].empty()) f.SetDialogFilter(in[0]);
        f.SetText("before");
        f.SetInvalid(true);
        std::vector<std::string> files;
        for (size_t i = 1; i < in.size(); ++i)
          files.push_back(testing::WithPlaceholders(in[i], {{tmp.Path().string(), "{dir}"}}));
        f.DropFiles(files);
        return testing::Fields{f.Text(), f.Invalid() ? "red" : "plain"};
      },
      {{"{dir}", tmp.Path().string()}});
}

}  // namespace
}  // namespace korvane
