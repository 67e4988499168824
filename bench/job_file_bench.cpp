// Writing and reading a big job: 9,998 entries in each file list and 30,000 wrapping
// marks. Both directions must stay linear; a save or an open of such a job is expected
// to take a small fraction of a second.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/components/lists.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/project/job_file.h"

namespace {

namespace n = korvane::names;

constexpr int kListEntries = 9998;
constexpr int kMarks = 30000;

void BuildWindow(korvane::FormModel& form) {
  form.Create<korvane::RadioGroup>(n::kRadioGroupVersions, "").SetItems({"xml"});
  form.Create<korvane::EditBox>(n::kEditProductName, "");
  form.Create<korvane::EditBox>(n::kEditSystemName, "");
  form.Create<korvane::DirectoryFrame>(n::kFrameOutputDir, "", "Base");
  form.Create<korvane::CheckList>(n::kListSources, "").SetSorted(true);
  form.Create<korvane::CheckList>(n::kListCopies, "").SetSorted(true);
  form.Create<korvane::ToolPathFrame>(n::kFrameArdent, "", "Ardent");
  form.Create<korvane::Memo>(n::kMemoNewFileNames, "");
  form.Create<korvane::StringListHolder>(n::kMarksHolder, "");
}

std::string Number(int i) {
  std::string digits = std::to_string(i);
  return std::string(5 - digits.size(), '0') + digits;
}

void FillWindow(korvane::FormModel& form) {
  std::vector<korvane::CheckListItem> sources;
  std::vector<korvane::CheckListItem> copies;
  std::vector<std::string> nameMap;
  for (int i = 0; i < kListEntries; ++i) {
    sources.push_back(
        {"PGM" + Number(i) + ".cbl=/data/src/PGM" + Number(i) + ".cbl", i % 3 != 0, true});
    copies.push_back(
        {"CPY" + Number(i) + ".cpy=/data/copy/CPY" + Number(i) + ".cpy", true, i % 7 != 0});
    nameMap.push_back("SRC" + Number(i) + "=PGM" + Number(i) + ".cbl");
  }
  form.Get<korvane::CheckList>(n::kListSources).SetItems(std::move(sources));
  form.Get<korvane::CheckList>(n::kListCopies).SetItems(std::move(copies));
  form.Get<korvane::Memo>(n::kMemoNewFileNames).SetLines(std::move(nameMap));
  std::vector<std::string> marks;
  marks.reserve(kMarks);
  for (int i = 0; i < kMarks; ++i) marks.push_back("PGM" + Number(i) + ".cbl.WrpT=Onl");
  form.Get<korvane::StringListHolder>(n::kMarksHolder).SetStringList(std::move(marks));
  form.Get<korvane::EditBox>(n::kEditProductName).SetText("prod");
  form.Get<korvane::EditBox>(n::kEditSystemName).SetText("sys");
}

korvane::JobProjectFields Fields() {
  korvane::JobProjectFields f;
  f.activeRadioButton = "RadioButtonCobol";
  f.projectName = "ProdSysXml";
  f.productName = "prod";
  f.systemName = "sys";
  f.projectDirectory = "/tmp/";
  f.caption = "Korvane [ProdSysXml]";
  return f;
}

std::string BenchPath() {
  return (std::filesystem::temp_directory_path() / "korvane-job-file-bench.jwrap").string();
}

void BM_SaveBigJob(benchmark::State& state) {
  korvane::FormModel form;
  BuildWindow(form);
  FillWindow(form);
  const std::string path = BenchPath();
  for (auto _ : state) {
    const korvane::Outcome saved = korvane::SaveJobFile(path, Fields(), form);
    if (!saved) state.SkipWithError(saved.Why().c_str());
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_SaveBigJob)->Unit(benchmark::kMillisecond);

void BM_OpenBigJob(benchmark::State& state) {
  korvane::FormModel saved;
  BuildWindow(saved);
  FillWindow(saved);
  const std::string path = BenchPath();
  const korvane::Outcome written = korvane::SaveJobFile(path, Fields(), saved);
  if (!written) state.SkipWithError(written.Why().c_str());
  for (auto _ : state) {
    korvane::FormModel form;
    BuildWindow(form);
    const korvane::JobFileContent content = korvane::JobFileContent::FromFile(path);
    korvane::ApplyMemos(content, form);
    korvane::ApplyVisibleEdits(content, form, true);
    korvane::ApplyRadioGroups(content, form);
    korvane::ApplyHolders(content, form);
    korvane::ApplyCheckLists(content, form);
    benchmark::DoNotOptimize(korvane::ReadJobProjectFields(content));
  }
  std::filesystem::remove(path);
}
BENCHMARK(BM_OpenBigJob)->Unit(benchmark::kMillisecond);

}  // namespace
