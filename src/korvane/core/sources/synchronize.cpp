#include "korvane/core/sources/synchronize.h"

#include <cerrno>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "korvane/core/common/text.h"
#include "korvane/core/common/text_file.h"
#include "korvane/core/project/job_folder.h"
#include "korvane/core/sources/copy_library.h"
#include "platform/atomic_file.h"

namespace korvane {

namespace fs = std::filesystem;

namespace {

using NameSet = std::unordered_set<std::string>;

// A list line is {file name}={origin}; a line without "=" is all name.
std::string_view EntryName(std::string_view text) {
  return text.substr(0, text.find('='));
}

std::string Stem(std::string_view name) {
  return std::string(name.substr(0, name.rfind('.')));
}

// Lower-cased entry name -> index of the first entry carrying it.
std::unordered_map<std::string, size_t> IndexByName(const CheckList& list) {
  std::unordered_map<std::string, size_t> index;
  index.reserve(list.Items().size());
  for (size_t i = 0; i < list.Items().size(); ++i) {
    index.emplace(ToLower(EntryName(list.Items()[i].text)), i);
  }
  return index;
}

// Removes a file or a link itself (never what a link points to); a failure is ignored.
bool RemoveEntry(const std::string& path) {
  std::error_code ec;
  return fs::remove(path, ec) && !ec;
}

// The whole name of a source whose own name holds "=": its line reads
// {name}={origin} and the origin ends in that same name. Empty for any other line.
std::string SplitName(std::string_view text) {
  const size_t slash = text.find_last_of("/\\");
  if (slash == std::string_view::npos) return {};
  const std::string_view name = text.substr(slash + 1);
  if (name.find('=') == std::string_view::npos || text.size() <= name.size() ||
      text.substr(0, name.size()) != name || text[name.size()] != '=') {
    return {};
  }
  return std::string(name);
}

// Drops the entries whose names are not in keep, in one pass, keeping the highlighted line
// on the same entry when it stays. The names of the dropped entries go to dropped.
void KeepOnly(CheckList& list, const NameSet& keep, std::vector<std::string>* dropped = nullptr) {
  const auto& items = list.Items();
  std::vector<CheckListItem> kept;
  kept.reserve(items.size());
  int highlighted = -1;
  for (size_t i = 0; i < items.size(); ++i) {
    if (keep.count(ToLower(EntryName(items[i].text))) == 0) {
      if (dropped != nullptr) dropped->emplace_back(EntryName(items[i].text));
      continue;
    }
    if (static_cast<int>(i) == list.ItemIndex()) highlighted = static_cast<int>(kept.size());
    kept.push_back(items[i]);
  }
  if (kept.size() == items.size()) return;
  list.SetItems(std::move(kept));
  list.SetItemIndex(highlighted);
}

// The wrapper marks with removals collected and applied in one pass at the end, so that
// withdrawing thousands of sources stays linear; reads see the pending removals.
class MarksEdit {
 public:
  explicit MarksEdit(KeyedLines& lines) : lines_(lines) {}
  ~MarksEdit() { Commit(); }
  MarksEdit(const MarksEdit&) = delete;
  MarksEdit& operator=(const MarksEdit&) = delete;

  std::string Value(const std::string& key) const {
    return pending_.count(ToLower(key)) != 0 ? std::string() : lines_.Value(key);
  }
  void Set(const std::string& key, const std::string& value) {
    pending_.erase(ToLower(key));
    lines_.SetValue(key, value);
  }
  void Remove(const std::string& key) {
    if (lines_.IndexOfName(key) >= 0) pending_.insert(ToLower(key));
  }
  void RemoveAll(std::string_view fileName) {
    const std::string name(fileName);
    Remove(name + ".Lbl");
    Remove(name + ".Unr");
    Remove(name + ".WrpT");
  }

 private:
  // Each pending key loses its first line, as a single removal by name would.
  void Commit() {
    if (pending_.empty()) return;
    std::vector<std::string> kept;
    kept.reserve(lines_.size());
    for (const std::string& line : lines_.Lines()) {
      if (KeyedLines::HasName(line) && pending_.erase(ToLower(KeyedLines::NameOf(line))) != 0) {
        continue;
      }
      kept.push_back(line);
    }
    lines_.SetLines(std::move(kept));
    pending_.clear();
  }

  KeyedLines& lines_;
  NameSet pending_;
};

// The prefix a label file of this wrapping type must start with; empty when unchecked.
std::string_view LabelPrefix(const std::string& type) {
  if (type == "Onl") return "MASK:";
  if (type == "File") return "FILE:";
  if (type == "Module") return "ENTR:";
  if (type == "Proc") return "PROC:";
  return {};
}

void EnsureLabelFolder(const std::string& dir) {
  std::error_code ec;
  const fs::file_type type = fs::symlink_status(dir, ec).type();
  if (type == fs::file_type::directory) return;
  if (type != fs::file_type::not_found) {
    // A link here could lead the label files out of the job: refuse it.
    throw FileError(dir, ENOTDIR, std::generic_category().message(ENOTDIR));
  }
  fs::create_directories(dir, ec);
  if (ec) throw FileError(dir, ec.value(), ec.message());
}

class Synchronizer {
 public:
  explicit Synchronizer(const JobDirectories& job) : job_(job), marks_(job.marks.Keyed()) {}

  bool Run() {
    if (job_.copiesTabShown && Allowed(job_.base + "/CopyCollection")) SyncCopies();
    // Labels and RTF files are kept or dropped by the sources they belong to, so all
    // three wait while either folder they depend on cannot be trusted.
    const bool sources = Allowed(job_.base + "/SourceCollection");
    if (sources && Allowed(labelDir_)) {
      SyncSources();
      SyncLabels();
      if (Allowed(job_.base + "/RTFCollection")) SyncRtf();
    }
    job_.sources.Touch();
    job_.copies.Touch();
    return !changed_;
  }

 private:
  void Modified() {
    if (job_.modified != nullptr) *job_.modified = true;
  }

  // A collection folder that is a link would have the shell delete (or, missing its
  // files, drop the entries of) whatever lies behind it.
  bool Allowed(const std::string& folder) {
    const Outcome real = CheckRealFolder(folder);
    if (real) return true;
    if (job_.refusedFolders != nullptr) job_.refusedFolders->push_back(real.Why());
    return false;
  }

  void SyncCopies() {
    const auto entries = IndexByName(job_.copies);
    const auto files = ListCollectionFiles(job_.base + "/CopyCollection");
    NameSet present;
    for (auto file = files.rbegin(); file != files.rend(); ++file) {
      std::string lower = ToLower(file->name);
      if (entries.count(lower) != 0) {
        present.insert(std::move(lower));
      } else {
        RemoveEntry(file->path);
        Modified();
        changed_ = true;
      }
    }
    KeepOnly(job_.copies, present);
  }

  void SyncSources() {
    const auto entries = IndexByName(job_.sources);
    std::unordered_map<std::string, size_t> split;  // lower-cased whole name -> entry
    for (size_t i = 0; i < job_.sources.Items().size(); ++i) {
      std::string name = SplitName(job_.sources.Items()[i].text);
      if (!name.empty()) split.emplace(ToLower(name), i);
    }
    const auto files = ListCollectionFiles(job_.base + "/SourceCollection");
    labels_ = ListCollectionFiles(labelDir_);
    labelGone_.assign(labels_.size(), false);
    for (size_t i = 0; i < labels_.size(); ++i) {
      if (labels_[i].topLevel) topLabels_.emplace(labels_[i].name, i);
    }
    auto& items = job_.sources.MutableItems();
    for (auto file = files.rbegin(); file != files.rend(); ++file) {
      std::string lower = ToLower(file->name);
      const auto entry = entries.find(lower);
      if (const auto whole = split.find(lower); entry == entries.end() && whole != split.end()) {
        // Its own copy: deleting it would lose the source, dropping the entry would
        // lose it from the job. Both stay until it is renamed.
        const CheckListItem& item = job_.sources.Items()[whole->second];
        if (item.checked) changed_ = true;
        if (job_.unholdableSources != nullptr) job_.unholdableSources->push_back(file->name);
        sourceNames_.insert(ToLower(EntryName(item.text)));
        sourceNames_.insert(std::move(lower));
        continue;
      }
      if (entry == entries.end()) {
        RemoveEntry(file->path);
        marks_.RemoveAll(file->name);
        Modified();
        continue;
      }
      sourceNames_.insert(std::move(lower));
      CheckSource(items[entry->second]);
    }
    WriteNewLabels();
    KeepOnly(job_.sources, sourceNames_, job_.droppedSources);
  }

  void CheckSource(CheckListItem& item) {
    const std::string name(EntryName(item.text));
    const std::string type = marks_.Value(name + ".WrpT");
    const std::string_view prefix = LabelPrefix(type);
    auto label = topLabels_.find(name);
    if (label != topLabels_.end() && !prefix.empty()) {
      const CollectionFile& file = labels_[label->second];
      // A link is never trusted as a label: it goes like a label that does not fit.
      const bool fits = !file.isLink && ReadLabelHead(file.path).starts_with(prefix);
      if (!fits && RemoveEntry(file.path)) {
        labelGone_[label->second] = true;
        topLabels_.erase(label);
        label = topLabels_.end();
      }
    }
    if (label != topLabels_.end()) {
      if (!prefix.empty()) KeepLabelMark(item, name);
      return;
    }
    if (type == "File" || type == "Proc") {
      if (item.checked) changed_ = true;
      item.checked = false;
      item.enabled = false;
      marks_.Remove(name + ".Lbl");
      marks_.Remove(name + ".Unr");
    } else if (type == "Onl" || type == "Module") {
      EnsureLabelFolder(labelDir_);
      const std::string path = labelDir_ + "/" + name;
      // Written together once every source is checked.
      newLabels_.push_back({path, JoinLinesCrLf({std::string(prefix) + name})});
      topLabels_.emplace(name, labels_.size());
      labels_.push_back({name, path, false, true});
      labelGone_.push_back(false);
      marks_.Set(name + ".Lbl", "Y");
      marks_.Remove(name + ".Unr");
    }
  }

  void WriteNewLabels() {
    std::string failed;
    // A label file that a crash left empty does not fit its source at the next
    // opening, which writes it again: these need not wait for the disk.
    const std::string error =
        platform::WriteFilesAtomic(newLabels_, failed, platform::Durability::RecomputedIfLost);
    newLabels_.clear();
    if (!error.empty()) throw FileError(failed, 0, error);
  }

  // A fitting label file is the marker's record that the source has its labels: a holder
  // that lost the entry (a job saved while the marks were not) takes it back, and an
  // entry greyed for the want of labels is usable and checked again, as saving the marks
  // left it.
  void KeepLabelMark(CheckListItem& item, const std::string& name) {
    if (marks_.Value(name + ".Lbl") == "Y") return;
    marks_.Set(name + ".Lbl", "Y");
    if (item.enabled) return;
    item.enabled = true;
    item.checked = true;
  }

  void SyncLabels() {
    for (size_t i = 0; i < labels_.size(); ++i) {
      if (labelGone_[i] || sourceNames_.count(ToLower(labels_[i].name)) != 0) continue;
      RemoveEntry(labels_[i].path);
      marks_.RemoveAll(labels_[i].name);
      Modified();
    }
  }

  void SyncRtf() {
    NameSet wanted;
    for (const CheckListItem& item : job_.sources.Items()) {
      wanted.insert(ToLower(item.text));
      wanted.insert(ToLower(Stem(EntryName(item.text))) + ".rtf");
    }
    for (const CollectionFile& file : ListCollectionFiles(job_.base + "/RTFCollection")) {
      if (wanted.count(ToLower(file.name)) != 0) continue;
      RemoveEntry(file.path);
      marks_.RemoveAll(file.name);
      Modified();
    }
  }

  const JobDirectories& job_;
  MarksEdit marks_;
  const std::string labelDir_ = job_.base + "/LabelCollection";
  bool changed_ = false;
  NameSet sourceNames_;  // lower-cased names of the sources whose files are present
  std::vector<CollectionFile> labels_;
  std::vector<bool> labelGone_;
  std::unordered_map<std::string, size_t> topLabels_;  // label file name -> labels_ index
  std::vector<platform::AtomicWrite> newLabels_;
};

}  // namespace

bool SynchronizeJobDirectories(const JobDirectories& job) {
  return Synchronizer(job).Run();
}

}  // namespace korvane
