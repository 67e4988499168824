#include "korvane/core/common/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
 protected:
  std::string P(const std::string& name) const { return tmp / name; }
  testing::TempDir tmp;
};

TEST_F(TextFileTest, ReadsBytesAndLinesExactly) {
  const std::string content("A=1\r\nB\rC\n\xE4\0z", 12);
  tmp.Write("in.ini", content);
  EXPECT_EQ(ReadFileBytes(P("in.ini")), content);
  EXPECT_EQ(ReadTextLines(P("in.ini")),
            (std::vector<std::string>{"A=1", "B", "C", std::string("\xE4\0z", 3)}));
  // Larger than one read buffer.
  const std::string big(200000, 'q');
  tmp.Write("big", big);
  EXPECT_EQ(ReadFileBytes(P("big")), big);
}

TEST_F(TextFileTest, ReadFailuresNameTheFileAndRefuseAllButRegularFiles) {
  ASSERT_EQ(::mkfifo(P("pipe").c_str(), 0600), 0);  // no writer: opening it would wait
  fs::create_directory(P("folder"));
  const std::string tooLong = P(std::string(300, 'n'));
  const struct {
    std::string path;
    int code;
    std::string message;
  } cases[] = {
      {P("missing.ini"), ENOENT, "No such file or directory"},
      {tooLong, ENAMETOOLONG, "File name too long"},
      {P("folder"), EISDIR, "Not a regular file (a directory)"},
      {P("pipe"), EINVAL, "Not a regular file (a FIFO)"},
      {"/dev/zero", EINVAL, "Not a regular file (a character device)"},
  };
  for (const auto& c : cases) {
    try {
      ReadTextLines(c.path);
      ADD_FAILURE() << c.path << ": no error";
    } catch (const FileError& e) {
      EXPECT_EQ(e.what(), c.path + ": " + c.message);
      EXPECT_EQ(e.path(), c.path);
      EXPECT_EQ(e.code(), c.code) << c.path;
    }
  }
}

TEST_F(TextFileTest, WritesCrLfThroughTheAtomicSave) {
  // How the save goes (links, leftovers, failures) is the atomic file's
  // concern; this layer adds the line ends and passes the mode and the error on.
  EXPECT_TRUE(WriteTextLinesAtomic(P("out.jwrap"), {"[Project]", "", "Name=\xE9"}, 0600));
  EXPECT_EQ(ReadFileBytes(P("out.jwrap")), "[Project]\r\n\r\nName=\xE9\r\n");
  struct stat st {};
  ASSERT_EQ(::stat(P("out.jwrap").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(WriteTextLinesAtomic(P("no/such/dir/x"), {"a"}).Why(), "No such file or directory");
}

}  // namespace
}  // namespace korvane
