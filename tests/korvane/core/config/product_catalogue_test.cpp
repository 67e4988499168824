#include "korvane/core/config/product_catalogue.h"

#include <gtest/gtest.h>

#include "korvane/core/common/text.h"
#include "product_catalogue_fixture.h"

namespace korvane {
namespace {

namespace n = names;
using testing::CatalogueWindow;

TEST(ProductCatalogueTest, InstallationCheckDisablesMissingProductsOnce) {
  CatalogueWindow w;
  w.Install("COB");
  std::filesystem::create_directories(w.root.Path() / "ASMProc" / "bin");
  w.config.SetLines({"ActiveRadioButton=RadioButtonCobol", "RadioButtonASM=Assembler,ASM,1,1,XML",
                     "RadioButtonCobol=Cobol,COB,1,2,XML,WSDL", "RadioButtonPLI=PL/I,PLI,1,1,XML",
                     "RadioButtonCicsBms=CICS-BMS,BMS,1,1,XML",
                     "ASM.Extras=(Procpgm=ASMProc/bin/asmproc)", "COB.Extras=(DirDepth=3)",
                     "PLI.Extras=(DirDepth=2)"});

  w.catalogue.CheckProductInstallation(2);

  // Procpgm's directory counts, although ASMWrap does not exist.
  EXPECT_TRUE(w.Button("RadioButtonASM").Enabled());
  EXPECT_TRUE(w.Button("RadioButtonCobol").Enabled());
  EXPECT_FALSE(w.Button("RadioButtonPLI").Enabled());
  // BMS has no extras: warned about, then judged by its (missing) directory.
  EXPECT_FALSE(w.Button("RadioButtonCicsBms").Enabled());
  EXPECT_EQ(w.messages,
            std::vector<std::string>{"Installation error #1, BMS.Extras is missing from ini file"});
  EXPECT_EQ(w.config.Lines()[3], "Not installed RadioButtonPLI=PL/I,PLI,1,1,XML");
  EXPECT_EQ(w.config.Lines()[4], "Not installed RadioButtonCicsBms=CICS-BMS,BMS,1,1,XML");
  EXPECT_EQ(w.catalogue.ActiveProduct(), "RadioButtonCobol");
  EXPECT_EQ(w.dosBoxApplied, 1);
  EXPECT_FALSE(w.Saved());

  // Applying again never stacks a second prefix, and the active product stays.
  w.catalogue.CheckProductInstallation(2);
  EXPECT_EQ(w.config.Lines()[3], "Not installed RadioButtonPLI=PL/I,PLI,1,1,XML");
  EXPECT_FALSE(w.Button("RadioButtonPLI").Enabled());

  // A Procpgm whose directory is missing disables the product even with its Wrap folder.
  w.Install("ASM");
  w.config.SetValue("ASM.Extras", "(Procpgm=Nowhere/asmproc)");
  w.catalogue.CheckProductInstallation(1);
  EXPECT_FALSE(w.Button("RadioButtonASM").Enabled());

  // Mode 0 only reads the run-control flags.
  w.config.SetValue("RadioButtonC_CPP", "C,CPP,1,1,XML");
  w.catalogue.CheckProductInstallation(0);
  EXPECT_EQ(w.dosBoxApplied, 3);
  EXPECT_FALSE(w.Button("RadioButtonC_CPP").Enabled());
}

TEST(ProductCatalogueTest, UnusableDefaultIsReplacedAndWritten) {
  CatalogueWindow w;
  w.Install("COB");
  w.Install("CPP");
  w.config.SetLines({"ActiveRadioButton=RadioButtonPLI", "RadioButtonPLI=PL/I,PLI,1,1,XML",
                     "RadioButtonC_CPP=C/C++,CPP,1,1,XML", "RadioButtonCobol=Cobol,COB,1,1,XML",
                     "PLI.Extras=()", "COB.Extras=()", "CPP.Extras=()"});
  EXPECT_THROW(w.catalogue.CheckProductInstallation(2), OperationAbort);
  // Component order decides, not the order of the lines.
  EXPECT_EQ(w.catalogue.ActiveProduct(), "RadioButtonCobol");
  EXPECT_EQ(w.config.Value("ActiveRadioButton"), "RadioButtonCobol");
  EXPECT_TRUE(w.Saved());
  EXPECT_EQ(w.status.MessageList(),
            "- Installation problem - required components missing for : PLI\r\n"
            "- Default product changed to: Cobol\r\n"
            "- Please select a product now or restart the application!");
  EXPECT_FALSE(w.status.UseMessageBox());

  // A stored default whose language page is hidden does not count either.
  CatalogueWindow hidden;
  hidden.Install("COB");
  hidden.config.SetLines(
      {"ActiveRadioButton=RadioButtonCobol", "RadioButtonCobol=Cobol,COB,1,1", "COB.Extras=()"});
  hidden.Part(n::kPageLanguages).SetVisible(false);
  EXPECT_THROW(hidden.catalogue.CheckProductInstallation(2), OperationAbort);
  EXPECT_TRUE(hidden.Disabled());
}

TEST(ProductCatalogueTest, NoProductAtAllDisablesTheShell) {
  CatalogueWindow w;
  w.config.SetLines({"RadioButtonCobol=Cobol,COB,1,1,XML", "COB.Extras=(DirDepth=2)"});
  EXPECT_THROW(w.catalogue.CheckProductInstallation(2), OperationAbort);
  EXPECT_EQ(w.config.Lines()[0], "Not installed RadioButtonCobol=Cobol,COB,1,1,XML");
  EXPECT_EQ(w.catalogue.ActiveProduct(), "");
  EXPECT_TRUE(w.Disabled());
  EXPECT_TRUE(w.status.UseMessageBox());
  ASSERT_FALSE(w.person.asked.empty());
  EXPECT_EQ(w.person.asked.back().text,
            "- Installation problem - required components missing for : \r\n"
            "- Installation error , no product is available - probably misplaced TOOL library");
}

TEST(ProductCatalogueTest, SelectProductSetsLanguageCaptionFramesAndDirectories) {
  CatalogueWindow w;
  w.Install("CPP");
  const std::string lastPos = w.Root() + "/jobs";
  std::filesystem::create_directories(lastPos);
  std::filesystem::create_directories(w.Root() + "/out");
  w.settings.WriteSetting("LastPositionCPP", lastPos);
  w.settings.WriteSetting("LastOutputDirCPP", w.Root() + "/out/");
  w.config.SetLines({"RadioButtonC_CPP=\"C and C++\",CPP,1,3,XML,IDL,RPC",
                     "CPP.Extras=(SubWrap=Y,Link=Y,Frames=N)"});
  w.windowState.SetCaption("Korvane main shell - Cobol");

  w.catalogue.SelectProduct("RadioButtonC_CPP");

  EXPECT_EQ(w.catalogue.LangIndex(), 3);
  EXPECT_EQ(w.windowState.Caption(), "Korvane main shell - C and C++");
  EXPECT_EQ(w.projectClears, 1);
  // The frames default into the product's tool folder; validation filled the empty fields.
  EXPECT_EQ(w.Frame(n::kFrameLinker).DefaultName(), w.Root() + "/CPPWrap/CPPLink");
  EXPECT_EQ(w.Frame(n::kFrameBelmont).Text(), w.Root() + "/CPPWrap/Belmont");
  EXPECT_EQ(w.projectDir, lastPos + "/");
  EXPECT_EQ(w.outputDir, w.Root() + "/out");
  EXPECT_EQ(w.workDir, w.Root() + "/out/Work");
  // Three versions: shown, 17 px each plus the frame.
  EXPECT_EQ(w.Versions().Items(), (std::vector<std::string>{"XML", "IDL", "RPC"}));
  EXPECT_TRUE(w.Versions().Visible());
  EXPECT_EQ(w.subVersion, "XML");
  w.Versions().SetItemIndex(2);
  EXPECT_EQ(w.subVersion, "RPC");
  EXPECT_TRUE(w.actions.Get(n::kActRunWrap).Enabled());

  // One version hides the group; a missing remembered position falls back to documents,
  // and a job's project name replaces the remembered output directory.
  w.config.SetLines({"RadioButtonCobol=Cobol,COB,1,1,XML", "COB.Extras=()"});
  w.settings.WriteSetting("LastPositionCOB", w.Root() + "/gone");
  w.catalogue.SelectProduct("RadioButtonCobol", {.checkTools = false, .projectName = "PAYROLL"});
  EXPECT_EQ(w.catalogue.LangIndex(), 0);
  EXPECT_FALSE(w.Versions().Visible());
  EXPECT_EQ(w.projectDir, w.Docs() + "/");
  EXPECT_EQ(w.outputDir, w.Docs() + "/PAYROLL");
  // Quiet: the missing output directory is not complained about.
  EXPECT_TRUE(w.person.asked.empty());
  EXPECT_EQ(w.outputExits, 0);
}

TEST(ProductCatalogueTest, SelectProductFailures) {
  CatalogueWindow w;
  // While a job is applied selection does nothing at all.
  w.loading = true;
  w.catalogue.SelectProduct("RadioButtonCobol");
  EXPECT_EQ(w.status.Text(), "");
  EXPECT_EQ(w.modifiedClears, 0);

  w.loading = false;
  EXPECT_THROW(w.catalogue.SelectProduct("RadioButtonCobol"), OperationAbort);
  EXPECT_EQ(w.status.Text(),
            "Szar van a palacsint\xE1"
            "ban");

  w.status.ClearMessages();
  w.config.SetLines({"Not installed RadioButtonCobol=Cobol,COB,1,1,XML"});
  EXPECT_THROW(w.catalogue.SelectProduct("RadioButtonCobol", {.checkTools = false}),
               OperationAbort);
  EXPECT_EQ(w.status.Text(), "Shell error,missing language definition, inform Brevik");
  EXPECT_EQ(w.projectClears, 0);
}

TEST(ProductCatalogueTest, ProductClickAndCancel) {
  CatalogueWindow w;
  w.Install("COB");
  w.Install("PLI");
  w.config.SetLines({"RadioButtonCobol=Cobol,COB,1,1,XML", "RadioButtonPLI=PL/I,PLI,1,1,XML",
                     "COB.Extras=(BatchWrap=Y)", "PLI.Extras=(SubWrap=Y)"});
  w.outputDir = w.Docs();
  w.settings.WriteSetting("LastOutputDirCOB", w.Docs());
  w.settings.WriteSetting("LastOutputDirPLI", w.Docs());
  w.Button("RadioButtonCobol").Click();
  EXPECT_EQ(w.catalogue.ActiveProduct(), "RadioButtonCobol");
  EXPECT_EQ(w.nameChanges, 1);
  const int clears = w.projectClears;

  // The person cancels the save question: Cobol stays, and so does its button.
  w.cancelSave = true;
  w.Button("RadioButtonCobol").Click();  // the product in use: no question, nothing cleared
  EXPECT_EQ(w.projectClears, clears);
  EXPECT_EQ(w.nameChanges, 1);
  EXPECT_THROW(w.Button("RadioButtonPLI").Click(), OperationAbort);
  EXPECT_EQ(w.catalogue.LangCode(), "COB");
  EXPECT_TRUE(w.Button("RadioButtonCobol").Checked());
  EXPECT_FALSE(w.Button("RadioButtonPLI").Checked());
  EXPECT_EQ(w.nameChanges, 1);

  w.cancelSave = false;
  w.Button("RadioButtonPLI").Click();
  EXPECT_EQ(w.catalogue.ActiveProduct(), "RadioButtonPLI");
  EXPECT_FALSE(w.Button("RadioButtonCobol").Checked());
  EXPECT_EQ(w.nameChanges, 2);
}

TEST(ProductCatalogueTest, ProjectToolsGateTheWrapperAndTheOutputDirectory) {
  CatalogueWindow w;
  w.Install("COB");
  std::filesystem::remove(w.root.Path() / "COBWrap" / "Ardent");
  w.config.SetLines(
      {"RadioButtonCobol=Cobol,COB,1,1,XML", "COB.Extras=(Scan=Y,BatchWrap=Y,SubWrap=Y)"});
  w.settings.WriteSetting("LastOutputDirCOB", w.Root() + "/nojob");
  w.Part(n::kPageTechnical).SetVisible(false);
  w.catalogue.SelectProduct("RadioButtonCobol");

  // The missing batch wrapper stops the run and brings the technical page forward.
  EXPECT_FALSE(w.actions.Get(n::kActRunWrap).Enabled());
  EXPECT_TRUE(w.Part(n::kPageTechnical).Visible());
  EXPECT_EQ(w.form.Get<PageControl>(n::kPageControlMain).ActivePage(), n::kPageTechnical);
  EXPECT_EQ(w.functabLoads, 1);
  ASSERT_EQ(w.person.asked.size(), 1U);
  EXPECT_EQ(w.person.asked[0].text, "The project's output directory - " + w.Root() +
                                        "/nojob - doesn't exist\r\nplease define an output "
                                        "directory");
  EXPECT_EQ(w.outputExits, 1);

  // A missing tool behind a hidden frame does not matter; word lists with content are kept;
  // while a job loads the output directory is created without asking.
  w.config.SetValue("COB.Extras", "(Scan=Y,SubWrap=Y)");
  w.form.Get<CheckList>(n::kListObjects).Add({"obj"});
  w.loading = true;
  w.catalogue.CheckProjectTools();
  EXPECT_TRUE(w.actions.Get(n::kActRunWrap).Enabled());
  EXPECT_EQ(w.functabLoads, 1);
  EXPECT_EQ(w.created, std::vector<std::string>{w.Root() + "/nojob"});
  EXPECT_EQ(w.person.asked.size(), 1U);
}

}  // namespace
}  // namespace korvane
