// The marked-source rich text: exact bytes, round trips, foreign documents, and what a
// standard converter makes of our files.
#include "korvane/core/viewer/rtf.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/temp_dir.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace korvane {
namespace {

// Runs program with args, its standard output into outFile; the exit status, -1 when
// it could not run.
int RunInto(const std::string& program, const std::vector<std::string>& args,
            const std::string& outFile) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

StyledText Sample() {
  StyledText text;
  text.lines = {"       FD  CUSTFILE.", "caf\xe9 {a} \\b\tend", "", "  x"};
  text.runs = {{0, 11, 8, kColourBlue}, {3, 2, 1, kColourBlue}};
  return text;
}

TEST(Rtf, WritesTheExactDocument) {
  RtfFont font;
  font.name = "Lucida Console";
  font.pointSize = 8;
  const std::string expected =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset0 Lucida Console;}}\r\n"
      "{\\colortbl ;\\red0\\green0\\blue255;}\r\n"
      "\\viewkind4\\uc1\\pard\\f0\\fs16        FD  \\cf1 CUSTFILE\\cf0 .\\par\r\n"
      "caf\\'e9 \\{a\\} \\\\b\\tab end\\par\r\n"
      "\\par\r\n"
      "  \\cf1 x\\cf0 \r\n"
      "}\r\n";
  EXPECT_EQ(WriteRtf(Sample(), font), expected);
}

TEST(Rtf, ReadsBackWhatItWrites) {
  const StyledText original = Sample();
  const auto read = ReadRtf(WriteRtf(original, RtfFont{}));
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->lines, original.lines);
  EXPECT_EQ(read->runs, original.runs);

  // Every byte value survives, and a run at the end of a line stays on that line.
  StyledText all;
  std::string bytes;
  for (int b = 1; b < 256; ++b)
    if (b != '\n' && b != '\r') bytes += static_cast<char>(b);
  all.lines = {bytes, "tail"};
  all.runs = {{0, bytes.size() - 3, 3, 0x00FF00}, {1, 0, 4, kColourBlue}};
  const auto again = ReadRtf(WriteRtf(all, RtfFont{}));
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(again->lines, all.lines);
  EXPECT_EQ(again->runs, all.runs);
}

TEST(Rtf, RefusesWhatIsNotRichText) {
  EXPECT_FALSE(ReadRtf("").has_value());
  EXPECT_FALSE(ReadRtf("plain text\r\n").has_value());
  EXPECT_FALSE(ReadRtf("{\\rt").has_value());
  EXPECT_FALSE(ReadRtf(" {\\rtf1 x}").has_value());
  // Broken but rich text: whatever can be read is kept, nothing crashes.
  const auto broken = ReadRtf("{\\rtf1 {\\colortbl ;\\red0\\green0\\blue255;}\\cf9 a\\'zz\\");
  ASSERT_TRUE(broken.has_value());
  EXPECT_EQ(broken->lines.front(), "azz");
  EXPECT_TRUE(broken->runs.empty());
}

TEST(Rtf, ReadsDocumentsOfOtherWriters) {
  const std::string foreign =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat{\\fonttbl{\\f0\\fnil\\fcharset0 Courier "
      "New;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
      "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
      "\\pard\\f0\\fs20\\lang1031 A\\cf2\\b BLUE\\b0\\cf0  r\\u233?sum\\'e9\\line next\\par\r\n"
      "{\\i grouped \\cf1 red}\\tab after\\par\r\n}";
  const auto read = ReadRtf(foreign);
  ASSERT_TRUE(read.has_value());
  ASSERT_GE(read->lines.size(), 3u);
  EXPECT_EQ(read->lines[0], "ABLUE r\xe9sum\xe9");
  EXPECT_EQ(read->lines[1], "next");
  EXPECT_EQ(read->lines[2], "grouped red\tafter");
  ASSERT_EQ(read->runs.size(), 2u);
  EXPECT_EQ(read->runs[0], (ColourRun{0, 1, 4, kColourBlue}));
  EXPECT_EQ(read->runs[1], (ColourRun{2, 8, 3, 0x0000FF}));
}

// A standard converter reads our files: the text is all there and the marked labels
// are the blue ones.
TEST(Rtf, StandardConverterReadsOurFiles) {
  if (!std::filesystem::exists("/usr/bin/unrtf")) GTEST_SKIP() << "unrtf is not installed";
  testing::TempDir dir;
  const std::string file = dir.Write("marked.rtf", WriteRtf(Sample(), RtfFont{}));
  std::string html;
  {
    const std::string out = dir / "out.html";
    ASSERT_EQ(RunInto("/usr/bin/unrtf", {"--html", file}, out), 0);
    std::ifstream in(out, std::ios::binary);
    html.assign(std::istreambuf_iterator<char>(in), {});
  }
  EXPECT_NE(html.find("FD"), std::string::npos);
  EXPECT_NE(html.find("end"), std::string::npos);
  // The blue runs: CUSTFILE and x, inside a font colour of #0000ff.
  const size_t blue = html.find("#0000ff");
  ASSERT_NE(blue, std::string::npos) << html;
  const size_t label = html.find("CUSTFILE", blue);
  ASSERT_NE(label, std::string::npos);
  EXPECT_LT(label - blue, 40u);
  const size_t secondBlue = html.find("#0000ff", label);
  ASSERT_NE(secondBlue, std::string::npos);
  EXPECT_NE(html.find(">x<", secondBlue), std::string::npos);
  // The escaped characters come out as themselves.
  EXPECT_NE(html.find("{a}"), std::string::npos);
  EXPECT_NE(html.find("\\b"), std::string::npos);
}

}  // namespace
}  // namespace korvane
