// The label marker as the shell wires it: marks open on their page are saved with the
// job, saving marks is a change of the job, and leaving with marks not saved asks.
#include <gtest/gtest.h>

#include "korvane/core/components/lists.h"
#include "korvane/core/marker/wrapper_marker.h"
#include "korvane/core/project/transcript.h"
#include "shell_fixture.h"

namespace korvane {
namespace {

namespace n = names;

constexpr const char* kSaveQuestion =
    "The current project has been modified \r\nDo you want to save the changes?'";

// Three file definitions to mark.
constexpr const char* kSource =
    "       IDENTIFICATION DIVISION.\r\n"
    "       PROGRAM-ID. PAYRPT.\r\n"
    "       DATA DIVISION.\r\n"
    "       FILE SECTION.\r\n"
    "       FD  PAYFILE.\r\n"
    "       01  PAY-REC PIC X(80).\r\n"
    "       FD  RPTFILE.\r\n"
    "       01  RPT-REC PIC X(80).\r\n"
    "       FD  ERRFILE.\r\n"
    "       01  ERR-REC PIC X(80).\r\n"
    "       PROCEDURE DIVISION.\r\n"
    "           STOP RUN.\r\n";

class MarkerShell : public testing::ShellJobFixture {
 protected:
  MarkerShell() { InstallWrappers(); }

  // A saved job with one source to be file-wrapped, not yet marked.
  std::unique_ptr<Shell> SavedJob() {
    auto shell = Start();
    FillIn(*shell, "pay", "acct");
    const std::string source = dir.Write("src/PAYRPT.cbl", kSource);
    EXPECT_TRUE(shell->Run(
        [&] { shell->Sources().Adding().DropFiles(n::kButtonAddFilesToSrc, {source}); }));
    EXPECT_TRUE(shell->Run([&] { shell->Sources().Types().SetEntryWrapType(0, "File"); }));
    person.saveAnswers.push_back(job);
    EXPECT_TRUE(shell->Execute(n::kActSaveProject)) << shell->Status().MessageList();
    return shell;
  }

  // Opens the marker on the source and marks its three file definitions.
  WrapperMarker& MarkAll(Shell& shell) {
    EXPECT_TRUE(shell.Execute(n::kActMarkToBeWrapped)) << shell.Status().MessageList();
    WrapperMarker* page = shell.Marker().CurrentMarker();
    EXPECT_NE(page, nullptr);
    TextDocument& doc = page->Document();
    doc.SelectionFromView(doc.SelStart(), doc.SelLength());  // PAYFILE, found on opening
    EXPECT_TRUE(shell.Run([&] {
      page->Mark(true);
      page->FindNextFD();
      page->Mark(true);
      page->FindNextFD();
      page->Mark(true);
    }));
    EXPECT_EQ(page->Labels().size(), 3u);
    return *page;
  }

  const CheckListItem& Entry(Shell& shell) {
    return shell.Form().Get<CheckList>(n::kListSources).Items().at(0);
  }
  std::string Lbl(Shell& shell) {
    return shell.Form().Get<StringListHolder>(n::kMarksHolder).Keyed().Value("PAYRPT.cbl.Lbl");
  }

  const std::string job = dir / "jobs/PayAcctXml.jwrap";
  const char* const labels = "out/LabelCollection/PAYRPT.cbl";
  const char* const rtf = "out/RTFCollection/PAYRPT.rtf";
};

TEST_F(MarkerShell, SavingTheJobSavesTheOpenMarksAndTheyComeBack) {
  auto shell = SavedJob();
  WrapperMarker& page = MarkAll(*shell);
  EXPECT_TRUE(shell->CurrentProject().Modified());
  EXPECT_FALSE(Entry(*shell).enabled);  // file wrapping without labels yet

  ASSERT_TRUE(shell->Execute(n::kActSaveProject)) << shell->Status().MessageList();
  EXPECT_FALSE(page.Modified());
  EXPECT_EQ(dir.Read(labels), "FILE:ERRFILE\r\nFILE:PAYFILE\r\nFILE:RPTFILE\r\n");
  testing::ExpectGolden("app/marked.rtf", testing::WithTmp(dir.Read(rtf), dir.Path().string()));
  const std::string saved = dir.Read("jobs/PayAcctXml.jwrap");
  EXPECT_NE(saved.find("PAYRPT.cbl.Lbl=Y"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\r\nYYPAYRPT.cbl="), std::string::npos) << saved;
  EXPECT_EQ(person.saveRequests.size(), 1u);  // only the first save asked for a name

  // Nothing is left to lose: the page and the window close without a question.
  EXPECT_FALSE(shell->CurrentProject().Modified());
  EXPECT_FALSE(shell->CloseQuery());  // the marker page goes first
  EXPECT_TRUE(shell->CloseQuery());
  EXPECT_TRUE(person.asked.empty());
  shell.reset();

  auto again = Start({"-Proj", job});
  EXPECT_EQ(Lbl(*again), "Y");
  EXPECT_TRUE(Entry(*again).checked && Entry(*again).enabled);
  EXPECT_FALSE(again->CurrentProject().Modified());
  EXPECT_TRUE(again->CloseQuery());
  EXPECT_TRUE(person.asked.empty());
}

TEST_F(MarkerShell, LeavingWithUnsavedMarksAsksAndYesSavesThem) {
  auto shell = SavedJob();
  MarkAll(*shell);
  // The person goes back to the names page: the window, not the page, is closed.
  shell->Form().Get<PageControl>(n::kPageControlMain).SetActivePage(n::kPageNames);

  person.answers = {Button::Cancel};
  EXPECT_FALSE(shell->CloseQuery());
  person.answers = {Button::Yes};
  EXPECT_TRUE(shell->CloseQuery());
  EXPECT_EQ(person.AskedTexts(), (std::vector<std::string>{kSaveQuestion, kSaveQuestion}));
  EXPECT_EQ(dir.Read(labels), "FILE:ERRFILE\r\nFILE:PAYFILE\r\nFILE:RPTFILE\r\n");
  EXPECT_NE(dir.Read("jobs/PayAcctXml.jwrap").find("PAYRPT.cbl.Lbl=Y"), std::string::npos);
}

}  // namespace
}  // namespace korvane
