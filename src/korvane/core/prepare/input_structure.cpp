// Building the numbered input structure the wrapper tools read: SRC files with their
// copies expanded, label files and copy members, and the saved control files.
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>
#include <unordered_set>

#include "korvane/core/common/pacer.h"
#include "korvane/core/common/scope_exit.h"
#include "korvane/core/common/text.h"
#include "korvane/core/components/controls.h"
#include "korvane/core/components/frames.h"
#include "korvane/core/form/component_names.h"
#include "korvane/core/prepare/owned_files.h"
#include "korvane/core/prepare/preparation.h"
#include "korvane/core/prepare/wrapper_contract.h"
#include "korvane/core/project/directory_cleaner.h"
#include "korvane/core/sources/collection_files.h"
#include "korvane/core/wordlist/wrl_file.h"

namespace korvane {

namespace n = names;
namespace fs = std::filesystem;

namespace {

constexpr const char* kMissing = "Some input files cannot be found!";

bool Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

// The number after a name-map key's letters ("XCPY0002" -> 2); -1 when malformed.
long long KeyNumber(std::string_view key, std::string_view prefix) {
  if (key.substr(0, prefix.size()) != prefix || key.size() == prefix.size()) return -1;
  long long n = 0;
  for (char c : key.substr(prefix.size())) {
    if (c < '0' || c > '9' || n > 100000000) return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

std::string StemOf(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

}  // namespace

void Preparation::ShowProgress(const std::string& caption, int modulesMax) {
  auto& group = context_.view.progress;
  auto& modules = context_.view.modulesBar;
  group.SetCaption(caption);
  group.SetVisible(true);
  modules.SetRange(0, modulesMax);
}

void Preparation::BuildInputStructure(bool countOnly, std::function<void()> then) {
  bool stepping = false;
  {
    ScopeExit always([&] {
      if (!stepping) Finish();
    });
    stepping = StartStructure(countOnly, then);
  }
  if (!stepping && then) then();
}

// Everything up to the copy loop; true when the loop goes on in steps, which then
// complete the structure.
bool Preparation::StartStructure(bool countOnly, std::function<void()>& then) {
  auto& modules = context_.view.modulesBar;
  auto& sourcesBar = context_.view.sourcesBar;
  job_.SetSourceLines(0);
  auto preparing = [&] {
    ShowProgress("Preparing directories", 6);
    modules.SetPosition(1);
    sourcesBar.SetRange(0, 0);
    sourcesBar.SetPosition(0);
  };
  preparing();
  report_.Clear();
  PrepareXml();
  preparing();
  modules.StepIt();

  const std::string base = job_.WritableBase();
  const CleanLimits limits{base, {}};
  // The files this preparation writes again are rewritten in place, not deleted first.
  std::unordered_set<std::string> inputs;
  std::unordered_set<std::string> framed;
  for (const std::string& line : parameters_.nameMap) {
    const std::string key = KeyedLines::NameOf(line);
    const std::string value = KeyedLines::ValueOf(line);
    if (KeyNumber(key, "XCPY") >= 0) {
      inputs.insert(FileNameOf(value));
      framed.insert(StemOf(FileNameOf(value)) + ".LAB");
    } else if (KeyNumber(key, "CCPY") >= 0) {
      framed.insert(BeforeFirst(value, "@"));
    }
  }
  // Only in a folder that was used before: a new one asks first, and a no leaves
  // nothing of an earlier preparation behind.
  const bool used = Exists(base + "/last.xml");
  const auto limitsFor = [&](const char* dir) {
    CleanLimits kept = limits;
    if (used) kept.keepNames = std::string_view(dir) == "Workinp" ? &inputs : &framed;
    return kept;
  };
  const std::string frames = base + "/Frames";
  const std::string input = base + "/Workinp";
  for (const char* dir : {"Frames", "Workinp"}) {
    DropLink(base + "/" + dir);
    CleanDirectory(base, dir, 1, std::string(contract::kSourceMask), limitsFor(dir));
  }
  MakeRealDirectory(frames);
  MakeRealDirectory(input);
  modules.StepIt();

  if (!Exists(base + "/last.xml")) {
    const std::string question = "Your current output directory \r\n" + job_.OutputDir() + "\r\n" +
                                 "hasn't been used yet" + "\r\n" +
                                 "do you really want to use this directory for output?";
    if (context_.person.Ask(MessageKind::Warning, question, {Button::Yes, Button::No}) !=
        Button::Yes) {
      context_.status.ShowErrorAndAbort(
          "Go and select another output directory,and then try again");
    }
  }
  CleanDirectory(base, "", 1, std::string(contract::kRunFileMask), limits);
  modules.StepIt();
  for (const char* dir : {"Frames", "Workinp"}) {
    CleanDirectory(base, dir, 2, std::string(contract::kSourceMask), limitsFor(dir));
  }
  modules.StepIt();
  for (const char* dir : {"Workinp", "Frames", "WrapOut"}) MakeRealDirectory(base + "/" + dir);

  if (wrapRequested_) {
    StartCopyLoop(base, countOnly);
    if (loop_.Posts()) {
      copy_->then = std::move(then);
      loop_.Run([this](bool paced) { return CopyStep(paced); },
                [this](bool completed) { EndCopy(completed); });
      return true;
    }
    CopySome(false);
  }
  CompleteStructure(base, countOnly);
  return false;
}

// What follows the copy loop; a count only stops before anything is saved.
void Preparation::CompleteStructure(const std::string& base, bool countOnly) {
  if (countOnly) return;
  MakeRealDirectory(base + "/Work");
  SaveControlFiles(base);
  if (context_.view.wordScanPage.Visible()) {
    const std::string functab = base + "/" + std::string(contract::kFunctionTable);
    DropLink(functab);
    WriteWordList(functab, context_.job.controlWords, context_.job.objects);
  }
}

void Preparation::StartCopyLoop(const std::string& base, bool countOnly) {
  auto& modules = context_.view.modulesBar;
  int entities = 0;
  // Sources and copy members both advance the bar, so both count towards its end.
  for (const std::string& line : parameters_.nameMap) {
    entities += StartsWithText("XCPY", line) || StartsWithText("CCPY", line) ? 1 : 0;
  }
  ShowProgress("Building input structure", entities);
  modules.SetPosition(0);
  stopRequested_ = false;
  copy_ = std::make_unique<CopyRun>(base, countOnly);
}

// Copies the name map's entries; paced, it returns false when the window is due a turn
// before the map has ended.
bool Preparation::CopySome(bool paced) {
  auto& modules = context_.view.modulesBar;
  const std::vector<std::string>& map = parameters_.nameMap;
  CopyRun& run = *copy_;
  while (run.next < map.size()) {
    const std::string& line = map[run.next++];
    const std::string key = KeyedLines::NameOf(line);
    const std::string value = KeyedLines::ValueOf(line);
    if (const long long i = KeyNumber(key, "XCPY"); i >= 0) {
      CopySource(run.base, static_cast<size_t>(i), value, run.library);
    } else if (KeyNumber(key, "CCPY") >= 0) {
      CopyMember(run.base, value);
    } else {
      continue;
    }
    modules.StepIt();
    context_.view.progress.SetCaption("Building input structure, Processing " +
                                      std::to_string(modules.Position()) + " of " +
                                      std::to_string(modules.Max()));
    CheckStopRequest();
    if (paced && run.next < map.size() && run.pacer.Due()) return false;
  }
  job_.SetSourceLines(report_.TotalLines());
  if (const size_t unresolved = report_.UnresolvedCount(); unresolved > 0) {
    context_.status.ShowWarning("Copy statements not resolved: " + std::to_string(unresolved) +
                                " (the sources are prepared without them)");
  }
  return true;
}

// One step of a copy loop that runs between the person's events; the last one
// completes the structure.
bool Preparation::CopyStep(bool paced) {
  if (!CopySome(paced)) return false;
  CompleteStructure(copy_->base, copy_->countOnly);
  return true;
}

// After the last step, or a step that ended the preparation early: only a complete
// structure goes on with what was to follow.
void Preparation::EndCopy(bool completed) {
  const std::function<void()> then = completed ? std::move(copy_->then) : nullptr;
  Finish();
  if (then) then();
}

void Preparation::CheckStopRequest() {
  if (!stopRequested_) return;
  stopRequested_ = false;
  if (context_.person.Ask(MessageKind::Confirmation,
                          "The User requested to stop the process, please confirm?",
                          {Button::Yes, Button::No}) == Button::Yes) {
    context_.status.ShowErrorAndAbort("Process aborted on user request!");
  }
}

void Preparation::DisableEntry(size_t index) {
  CheckList& list = sources_.Sources().List();
  CheckListItem item = list.Items()[index];
  item.checked = false;
  item.enabled = false;
  list.SetItem(index, std::move(item));
}

void Preparation::CopySource(const std::string& base, size_t index, const std::string& target,
                             CopyLibrary& library) {
  const auto& items = sources_.Sources().List().Items();
  if (index >= items.size()) return;
  const std::string name = FileList::NameOf(items[index].text);
  const std::string toolInput = FileNameOf(target);
  // The target comes from the name map just built; it always lies in Workinp.
  const std::string output = base + "/Workinp/" + toolInput;
  const std::string source = base + "/SourceCollection/" + name;
  if (IsPlainFileName(name) && Exists(source)) {
    SourceReport entry{name, toolInput, 0, {}};
    std::vector<std::string> scratch;
    ExpandSourceCopies(library, job_.LangIndex(), source, scratch, nullptr, &entry.copies);
    entry.lines = static_cast<long long>(scratch.size());
    if (const Outcome written = WriteScratchFile(output, scratch); !written) {
      context_.status.ShowErrorAndAbort("Error during preparation - " + written.Why());
    }
    report_.Add(std::move(entry));
  } else {
    // A file of the last run kept for rewriting must not stand in for the missing one.
    RemoveCollectionFile(base + "/Workinp", toolInput);
    DisableEntry(index);
    context_.status.ShowWarning(kMissing);
  }
  const std::string label = base + "/LabelCollection/" + name;
  if (IsPlainFileName(name) && Exists(label)) {
    CopyIntoCollection(label, base + "/Frames/" + StemOf(toolInput) + ".LAB", context_.status);
  } else {
    RemoveCollectionFile(base + "/Frames", StemOf(toolInput) + ".LAB");
    DisableEntry(index);
    context_.status.ShowWarning(kMissing);
  }
}

void Preparation::CopyMember(const std::string& base, const std::string& value) {
  const std::string memberName = BeforeFirst(value, "@");
  const std::string memberPath = AfterFirst(value, "@");
  auto& frame = context_.job.copyLibrary;
  const std::string copylib = frame.Text().empty() ? frame.DefaultName() : frame.Text();
  const size_t slash = copylib.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : copylib.substr(0, slash);
  // The library is listed with its subfolders: a member is copied from where it was
  // found, as long as that lies inside the library.
  const bool inside =
      memberPath.rfind(dir + "/", 0) == 0 && memberPath.find("/../") == std::string::npos;
  const std::string source = inside ? memberPath : dir + "/" + FileNameOf(memberPath);
  if (!IsPlainFileName(memberName) || !Exists(source)) {
    RemoveCollectionFile(base + "/Frames", memberName);
    context_.status.ShowWarning(kMissing);
    return;
  }
  CopyIntoCollection(source, base + "/Frames/" + memberName, context_.status);
}

void Preparation::SaveControlFiles(const std::string& base) {
  const std::string xmlPath = base + "/" + std::string(contract::kParameterFile);
  Outcome written = WriteOwnedFile(xmlPath, parameters_.xml);
  if (written && job_.MultiEntity()) {
    std::vector<std::string> batch;
    batch.reserve(parameters_.batch.size() + 1);
    batch.emplace_back(contract::kBatchHeader);
    batch.insert(batch.end(), parameters_.batch.begin(), parameters_.batch.end());
    written = WriteOwnedFile(base + "/" + std::string(contract::kBatchFile), batch);
  }
  if (written) return;
  std::error_code ec;
  fs::remove(xmlPath, ec);
  written = WriteOwnedFile(xmlPath, parameters_.xml);
  if (!written) context_.status.ShowErrorAndAbort(written.Why());
}

void Preparation::Finish() {
  copy_.reset();
  stopRequested_ = false;
  context_.view.sourcesBar.StepIt();
  auto& page = context_.view.sourcesPage;
  page.SetCaption(BeforeFirst(page.Caption(), "(") + "(" +
                  std::to_string(sources_.Sources().List().Items().size()) + ")");
  context_.view.progress.SetVisible(false);
}

}  // namespace korvane
