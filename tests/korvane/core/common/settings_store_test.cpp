#include "korvane/core/common/settings_store.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/memory_settings.h"

namespace {

using korvane::SettingsStore;
using platform::MemorySettings;

// The backends pin this same key to their files, so the store is tested over memory only.
const std::string kKey = "Software\\Brevik\\Korvane Shell\\Parameters\\";

class SettingsStoreTest : public ::testing::Test {
 protected:
  SettingsStoreTest() {
    store.SetSettingsProduct("Korvane Shell");
    store.SetSettingsSection("Parameters");
  }
  MemorySettings mem;
  SettingsStore store{mem};
};

TEST(SettingsStore, KeyIsFormedFromProductAndSection) {
  MemorySettings mem;
  SettingsStore store(mem);
  // The section names the product too while none is set ...
  store.SetSettingsSection("Parameters");
  EXPECT_EQ(store.Key(), "Software\\Brevik\\Parameters\\Parameters\\");
  // ... but never replaces one that is.
  store.SetSettingsProduct("Korvane Shell");
  store.SetSettingsSection("Other");
  store.WriteSetting("LastSelectedDir", "/jobs");
  EXPECT_EQ(mem.Read("Software\\Brevik\\Korvane Shell\\Other\\", "LastSelectedDir"), "/jobs");
}

TEST_F(SettingsStoreTest, ReadingAnAbsentOrEmptyValueStoresItsDefault) {
  EXPECT_EQ(store.ReadSetting("FontName", "Courier New"), "Courier New");
  EXPECT_EQ(store.ReadSetting("FontName", "Arial"), "Courier New");  // stored by the first read
  // An empty stored value counts as absent and is replaced by the default.
  store.WriteSetting("LastSelectedDir", "");
  EXPECT_EQ(store.ReadSetting("LastSelectedDir", "/home"), "/home");
  EXPECT_EQ(mem.Read(kKey, "LastSelectedDir"), "/home");
  // Text is kept byte for byte, blanks included.
  store.WriteSetting("LastUsedWordTable", " /w/t\xe9.wrl ");
  EXPECT_EQ(store.ReadSetting("LastUsedWordTable", "x"), " /w/t\xe9.wrl ");

  EXPECT_TRUE(store.ReadBoolSetting("FontItalic", true));
  EXPECT_EQ(mem.Read(kKey, "FontItalic"), "1");
  EXPECT_FALSE(store.ReadBoolSetting("FontBold"));
  EXPECT_EQ(mem.Read(kKey, "FontBold"), "0");
  EXPECT_EQ(store.ReadIntSetting("FontSize", -12), -12);
  EXPECT_EQ(mem.Read(kKey, "FontSize"), "-12");
}

TEST_F(SettingsStoreTest, OnlyOneIsTrue) {
  // Any other stored text is false and stays as it is.
  for (const std::string text : {"true", "Y", "01", " 1", "0"}) {
    mem.Write(kKey, "FontStrikeOut", text);
    EXPECT_FALSE(store.ReadBoolSetting("FontStrikeOut", true)) << text;
    EXPECT_EQ(mem.Read(kKey, "FontStrikeOut"), text);
  }
}

TEST_F(SettingsStoreTest, IntegersAreDecimalTextAndANonNumberIsReportedOnce) {
  store.WriteIntSetting("Big", -9223372036854775807LL - 1);
  EXPECT_EQ(mem.Read(kKey, "Big"), "-9223372036854775808");
  EXPECT_EQ(store.ReadIntSetting("Big"), -9223372036854775807LL - 1);

  const std::pair<const char*, std::optional<long long>> cases[] = {
      {"+7", 7},    {" 15 ", 15}, {"-0", 0},    {"007", 7},
      {"12px", {}}, {"1 2", {}},  {"0x10", {}}, {"+-1", {}},
      {"-", {}},    {" ", {}},    {"1.5", {}},  {"99999999999999999999", {}}};
  for (const auto& [text, n] : cases) {
    mem.Write(kKey, "FormWidth", text);
    EXPECT_EQ(store.ReadIntSetting("FormWidth", 5), n.value_or(5)) << "'" << text << "'";
    // Left for the person to see; the shell's next write replaces it.
    EXPECT_EQ(mem.Read(kKey, "FormWidth"), text);
  }
  mem.Write(kKey, "FormHeight", "abc");
  EXPECT_EQ(store.ReadIntSetting("FormHeight"), 0);
  EXPECT_EQ(store.ReadIntSetting("FormHeight", 7), 7);
  EXPECT_EQ(store.TakeProblems(),
            (std::vector<std::string>{
                "The stored setting FormWidth ('12px') is not a number; the default 5 is used",
                "The stored setting FormHeight ('abc') is not a number; the default 0 is used"}));
  EXPECT_EQ(store.ReadIntSetting("FormHeight", 7), 7);
  EXPECT_TRUE(store.TakeProblems().empty());
}

TEST_F(SettingsStoreTest, AnUnreachableStoreGivesDefaults) {
  mem.Write(kKey, "FormWidth", "800");
  mem.failing = true;
  EXPECT_EQ(store.ReadSetting("FormWidth", "1"), "1");
  EXPECT_TRUE(store.ReadBoolSetting("FontBold", true));
  EXPECT_EQ(store.ReadIntSetting("FormWidth", 640), 640);
  store.WriteIntSetting("FormWidth", 3);  // lost without an error
  mem.failing = false;
  EXPECT_EQ(store.ReadIntSetting("FormWidth"), 800);
}

}  // namespace
