#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/prepare/prepare_fixture.h"

namespace korvane::testing {
namespace {

namespace fs = std::filesystem;

// The map the preparation made decides what results are renamed to; the memo only shows
// it. An edit there must not send a result to another name, least of all outside the
// output folder.
TEST(NameMap, RenamingReadsThePreparedMapNotTheMemo) {
  PrepareFixture f;
  f.preparation.SetWrapRequested(true);
  f.AddSource("PAYROLL.cbl", "       END.\r\n");
  f.dir.Write("job/last.xml", "a folder used before");
  f.preparation.BuildInputStructure(false);
  const std::vector<std::string> prepared = f.job.model.nameMap.Lines();
  ASSERT_FALSE(prepared.empty());
  EXPECT_EQ(f.job.model.nameMap.Shown().Lines(), prepared);

  f.job.model.nameMap.Shown().SetLines({"SRC0001=../EDITED.cbl"});
  f.dir.Write("job/WrapOut/SRC0001.xml", "result");
  f.flags.renameAfter = true;
  f.preparation.RenameResults();

  EXPECT_EQ(f.dir.Read("job/WrapOut/PAYROLL.xml"), "result");
  EXPECT_FALSE(fs::exists(f.dir / "job/EDITED.xml"));
  EXPECT_EQ(f.job.model.nameMap.Lines(), prepared);
}

}  // namespace
}  // namespace korvane::testing
