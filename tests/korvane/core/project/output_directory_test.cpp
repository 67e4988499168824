#include "korvane/core/project/output_directory.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/common/operation_abort.h"
#include "project_fixture.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::ProjectFixture;
using testing::TempDir;

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
    int focused = 0;
    const Connection focusRequestedWatch = f.frame().focusRequested.Connect([&] { ++focused; });
    f.frame().UserEdit(text);
    EXPECT_THROW(field.Leave(), OperationAbort) << text;
    EXPECT_EQ(f.status.Text(), message);
    EXPECT_EQ(focused, 1);
    EXPECT_EQ(f.frame().Text(), text);
    EXPECT_FALSE(f.project.State().modified);
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

TEST(OutputDirField, LeavingNormalisesAndOffersToCreate) {
  FieldFixture f;
  auto& field = f.field;
  const std::string& base = f.base;

  // An existing folder typed with doubled and trailing separators.
  f.frame().UserEdit(base + "//" + "/");
  field.Leave();
  EXPECT_EQ(f.frame().Text(), base);
  EXPECT_TRUE(f.frame().Modified());  // normalising keeps the edited flag
  EXPECT_EQ(f.project.State().workDir, base + "/Work");
  EXPECT_TRUE(f.project.State().modified);
  EXPECT_TRUE(f.person.asked.empty());

  // A missing folder: OK creates it with its parents.
  f.frame().UserEdit(base + "/new/deep");
  f.person.answers = {Button::Ok};
  field.Leave();
  ASSERT_EQ(f.person.asked.size(), 1u);
  EXPECT_EQ(f.person.asked[0].text, "Directory " + base + "/new/deep doesn't exists, create it? ");
  EXPECT_EQ(f.person.asked[0].buttons, (Buttons{Button::Ok, Button::Cancel}));
  EXPECT_TRUE(fs::is_directory(base + "/new/deep"));

  // Cancel leaves it missing; the frame reports it and opens the browser,
  // whose cancel ends the operation.
  f.person.asked.clear();
  f.frame().UserEdit(base + "/other");
  f.person.answers = {Button::Cancel};
  f.person.folderAnswers = {std::nullopt};
  EXPECT_THROW(field.Leave(), OperationAbort);
  EXPECT_FALSE(fs::exists(base + "/other"));
  EXPECT_EQ(f.person.folderRequests.size(), 1u);

  // A folder that cannot be created gives a warning.
  f.tmp.Write("file", "x");
  f.person.asked.clear();
  f.frame().UserEdit(base + "/file/sub");
  f.person.answers = {Button::Ok};
  f.person.folderAnswers = {std::nullopt};
  EXPECT_THROW(field.Leave(), OperationAbort);
  ASSERT_EQ(f.person.asked.size(), 2u);
  EXPECT_EQ(f.person.asked[1].text, "Cannot create directory");
  EXPECT_EQ(f.person.asked[1].kind, MessageKind::Warning);
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
