// The label marker as the shell wires it: the command opens it on the highlighted source
// and marks open on their page are saved with the job. (The marks' own rules, and a job
// save taking the unsaved ones: Marker.Scenarios, marker/pending.txt.)
#include <gtest/gtest.h>

#include "korvane/core/components/lists.h"
#include "korvane/core/marker/wrapper_marker.h"
#include "shell_fixture.h"

namespace korvane {
namespace {

namespace n = names;

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

  const std::string job = dir / "jobs/PayAcctXml.jwrap";
};

TEST_F(MarkerShell, SavingTheJobSavesTheOpenMarks) {
  auto shell = SavedJob();
  WrapperMarker& page = MarkAll(*shell);
  ASSERT_TRUE(shell->Execute(n::kActSaveProject)) << shell->Status().MessageList();
  EXPECT_FALSE(page.Modified());
  EXPECT_EQ(dir.Read("out/LabelCollection/PAYRPT.cbl"),
            "FILE:ERRFILE\r\nFILE:PAYFILE\r\nFILE:RPTFILE\r\n");
  EXPECT_NE(dir.Read("jobs/PayAcctXml.jwrap").find("PAYRPT.cbl.Lbl=Y"), std::string::npos);
  EXPECT_FALSE(shell->CurrentProject().Modified());
}

}  // namespace
}  // namespace korvane
