// What bringing the lists in line with the job's folders tells the person: every source
// that leaves the job or cannot be held by it is named, and a base folder that was missing
// never empties the lists or lets a run start on nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/sources/source_lists_fixture.h"
#include "support/golden.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// The messages in order, one "Kind: text" line each, with the temporary base folder
// written as {base} so that the transcript is the same on every run.
struct Transcript {
  std::string text;
  ConnectionList keep;
  void Follow(testing::SourcesFixture& f) {
    const std::string base = f.dir / "job";
    keep.Add(f.status.messageReported.Connect(
        [this, base](StatusMessageKind kind, const std::string& message) {
          static const char* const kinds[] = {"Status", "Warning", "Error", "Fatal"};
          std::string line = message;
          for (size_t at; (at = line.find(base)) != std::string::npos;)
            line.replace(at, base.size(), "{base}");
          text += std::string(kinds[static_cast<int>(kind)]) + ": " + line + "\n";
        }));
  }
};

TEST(SourceListSync, DroppedAndUnholdableSourcesAreNamed) {
  testing::SourcesFixture f;
  Transcript messages;
  messages.Follow(f);
  for (const char* name : {"A.cbl", "B.cbl", "C.cbl", "p=q.cbl"}) {
    f.sources().Add({std::string(name) + "=/orig/" + name, true, true});
    f.marks().SetValue(std::string(name) + ".WrpT", "Intr");
  }
  f.dir.Write("job/SourceCollection/A.cbl", "src");
  f.dir.Write("job/SourceCollection/p=q.cbl", "src");

  // A checked source the job cannot hold keeps the run from starting.
  EXPECT_FALSE(f.lists.Synchronize());
  EXPECT_EQ(f.texts(f.sources()),
            (std::vector<std::string>{"A.cbl=/orig/A.cbl", "p=q.cbl=/orig/p=q.cbl"}));
  EXPECT_TRUE(fs::exists(f.dir / "job/SourceCollection/p=q.cbl"));
  // Once gone, a source is named only the once.
  fs::remove(f.dir / "job/SourceCollection/A.cbl");
  f.sources().MutableItems()[1].checked = false;
  EXPECT_TRUE(f.lists.Synchronize());
  testing::ExpectGolden("sources/sync_messages.txt", messages.text);
}

TEST(SourceListSync, AMissingBaseFolderKeepsTheListsAndStopsTheRunNamingIt) {
  testing::SourcesFixture f;
  Transcript messages;
  messages.Follow(f);
  f.sources().Add({"A.cbl=/orig/A.cbl", true, true});
  f.sources().Add({"B.cbl=/orig/B.cbl", true, true});

  // Opening the job: the folder is missing; then it is made in its place, empty.
  EXPECT_TRUE(f.lists.Synchronize());
  fs::create_directories(f.dir / "job");
  EXPECT_TRUE(f.lists.Synchronize());
  EXPECT_EQ(f.sources().Items().size(), 2u);
  try {
    f.lists.CheckBaseBeforeRun();
    ADD_FAILURE() << "the run was not stopped";
  } catch (const OperationAbort&) {
  }
  // The message names the folder: the transcript below holds it whole.

  // Once a source is back in its folder the job is what it says again.
  f.dir.Write("job/SourceCollection/A.cbl", "src");
  f.lists.CheckBaseBeforeRun();
  EXPECT_TRUE(f.lists.Synchronize());
  EXPECT_EQ(f.texts(f.sources()), std::vector<std::string>{"A.cbl=/orig/A.cbl"});
  testing::ExpectGolden("sources/missing_base_messages.txt", messages.text);
}

}  // namespace
}  // namespace korvane
