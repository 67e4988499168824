#include "korvane/core/common/find_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "support/inner_case_table.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using List = std::vector<std::string>;

class FindFilesTest : public ::testing::Test {
 protected:
  ~FindFilesTest() override {
    std::error_code ec;  // the folder may be unreadable; it must still go
    fs::permissions(tmp.Path() / "locked", fs::perms::owner_all, ec);
  }
  void Touch(const std::string& relative) { tmp.Write(relative, "x"); }

  // Enumeration order is the file system's; compare as sets.
  List Find(const std::string& subdir, const std::string& pattern, int depth,
            const std::string& extensions) {
    List found;
    FindFiles(tmp.Path().string(), subdir, pattern, depth, found, extensions);
    std::sort(found.begin(), found.end());
    return found;
  }
  std::string P(const std::string& relative) const { return tmp / relative; }

  testing::TempDir tmp;
  const fs::path& root_ = tmp.Path();
};

TEST_F(FindFilesTest, PatternsDepthAndExtensions) {
  for (const char* f : {"last.xml", "lastbatch.cmd", "mylast.txt", "other.xml", "sub/last2.xml",
                        "sub/deeper/last3.xml", "SRC0001.cbl", "SRC01.cbl", "SRC00012.cbl", "a.cbl",
                        "b.CPY", "c.txt", "README", "d.", "e.x.cbl", "f.cblx"}) {
    Touch(f);
  }
  testing::ExpectCaseTable(
      "common/find_files.txt",
      [&](const List& in) { return Find(in[0], in[1], std::stoi(in[2]), in[3]); },
      {{"{dir}", root_.string()}});
}

TEST_F(FindFilesTest, SkipsHiddenLinksAndSpecialFilesAndBuildsCleanPaths) {
  Touch("keep.cbl");
  Touch(".hidden.cbl");
  Touch(".git/inside.cbl");
  Touch("sub/inner.cbl");
  fs::create_directory_symlink(root_, root_ / "loop");           // would recurse forever
  fs::create_directory_symlink(root_ / "sub", root_ / "alias");  // would list inner twice
  fs::create_symlink(root_ / "keep.cbl", root_ / "linked.cbl");
  fs::create_symlink(root_ / "gone.cbl", root_ / "dangling.cbl");
  ASSERT_EQ(::mkfifo((root_ / "pipe.cbl").c_str(), 0600), 0);

  EXPECT_EQ(Find("", "", -1, ".cbl"), (List{P("keep.cbl"), P("linked.cbl"), P("sub/inner.cbl")}));

  List found;
  FindFiles(root_.string() + "/", "/sub/", "", -1, found, "*.*");
  EXPECT_EQ(found, List{P("sub/inner.cbl")});
  found.clear();
  FindFiles(root_.string() + "//", "sub", "", -1, found, "*.*");
  EXPECT_EQ(found, List{root_.string() + "//sub/inner.cbl"});  // the caller's own text stays
}

TEST_F(FindFilesTest, MissingOrUnreadableFoldersAddNothing) {
  Touch("locked/secret.cbl");
  List found{"kept"};
  FindFiles(P("absent"), "", "", -1, found, "*.*");
  FindFiles(P("keep"), "deeper", "", -1, found, "*.*");
  FindFiles("", "", "", -1, found, "*.*");  // no folder at all, not the current one
  EXPECT_EQ(found, List{"kept"});
  if (::geteuid() != 0) {  // permissions do not bind the super-user
    fs::permissions(root_ / "locked", fs::perms::none);
    FindFiles(root_.string(), "", "", -1, found, "*.*");
    EXPECT_EQ(found, List{"kept"});
  }
}

}  // namespace
}  // namespace korvane
