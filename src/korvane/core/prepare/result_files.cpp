// After a run: the numbered results renamed back to their sources' names, and the
// temporary input structure removed.
#include <filesystem>

#include "korvane/core/common/name_case.h"
#include "korvane/core/common/text.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/prepare/preparation.h"
#include "korvane/core/prepare/wrapper_contract.h"
#include "korvane/core/project/directory_cleaner.h"
#include "korvane/core/sources/collection_files.h"
#include "korvane/core/sources/copy_library.h"

namespace korvane {

namespace n = names;
namespace fs = std::filesystem;

namespace {

std::string StemOf(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::string ExtensionPart(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? std::string() : fileName.substr(dot);
}

void RemoveFile(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(path, ec))) return;
  fs::remove(path, ec);  // a link goes, never its target
}

// Removes a real folder when it is empty; a link in its place is left alone.
void RemoveIfEmpty(const std::string& dir) {
  std::error_code ec;
  if (!fs::is_directory(fs::symlink_status(dir, ec))) return;
  fs::remove(dir, ec);
}

}  // namespace

void Preparation::RenameResults() {
  auto& modules = context_.view.modulesBar;
  modules.SetRange(0, 8);
  modules.SetPosition(1);
  context_.view.progress.SetCaption("Rename result files");
  lastRename_ = {};
  const bool rename = job_.Flags().renameAfter;
  const std::string base = job_.WritableBase();
  // Hashed by name, ignoring case: thousands of results each look up their number.
  const KeyedLines map(context_.job.nameMap.Lines());
  // A tool run inside DOSBox may have made the folder itself, in upper case.
  std::vector<CollectionFile> results;
  for (const std::string& folder : EntriesNamedNoCase(base, contract::kOutputDir)) {
    std::vector<CollectionFile> files = ListCollectionFiles(folder);
    results.insert(results.end(), files.begin(), files.end());
  }
  for (const CollectionFile& file : results) {
    const fs::path path(file.path);
    std::error_code ec;
    // Results of an earlier run stay where they are, but only this run's are counted.
    const auto written = fs::last_write_time(path, ec);
    const bool ours = !ec && (!runStart_ || written >= *runStart_);
    if (ours) ++lastRename_.written;
    const std::string stem = StemOf(file.name);
    if (!rename || !StartsWithCase("SRC", stem)) continue;
    if (map.IndexOfName(stem) < 0) {
      RemoveFile(path);
      if (ours) --lastRename_.written;
      continue;
    }
    const std::string newName = StemOf(map.Value(stem)) + ExtensionPart(file.name);
    if (!IsPlainFileName(newName)) continue;  // a hand-edited map must not move files away
    const fs::path target = path.parent_path() / newName;
    if (target == path) continue;
    RemoveFile(target);
    fs::rename(path, target, ec);
    if (ec) {
      lastRename_.failures.push_back("Cannot rename " + path.string() + " to " + newName + ": " +
                                     ec.message());
    } else if (ours) {
      ++lastRename_.renamed;
    }
  }
}

void Preparation::DeleteFilesAfter() {
  const RunControl flags = job_.Flags();
  if (!flags.deleteAfter) return;
  const std::string base = job_.WritableBase();
  const CleanLimits limits{base, {}};
  if (flags.systemDeleteAfterControl) {
    for (std::string_view name :
         {contract::kFunctionTable, contract::kParameterFile, contract::kBatchFile}) {
      RemoveFile(base + "/" + std::string(name));
    }
    CleanDirectory(base, "", 1, std::string(contract::kRunFileMask), limits);
  }
  const std::vector<std::string>& map = context_.job.nameMap.Lines();
  auto& modules = context_.view.modulesBar;
  auto& sourcesBar = context_.view.sourcesBar;
  modules.SetRange(0, 6);
  modules.SetPosition(1);
  sourcesBar.SetRange(0, static_cast<int>(map.size()));
  sourcesBar.SetPosition(1);
  context_.view.progress.SetCaption("Delete temporary files");
  for (auto line = map.rbegin(); line != map.rend(); ++line) {
    if (!StartsWithCase("XCPY", *line)) continue;
    const std::string target = KeyedLines::ValueOf(*line);
    if (!target.empty() && LiesWithin(target, base)) RemoveFile(target);
    sourcesBar.StepIt();
  }
  CleanDirectory(base, "Work", 99, "", limits);
  modules.StepIt();
  CleanDirectory(base, "Frames", 2, "", limits);
  CleanDirectory(base, "Workinp", 2, "", limits);
  for (const char* dir : {"Frames", "Workinp", "LabelCollection", "RTFCollection"}) {
    RemoveIfEmpty(base + "/" + dir);
  }
}

}  // namespace korvane
