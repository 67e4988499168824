#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "korvane/core/app/component_names.h"
#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/settings_store.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/components/form_model.h"
#include "korvane/core/components/frames.h"
#include "platform/memory_settings.h"
#include "platform/system_paths.h"
#include "support/scripted_person.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedPerson;
using testing::TempDir;

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
    frame.onModifiedExit = [this] { events.push_back("modifiedExit"); };
    frame.onDirectoryChanged = [this] { events.push_back("changed:" + frame.Text()); };
    bar.onMessage = [this](StatusMessageKind, const std::string& text) {
      messages.push_back(text);
    };
    person.frame = &frame;
  }

  std::string LastSelectedDir() { return settings.ReadSetting("LastSelectedDir", "<none>"); }

  TempDir tmp;
  WanderingPerson person;
  StatusBar bar{person};
  platform::MemorySettings backend;
  SettingsStore settings{backend};
  FormModel form;
  DirectoryFrame& frame = form.Create<DirectoryFrame>(names::kFrameOutputDir, "",
                                                      "Base directory for the wrapping job");
  std::vector<std::string> events;
  std::vector<std::string> messages;
};

TEST_F(DirectoryFrameTest, BrowserStartsAtTheNearestExistingFolder) {
  fs::create_directories(tmp / "a");
  const std::string documents = platform::DocumentsFolder();

  frame.SetText(tmp / "a/b/c");
  EXPECT_EQ(frame.BrowseStartDirectory(), tmp / "a");
  frame.SetText(tmp / "a");
  EXPECT_EQ(frame.BrowseStartDirectory(), tmp / "a");
  // Nothing below the root exists: the root is too short to start in.
  frame.SetText("/korvane-no-such-root/x/y");
  EXPECT_EQ(frame.BrowseStartDirectory(), documents);
  // A relative path runs out of parents.
  frame.SetText("nowhere-korvane/x");
  EXPECT_EQ(frame.BrowseStartDirectory(), documents);
  frame.SetText("");
  EXPECT_EQ(frame.BrowseStartDirectory(), documents);

  // The dialog gets the start folder, the caption and the create option.
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
  EXPECT_EQ(bar.Colour(), StatusColour::Error);
  EXPECT_EQ(frame.Text(), tmp / "a");
  EXPECT_EQ(LastSelectedDir(), "<none>");
  EXPECT_TRUE(events.empty());

  // Without a status bar the message is dropped, the abort is not.
  frame.SetStatusBar(nullptr);
  bar.ClearMessages();
  EXPECT_THROW(frame.BrowseForDir(), OperationAbort);
  EXPECT_EQ(bar.Text(), "");
  EXPECT_FALSE(frame.Browsing());
}

TEST_F(DirectoryFrameTest, ChoosingFiresOnlyForADifferentFolder) {
  fs::create_directories(tmp / "new");
  const fs::path before = fs::current_path();
  frame.SetText(tmp.Path().string());
  frame.SetVisible(false);
  bar.ShowWarning("old warning");

  // The same folder: nothing changes, but the bar is cleared.
  person.folderAnswers.push_back(tmp.Path().string());
  frame.BrowseForDir();
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(frame.Visible());
  EXPECT_EQ(LastSelectedDir(), "<none>");
  EXPECT_EQ(bar.Text(), "");
  EXPECT_EQ(fs::current_path(), before);

  // What the listener reports must survive the clearing.
  frame.onDirectoryChanged = [this] {
    events.push_back("changed:" + frame.Text());
    bar.ShowError("listener says", true);
  };
  person.folderAnswers.push_back(tmp / "new");
  frame.UserEdit("typed");
  frame.BrowseForDir();
  EXPECT_EQ(events, (std::vector<std::string>{"changed:" + (tmp / "new")}));
  EXPECT_EQ(frame.Text(), tmp / "new");
  EXPECT_FALSE(frame.Modified());
  EXPECT_TRUE(frame.Visible());
  EXPECT_FALSE(frame.Browsing());
  EXPECT_EQ(LastSelectedDir(), tmp / "new");
  EXPECT_EQ(bar.Text(), "listener says");
}

TEST_F(DirectoryFrameTest, LeavingChecksOnlyAfterTyping) {
  fs::create_directories(tmp / "exists");
  const std::string missing = tmp / "missing/deeper";

  // Set by the program, never typed: no callback, no check, no browser.
  frame.SetText(missing);
  frame.EditExit();
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(person.folderRequests.empty());

  // Typed and existing: the callback only.
  frame.UserEdit(tmp / "exists");
  frame.EditExit();
  EXPECT_EQ(events, (std::vector<std::string>{"modifiedExit"}));
  EXPECT_TRUE(person.folderRequests.empty());

  // The callback runs before the check and may create the folder.
  events.clear();
  frame.onModifiedExit = [&] { fs::create_directories(missing); };
  frame.UserEdit(missing);
  frame.EditExit();
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(person.folderRequests.empty());
  fs::remove_all(tmp / "missing");

  // Typed and missing: reported, then the browser opens at the parent.
  frame.onModifiedExit = nullptr;
  frame.UserEdit(missing);
  person.folderAnswers.push_back(tmp / "exists");
  frame.EditExit();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0], "Base directory for the wrapping job - " + missing + " doesn't exist");
  ASSERT_EQ(person.folderRequests.size(), 1u);
  EXPECT_EQ(person.folderRequests[0].startDir, tmp.Path().string());
  EXPECT_EQ(frame.Text(), tmp / "exists");
  EXPECT_EQ(bar.Text(), "");  // a successful choice clears the report
}

TEST_F(DirectoryFrameTest, LeavingRunsTheReplacedBrowseClick) {
  int hookCalls = 0;
  frame.onBrowseClick = [&] { ++hookCalls; };
  frame.UserEdit(tmp / "missing");
  frame.EditExit();
  EXPECT_EQ(hookCalls, 1);
  EXPECT_TRUE(person.folderRequests.empty());
  // The bar may shorten a long path; the reported text is whole.
  EXPECT_EQ(messages, (std::vector<std::string>{"Base directory for the wrapping job - " +
                                                (tmp / "missing") + " doesn't exist"}));
  EXPECT_EQ(bar.Colour(), StatusColour::Error);
  EXPECT_EQ(bar.MessageList(), "");  // shown, not collected

  // Cancelling the default browser from the exit aborts the exit.
  frame.onBrowseClick = nullptr;
  EXPECT_THROW(frame.EditExit(), OperationAbort);
  EXPECT_EQ(bar.Text(), "Directorry selection cancelled ");
}

TEST_F(DirectoryFrameTest, DropTakesOneItemAndAFileStandsForItsFolder) {
  fs::create_directories(tmp / "one");
  fs::create_directories(tmp / "two");
  const std::string file = tmp.Write("two/source.cbl", "x");
  frame.SetText(tmp / "one");
  frame.SetVisible(false);

  frame.DropFiles({tmp / "two", tmp / "one"});
  frame.DropFiles({});
  frame.DropFiles({tmp / "gone/file.txt"});  // its folder does not exist
  frame.DropFiles({tmp / "one/"});           // the same folder, spelled with a slash
  EXPECT_EQ(frame.Text(), tmp / "one");
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(LastSelectedDir(), "<none>");

  frame.DropFiles({file});
  EXPECT_EQ(frame.Text(), tmp / "two");
  EXPECT_TRUE(frame.Visible());
  EXPECT_EQ(LastSelectedDir(), tmp / "two");
  EXPECT_EQ(events, (std::vector<std::string>{"changed:" + (tmp / "two")}));

  // A dropped folder is taken without its trailing slash.
  frame.DropFiles({(tmp / "one") + "/"});
  EXPECT_EQ(frame.Text(), tmp / "one");
  EXPECT_EQ(LastSelectedDir(), tmp / "one");
  EXPECT_EQ(events.size(), 2u);
  EXPECT_TRUE(person.folderRequests.empty());
}

TEST(DirectoryFrame, BrowsingAnUnboundFrameIsAProgrammingError) {
  DirectoryFrame frame("F", "", "C");
  EXPECT_THROW(frame.BrowseForDir(), std::logic_error);
  EXPECT_FALSE(frame.Browsing());
}

}  // namespace
}  // namespace korvane
