#include "korvane/core/app/run_report.h"

#include <gtest/gtest.h>

#include <chrono>

#include "support/golden.h"

namespace korvane {
namespace {

using namespace std::chrono;
using testing::ExpectGolden;

ReportTime At(int y, unsigned m, unsigned d, int h, int min, int s, int ms) {
  return sys_days(year(y) / month(m) / day(d)) + hours(h) + minutes(min) + seconds(s) +
         milliseconds(ms);
}

TEST(RunReport, TimesAreUtcWithMillisecondsAcrossDateEdges) {
  EXPECT_EQ(IsoUtc(At(2026, 3, 1, 9, 5, 7, 42)), "2026-03-01T09:05:07.042Z");
  EXPECT_EQ(IsoUtc(At(2024, 2, 29, 23, 59, 59, 999)), "2024-02-29T23:59:59.999Z");
  EXPECT_EQ(IsoUtc(At(2024, 2, 29, 23, 59, 59, 999) + milliseconds(1)), "2024-03-01T00:00:00.000Z");
  // Sub-millisecond parts are cut, never rounded up into the next second.
  EXPECT_EQ(IsoUtc(At(1999, 12, 31, 23, 59, 59, 999) + microseconds(999)),
            "1999-12-31T23:59:59.999Z");
}

// Every field filled: a multi-entity run of three sources that failed, with one
// result that could not be renamed and two copies not found.
TEST(RunReport, AFullyFilledReportRendersToTheDocumentedShape) {
  RunReport report;
  report.jobFile = "/jobs/CustBankXml.jwrap";
  report.productName = "COBOL";
  report.language = "COB";
  report.toolRoot = "/opt/tools";
  report.baseFolder = "/jobs/out/";
  report.started = At(2026, 3, 1, 9, 5, 7, 42);
  report.ended = At(2026, 3, 1, 9, 6, 0, 500);
  report.exitStatus = 1;
  report.exitMeaning = "a tool ended with a non-zero status or a signal, or wrote no result";
  report.why = "the tool ended with exit status 5";
  ReportRun run;
  run.command = "/jobs/out/lastbatch.cmd";
  run.multiEntity = true;
  run.started = At(2026, 3, 1, 9, 5, 8, 0);
  run.ended = At(2026, 3, 1, 9, 5, 59, 250);
  run.outcome = "failed";
  run.end.exitStatus = 5;
  run.end.durationMs = 51250;
  report.run = run;
  report.entities = {
      {1,
       "CUSTRPT.cbl",
       {"\"/opt/tools/COBWrap/Ardent\" last.xml;0001 "},
       {"WrapOut/CUSTRPT.log", "WrapOut/CUSTRPT.xml"},
       {}},
      {2,
       "BANKUPD.cbl",
       {"\"/opt/tools/COBWrap/Corvid\" last.xml;0002 "},
       {"WrapOut/SRC0002.xml"},
       {}},
      {3, "Odd \"name\".cbl", {}, {}, {}},
  };
  report.unresolvedCopies = {{"CUSTRPT.cbl", "custrec"}, {"BANKUPD.cbl", "acctrec"}};
  report.written = 4;
  report.renamed = 2;
  report.renameFailures = {
      "Cannot rename /jobs/out/WrapOut/SRC0002.xml to BANKUPD.xml: Is a directory"};
  ExpectGolden("run_report/full.json", RenderRunReport(report));
}

// A job that never loaded: only what the command line said is known, and every
// unknown is null rather than missing or an empty string.
TEST(RunReport, WhatIsNotKnownIsNull) {
  RunReport report;
  report.jobFile = "missing.jwrap";
  report.started = At(2026, 1, 2, 3, 4, 5, 6);
  report.ended = report.started;
  report.exitStatus = 4;
  report.exitMeaning = "the job file or the tool configuration could not be loaded";
  report.why = "the job or the tool configuration could not be loaded";
  ExpectGolden("run_report/not_loaded.json", RenderRunReport(report));

  // A run that started but whose end was never handled, and one ended by a signal.
  ReportRun run;
  run.command = "tool last.xml";
  run.started = report.started;
  report.run = run;
  ExpectGolden("app/report_running.json", RenderRunReport(report));
  report.run->outcome = "signalled";
  report.run->end.signal = 9;
  ExpectGolden("app/report_signalled.json", RenderRunReport(report));
}

// The tools write file names in their own code page; such a name must not cost the
// whole report.
TEST(RunReport, BytesThatAreNotUtf8AreReplacedNotFatal) {
  RunReport report;
  report.entities = {{1, "KUNDE\xe4.cbl", {}, {"WrapOut/KUNDE\xe4.xml"}, {}}};
  std::string text;
  ASSERT_NO_THROW(text = RenderRunReport(report));
  EXPECT_NE(text.find("\"KUNDE\xef\xbf\xbd.cbl\""), std::string::npos) << text;
}

}  // namespace
}  // namespace korvane
