#include "korvane/core/sources/copy_library.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "korvane/core/common/text_file.h"
#include "support/svc_observations.h"
#include "support/temp_dir.h"

namespace korvane {
namespace {

using testing::TempDir;
using Lines = std::vector<std::string>;

std::string Base(const TempDir& tmp) {
  return tmp.Path().string();
}

TEST(LoadSourceWithCopies, ExpandsColumnOrientedCopyStatements) {
  TempDir tmp;
  // A member in a subfolder, and a copy inside it that must stay as it is.
  tmp.Write("CopyCollection/sub/PAYLIB.cpy",
            "000010 01 PAY-REC.\r\n000020     COPY PAYLIB.\r\nshort\r\n");
  const std::string longTail(30, 'X');
  tmp.Write("prog.cbl",
            "000100 PROCEDURE DIVISION.\r\n"
            "000200     COPY 'PAYLIB'.\r\n"
            "000300     COPY PAYLIB.CPY.\r\n"
            "000400     COPY PAYLIB\r\n"
            "000500     MOVE A TO B COPY\r\n"
            "000600     COPY PAYLIB REPLACING ==A== BY ==B==.\r\n"
            "000700*    COPY PAYLIB.\r\n"
            "000800     Copy \"Missing.Txt\".\r\n"
            "000900     COPY PAYLIB." +
                std::string(57, ' ') + longTail + "\r\n" + "001000" + std::string(70, ' ') +
                "COPY PAYLIB.\r\n"
                "12\r\n"
                "\r\n");
  Lines out;
  Lines unresolved{"kept"};
  LoadSourceWithCopies(Base(tmp), 0, tmp / "prog.cbl", out, &unresolved);
  // Each statement becomes an "insert*" comment followed by the member; columns 8 to 87
  // follow "insert*" and the rest of the line is cut; a statement starting in column 77
  // is past the scanned columns. The names not found are collected from the last line
  // up, as cleaned (the extension tried off is kept).
  testing::Observations o;
  o("lines", out)("unresolved", unresolved).Compare("sources/copies_expanded.txt");
}

TEST(LoadSourceWithCopies, AssemblerOtherLanguagesAndFailures) {
  TempDir tmp;
  tmp.Write("CopyCollection/REGS.mac", "R1 EQU 1\r\n* COPY OTHER\r\n");
  tmp.Write("prog.asm",
            "         COPY  REGS\r\n* COPY REGS\r\n COPY NONE  \r\nLABEL    COPY 'regs.MAC'\r\n");
  Lines out;
  Lines unresolved;
  LoadSourceWithCopies(Base(tmp), 1, tmp / "prog.asm", out, &unresolved);
  testing::Observations o;
  o("assembler", out)("unresolved", unresolved).Compare("sources/copies_assembler.txt");

  // PL/I uses the column rules: column 1 text is ignored, column 7 "*" is a comment.
  tmp.Write("prog.pli", "      * COPY REGS\r\n COPY REGS\r\n");
  LoadSourceWithCopies(Base(tmp), 2, tmp / "prog.pli", out, nullptr);
  EXPECT_EQ(out, (Lines{"      * COPY REGS", " COPY REGS"}));

  for (int lang : {3, 4}) {
    LoadSourceWithCopies(Base(tmp), lang, tmp / "prog.asm", out, &unresolved);
    EXPECT_EQ(out, ReadTextLines(tmp / "prog.asm"));
  }
  EXPECT_EQ(unresolved.size(), 1u);

  EXPECT_THROW(LoadSourceWithCopies(Base(tmp), 0, tmp / "absent.cbl", out, nullptr), FileError);
  // A member that is listed but cannot be read ends the load; the source stays unexpanded.
  std::filesystem::create_symlink(tmp / "nowhere", tmp / "CopyCollection/GONE.cpy");
  tmp.Write("gone.cbl", "000100     COPY GONE.\r\n");
  EXPECT_THROW(LoadSourceWithCopies(Base(tmp), 0, tmp / "gone.cbl", out, nullptr), FileError);
  EXPECT_EQ(out, Lines{"000100     COPY GONE."});
}

TEST(ReadLabelHead, JoinsTheFirstTwoLines) {
  TempDir tmp;
  EXPECT_EQ(ReadLabelHead(tmp / "missing"), "");
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"MASK:A", "MASK:A"},
      {"FI\r\nLE:x\r\nthird", "FILE:x"},
      {"a\rb\rc", "ab"},
      {"a\n\nc", "a"},
      {"one\r\n", "one"},
      // A CR LF pair split across the reading chunks is still one line end.
      {std::string(4095, 'p') + "\r\nq\r\n", std::string(4095, 'p') + "q"},
      {std::string(9000, 'p') + "\nq", std::string(9000, 'p') + "q"},
  };
  for (const auto& [bytes, head] : cases) {
    EXPECT_EQ(ReadLabelHead(tmp.Write("label", bytes)), head) << bytes.substr(0, 20);
  }
}

}  // namespace
}  // namespace korvane
