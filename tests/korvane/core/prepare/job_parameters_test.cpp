#include <gtest/gtest.h>

#include "korvane/core/common/text.h"
#include "korvane/core/prepare/job_parameters.h"
#include "korvane/core/prepare/wrapper_contract.h"
#include "support/golden.h"

namespace korvane::testing {
namespace {

using Texts = std::vector<std::string>;

// B.cbl (checked, file wrapping), C.cbl (unchecked), D.cobol (checked, transaction).
JobParameterInput ThreeSources() {
  JobParameterInput in;
  in.productName = "PAYROLL";
  in.systemName = "ACCT";
  in.base = "/jobs/acct/";
  in.wrapRequested = true;
  in.interfaceType = "XML";
  in.mapTypeOffered = true;
  in.mapType = "CICS";
  in.wordScan = true;
  in.multi = true;
  in.linkerShown = true;
  in.linkerProgram = "/tools/COBLink";
  in.wrapperPrograms = {{"Onl", "/tools/Dalmer"}, {"File", "/tools/Ardent"}};
  in.copyLibraryShown = true;
  in.copyMembers = {{"CUSTREC.cpy", "/tools/Copylib/CUSTREC.cpy"},
                    {"ACCT.cpy", "/tools/Copylib/sub/ACCT.cpy"}};
  in.sources = {{"B.cbl", "/src/B.cbl", true, "File"},
                {"C.cbl", "/src/C.cbl", false, "File"},
                {"D.cobol", "/src/D.cobol", true, "Onl"}};
  return in;
}

TEST(JobParameters, WrapModeFileBatchLinesAndNameMapToTheByte) {
  const JobParameters out = BuildJobParameters(ThreeSources());
  ExpectGolden("prepare/last_wrap.xml", JoinLinesCrLf(out.xml));
  Texts batch{"ECHO ON"};
  batch.insert(batch.end(), out.batch.begin(), out.batch.end());
  ExpectGolden("prepare/lastbatch.cmd", JoinLinesCrLf(batch));
  ExpectGolden("prepare/name_map.txt", JoinLinesCrLf(out.nameMap));
  EXPECT_EQ(out.entities, 2);
  ASSERT_EQ(out.longExtensions.size(), 1u);
  EXPECT_EQ(out.longExtensions[0], std::make_pair(std::string(".cobol"), std::string(".COB")));
  EXPECT_FALSE(out.markupInValues);
}

TEST(JobParameters, WithoutWrapRunTheParametersBlockAndFilesVanish) {
  JobParameterInput in = ThreeSources();
  in.wrapRequested = false;
  in.systemName = "";  // what "*" leaves
  const JobParameters out = BuildJobParameters(in);
  ExpectGolden("prepare/last_plain.xml", JoinLinesCrLf(out.xml));
  EXPECT_TRUE(out.nameMap.empty());
  EXPECT_FALSE(out.nameMapBuilt);
  EXPECT_TRUE(out.batch.empty());

  // Wrap mode, no transaction wrapping: the interface type alone keeps the block.
  in = ThreeSources();
  in.mapTypeOffered = false;
  in.wordScan = false;
  ExpectGolden("prepare/last_interface_only.xml", JoinLinesCrLf(BuildJobParameters(in).xml));
}

TEST(JobParameters, UntypedAndInterfaceSourcesCarryThePreviousProgram) {
  JobParameterInput in = ThreeSources();
  in.linkerShown = false;
  in.sources = {{"I.cbl", "/s/I.cbl", true, "Intr"},
                {"A.cbl", "/s/A.cbl", true, "File"},
                {"U.cbl", "/s/U.cbl", true, ""}};
  EXPECT_EQ(BuildJobParameters(in).batch,
            (Texts{"\"\" last.xml;0001 ", "\"/tools/Ardent\" last.xml;0002 ",
                   "\"/tools/Ardent\" last.xml;0003 "}));
  in.multi = false;
  EXPECT_TRUE(BuildJobParameters(in).batch.empty());
}

TEST(JobParameters, HostileValuesAreWrittenVerbatimButNoticed) {
  JobParameterInput in = ThreeSources();
  in.base = "/jobs/a&b/";
  in.sources = {{"X.cbl", "/s/<X>\".cbl", true, "File"}};
  const JobParameters out = BuildJobParameters(in);
  EXPECT_TRUE(out.markupInValues);
  EXPECT_EQ(out.xml[12], "  <Orig_Input_Dir>/jobs/a&b/SourceCollection</Orig_Input_Dir>");
  EXPECT_EQ(out.xml[21], "  <Orig_File_0001><X>\".cbl</Orig_File_0001>");

  in = ThreeSources();
  in.systemName = "A\"B";
  EXPECT_TRUE(BuildJobParameters(in).markupInValues);
}

TEST(JobParameters, ExtensionsAndNameMapOrder) {
  EXPECT_EQ(ToolExtension("/a/PAYROLL.cobol"), ".COB");
  EXPECT_EQ(ToolExtension("/a/x.cbl"), ".CBL");
  EXPECT_EQ(ToolExtension("/a.b/noext"), "");
  EXPECT_EQ(ToolExtension("x."), ".");
  Texts lines{"xcpy0001=a", "SRC0002=b", "CCPY0000=c", "SRC0001=d"};
  std::sort(lines.begin(), lines.end(), NameMapLess);
  EXPECT_EQ(lines, (Texts{"CCPY0000=c", "SRC0001=d", "SRC0002=b", "xcpy0001=a"}));

  // Two long extensions sharing their first letters: the map keeps one cut form each.
  JobParameterInput in = ThreeSources();
  in.sources = {{"A.cobol", "/s/A.cobol", true, "File"}, {"B.cobx", "/s/B.cobxx", true, "File"}};
  const auto out = BuildJobParameters(in);
  ASSERT_EQ(out.longExtensions.size(), 2u);
  EXPECT_EQ(out.longExtensions[1].second, ".COB");
}

TEST(WrapperContract, EntityArguments) {
  EXPECT_EQ(contract::EntityArgument(7), "last.xml;0007");
  EXPECT_EQ(contract::EntityArgument(12345), "last.xml;12345");
  EXPECT_EQ(contract::ParseEntityArgument("last.xml"), 0);
  EXPECT_EQ(contract::ParseEntityArgument("last.xml;0042"), 42);
  for (const char* bad :
       {"last.xml;", "last.xml;00x1", "other.xml", "last.xml;0000", "last.xml0"}) {
    EXPECT_EQ(contract::ParseEntityArgument(bad), -1) << bad;
  }
  EXPECT_EQ(contract::ProductLogName("ACCT"), "ACCT.log");
}

}  // namespace
}  // namespace korvane::testing
