// The product catalogue: the installation check, the default product, selecting and
// clicking products, the project's tools and the extras' switches. The scenarios are in
// tests/data/config, commands with what they showed.
#include "korvane/core/config/product_catalogue.h"

#include <gtest/gtest.h>

#include "product_catalogue_fixture.h"

namespace korvane {
namespace {

using testing::CatalogueWindow;

TEST(ProductCatalogueTest, InstallationCheckDisablesMissingProductsOnce) {
  CatalogueWindow().RunScenario("config/installation.txt");
}

TEST(ProductCatalogueTest, UnusableDefaultIsReplacedAndWritten) {
  CatalogueWindow().RunScenario("config/unusable_default.txt");
  CatalogueWindow().RunScenario("config/hidden_default.txt");
}

TEST(ProductCatalogueTest, NoProductAtAllDisablesTheShell) {
  CatalogueWindow().RunScenario("config/no_product.txt");
}

TEST(ProductCatalogueTest, SelectProductSetsLanguageCaptionFramesAndDirectories) {
  CatalogueWindow().RunScenario("config/select_product.txt");
}

TEST(ProductCatalogueTest, SelectProductFailures) {
  CatalogueWindow().RunScenario("config/select_failures.txt");
}

TEST(ProductCatalogueTest, ProductClickAndCancel) {
  CatalogueWindow().RunScenario("config/product_click.txt");
}

TEST(ProductCatalogueTest, ProjectToolsGateTheWrapperAndTheOutputDirectory) {
  CatalogueWindow().RunScenario("config/project_tools.txt");
}

TEST(ProductExtrasTest, SwitchesShapeFramesPagesCombosAndActions) {
  CatalogueWindow().RunScenario("config/extras_switches.txt");
}

TEST(ProductExtrasTest, CaptionOverridesAreUndoneOnTheNextSwitch) {
  CatalogueWindow().RunScenario("config/extras_captions.txt");
}

TEST(ProductExtrasTest, BadStrictSwitchStopsTheRemainingExtras) {
  CatalogueWindow().RunScenario("config/extras_bad_switch.txt");
}

}  // namespace
}  // namespace korvane
