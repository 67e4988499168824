#include "korvane/core/config/tool_configuration.h"

#include <gtest/gtest.h>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/common/text.h"
#include "support/scripted_person.h"

namespace korvane {
namespace {

using testing::ScriptedPerson;

TEST(ToolConfigurationTest, LookupTakesFirstLineIgnoringCase) {
  ToolConfiguration config({
      "; comment line, no key",
      "[Run control]",
      "runcontrol.debugmode=Y",
      "Runcontrol.DebugMode=N",
      "Date Written=03/14/24 09:12:45",
      "Odd=a=b",
      "Empty=",
  });
  EXPECT_EQ(config.Value("Runcontrol.DebugMode"), "Y");
  EXPECT_EQ(config.Value("RUNCONTROL.DEBUGMODE"), "Y");
  EXPECT_TRUE(StrToBoolStrict(config.Value("Runcontrol.DebugMode")));
  EXPECT_EQ(config.Value("date written"), "03/14/24 09:12:45");
  // Split at the first "=" only.
  EXPECT_EQ(config.Value("Odd"), "a=b");
  // Lines without "=" are not keys, whatever they look like.
  EXPECT_EQ(config.Value("[Run control]"), "");
  EXPECT_EQ(config.Value("; comment line, no key"), "");
  EXPECT_EQ(config.Value("Missing"), "");
  EXPECT_TRUE(config.HasKey("empty"));
  EXPECT_FALSE(config.HasKey("Missing"));
  EXPECT_FALSE(config.Empty());
  EXPECT_TRUE(ToolConfiguration().Empty());
}

TEST(ToolConfigurationTest, IntegerValuesAreZeroPrefixed) {
  ToolConfiguration config({
      "Runcontrol.SystemBigDirectoryLimit=",
      "Zero=0",
      "Seven=7",
      "Padded=007",
      "Junk=7a",
      "Negative=-3",
  });
  // Empty, "0" and absent all read as 0; turning 0 into 50 is the reader's rule.
  EXPECT_EQ(config.IntValue("Runcontrol.SystemBigDirectoryLimit"), 0);
  EXPECT_EQ(config.IntValue("Zero"), 0);
  EXPECT_EQ(config.IntValue("Absent"), 0);
  EXPECT_EQ(config.IntValue("Seven"), 7);
  EXPECT_EQ(config.IntValue("Padded"), 7);
  EXPECT_THROW(config.IntValue("Junk"), ConversionError);
  // "0" in front of "-3" is no number.
  EXPECT_THROW(config.IntValue("Negative"), ConversionError);
}

TEST(ToolConfigurationTest, KeyListTakesTheTextInsideTheParentheses) {
  KeyedLines list = ToolConfiguration::KeyList("(DirDepth=3,Multi=Y, Scan = N ,Frames=N)");
  ASSERT_EQ(list.size(), 6u) << "blanks around separators are skipped, inner blanks split";
  EXPECT_EQ(list.Value("DirDepth"), "3");
  EXPECT_EQ(list.Value("MULTI"), "Y");
  EXPECT_EQ(list.Value("Frames"), "N");
  // "Scan = N" is three items, none of which is a Scan=... line.
  EXPECT_EQ(list.Value("Scan"), "");

  EXPECT_TRUE(ToolConfiguration::KeyList("DirDepth=3,Multi=Y").empty());
  EXPECT_TRUE(ToolConfiguration::KeyList("").empty());
  EXPECT_TRUE(ToolConfiguration::KeyList("()").empty());

  // Text before the first "(" and after the last ")" is not part of the list.
  list = ToolConfiguration::KeyList("ignored (A=(1),B=2) trailer");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list.Value("A"), "(1)");
  EXPECT_EQ(list.Value("B"), "2");

  // Quoted items keep blanks and commas; doubled quotes stand for one.
  list = ToolConfiguration::KeyList(
      R"(("Procpgm=Tool Dir/ASMProc","Note=say ""hi"", then go",Link=Y))");
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list.Value("Procpgm"), "Tool Dir/ASMProc");
  EXPECT_EQ(list.Value("Note"), R"(say "hi", then go)");
  EXPECT_EQ(list.Value("Link"), "Y");

  // A quoted ")" is not the end; only the last ")" closes the list.
  list = ToolConfiguration::KeyList(R"x(("A=x)",B=1))x");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list.Value("A"), "x)");
  EXPECT_EQ(list.Value("B"), "1");

  // A lost closing parenthesis keeps the items up to the end.
  list = ToolConfiguration::KeyList("(DirDepth=4,Multi=Y");
  EXPECT_EQ(list.Value("DirDepth"), "4");
  EXPECT_EQ(list.Value("Multi"), "Y");
}

TEST(ToolConfigurationTest, ExtrasDefaultOnlyWhenTheKeyIsMissing) {
  ToolConfiguration config({
      "COB.Extras=(Multi=Y,Frames=N,Scan=Y)",
      "ASM.Extras=",
      "BMS.Extras=(DirDepth=1,InterfaceWrap=Y)",
  });
  const auto depth = [&](const char* code) {
    return ZeroPrefixedInt(config.Extras(code).Value("DirDepth"));
  };
  EXPECT_EQ(depth("COB"), 0) << "a written list without DirDepth means depth 0";
  EXPECT_EQ(depth("ASM"), 0) << "an empty value is still a written key";
  EXPECT_EQ(depth("PLI"), 2) << "only a missing key gives the default list";
  EXPECT_EQ(depth("BMS"), 1);

  // Frames defaults to shown; N hides it.
  EXPECT_FALSE(StrToBoolDefault(config.Extras("COB").Value("Frames"), true));
  EXPECT_TRUE(StrToBoolDefault(config.Extras("BMS").Value("Frames"), true));
  EXPECT_TRUE(StrToBoolStrict(config.Extras("COB").Value("Scan")));
  EXPECT_TRUE(StrToBoolDefault(config.Extras("BMS").Value("InterfaceWrap"), false));
  EXPECT_EQ(config.Extras("PLI").Lines(), std::vector<std::string>{"DirDepth=2"});
}

class FilterTest : public ::testing::Test {
 protected:
  ScriptedPerson person;
  StatusBar status{person};
};

TEST_F(FilterTest, FilterForJoinsTheVersionFilter) {
  ToolConfiguration config({
      "COB.Filters=COBOL sources (*.cbl)|*.cbl;*.cob",
      "COB.Copy.Filters=Copy members|*.cpy",
      "WSDL.Filters=WSDL|*.wsdl",
      "XML.Filters=",
      "PLI.Filters=|*.pli",
  });
  EXPECT_EQ(config.FilterFor("COB", "WSDL", status),
            "COBOL sources (*.cbl)|*.cbl;*.cob|WSDL|*.wsdl");
  EXPECT_EQ(config.FilterFor("COB", "XML", status), "COBOL sources (*.cbl)|*.cbl;*.cob");
  EXPECT_EQ(config.FilterFor("COB", "", status), "COBOL sources (*.cbl)|*.cbl;*.cob");
  EXPECT_EQ(config.FilterFor("cob.copy", "wsdl", status), "Copy members|*.cpy|WSDL|*.wsdl");
  // Without a filter of its own the version's filter stands alone, its "|" dropped.
  EXPECT_EQ(config.FilterFor("ASM", "WSDL", status), "WSDL|*.wsdl");
  // Only one leading "|" goes.
  EXPECT_EQ(config.FilterFor("PLI", "", status), "*.pli");
  // None of this is a missing definition.
  EXPECT_EQ(status.Text(), "");
  EXPECT_TRUE(person.asked.empty());
}

TEST_F(FilterTest, FilterForFallsBackWithAStatusText) {
  ToolConfiguration config({"COB.Filters=COBOL|*.cbl"});
  EXPECT_EQ(config.FilterFor("ASM", "XML", status), "All files (Possible definition error)|*.*");
  EXPECT_EQ(status.Text(), "Shell program error, missing filter definition, inform Brevik");
  EXPECT_EQ(status.Colour(), StatusColour::Neutral);

  // With an error list already collected the text joins the list and nothing aborts.
  status.AddError("earlier", true);
  std::string filter;
  EXPECT_NO_THROW(filter = config.FilterFor("COB.Copy", "", status));
  EXPECT_EQ(filter, "All files (Possible definition error)|*.*");
  EXPECT_EQ(status.MessageList(),
            "- earlier\r\n- Shell program error, missing filter definition, inform Brevik");
}

TEST(ToolConfigurationTest, ResultMasksJoinResultCopyAndSourceMasks) {
  ToolConfiguration config({
      "COB.Filters=COBOL|*.cbl;*.cob",
      "COB.Copy.Filters=Copies|*.cpy;",
      "COB.Result.Filters=Results|  *.wrp;*.lst  ",
      "PLI.Filters=PL/I|*.pli",
      "PLI.Result.Filters=no masks here",
      "CPP.Filters=Sources|*.c|Headers|*.h",
      "ASM.Copy.Filters=Macros|",
  });
  EXPECT_EQ(config.ResultMasks("COB"), "*.wrp;*.lst;*.cpy;*.cbl;*.cob");
  EXPECT_EQ(config.ResultMasks("cob"), "*.wrp;*.lst;*.cpy;*.cbl;*.cob");
  // A part without "|" has no masks and leaves no empty slot.
  EXPECT_EQ(config.ResultMasks("PLI"), "*.pli");
  // Everything after the first "|" is the mask part, further pairs included.
  EXPECT_EQ(config.ResultMasks("CPP"), "*.c|Headers|*.h");
  EXPECT_EQ(config.ResultMasks("ASM"), "");
  EXPECT_EQ(config.ResultMasks("BMS"), "");

  ToolConfiguration trailing({"X.Result.Filters=R|*.r;;", "X.Filters=S|*.s;"});
  // A part already ending in ";" gets none added; only one final ";" is removed.
  EXPECT_EQ(trailing.ResultMasks("X"), "*.r;;*.s");
}

}  // namespace
}  // namespace korvane
