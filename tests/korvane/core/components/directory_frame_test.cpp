#include <gtest/gtest.h>

#include <algorithm>
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
#include "support/golden.h"
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
    keep.Add(frame.modifiedExit.Connect([this] { person.Note("modified exit"); }));
    keep.Add(frame.directoryChanged.Connect([this] { person.Note("changed to " + frame.Text()); }));
    keep.Add(bar.messageReported.Connect(
        [this](StatusMessageKind, const std::string& text) { person.Note("message: " + text); }));
    person.frame = &frame;
  }
  // The field, the bar and the remembered folder after a step.
  void State(const std::string& step) {
    person.Note(step + ": " + frame.Text() + (frame.Visible() ? "" : " (hidden)") +
                (frame.Modified() ? " (typed)" : "") + ", bar \"" + bar.Text() + "\", list \"" +
                bar.MessageList() + "\", last " +
                backend.Read(settings.Key(), "LastSelectedDir").value_or("none"));
  }
  // Compared with "/" as the separator, which Windows paths mix with their own.
  void Expect(const std::string& golden) {
    std::string text = person.transcript;
#ifdef _WIN32
    std::replace(text.begin(), text.end(), '\\', '/');
#endif
    testing::ExpectGolden(
        "components/" + golden, text,
        {{"{dir}", fs::path(tmp.Path()).generic_string()},
         {"{documents}", fs::path(platform::DocumentsFolder()).generic_string()}});
  }

  TempDir tmp;
  ConnectionList keep;
  WanderingPerson person;
  StatusBar bar{person};
  platform::MemorySettings backend;
  SettingsStore settings{backend};
  FormModel form;
  DirectoryFrame& frame = form.Create<DirectoryFrame>(names::kFrameOutputDir, "",
                                                      "Base directory for the wrapping job");
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
  EXPECT_FALSE(person.folderRequests[0].allowCreate);
  Expect("directory_start.txt");
}

TEST_F(DirectoryFrameTest, CancelReportsAbortsAndResetsTheField) {
  const fs::path before = fs::current_path();
  frame.SetText(tmp / "a");
  EXPECT_THROW(frame.BrowseForDir(), OperationAbort);
  EXPECT_TRUE(person.browsingWhileOpen);
  EXPECT_FALSE(frame.Browsing());
  EXPECT_EQ(fs::current_path(), before);
  State("cancelled");
  frame.SetStatusBar(nullptr);  // without a bar the message is dropped, the abort is not
  bar.ClearMessages();
  EXPECT_THROW(frame.BrowseForDir(), OperationAbort);
  State("cancelled without a bar");
  Expect("directory_cancel.txt");

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
  State("the same folder");
  // What a listener reports must survive the clearing.
  keep.Add(frame.directoryChanged.Connect([this] { bar.ShowError("listener says", true); }));
  person.folderAnswers.push_back(tmp / "new");
  frame.UserEdit("typed");
  frame.BrowseForDir();
  State("another folder");
  Expect("directory_choose.txt");
}

TEST_F(DirectoryFrameTest, LeavingChecksOnlyAfterTypingAndThenRunsTheBrowseClick) {
  fs::create_directories(tmp / "exists");
  const std::string missing = tmp / "missing/deeper";
  frame.SetText(missing);  // set by the program, never typed: nothing happens
  frame.EditExit();
  frame.UserEdit(tmp / "exists");  // typed and existing: the callback only
  frame.EditExit();
  State("typed an existing folder");
  // Typed and missing: reported, then the browser opens at the parent.
  frame.UserEdit(missing);
  person.folderAnswers.push_back(tmp / "exists");
  frame.EditExit();
  State("typed a missing folder, then chose one");
  // The callback runs before the check and may create the folder.
  keep.Add(frame.modifiedExit.Connect([&] { fs::create_directories(missing); }));
  frame.UserEdit(missing);
  frame.EditExit();
  State("typed a folder the callback creates");
  // A replaced browse click runs instead of the browser; the report is shown, not collected.
  Connection hook = frame.browseClicked.Connect([&] { person.Note("browse click"); });
  frame.UserEdit(tmp / "gone");
  frame.EditExit();
  State("typed a missing folder with the click replaced");
  hook.Disconnect();  // cancelling the default browser aborts the exit
  EXPECT_THROW(frame.EditExit(), OperationAbort);
  Expect("directory_leave.txt");
}

TEST_F(DirectoryFrameTest, DropTakesOneItemAndAFileStandsForItsFolder) {
  fs::create_directories(tmp / "one");
  const std::string file = tmp.Write("two/source.cbl", "x");
  frame.SetText(tmp / "one");
  frame.SetVisible(false);
  frame.DropFiles({tmp / "two", tmp / "one"});
  frame.DropFiles({tmp / "gone/file.txt"});  // its folder does not exist
  frame.DropFiles({tmp / "one/"});           // the same folder, spelled with a slash
  State("dropped two items, a file of a missing folder and the same folder");
  frame.DropFiles({file});
  State("dropped a file");
  frame.DropFiles({(tmp / "one") + "/"});  // taken without its trailing slash
  State("dropped a folder with a slash");
  EXPECT_TRUE(person.folderRequests.empty());
  Expect("directory_drop.txt");
}

}  // namespace
}  // namespace korvane
