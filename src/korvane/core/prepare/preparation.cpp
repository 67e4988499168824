// The pre-flight checks and the job parameter file of a preparation.
#include "korvane/core/prepare/preparation.h"

#include <filesystem>

#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/sources/collection_files.h"
#include "korvane/core/sources/copy_library.h"

namespace korvane {

namespace n = names;
namespace fs = std::filesystem;

namespace {

// The path a tool frame names: what was typed or chosen, else its default.
std::string FramePath(const ToolPathFrame& frame) {
  return frame.Text().empty() ? frame.DefaultName() : frame.Text();
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

Preparation::Preparation(WindowContext& context, PrepareJob& job, SourceLists& sources)
    : context_(context), job_(job), sources_(sources) {}

void Preparation::Connect(ActionList& actions) {
  actions.Get("ActPrepareXML").SetHandler([this] { PrepareXml(); });
  actions.Get("ActCopyFiles").SetHandler([this] { BuildInputStructure(false); });
  actions.Get("ActCountLinesOnly").SetHandler([this] { BuildInputStructure(true); });
  actions.Get(n::kActRename).SetHandler([this] { RenameResults(); });
  actions.Get("ActDeleteFilesAfter").SetHandler([this] { DeleteFilesAfter(); });
}

void Preparation::CheckBeforePreparing() {
  job_.ApplyNames();
  auto& pages = context_.view.mainPages;
  int checked = 0;
  for (const auto& item : sources_.Sources().List().Items()) checked += item.checked ? 1 : 0;
  job_.SetCounts(checked, 0);
  if (checked == 0) {
    pages.SetActivePage(context_.view.namesPage);
    context_.status.ShowErrorAndAbort("No files are selected for processing!");
  }
  std::error_code ec;
  const std::string dir = job_.OutputDir();
  if (dir.empty() || !fs::is_directory(dir, ec)) {
    pages.SetActivePage(context_.view.namesPage);
    context_.job.baseFolder.RequestFocus();
    context_.status.ShowErrorAndAbort(std::string("Output directory error - ") +
                                      "Directory doesn't exist");
  }
  sources_.ValidateFileList(true);
}

JobParameterInput Preparation::CollectInput(const std::string& base) {
  const JobModel& job = context_.job;
  JobParameterInput in;
  in.productName = job_.ProductName();
  in.systemName = job_.SystemName();
  in.base = base + "/";
  in.wrapRequested = wrapRequested_;
  in.interfaceType = context_.job.interfaceType.Combo().SecondInd();
  in.mapTypeOffered = context_.view.mapTypeGroup.Visible();
  in.mapType = context_.job.mapType.Combo().SecondInd();
  in.wordScan = context_.view.wordScanPage.Visible();
  in.multi = job_.MultiEntity();
  in.linkerShown = job.linker.Visible();
  in.linkerProgram = FramePath(job.linker);
  in.wrapperPrograms = {{"Onl", FramePath(job.dalmer)},
                        {"File", FramePath(job.ardent)},
                        {"Module", FramePath(job.belmont)},
                        {"Proc", FramePath(job.corvid)}};
  in.copyLibraryShown = job.copyLibrary.Visible();
  if (in.wrapRequested && in.copyLibraryShown) {
    for (const CollectionFile& file :
         ListCollectionFiles(DirectoryOf(FramePath(job.copyLibrary)))) {
      in.copyMembers.push_back({file.name, file.path});
    }
  }
  const KeyedLines& marks = context_.job.marks.Keyed();
  const auto& items = sources_.Sources().List().Items();
  in.sources.reserve(items.size());
  for (const auto& item : items) {
    PreparedSource source;
    source.fileName = FileList::NameOf(item.text);
    source.origin = FileList::PathOf(item.text);
    source.checked = item.checked;
    source.typeCode = marks.Value(source.fileName + ".WrpT");
    in.sources.push_back(std::move(source));
  }
  return in;
}

void Preparation::PrepareXml() {
  CheckBeforePreparing();
  const std::string base = job_.WritableBase();
  std::error_code ec;
  fs::create_directories(base + "/Workinp", ec);
  fs::create_directories(base + "/Work", ec);
  parameters_ = BuildJobParameters(CollectInput(base));
  ShowMemos();
  if (parameters_.markupInValues) {
    context_.status.ShowWarning(
        "A name or path holds \"<\", \"&\" or a quote: it is written to last.xml as it is, "
        "and the tools may not read it");
  }
}

void Preparation::ShowMemos() {
  if (!parameters_.longExtensions.empty()) {
    auto& memo = context_.job.longExtensions;
    KeyedLines lines(memo.Lines());
    for (const auto& [longForm, cut] : parameters_.longExtensions) {
      lines.SetValue(longForm, cut);
      lines.SetValue(cut, longForm);
    }
    memo.SetLines(lines.Lines());
  }
  if (parameters_.nameMapBuilt) {
    context_.job.nameMap.Set(parameters_.nameMap);
    nameMapReplaced.Emit();
  }
}

}  // namespace korvane
