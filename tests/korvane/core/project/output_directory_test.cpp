#include "korvane/core/project/output_directory.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/common/operation_abort.h"
#include "project_fixture.h"
#include "support/temp_dir.h"
#include "transcript.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::ProjectFixture;
using testing::TempDir;
using testing::Transcript;
using testing::YesNo;

constexpr const char* kInvalid =
    "Invalid output directory (No relative or UNC format path is allowed here)!";

TEST(OutputDirRules, FormAndNormalisation) {
  EXPECT_TRUE(IsAbsoluteOutputDir("/"));
  EXPECT_FALSE(IsAbsoluteOutputDir("//server/share"));
  EXPECT_FALSE(IsAbsoluteOutputDir("./a"));
  EXPECT_EQ(NormaliseOutputDir("/jobs//cob///a/"), "/jobs/cob/a");
  EXPECT_EQ(NormaliseOutputDir("///"), "/");
  EXPECT_EQ(WorkDirOf("/"), "/Work");
}

TEST(OutputDirField, RefusesEmptyRelativeAndNetworkPaths) {
  for (const auto& [text, message] :
       {std::pair<std::string, std::string>{"", "This field must not be empty"},
        {"jobs/a", kInvalid},
        {"//server/share/a", kInvalid}}) {
    ProjectFixture f;
    OutputDirectoryField field(f.project);
    f.frame().UserEdit(text);
    EXPECT_THROW(field.Leave(), OperationAbort) << text;
    EXPECT_EQ(f.status.Text(), message);
  }
}

// A bound output field over a temporary folder.
struct FieldFixture : ProjectFixture {
  FieldFixture() {
    frame().Bind(person, settings);
    field.Bind();
  }
  TempDir tmp;
  const std::string base = tmp.Path().string();
  OutputDirectoryField field{project};
};

// An existing folder is normalised; a missing one is offered for creation, and a refused
// or impossible creation ends in the folder browser.
TEST(OutputDirField, LeavingNormalisesAndOffersToCreate) {
  FieldFixture f;
  Transcript t(f.person, f.status, f.base);
  auto leave = [&](const std::string& typed, Button answer) {
    f.frame().UserEdit(typed);
    f.person.answers = {answer};
    f.person.folderAnswers = {std::nullopt};
    bool aborted = false;
    try {
      f.field.Leave();
    } catch (const OperationAbort&) {
      aborted = true;
    }
    t.Note(typed + (aborted ? " (aborted)" : "") + ": shown " + f.frame().Text() + ", edited " +
           YesNo(f.frame().Modified()) + ", work " + f.project.State().workDir + ", modified " +
           YesNo(f.project.State().modified) + ", browsed " +
           std::to_string(f.person.folderRequests.size()) + ", exists " +
           YesNo(fs::is_directory(f.frame().Text())));
  };
  leave(f.base + "///", Button::Ok);
  leave(f.base + "/new/deep", Button::Ok);
  leave(f.base + "/other", Button::Cancel);
  f.tmp.Write("file", "x");
  leave(f.base + "/file/sub", Button::Ok);
  t.Expect("project/leaving_output_dir.txt");
}

TEST(OutputDirField, DroppingTheNamesAppendsTheProjectNameOnce) {
  FieldFixture f;
  auto& field = f.field;
  const std::string& base = f.base;
  f.project.State().productName = "pay";
  f.project.State().systemName = "hr";
  f.frame().SetText(base);

  int focused = 0;
  const Connection focusRequestedWatch = f.frame().focusRequested.Connect([&] { ++focused; });
  field.DropNames();
  field.DropNames();
  EXPECT_EQ(f.frame().Text(), base + "/PayHr");
  EXPECT_EQ(focused, 1);

  // Leaving creates the pending folder without asking.
  field.Leave();
  EXPECT_TRUE(fs::is_directory(base + "/PayHr"));
  EXPECT_TRUE(f.person.asked.empty());

  // Any key but Enter drops the pending creation; Enter leaves the field.
  f.frame().SetText(base + "/x");
  field.DropNames();
  EXPECT_TRUE(f.project.State().createPending);
  field.KeyTyped(false);
  EXPECT_FALSE(f.project.State().createPending);
  f.person.answers = {Button::Ok};
  field.KeyTyped(true);
  EXPECT_TRUE(fs::is_directory(base + "/x/PayHr"));
  EXPECT_EQ(f.person.asked.size(), 1u);
}

TEST(OutputDirField, BrowsingTakesTheFolderAndRunsTheChecks) {
  FieldFixture f;
  TempDir& tmp = f.tmp;
  fs::create_directories(tmp.Path() / "picked");
  f.person.folderAnswers = {tmp / "picked/"};
  f.frame().BrowseClick();
  EXPECT_EQ(f.frame().Text(), tmp / "picked");
  EXPECT_EQ(f.project.State().workDir, tmp / "picked" + "/Work");
  EXPECT_TRUE(f.project.State().modified);
  EXPECT_TRUE(f.person.asked.empty());
}

}  // namespace
}  // namespace korvane
