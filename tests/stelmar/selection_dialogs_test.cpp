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
  SingleFileDialog single(exchange, port, d, table);
  EXPECT_EQ(single.Caption(), "Wrap Module File Selection");
  EXPECT_EQ(single.Entries(), (Names{"a.pli", "b.PLI", "c.inc"}));
  EXPECT_EQ(SingleFileDialog(exchange, port, d, {}).Entries(),
            (Names{"a.pli", "b.PLI", "c.inc", "d.txt", "noext"}));
  EXPECT_EQ(MultiFileDialog(exchange, port, d, table).Available(),
            (Names{"a.pli", "b.PLI", "c.inc", "noext"}));
  ExtensionTable bare;
  bare.entries = {""};
  EXPECT_EQ(SingleFileDialog(exchange, port, d, bare).Entries(), (Names{"noext"}));
}

// Extensions match without case, so a table naming one extension in several
// spellings, or twice, must still list every file once.
TEST_F(SelectionDialogs, AFileMatchedByManyEntriesIsListedOnce) {
  const std::string d = dir.Path().string();
  dir.Write("A.pli", "");  // another file than a.pli, listed beside it
  ExtensionTable spellings;
  spellings.entries = {"pli", "PLI", "inc", "Pli", "", ""};
  EXPECT_EQ(SingleFileDialog(exchange, port, d, spellings).Entries(),
            (Names{"A.pli", "a.pli", "b.PLI", "c.inc", "noext"}));
  EXPECT_EQ(MultiFileDialog(exchange, port, d, spellings).Available(),
            (Names{"A.pli", "a.pli", "b.PLI", "c.inc", "noext"}));
}

TEST_F(SelectionDialogs, SingleFileOkReturnsTheSelectedName) {
  SingleFileDialog single(exchange, port, dir.Path().string(), table);
  single.Select(1);
  EXPECT_EQ(single.Name(), "b.PLI");
  single.Select(99);  // no such entry: the name stays
  EXPECT_EQ(single.Result(), "");
  EXPECT_TRUE(single.Ok());
  EXPECT_EQ(single.Result(), "b.PLI");
  EXPECT_EQ(exchange.confirmed, 1);
  EXPECT_TRUE(port.errors.empty());
}

// PROGFILE, the directory and the name, is what the job parameter file holds:
// a file whose path is longer is refused by name, never cut into another name.
TEST_F(SelectionDialogs, SingleFileRefusesAPathTheJobFileCannotHold) {
  const std::string d = dir.Path().string();
  const std::size_t room = Field::kMaxLength - d.size() - 1;  // for the name after "/"
  const std::string fits = std::string(room - 4, 'f') + ".pli";
  const std::string tooLong = std::string(room - 3, 'g') + ".pli";
  dir.Write(fits, "");
  dir.Write(tooLong, "");
  SingleFileDialog single(exchange, port, d, table);
  ASSERT_EQ(single.Entries().size(), 5u);
  ASSERT_EQ(single.Entries()[4], tooLong);

  single.Select(4);
  EXPECT_FALSE(single.Ok());
  EXPECT_EQ(exchange.confirmed, 0);
  EXPECT_EQ(single.Result(), "");
  ASSERT_EQ(port.errors.size(), 1u);
  EXPECT_EQ(port.errors[0].first,
            "The path is longer than the job parameter file holds (159 characters):\n" + d + "/" +
                tooLong);
  EXPECT_EQ(port.errors[0].second, "Stelmar Error Message");

  // The dialog stays open: the person can pick another file.
  single.Select(3);
  EXPECT_TRUE(single.Ok());
  EXPECT_EQ(single.Result(), fits);
  EXPECT_EQ(exchange.confirmed, 1);
  EXPECT_EQ(port.errors.size(), 1u);
}

TEST_F(SelectionDialogs, MultiFileMovesAppendsAgainAndWritesTheList) {
  exchange.jobFile = dir / "1234";
  MultiFileDialog multi(exchange, port, dir.Path().string(), table);
  multi.Ok();  // nothing chosen yet
  EXPECT_EQ(
      port.errors,
      (std::vector<std::pair<std::string, std::string>>{{"No File selected", "Error Pellam"}}));
  EXPECT_EQ(exchange.confirmed, 0);

  multi.MoveSelected({1, 0});  // in list order, whatever order they were picked in
  multi.MoveSelected({0});
  EXPECT_EQ(multi.Chosen(), (Names{"a.pli", "b.PLI", "a.pli"}));
  multi.Ok();
  EXPECT_EQ(exchange.confirmed, 1);
  EXPECT_EQ(dir.Read("1234"), "A.PLI\r\nB.PLI\r\nA.PLI\r\nEOF\r\n");

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

// A list entry holds 19 characters: a longer name is refused by name, never cut
// into the name of a file the include tool would not find.
TEST_F(SelectionDialogs, MultiFileRefusesNamesLongerThanAnEntry) {
  dir.Write("exactlynineteen.pli", "");
  dir.Write("twentycharacters.pli", "");
  dir.Write("averyveryverylongname.pli", "");
  exchange.jobFile = dir / "1234";
  MultiFileDialog multi(exchange, port, dir.Path().string(), table);
  ASSERT_EQ(multi.Available(), (Names{"a.pli", "averyveryverylongname.pli", "b.PLI", "c.inc",
                                      "exactlynineteen.pli", "noext", "twentycharacters.pli"}));
  multi.MoveSelected({0, 1, 4, 6});
  EXPECT_EQ(multi.Chosen(), (Names{"a.pli", "exactlynineteen.pli"}));
  ASSERT_EQ(port.errors.size(), 1u);
  EXPECT_EQ(port.errors[0].first,
            "File names longer than 19 characters cannot be selected:\n"
            "averyveryverylongname.pli\ntwentycharacters.pli");
  EXPECT_EQ(port.errors[0].second, "Error Message Pellam");
  multi.Ok();
  EXPECT_EQ(dir.Read("1234"), "A.PLI\r\nEXACTLYNINETeen.pli\r\nEOF\r\n");
}

// DATAFILE, OUTPUT_DIR with PROGNAME and ".obj", must fit the job parameter file
// too; a source with a short extension can make it longer than PROGFILE.
TEST_F(SelectionDialogs, ObjectSelectionRefusesAnOutputPathTheJobFileCannotHold) {
  const std::string prog = dir.Write("p.pli", "DCL A FILE;");
  exchange.progName = "p";
  std::string fitting = dir / "o";
  fitting += std::string(Field::kMaxLength - fitting.size() - 6, 'o');  // + "/p.obj"
  std::filesystem::create_directories(fitting);
  ObjectSelectionDialog fits(exchange, port, fitting, prog, ScanRule::kFiles);
  EXPECT_TRUE(fits.Ok({0}));
  EXPECT_EQ(exchange.confirmed, 1);
  EXPECT_EQ(dir.Read(fitting.substr(dir.Path().string().size() + 1) + "/p.obj"), "A\r\n");

  exchange.confirmed = 0;
  const std::string longer = fitting + "x";
  std::filesystem::create_directories(longer);
  ObjectSelectionDialog refused(exchange, port, longer, prog, ScanRule::kFiles);
  EXPECT_TRUE(refused.Ok({0}));  // closes: nothing the person picks can make it fit
  EXPECT_EQ(exchange.confirmed, 0);
  EXPECT_TRUE(std::filesystem::is_empty(longer));
  ASSERT_EQ(port.errors.size(), 1u);
  EXPECT_EQ(port.errors[0].first,
            "The path is longer than the job parameter file holds (159 characters):\n" + longer +
                "/p.obj");
}

}  // namespace
}  // namespace stelmar
