#include "stelmar/core/selection_dialogs.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "scripted_stelmar_port.h"
#include "support/golden.h"
#include "support/temp_dir.h"

namespace stelmar {
namespace {

using korvane::testing::ExpectGolden;
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
  // What the dialogs showed, then whether a step confirmed and what it wrote.
  void Note(const std::string& step, const std::string& file = "") {
    port.transcript += step + ": confirmed " + std::to_string(exchange.confirmed);
    if (!file.empty()) {
      port.transcript += std::filesystem::exists(dir.Path() / file)
                             ? ", " + file + " holds \"" + dir.Read(file) + "\""
                             : ", no " + file;
    }
    port.transcript += "\n";
    exchange.confirmed = 0;
  }
  void Expect(const std::string& golden, const korvane::testing::Placeholders& marks = {}) {
    korvane::testing::Placeholders all = marks;
    all.emplace_back("{dir}", dir.Path().string());
    ExpectGolden("stelmar/" + golden, port.transcript, all);
  }
  TempDir dir;
  ExtensionTable table;
  ExchangeArea exchange;
  ScriptedStelmarPort port;
};

TEST_F(SelectionDialogs, ListsFollowTheExtensionTable) {
  const std::string d = dir.Path().string();
  EXPECT_EQ(SingleFileDialog(exchange, port, d, table).Entries(),
            (Names{"a.pli", "b.PLI", "c.inc"}));
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

// PROGFILE, the directory and the name, is what the job parameter file holds:
// a file whose path is longer is refused by name, never cut into another name,
// and the dialog stays open for another choice.
TEST_F(SelectionDialogs, SingleFileRefusesAPathTheJobFileCannotHold) {
  const std::string d = dir.Path().string();
  const std::size_t room = Field::kMaxLength - d.size() - 1;  // for the name after "/"
  const std::string fits = std::string(room - 4, 'f') + ".pli";
  const std::string tooLong = std::string(room - 3, 'g') + ".pli";
  dir.Write(fits, "");
  dir.Write(tooLong, "");
  SingleFileDialog single(exchange, port, d, table);
  for (const std::size_t pick : {4, 1, 99, 3}) {  // 99: no such entry, the name stays
    single.Select(pick);
    const std::string name = single.Name();
    const bool closed = single.Ok();
    Note("pick " + std::to_string(pick) + " (" + name + ") " + (closed ? "closes" : "stays") +
         " with \"" + single.Result() + "\"");
  }
  Expect("selection_single.txt", {{"{fits}", fits}, {"{too long}", tooLong}});
}

TEST_F(SelectionDialogs, MultiFileMovesAppendsAgainAndWritesTheList) {
  exchange.jobFile = dir / "1234";
  MultiFileDialog multi(exchange, port, dir.Path().string(), table);
  multi.Ok();
  Note("nothing chosen", "1234");
  multi.MoveSelected({1, 0});  // in list order, whatever order they were picked in
  multi.MoveSelected({0});
  EXPECT_EQ(multi.Chosen(), (Names{"a.pli", "b.PLI", "a.pli"}));
  multi.Ok();
  Note("three chosen", "1234");
  exchange.jobFile = dir / "missing/1234";
  multi.Ok();
  Note("no folder for the list");
  Expect("selection_multi.txt");
}

// A list entry holds 19 characters: a longer name is refused by name, never cut
// into the name of a file the include tool would not find.
TEST_F(SelectionDialogs, MultiFileRefusesNamesLongerThanAnEntry) {
  dir.Write("exactlynineteen.pli", "");
  dir.Write("twentycharacters.pli", "");
  dir.Write("averyveryverylongname.pli", "");
  exchange.jobFile = dir / "1234";
  MultiFileDialog multi(exchange, port, dir.Path().string(), table);
  multi.MoveSelected({0, 1, 4, 6});
  multi.Ok();
  Note("four picked", "1234");
  Expect("selection_multi_long.txt");
}

TEST_F(SelectionDialogs, ObjectSelectionWritesTheChosenNamesInListOrder) {
  const std::string prog = dir.Write("prog.old.pli", "DCL A FILE; DCL B FILE; DCL C FILE;");
  exchange.progName = "prog.old";
  ObjectSelectionDialog files(exchange, port, dir.Path().string(), prog, ScanRule::kFiles);
  EXPECT_EQ(files.Caption(), "FILE Selection [prog.old.pli]");
  EXPECT_EQ(files.Entries(), (Names{"A", "B", "C"}));
  EXPECT_TRUE(files.Ok({2, 0}));
  Note("files C and A", "prog.old.obj");
  // None selected: an empty list, and the wrapper still runs.
  ObjectSelectionDialog procs(exchange, port, dir.Path().string(), dir.Write("p.pli", "P: PROC;"),
                              ScanRule::kProcedures);
  EXPECT_EQ(procs.Caption(), "Procedure Selection [p.pli]");
  EXPECT_TRUE(procs.Ok({}));
  Note("no procedure", "prog.old.lab");
  // Nothing found: OK closes without confirmation.
  ObjectSelectionDialog none(exchange, port, dir.Path().string(), dir / "gone.pli",
                             ScanRule::kFiles);
  EXPECT_TRUE(none.Entries().empty());
  EXPECT_TRUE(none.Ok({}));
  Note("nothing found");
  // An output file that cannot be written keeps the dialog open, silently.
  ObjectSelectionDialog blocked(exchange, port, dir / "no/such/dir", prog, ScanRule::kFiles);
  EXPECT_FALSE(blocked.Ok({0}));
  Note("output folder missing");
  Expect("selection_objects.txt");
}

// DATAFILE, OUTPUT_DIR with PROGNAME and ".obj", must fit the job parameter file
// too; a source with a short extension can make it longer than PROGFILE.
TEST_F(SelectionDialogs, ObjectSelectionRefusesAnOutputPathTheJobFileCannotHold) {
  const std::string prog = dir.Write("p.pli", "DCL A FILE;");
  exchange.progName = "p";
  const std::string fitting = "o" + std::string(Field::kMaxLength - (dir / "o/p.obj").size(), 'o');
  for (const std::string& out : {fitting, fitting + "x"}) {
    std::filesystem::create_directories(dir.Path() / out);
    ObjectSelectionDialog dialog(exchange, port, dir.Path().string() + "/" + out, prog,
                                 ScanRule::kFiles);
    // Closes either way: nothing the person picks can make a longer path fit.
    EXPECT_TRUE(dialog.Ok({0}));
    Note(out, out + "/p.obj");
  }
  Expect("selection_objects_long.txt", {{"{fitting}", fitting}});
}

}  // namespace
}  // namespace stelmar
