#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/form_model.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "platform/memory_settings.h"
#include "platform/system_paths.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedPerson;
using testing::TempDir;
using Texts = std::vector<std::string>;

// A folder browser that, like some real ones, moves the current directory,
// and that notes whether the field was shown as browsing while it was open.
class WanderingPerson : public ScriptedPerson {
 public:
  std::optional<std::string> ChooseFolder(const FolderDialogRequest& request) override {
    browsingWhileOpen = frame != nullptr && frame->Browsing();
    std::error_code ec;
    fs::current_path(request.startDir, ec);
    return ScriptedPerson::ChooseFolder(request);
  }
  const DirectoryFrame* frame = nullptr;
  bool browsingWhileOpen = false;
};

class DirectoryFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.SetSettingsSection("Parameters");
    frame.SetStatusBar(&bar);
    frame.Bind(person, settings);
    keep.Add(frame.modifiedExit.Connect([this] { events.push_back("modifiedExit"); }));
    keep.Add(
        frame.directoryChanged.Connect([this] { events.push_back("changed:" + frame.Text()); }));
    keep.Add(bar.messageReported.Connect(
        [this](StatusMessageKind, const std::string& text) { messages.push_back(text); }));
    person.frame = &frame;
  }

  std::string LastSelectedDir() { return settings.ReadSetting("LastSelectedDir", "<none>"); }

  TempDir tmp;
  ConnectionList keep;
  WanderingPerson person;
  StatusBar bar{person};
  platform::MemorySettings backend;
  SettingsStore settings{backend};
  FormModel form;
  DirectoryFrame& frame = form.Create<DirectoryFrame>(names::kFrameOutputDir, "",
                                                      "Base directory for the wrapping job");
  Texts events;
  Texts messages;
};

TEST_F(DirectoryFrameTest, BrowserStartsAtTheNearestExistingFolder) {
  fs::create_directories(tmp / "a");
  // A missing root and a relative path run out of parents: the documents folder.
  for (const std::string text : {"/korvane-no-such-root/x/y", "nowhere-korvane/x", ""}) {
    frame.SetText(text);
    EXPECT_EQ(frame.BrowseStartDirectory(), platform::DocumentsFolder()) << text;
  }
  frame.SetText(tmp / "a/b/c");
  frame.SetAllowCreate(false);
  person.folderAnswers.push_back(tmp / "a/b/c");
  frame.BrowseForDir();
  ASSERT_EQ(person.folderRequests.size(), 1u);
  EXPECT_EQ(person.folderRequests[0].startDir, tmp / "a");
  EXPECT_EQ(person.folderRequests[0].caption, "Base directory for the wrapping job");
  EXPECT_FALSE(person.folderRequests[0].allowCreate);
}

TEST_F(DirectoryFrameTest, CancelReportsAbortsAndResetsTheField) {
  const fs::path before = fs::current_path();
  frame.SetText(tmp / "a");
  EXPECT_THROW(frame.BrowseForDir(), OperationAbort);
  EXPECT_TRUE(person.browsingWhileOpen);
  EXPECT_FALSE(frame.Browsing());
  EXPECT_EQ(fs::current_path(), before);
  EXPECT_EQ(bar.Text(), "Directorry selection cancelled ");
  EXPECT_EQ(frame.Text(), tmp / "a");
  EXPECT_EQ(LastSelectedDir(), "<none>");
  EXPECT_TRUE(events.empty());

  frame.SetStatusBar(nullptr);  // without a bar the message is dropped, the abort is not
  bar.ClearMessages();
  EXPECT_THROW(frame.BrowseForDir(), OperationAbort);
  EXPECT_EQ(bar.Text(), "");

  DirectoryFrame unbound("F", "", "C");
  EXPECT_THROW(unbound.BrowseForDir(), std::logic_error);
}

TEST_F(DirectoryFrameTest, ChoosingFiresOnlyForADifferentFolder) {
  fs::create_directories(tmp / "new");
  frame.SetText(tmp.Path().string());
  frame.SetVisible(false);
  bar.ShowWarning("old warning");
  person.folderAnswers.push_back(tmp.Path().string());  // the same folder: only the bar clears
  frame.BrowseForDir();
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(frame.Visible());
  EXPECT_EQ(LastSelectedDir(), "<none>");
  EXPECT_EQ(bar.Text(), "");

  // What a listener reports must survive the clearing.
  keep.Add(frame.directoryChanged.Connect([this] { bar.ShowError("listener says", true); }));
  person.folderAnswers.push_back(tmp / "new");
  frame.UserEdit("typed");
  frame.BrowseForDir();
  EXPECT_EQ(events, Texts{"changed:" + (tmp / "new")});
  EXPECT_FALSE(frame.Modified());
  EXPECT_TRUE(frame.Visible());
  EXPECT_EQ(LastSelectedDir(), tmp / "new");
  EXPECT_EQ(bar.Text(), "listener says");
}

TEST_F(DirectoryFrameTest, LeavingChecksOnlyAfterTypingAndThenRunsTheBrowseClick) {
  fs::create_directories(tmp / "exists");
  const std::string missing = tmp / "missing/deeper";
  frame.SetText(missing);  // set by the program, never typed: nothing happens
  frame.EditExit();
  frame.UserEdit(tmp / "exists");  // typed and existing: the callback only
  frame.EditExit();
  EXPECT_EQ(events, Texts{"modifiedExit"});
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(person.folderRequests.empty());

  // Typed and missing: reported, then the browser opens at the parent.
  frame.UserEdit(missing);
  person.folderAnswers.push_back(tmp / "exists");
  frame.EditExit();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0], "Base directory for the wrapping job - " + missing + " doesn't exist");
  ASSERT_EQ(person.folderRequests.size(), 1u);
  EXPECT_EQ(person.folderRequests[0].startDir, tmp.Path().string());
  EXPECT_EQ(frame.Text(), tmp / "exists");
  EXPECT_EQ(bar.Text(), "");  // a successful choice clears the report

  // The callback runs before the check and may create the folder.
  keep.Add(frame.modifiedExit.Connect([&] { fs::create_directories(missing); }));
  frame.UserEdit(missing);
  frame.EditExit();
  EXPECT_EQ(person.folderRequests.size(), 1u);

  // A replaced browse click runs instead of the browser; the report is shown, not collected.
  int hookCalls = 0;
  Connection hook = frame.browseClicked.Connect([&] { ++hookCalls; });
  frame.UserEdit(tmp / "gone");
  frame.EditExit();
  EXPECT_EQ(hookCalls, 1);
  EXPECT_EQ(person.folderRequests.size(), 1u);
  EXPECT_EQ(bar.Text(),
            "Base directory for the wrapping job - " + (tmp / "gone") + " doesn't exist");
  EXPECT_EQ(bar.MessageList(), "");
  hook.Disconnect();  // cancelling the default browser aborts the exit
  EXPECT_THROW(frame.EditExit(), OperationAbort);
}

TEST_F(DirectoryFrameTest, DropTakesOneItemAndAFileStandsForItsFolder) {
  fs::create_directories(tmp / "one");
  const std::string file = tmp.Write("two/source.cbl", "x");
  frame.SetText(tmp / "one");
  frame.SetVisible(false);
  frame.DropFiles({tmp / "two", tmp / "one"});
  frame.DropFiles({tmp / "gone/file.txt"});  // its folder does not exist
  frame.DropFiles({tmp / "one/"});           // the same folder, spelled with a slash
  EXPECT_EQ(frame.Text(), tmp / "one");
  EXPECT_TRUE(events.empty());

  frame.DropFiles({file});
  EXPECT_EQ(frame.Text(), tmp / "two");
  EXPECT_TRUE(frame.Visible());
  EXPECT_EQ(LastSelectedDir(), tmp / "two");
  EXPECT_EQ(events, Texts{"changed:" + (tmp / "two")});
  frame.DropFiles({(tmp / "one") + "/"});  // taken without its trailing slash
  EXPECT_EQ(frame.Text(), tmp / "one");
  EXPECT_TRUE(person.folderRequests.empty());
}

}  // namespace
}  // namespace korvane
