#include "korvane/core/common/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace korvane {
namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "korvane_text_XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(root_, fs::perms::owner_all, ec);
    fs::remove_all(root_, ec);
  }
  std::string P(const std::string& name) const { return (root_ / name).string(); }
  fs::path root_;
};

TEST_F(TextFileTest, ReadsBytesAndLinesExactly) {
  const std::string content("A=1\r\nB\rC\n\xE4\0z", 12);
  std::ofstream(P("in.ini"), std::ios::binary) << content;
  EXPECT_EQ(ReadFileBytes(P("in.ini")), content);
  EXPECT_EQ(ReadTextLines(P("in.ini")),
            (std::vector<std::string>{"A=1", "B", "C", std::string("\xE4\0z", 3)}));
  // Larger than one read buffer.
  const std::string big(200000, 'q');
  std::ofstream(P("big"), std::ios::binary) << big;
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

TEST_F(TextFileTest, WritesCrLfAtomicallyAndReportsFailures) {
  EXPECT_EQ(WriteTextLinesAtomic(P("out.jwrap"), {"[Project]", "", "Name=\xE9"}), "");
  EXPECT_EQ(ReadFileBytes(P("out.jwrap")), "[Project]\r\n\r\nName=\xE9\r\n");
  EXPECT_EQ(WriteTextLinesAtomic(P("out.jwrap"), {}), "");
  EXPECT_EQ(ReadFileBytes(P("out.jwrap")), "");

  EXPECT_EQ(WriteTextLinesAtomic(P("no/such/dir/x"), {"a"}), "No such file or directory");

  EXPECT_EQ(WriteTextLinesAtomic(P("private"), {"a"}, 0600), "");
  struct stat st {};
  ASSERT_EQ(::stat(P("private").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  if (::geteuid() != 0) {
    // The folder refuses the temporary file: the old content must survive.
    EXPECT_EQ(WriteTextLinesAtomic(P("keep"), {"old"}), "");
    fs::permissions(root_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(WriteTextLinesAtomic(P("keep"), {"new"}), "Permission denied");
    fs::permissions(root_, fs::perms::owner_all);
    EXPECT_EQ(ReadFileBytes(P("keep")), "old\r\n");
  }
  // Nothing but the files written is left behind (no temporary files).
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(root_)) ++count;
  EXPECT_EQ(count, ::geteuid() != 0 ? 3 : 2);
}

}  // namespace
}  // namespace korvane
