#include "korvane/core/config/tool_configuration.h"

#include <gtest/gtest.h>

#include "korvane/core/common/status_bar.h"
#include "korvane/core/common/text.h"
#include "support/scripted_person.h"

namespace korvane {
namespace {

using testing::ScriptedPerson;

// Lookups, integers and comma text are the keyed lines', the text routines' and the comma
// text's rules; what is tested here is what the configuration adds to them.
TEST(ToolConfigurationTest, KeyListReadsFromTheFirstOpenToTheLastCloseParenthesis) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(ToolConfiguration::KeyList("ignored (A=(1),B=2) trailer").Lines(),
            (Lines{"A=(1)", "B=2"}));
  // Quoted items keep blanks, commas and ")".
  EXPECT_EQ(ToolConfiguration::KeyList(R"x(("Procpgm=Tool Dir/x)","Note=say ""hi"", go",Link=Y))x")
                .Lines(),
            (Lines{"Procpgm=Tool Dir/x)", R"(Note=say "hi", go)", "Link=Y"}));
  EXPECT_TRUE(ToolConfiguration::KeyList("DirDepth=3,Multi=Y").empty());
  EXPECT_TRUE(ToolConfiguration::KeyList("()").empty());
  // A lost closing parenthesis keeps the items up to the end.
  EXPECT_EQ(ToolConfiguration::KeyList("(DirDepth=4,Multi=Y").Lines(),
            (Lines{"DirDepth=4", "Multi=Y"}));
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
  EXPECT_EQ(config.IntValue("PLI.Extras"), 0);  // absent reads as 0, like empty
  EXPECT_THROW(config.IntValue("COB.Extras"), ConversionError);
}

TEST(ToolConfigurationTest, FilterForJoinsTheVersionFilterOrFallsBackWithAStatusText) {
  ScriptedPerson person;
  StatusBar status{person};
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

  EXPECT_EQ(config.FilterFor("ASM", "XML", status), "All files (Possible definition error)|*.*");
  EXPECT_EQ(status.Text(), "Shell program error, missing filter definition, inform Brevik");
  EXPECT_EQ(status.Colour(), StatusColour::Neutral);
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
