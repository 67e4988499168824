#include "stelmar/core/selection_dialogs.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "scripted_stelmar_port.h"
#include "support/temp_dir.h"

namespace stelmar {
namespace {

using korvane::testing::TempDir;
using testing::ScriptedStelmarPort;
using Names = std::vector<std::string>;

class SelectionDialogs : public ::testing::Test {
 protected:
  SelectionDialogs() {
    for (const char* name : {"b.PLI", "a.pli", "c.inc", "d.txt", "noext", ".hidden.pli"})
      dir.Write(name, "");
    std::filesystem::create_directories(dir.Path() / "sub.pli");
    table.entries = {"pli", "inc"};
  }
  TempDir dir;
  ExtensionTable table;
  ExchangeArea exchange;
  ScriptedStelmarPort port;
};

TEST_F(SelectionDialogs, ListsFollowTheExtensionTable) {
  const std::string d = dir.Path().string();
  exchange.caption = "Wrap Module File Selection";
  SingleFileDialog single(exchange, d, table);
  EXPECT_EQ(single.Caption(), "Wrap Module File Selection");
  EXPECT_EQ(single.Entries(), (Names{"a.pli", "b.PLI", "c.inc"}));
  EXPECT_EQ(SingleFileDialog(exchange, d, {}).Entries(),
            (Names{"a.pli", "b.PLI", "c.inc", "d.txt", "noext"}));
  EXPECT_EQ(MultiFileDialog(exchange, port, d, table).Available(),
            (Names{"a.pli", "b.PLI", "c.inc", "noext"}));
  ExtensionTable bare;
  bare.entries = {""};
  EXPECT_EQ(SingleFileDialog(exchange, d, bare).Entries(), (Names{"noext"}));
}

TEST_F(SelectionDialogs, SingleFileOkReturnsTheSelectedName) {
  SingleFileDialog single(exchange, dir.Path().string(), table);
  single.Select(1);
  EXPECT_EQ(single.Name(), "b.PLI");
  single.Select(99);  // no such entry: the name stays
  EXPECT_EQ(single.Result(), "");
  single.Ok();
  EXPECT_EQ(single.Result(), "b.PLI");
  EXPECT_EQ(exchange.confirmed, 1);

  // A name longer than a settings text is cut to fit.
  const std::string longName = std::string(200, 'n') + ".pli";
  dir.Write(longName, "");
  SingleFileDialog again(exchange, dir.Path().string(), table);
  again.Select(3);
  again.Ok();
  EXPECT_EQ(again.Result(), longName.substr(0, 159));
}

TEST_F(SelectionDialogs, MultiFileMovesAppendsAgainAndWritesTheList) {
  dir.Write("averyveryverylongname.pli", "");
  exchange.jobFile = dir / "1234";
  MultiFileDialog multi(exchange, port, dir.Path().string(), table);
  multi.Ok();  // nothing chosen yet
  EXPECT_EQ(
      port.errors,
      (std::vector<std::pair<std::string, std::string>>{{"No File selected", "Error Pellam"}}));
  EXPECT_EQ(exchange.confirmed, 0);

  multi.MoveSelected({2, 0});
  multi.MoveSelected({1, 0});
  EXPECT_EQ(multi.Chosen(), (Names{"a.pli", "b.PLI", "a.pli", "averyveryverylongna"}));
  multi.Ok();
  EXPECT_EQ(exchange.confirmed, 1);
  EXPECT_EQ(dir.Read("1234"), "A.PLI\r\nB.PLI\r\nA.PLI\r\nAVERYVERYVERylongna\r\nEOF\r\n");

  exchange.confirmed = 0;
  exchange.jobFile = dir / "missing/1234";
  multi.Ok();
  EXPECT_EQ(port.errors.back(),
            (std::pair<std::string, std::string>{"Error Open Ini", "Error Pellam"}));
  EXPECT_EQ(exchange.confirmed, 0);
}

TEST_F(SelectionDialogs, ObjectSelectionWritesTheChosenNamesInListOrder) {
  const std::string prog = dir.Write("prog.old.pli", "DCL A FILE; DCL B FILE; DCL C FILE;");
  exchange.progName = "prog.old";
  ObjectSelectionDialog files(exchange, port, dir.Path().string(), prog, ScanRule::kFiles);
  EXPECT_EQ(files.Caption(), "FILE Selection [prog.old.pli]");
  EXPECT_EQ(files.Entries(), (Names{"A", "B", "C"}));
  EXPECT_TRUE(files.Ok({2, 0}));
  EXPECT_EQ(exchange.confirmed, 1);
  EXPECT_EQ(dir.Read("prog.old.obj"), "A\r\nC\r\n");

  // None selected: an empty list, and the wrapper still runs.
  exchange.confirmed = 0;
  ObjectSelectionDialog procs(exchange, port, dir.Path().string(), dir.Write("p.pli", "P: PROC;"),
                              ScanRule::kProcedures);
  EXPECT_EQ(procs.Caption(), "Procedure Selection [p.pli]");
  EXPECT_TRUE(procs.Ok({}));
  EXPECT_EQ(exchange.confirmed, 1);
  EXPECT_EQ(dir.Read("prog.old.lab"), "");

  // Nothing found: OK closes without confirmation.
  exchange.confirmed = 0;
  ObjectSelectionDialog none(exchange, port, dir.Path().string(), dir / "gone.pli",
                             ScanRule::kFiles);
  EXPECT_TRUE(none.Entries().empty());
  EXPECT_TRUE(none.Ok({}));
  EXPECT_EQ(exchange.confirmed, 0);

  // An output file that cannot be written keeps the dialog open, silently.
  ObjectSelectionDialog blocked(exchange, port, dir / "no/such/dir", prog, ScanRule::kFiles);
  EXPECT_FALSE(blocked.Ok({0}));
  EXPECT_EQ(exchange.confirmed, 0);
  EXPECT_TRUE(port.errors.empty());
}

}  // namespace
}  // namespace stelmar
