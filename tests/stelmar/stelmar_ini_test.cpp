#include "stelmar/core/stelmar_ini.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "stelmar/core/file_ext.h"
#include "support/golden.h"
#include "support/temp_dir.h"

namespace stelmar {
namespace {

using korvane::testing::ExpectGolden;
using korvane::testing::TempDir;

TEST(StelmarIni, FirstStartTakesDefaultsAndWritesAllTenKeysInOrder) {
  TempDir dir;
  Settings s;
  s.programDirectory = "/opt/stelmar";
  const std::string path = dir / "config/Brevik/stelmar.ini";
  ReadStelmarIni(path, s);  // the defaults read are what is written
  ASSERT_TRUE(WriteStelmarIni(path, s));
  ExpectGolden("stelmar/first_start.ini", dir.Read("config/Brevik/stelmar.ini"));
}

TEST(StelmarIni, EditsAnExistingFileLikeTheProfileFunctions) {
  TempDir dir;
  const std::string path = dir.Write("stelmar.ini",
                                     "; kept\n[options]\nEditor=\nextra = 1\n\n"
                                     "[Directories]\n  input_dir = \"/src/pli\" \nWORK_DIR=/w\n");
  Settings s;
  s.programDirectory = "/p";
  ReadStelmarIni(path, s);
  EXPECT_EQ(s.INPUT_DIR, "/src/pli");
  EXPECT_EQ(s.WORK_DIR, "/w");
  EXPECT_EQ(s.EDITOR, "/p/lumbra");  // an empty value gives the default again
  s.OUTPUT_DIR = "/out";
  ASSERT_TRUE(WriteStelmarIni(path, s));
  ExpectGolden("stelmar/edited.ini", dir.Read("stelmar.ini"));
}

TEST(StelmarIni, LongValuesAreCutTo159) {
  TempDir dir;
  const std::string thousand(1000, 'x');
  const std::string path = dir.Write(
      "stelmar.ini", "[Directories]\nINPUT_DIR=" + thousand + "\n[Options]\nEDITOR=" + thousand);
  Settings s;
  ReadStelmarIni(path, s);
  EXPECT_EQ(s.INPUT_DIR.str(), std::string(159, 'x'));
  EXPECT_EQ(s.EDITOR.str(), std::string(159, 'x'));
  s.COPY_DIR[4] = std::string(300, 'c');
  EXPECT_EQ(s.COPY_DIR[4].str().size(), 159u);
}

TEST(StelmarIni, FailedWriteKeepsTheOldFile) {
  TempDir dir;
  Settings s;
  std::filesystem::create_directories(dir.Path() / "taken.ini");
  EXPECT_FALSE(WriteStelmarIni(dir / "taken.ini", s));
  EXPECT_FALSE(WriteStelmarIni("", s));
}

TEST(FileExt, LinesGiveExtensionsOfAtMostThreeCharacters) {
  TempDir dir;
  dir.Write("file.ext", "pli\nincl\n\nc\r\nx");
  EXPECT_EQ(ReadFileExt(dir.Path().string()).entries,
            (std::vector<std::string>{"pli", "inc", "", "c", "x"}));

  std::string many;
  for (int i = 0; i < 150; ++i) many += std::to_string(i) + "\n";
  dir.Write("file.ext", many);
  const auto table = ReadFileExt(dir.Path().string());
  ASSERT_EQ(table.entries.size(), 100u);
  EXPECT_EQ(table.entries.back(), "99");

  // A line longer than the reading limit continues as a further entry.
  dir.Write("file.ext", std::string(200, 'a') + "\npli\n");
  EXPECT_EQ(ReadFileExt(dir.Path().string()).entries,
            (std::vector<std::string>{"aaa", "aaa", "pli"}));

  EXPECT_TRUE(ReadFileExt(dir / "nowhere").entries.empty());
}

}  // namespace
}  // namespace stelmar
