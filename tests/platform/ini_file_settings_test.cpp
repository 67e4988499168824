#include "platform/ini_file_settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "platform/test_env.h"
#include "support/golden.h"

namespace {

namespace fs = std::filesystem;
using korvane::testing::TempDir;
using platform::IniFileSettings;

const std::string kKey = "Software\\Brevik\\Korvane Shell\\Parameters\\";

unsigned ModeOf(const fs::path& p) {
  struct stat st {};
  if (::stat(p.c_str(), &st) != 0) return 0;
  return st.st_mode & 07777;
}

std::vector<std::string> Listing(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(IniFileSettings, MapsKeysToOneFilePerProduct) {
  TempDir tmp;
  IniFileSettings ini(tmp.Path());
  EXPECT_EQ(ini.FileFor(kKey), tmp.Path() / "Brevik" / "Korvane Shell.ini");
  // The trailing backslash is optional and "Software" compares without case.
  EXPECT_EQ(ini.FileFor("software\\Brevik\\Korvane Shell\\Parameters"),
            tmp.Path() / "Brevik" / "Korvane Shell.ini");

  ASSERT_TRUE(ini.Write(kKey, "FormWidth", "800"));
  ASSERT_TRUE(ini.Write("Software\\Brevik\\Korvane Shell\\Deep\\Er\\", "x", "y"));
  ASSERT_TRUE(ini.Write(kKey, "FormHeight", "600"));
  EXPECT_EQ(tmp.Read("Brevik/Korvane Shell.ini"),
            "[Parameters]\nFormWidth=800\nFormHeight=600\n\n[Deep\\\\Er]\nx=y\n");

  // Keys that name no usable file are refused without touching the disk.
  for (const std::string bad :
       {"", "Software\\Brevik\\", "Software\\\\\\Parameters\\", "Hardware\\Brevik\\P\\S\\",
        "Software\\Brevik\\..\\S\\", "Software\\Brevik\\a/b\\S\\", "Software\\..\\P\\S\\"}) {
    SCOPED_TRACE(bad);
    EXPECT_TRUE(ini.FileFor(bad).empty());
    EXPECT_FALSE(ini.Write(bad, "n", "v"));
    EXPECT_FALSE(ini.Read(bad, "n").has_value());
    EXPECT_FALSE(ini.Remove(bad, "n"));
  }
  EXPECT_EQ(Listing(tmp.Path()), std::vector<std::string>{"Brevik"});
  EXPECT_FALSE(IniFileSettings{fs::path()}.Write(kKey, "n", "v"));
}

TEST(IniFileSettings, AwkwardNamesAndValuesSurviveTheFile) {
  TempDir tmp;
  const std::vector<std::pair<std::string, std::string>> values = {
      {"a=b", "c=d"},
      {"line", "one\r\ntwo\nthree\r"},
      {"[Section]", "[x]"},
      {";comment", "#not a comment"},
      {"back\\slash", "C:\\dir\\\\x\\"},
      {" spaced ", "  both sides  "},
      {"", "the default value"},
      {"ctl", std::string("\x01\x1f\x7f\ttab\0nul", 11)},
      {"escape-lookalike", "\\n is not a newline, \\x41 is not A"}};
  {
    IniFileSettings ini(tmp.Path());
    for (const auto& [name, value] : values) ASSERT_TRUE(ini.Write(kKey, name, value)) << name;
  }
  // A fresh instance keeps nothing in memory: everything comes from the file.
  IniFileSettings again(tmp.Path());
  for (const auto& [name, value] : values) {
    EXPECT_EQ(again.Read(kKey, name), value) << name;
  }
  const std::string text = tmp.Read("Brevik/Korvane Shell.ini");
  // One line per value plus the header: no raw line break got through.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(values.size()) + 1);
  EXPECT_NE(text.find("\na\\=b=c=d\n"), std::string::npos);
  EXPECT_NE(text.find("\n\\[Section\\]=[x]\n"), std::string::npos);
  EXPECT_NE(text.find("\nctl=\\x01\\x1F\\x7F\\ttab\\x00nul\n"), std::string::npos);
}

TEST(IniFileSettings, ReadsHandEditedFilesAndRewritesThemCleanly) {
  TempDir tmp;
  // Comments, blank lines, repeated names and sections, a line without "=".
  tmp.Write("Brevik/Korvane Shell.ini", korvane::testing::ReadGolden("platform/hand_edited.ini"));
  IniFileSettings ini(tmp.Path());
  // Section and value names compare without case, first occurrence wins.
  EXPECT_EQ(ini.Read(kKey, "FONTNAME"), "Courier New");
  EXPECT_EQ(ini.Read(kKey, "late"), "yes");
  EXPECT_EQ(ini.Read(kKey, "Odd"), "q\\");
  EXPECT_EQ(ini.Read("Software\\Brevik\\Korvane Shell\\", "top"), "level");
  EXPECT_FALSE(ini.Read(kKey, "no equals sign here").has_value());
  EXPECT_FALSE(ini.Read(kKey, "Z").has_value());

  ASSERT_TRUE(ini.Write(kKey, "fontNAME", "Arial"));
  EXPECT_EQ(tmp.Read("Brevik/Korvane Shell.ini"),
            "top=level\n"
            "\n[parameters]\nFontName=Arial\nOdd=q\\\\\nLate=yes\n"
            "\n[Other]\nZ=1\n");
}

TEST(IniFileSettings, RemovesValuesAndLeavesTheRest) {
  TempDir tmp;
  IniFileSettings ini(tmp.Path());
  // Removing from a file that does not exist succeeds and creates nothing.
  EXPECT_TRUE(ini.Remove(kKey, "FormWidth"));
  EXPECT_FALSE(fs::exists(tmp.Path() / "Brevik"));

  ASSERT_TRUE(ini.Write(kKey, "FormWidth", "800"));
  ASSERT_TRUE(ini.Write(kKey, "FormHeight", "600"));
  ASSERT_TRUE(ini.Write(kKey, "Empty", ""));
  EXPECT_EQ(ini.Read(kKey, "Empty"), "");  // stored empty differs from absent
  EXPECT_TRUE(ini.Remove(kKey, "formwidth"));
  EXPECT_TRUE(ini.Remove(kKey, "never there"));
  EXPECT_EQ(tmp.Read("Brevik/Korvane Shell.ini"), "[Parameters]\nFormHeight=600\nEmpty=\n");
}

TEST(IniFileSettings, WritesPrivatelyAndAtomically) {
  TempDir tmp;
  const fs::path config = tmp.Path() / "cfg";  // missing parents are created
  IniFileSettings ini(config);
  for (int i = 0; i < 10; ++i) ASSERT_TRUE(ini.Write(kKey, "Value" + std::to_string(i % 3), "x"));
  const fs::path file = config / "Brevik" / "Korvane Shell.ini";
  EXPECT_EQ(ModeOf(file), 0600u);
  EXPECT_EQ(ModeOf(config / "Brevik"), 0700u);
  EXPECT_EQ(ModeOf(config), 0700u);
  // Only the file itself: no temporary or lock files left behind.
  EXPECT_EQ(Listing(config / "Brevik"), std::vector<std::string>{"Korvane Shell.ini"});

  // A file someone made readable by all is tightened on the next write.
  ::chmod(file.c_str(), 0644);
  ASSERT_TRUE(ini.Write(kKey, "Value1", "changed"));
  EXPECT_EQ(ModeOf(file), 0600u);
}

TEST(IniFileSettings, FailuresAreReportedAndLoseNothing) {
  TempDir tmp;
  // The configuration folder is a file: nothing can be created below it.
  tmp.Write("blocked", "x");
  IniFileSettings blocked(tmp.Path() / "blocked");
  EXPECT_FALSE(blocked.Write(kKey, "n", "v"));
  EXPECT_EQ(tmp.Read("blocked"), "x");

  // Something that cannot be read as a file stands where the file belongs:
  // it reads as empty and is not replaced by a file holding one value.
  fs::create_directories(tmp.Path() / "cfg" / "Brevik" / "Korvane Shell.ini");
  IniFileSettings unreadable(tmp.Path() / "cfg");
  EXPECT_FALSE(unreadable.Read(kKey, "n").has_value());
  EXPECT_FALSE(unreadable.Write(kKey, "n", "v"));
  EXPECT_FALSE(unreadable.Remove(kKey, "n"));
  EXPECT_TRUE(fs::is_directory(tmp.Path() / "cfg" / "Brevik" / "Korvane Shell.ini"));
}

}  // namespace
