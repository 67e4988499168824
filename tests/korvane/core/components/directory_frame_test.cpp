#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
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
#include "support/inner_case_table.h"
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

// Each test plays a table of operations on one frame; each line shows what the person
// and the listeners heard, whether the operation was aborted, and the frame after it.
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

  // Paths are compared with "/" as the separator, which Windows paths mix with their own.
  void Play(const std::string& table) {
    const std::string root = fs::path(tmp.Path()).generic_string();
    Connection ownClick;
    const std::map<std::string, std::function<void(const std::vector<std::string>&)>> ops = {
        {"folder", [&](auto& in) { fs::create_directories(in[1]); }},
        {"file", [&](auto& in) { tmp.Write(in[1].substr(root.size() + 1), "x"); }},
        {"set", [&](auto& in) { frame.SetText(in[1]); }},
        {"type", [&](auto& in) { frame.UserEdit(in[1]); }},
        {"hide", [&](auto&) { frame.SetVisible(false); }},
        {"no create", [&](auto&) { frame.SetAllowCreate(false); }},
        {"warning", [&](auto& in) { bar.ShowWarning(in[1]); }},
        {"no bar",
         [&](auto&) {
           frame.SetStatusBar(nullptr);
           bar.ClearMessages();
         }},
        {"start", [&](auto&) { person.Note("starts in " + frame.BrowseStartDirectory()); }},
        {"answer", [&](auto& in) { person.folderAnswers.push_back(in[1]); }},
        {"browse", [&](auto&) { frame.BrowseForDir(); }},
        {"exit", [&](auto&) { frame.EditExit(); }},
        {"drop",
         [&](auto& in) {
           frame.DropFiles({in.begin() + 1, in.end()});
         }},
        {"listener reports",
         [&](auto&) {
           keep.Add(frame.directoryChanged.Connect([&] { bar.ShowError("listener says", true); }));
         }},
        {"callback creates",
         [&](auto& in) {
           keep.Add(frame.modifiedExit.Connect([&, dir = in[1]] { fs::create_directories(dir); }));
         }},
        {"own click",
         [&](auto&) { ownClick = frame.browseClicked.Connect([&] { person.Note("own click"); }); }},
        {"default click", [&](auto&) { ownClick.Disconnect(); }}};
    testing::ExpectCaseTable(
        "components/" + table,
        [&](std::vector<std::string> in) {
          for (auto& field : in) field = testing::WithPlaceholders(field, {{root, "{dir}"}});
          person.transcript.clear();
          try {
            ops.at(in[0])(in);
          } catch (const OperationAbort&) {
            person.Note("aborted");
          }
          person.Note(frame.Text() + (frame.Visible() ? "" : " (hidden)") +
                      (frame.Modified() ? " (typed)" : "") + ", bar \"" + bar.Text() +
                      "\", list \"" + bar.MessageList() + "\", last " +
                      backend.Read(settings.Key(), "LastSelectedDir").value_or("none"));
          std::string heard = person.transcript;
#ifdef _WIN32
          std::replace(heard.begin(), heard.end(), '\\', '/');
#endif
          std::vector<std::string> lines;
          std::istringstream in_lines(heard);
          for (std::string line; std::getline(in_lines, line);) lines.push_back(line);
          return lines;
        },
        {{"{dir}", root}, {"{documents}", fs::path(platform::DocumentsFolder()).generic_string()}});
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
  Play("directory_start.txt");
  ASSERT_EQ(person.folderRequests.size(), 1u);
  EXPECT_FALSE(person.folderRequests[0].allowCreate);
}

TEST_F(DirectoryFrameTest, CancelReportsAbortsAndResetsTheField) {
  const fs::path before = fs::current_path();
  Play("directory_cancel.txt");
  EXPECT_TRUE(person.browsingWhileOpen);
  EXPECT_FALSE(frame.Browsing());
  EXPECT_EQ(fs::current_path(), before);
  DirectoryFrame unbound("F", "", "C");
  EXPECT_THROW(unbound.BrowseForDir(), std::logic_error);
}

TEST_F(DirectoryFrameTest, ChoosingFiresOnlyForADifferentFolder) {
  Play("directory_choose.txt");
}

TEST_F(DirectoryFrameTest, LeavingChecksOnlyAfterTypingAndThenRunsTheBrowseClick) {
  Play("directory_leave.txt");
}

TEST_F(DirectoryFrameTest, DropTakesOneItemAndAFileStandsForItsFolder) {
  Play("directory_drop.txt");
  EXPECT_TRUE(person.folderRequests.empty());
}

}  // namespace
}  // namespace korvane
