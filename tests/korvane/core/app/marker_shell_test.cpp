// The label marker as the shell wires it: the command opens it on the highlighted source
// and marks open on their page are saved with the job. (The marks' own rules, and a job
// save taking the unsaved ones: Marker.Scenarios, marker/pending.txt.)
#include <gtest/gtest.h>

#include "korvane/core/marker/wrapper_marker.h"
#include "shell_fixture.h"

namespace korvane {
namespace {

namespace n = names;

using MarkerShell = testing::ShellJobFixture;

TEST_F(MarkerShell, SavingTheJobSavesTheOpenMarks) {
  InstallWrappers();
  auto shell = Start();
  FillIn(*shell, "pay", "acct");
  const std::string source = dir.Write("src/PAYRPT.cbl",
                                       "       DATA DIVISION.\r\n"
                                       "       FILE SECTION.\r\n"
                                       "       FD  PAYFILE.\r\n");
  ASSERT_TRUE(shell->Run([&] {
    shell->Sources().Adding().DropFiles(n::kButtonAddFilesToSrc, {source});
    shell->Sources().Types().SetEntryWrapType(0, "File");
  }));
  person.saveAnswers.push_back(dir / "jobs/PayAcctXml.jwrap");
  ASSERT_TRUE(shell->Execute(n::kActSaveProject)) << shell->Status().MessageList();

  // The marker opens on the source with its file definition found; the mark is not saved.
  ASSERT_TRUE(shell->Execute(n::kActMarkToBeWrapped)) << shell->Status().MessageList();
  WrapperMarker* page = shell->Marker().CurrentMarker();
  ASSERT_NE(page, nullptr);
  TextDocument& doc = page->Document();
  doc.SelectionFromView(doc.SelStart(), doc.SelLength());
  ASSERT_TRUE(shell->Run([&] { page->Mark(true); }));

  ASSERT_TRUE(shell->Execute(n::kActSaveProject)) << shell->Status().MessageList();
  EXPECT_FALSE(page->Modified());
  EXPECT_EQ(dir.Read("out/LabelCollection/PAYRPT.cbl"), "FILE:PAYFILE\r\n");
  EXPECT_NE(dir.Read("jobs/PayAcctXml.jwrap").find("PAYRPT.cbl.Lbl=Y"), std::string::npos);
  EXPECT_FALSE(shell->CurrentProject().Modified());

  // Nothing is left to lose: the marker page closes first, then the window, and neither
  // asks a question.
  EXPECT_FALSE(shell->CloseQuery());
  EXPECT_EQ(shell->Marker().CurrentMarker(), nullptr);
  EXPECT_TRUE(shell->CloseQuery());
  EXPECT_TRUE(person.asked.empty());
}

}  // namespace
}  // namespace korvane
