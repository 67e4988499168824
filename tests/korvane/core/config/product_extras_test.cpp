#include <gtest/gtest.h>

#include "korvane/core/common/text.h"
#include "korvane/core/config/product_catalogue.h"
#include "product_catalogue_fixture.h"

namespace korvane {
namespace {

namespace n = names;
using testing::CatalogueWindow;

// Selects a product defined only by its extras and captions, quietly.
void Select(CatalogueWindow& w, const std::string& code, const std::string& extras,
            const std::string& captions = "") {
  w.config.SetValue("RadioButton" + code, code + "," + code + ",1,1,XML");
  w.config.SetValue(code + ".Extras", extras);
  w.config.SetValue(code + ".Captions", captions);
  w.catalogue.SelectProduct("RadioButton" + code, {.checkTools = false});
}

TEST(ProductExtrasTest, SwitchesShapeFramesPagesCombosAndActions) {
  CatalogueWindow w;
  w.form.Get<CheckList>(n::kListSources).SetSorted(false);
  Select(w, "COB",
         "(DirDepth=3,Procpgm=COBWrap/proc,Multi=Y,Scan=Y,OnlineWrap=Y,BatchWrap=J,"
         "SubWrap=true,ProcedureWrap=I,Link=N,ObjectsEdit=Y)");
  EXPECT_EQ(w.catalogue.DirDepth(), 3);
  EXPECT_EQ(w.catalogue.Procpgm(), "COBWrap/proc");
  EXPECT_TRUE(w.catalogue.Multi());
  // Frames absent: the copy-library frame is shown.
  for (const char* part :
       {n::kPageWordScan, n::kPageObjects, n::kFrameFunctab, n::kFrameCopylib, n::kFrameCorvid}) {
    EXPECT_TRUE(w.Part(part).Visible()) << part;
  }
  EXPECT_FALSE(w.Part(n::kFrameLinker).Visible());

  IncCombo& types = w.Combo(n::kComboWrapType);
  EXPECT_EQ(types.Items(),
            (std::vector<std::string>{"Transaction wrapping", "File wrapping",
                                      "Subprogram wrapping", "Procedure  wrapping"}));
  EXPECT_EQ(types.KeyLines(), (std::vector<std::string>{"0=Onl", "1=File", "2=Module", "3=Proc"}));
  EXPECT_EQ(types.SecondInd(), "Onl");
  EXPECT_EQ(w.Combo(n::kComboMapType).Items(),
            (std::vector<std::string>{"CICS", "IMS", "COBSCRN"}));
  EXPECT_TRUE(w.form.Get<CheckList>(n::kListSources).Sorted());
  // Default control-word types in both combos.
  EXPECT_EQ(w.Combo(n::kComboCreateWrdList).Items().size(), 9U);
  EXPECT_EQ(w.Combo(n::kComboEditCWrd).Items().front(), "INPT");

  // Interface wrapping alone: one wrap type, no per-source types, no copies.
  Select(w, "BMS", "(Frames=N,InterfaceWrap=Y)");
  EXPECT_EQ(w.catalogue.DirDepth(), 0);  // a written list without DirDepth
  EXPECT_EQ(w.catalogue.LangIndex(), 4);
  EXPECT_EQ(types.Items(), std::vector<std::string>{"Interface wrapping"});
  EXPECT_EQ(types.SecondInd(), "Intr");
  for (const char* part :
       {n::kPageCopies, n::kGroupWrapType, n::kGroupMapType, n::kFrameCopylib, n::kPageWordScan}) {
    EXPECT_FALSE(w.Part(part).Visible()) << part;
  }
  EXPECT_FALSE(w.actions.Get("ActSaveWordList").Enabled());
  for (const char* name : {n::kActApplyToAll, n::kActAddFilesToCopies, n::kActWrapTypeOnl}) {
    EXPECT_FALSE(w.actions.Get(name).Visible()) << name;
  }

  // No extras key at all: depth 2, copy-library frame shown, nothing else.
  w.config.SetValue("BMS.Extras", "");
  Select(w, "PLI", "");
  EXPECT_EQ(w.catalogue.DirDepth(), 2);
  EXPECT_TRUE(w.Part(n::kFrameCopylib).Visible());
  EXPECT_TRUE(types.Items().empty());
}

TEST(ProductExtrasTest, CaptionOverridesAreUndoneOnTheNextSwitch) {
  CatalogueWindow w;
  w.actions.Get(n::kActRename).SetVisible(false);
  Select(w, "COB", "()",
         "(ActRunTool=*, ActRunWrap=\"Start \"\"Cobol\"\" wrapper\",ActRename=*,ActNoSuch=X)");
  EXPECT_FALSE(w.actions.Get(n::kActRunTool).Visible());
  EXPECT_EQ(w.actions.Get(n::kActRunWrap).Caption(), "Start Cobol wrapper");
  EXPECT_EQ(
      w.catalogue.Overrides().Lines(),
      (std::vector<std::string>{"ActRunWrap=Start wrapper", "ActRunTool=*Y", "ActRename=*N"}));

  // Re-applying the same product does not lose the original captions.
  w.catalogue.ApplyProductExtras();
  EXPECT_EQ(w.catalogue.Overrides().Value("ActRunWrap"), "Start wrapper");

  Select(w, "PLI", "()");
  EXPECT_TRUE(w.actions.Get(n::kActRunTool).Visible());
  EXPECT_FALSE(w.actions.Get(n::kActRename).Visible());
  EXPECT_EQ(w.actions.Get(n::kActRunWrap).Caption(), "Start wrapper");

  // Object types from the configuration replace the defaults in both combos.
  w.config.SetValue("WordScan.ObjectTypes", "(FILE,\"MAP X\",PROC)");
  w.catalogue.ApplyProductExtras();
  EXPECT_EQ(w.Combo(n::kComboEditCWrd).Items(),
            (std::vector<std::string>{"FILE", "MAP X", "PROC"}));
}

TEST(ProductExtrasTest, BadStrictSwitchStopsTheRemainingExtras) {
  CatalogueWindow w;
  Select(w, "COB", "(Scan=Y,OnlineWrap=Y,BatchWrap=Y)", "(ActRunTool=*)");
  ASSERT_FALSE(w.actions.Get(n::kActRunTool).Visible());

  w.config.SetValue("COB.Extras", "(Scan=maybe,OnlineWrap=N,DirDepth=7)");
  try {
    w.catalogue.ApplyProductExtras();
    FAIL() << "no error for Scan=maybe";
  } catch (const ConversionError& e) {
    EXPECT_EQ(std::string(e.what()), "maybe is not valid boolean value (Y,J,I,N,True,False)");
  }
  // Read before the failing switch; everything after it is untouched.
  EXPECT_EQ(w.catalogue.DirDepth(), 7);
  EXPECT_TRUE(w.Part(n::kFrameDalmer).Visible());
  EXPECT_EQ(w.Combo(n::kComboWrapType).Items().size(), 2U);
  EXPECT_FALSE(w.actions.Get(n::kActRunTool).Visible());

  w.config.SetValue("COB.Extras", "(OnlineWrap=N,ObjectsEdit=perhaps)");
  EXPECT_THROW(w.catalogue.ApplyProductExtras(), ConversionError);
  EXPECT_FALSE(w.Part(n::kFrameDalmer).Visible());
  EXPECT_EQ(w.Combo(n::kComboWrapType).Items().size(), 2U);
}

}  // namespace
}  // namespace korvane
