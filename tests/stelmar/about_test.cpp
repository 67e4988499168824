#include "stelmar/core/about.h"

#include <gtest/gtest.h>

namespace stelmar {
namespace {

TEST(About, VersionLineNeedsBothValues) {
  const AboutLines own = MakeAboutLines(VersionValues());
  EXPECT_EQ(own.version, "Stelmar Version 1.0");
  EXPECT_EQ(own.legal, "");

  const AboutLines partial = MakeAboutLines({{"ProductName", "Stelmar"}, {"SpecialBuild", "x"}});
  EXPECT_EQ(partial.version, "Version");
  EXPECT_EQ(partial.specialBuild, "x");
  EXPECT_EQ(MakeAboutLines({{"LegalCopyright", "(c) Brevik"}}).legal, "(c) Brevik");
}

}  // namespace
}  // namespace stelmar
