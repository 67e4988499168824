#include <gtest/gtest.h>

#include "korvane/core/app/shell_fixture.h"
#include "korvane/core/common/text.h"

namespace korvane::testing {
namespace {

namespace fs = std::filesystem;
using PreparationShell = ShellJobFixture;

// The whole shell: the preparation actions are handled, a wrap preparation of a real job
// writes the structure and the word lists follow the job and the page.
TEST_F(PreparationShell, CopyFilesBuildsTheStructureOfTheOpenJob) {
  auto shell = Start();
  FillIn(*shell, "PROD", "ACCT");
  dir.Write("out/SourceCollection/PAY.cbl", "       COPY CUSTREC.\r\n");
  dir.Write("out/CopyCollection/CUSTREC.cpy", "       01 C.\r\n");
  dir.Write("out/LabelCollection/PAY.cbl", "L\r\n");
  dir.Write("bin/COBWrap/Copylib/FRAME.cpy", "f");
  shell->Sources().Sources().Add({"PAY.cbl=/orig/PAY.cbl", true, true});
  for (const char* name : {"ActCopyFiles", "ActCountLinesOnly", "ActRename", "ActPrepareXML",
                           "ActDeleteFilesAfter", "ActLoadWordList", "ActSaveWordList"}) {
    EXPECT_TRUE(shell->Actions().Get(name).HasHandler()) << name;
  }
  shell->Prepare().SetWrapRequested(true);
  person.answers = {Button::Yes};
  ASSERT_TRUE(shell->Execute("ActCopyFiles")) << shell->Status().MessageList();
  EXPECT_EQ(dir.Read("out/Workinp/SRC0001.CBL"), "insert*COPY CUSTREC.\r\ninsert 01 C.\r\n");
  EXPECT_EQ(dir.Read("out/Frames/FRAME.cpy"), "f");
  EXPECT_NE(dir.Read("out/last.xml").find("  SystemName  = \"ACCT\"\r\n"), std::string::npos);
  EXPECT_EQ(shell->CurrentProject().State().numberOfSourceFiles, 1);
  EXPECT_EQ(shell->CurrentProject().State().sourceLinesInJob, 2);
  EXPECT_FALSE(shell->Prepare().Busy());

  dir.Write("out/WrapOut/SRC0001.xml", "r");
  ASSERT_TRUE(shell->Execute("ActRename"));
  EXPECT_EQ(dir.Read("out/WrapOut/PAY.xml"), "r");
}

}  // namespace
}  // namespace korvane::testing
