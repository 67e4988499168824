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
  ToolConfiguration config({"; comment line, no key", "[Run control]", "runcontrol.debugmode=Y",
                            "Runcontrol.DebugMode=N", "Date Written=03/14/24 09:12:45", "Odd=a=b",
                            "Empty="});
  EXPECT_TRUE(StrToBoolStrict(config.Value("Runcontrol.DebugMode")));
  EXPECT_EQ(config.Value("date written"), "03/14/24 09:12:45");
  EXPECT_EQ(config.Value("Odd"), "a=b");
  // Lines without "=" are not keys, whatever they look like.
  EXPECT_EQ(config.Value("[Run control]"), "");
  EXPECT_EQ(config.Value("; comment line, no key"), "");
  EXPECT_TRUE(config.HasKey("empty"));
  EXPECT_FALSE(config.HasKey("Missing"));
}

TEST(ToolConfigurationTest, IntegerValuesAreZeroPrefixed) {
  ToolConfiguration config({"Runcontrol.SystemBigDirectoryLimit=", "Zero=0", "Seven=7",
                            "Padded=007", "Junk=7a", "Negative=-3"});
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
  EXPECT_EQ(list.Value("MULTI"), "Y");
  EXPECT_EQ(list.Value("Frames"), "N");
  EXPECT_EQ(list.Value("Scan"), "") << "\"Scan = N\" is three items";

  EXPECT_TRUE(ToolConfiguration::KeyList("DirDepth=3,Multi=Y").empty());
  EXPECT_TRUE(ToolConfiguration::KeyList("()").empty());

  // Text outside the first "(" and the last ")" is not part of the list.
  list = ToolConfiguration::KeyList("ignored (A=(1),B=2) trailer");
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"A=(1)", "B=2"}));

  // Quoted items keep blanks, commas and ")"; doubled quotes stand for one.
  list = ToolConfiguration::KeyList(R"x(("Procpgm=Tool Dir/x)","Note=say ""hi"", go",Link=Y))x");
  EXPECT_EQ(list.Lines(),
            (std::vector<std::string>{"Procpgm=Tool Dir/x)", R"(Note=say "hi", go)", "Link=Y"}));

  // A lost closing parenthesis keeps the items up to the end.
  list = ToolConfiguration::KeyList("(DirDepth=4,Multi=Y");
  EXPECT_EQ(list.Value("Multi"), "Y");
}

TEST(ToolConfigurationTest, ExtrasDefaultOnlyWhenTheKeyIsMissing) {
  ToolConfiguration config(
      {"COB.Extras=(Multi=Y,Frames=N)", "ASM.Extras=", "BMS.Extras=(DirDepth=1,InterfaceWrap=Y)"});
  const auto depth = [&](const char* code) {
    return ZeroPrefixedInt(config.Extras(code).Value("DirDepth"));
  };
  EXPECT_EQ(depth("COB"), 0) << "a written list without DirDepth means depth 0";
  EXPECT_EQ(depth("ASM"), 0) << "an empty value is still a written key";
  EXPECT_EQ(depth("BMS"), 1);
  EXPECT_EQ(config.Extras("PLI").Lines(), std::vector<std::string>{"DirDepth=2"});
  // Frames defaults to shown; N hides it.
  EXPECT_FALSE(StrToBoolDefault(config.Extras("COB").Value("Frames"), true));
  EXPECT_TRUE(StrToBoolDefault(config.Extras("BMS").Value("Frames"), true));
}

class FilterTest : public ::testing::Test {
 protected:
  ScriptedPerson person;
  StatusBar status{person};
};

TEST_F(FilterTest, FilterForJoinsTheVersionFilter) {
  ToolConfiguration config({"COB.Filters=COBOL sources (*.cbl)|*.cbl;*.cob",
                            "COB.Copy.Filters=Copy members|*.cpy", "WSDL.Filters=WSDL|*.wsdl",
                            "XML.Filters=", "PLI.Filters=|*.pli"});
  EXPECT_EQ(config.FilterFor("COB", "WSDL", status),
            "COBOL sources (*.cbl)|*.cbl;*.cob|WSDL|*.wsdl");
  EXPECT_EQ(config.FilterFor("COB", "XML", status), "COBOL sources (*.cbl)|*.cbl;*.cob");
  EXPECT_EQ(config.FilterFor("cob.copy", "wsdl", status), "Copy members|*.cpy|WSDL|*.wsdl");
  // Without a filter of its own the version's filter stands alone, its "|" dropped.
  EXPECT_EQ(config.FilterFor("ASM", "WSDL", status), "WSDL|*.wsdl");
  EXPECT_EQ(config.FilterFor("PLI", "", status), "*.pli");
  EXPECT_EQ(status.Text(), "");
}

TEST_F(FilterTest, FilterForFallsBackWithAStatusText) {
  ToolConfiguration config({"COB.Filters=COBOL|*.cbl"});
  EXPECT_EQ(config.FilterFor("ASM", "XML", status), "All files (Possible definition error)|*.*");
  EXPECT_EQ(status.Text(), "Shell program error, missing filter definition, inform Brevik");
  EXPECT_EQ(status.Colour(), StatusColour::Neutral);

  // With an error list already collected the text joins the list and nothing aborts.
  status.AddError("earlier", true);
  EXPECT_NO_THROW(config.FilterFor("COB.Copy", "", status));
  EXPECT_EQ(status.MessageList(),
            "- earlier\r\n- Shell program error, missing filter definition, inform Brevik");
}

TEST(ToolConfigurationTest, ResultMasksJoinResultCopyAndSourceMasks) {
  ToolConfiguration config({"COB.Filters=COBOL|*.cbl;*.cob", "COB.Copy.Filters=Copies|*.cpy;",
                            "COB.Result.Filters=Results|  *.wrp;*.lst  ", "PLI.Filters=PL/I|*.pli",
                            "PLI.Result.Filters=no masks here",
                            "CPP.Filters=Sources|*.c|Headers|*.h", "X.Result.Filters=R|*.r;;",
                            "X.Filters=S|*.s;"});
  EXPECT_EQ(config.ResultMasks("cob"), "*.wrp;*.lst;*.cpy;*.cbl;*.cob");
  // A part without "|" has no masks and leaves no empty slot.
  EXPECT_EQ(config.ResultMasks("PLI"), "*.pli");
  // Everything after the first "|" is the mask part, further pairs included.
  EXPECT_EQ(config.ResultMasks("CPP"), "*.c|Headers|*.h");
  EXPECT_EQ(config.ResultMasks("BMS"), "");
  // A part already ending in ";" gets none added; only one final ";" is removed.
  EXPECT_EQ(config.ResultMasks("X"), "*.r;;*.s");
}

}  // namespace
}  // namespace korvane
