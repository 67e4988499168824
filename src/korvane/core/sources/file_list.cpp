#include "korvane/core/sources/file_list.h"

#include <algorithm>

#include "korvane/core/common/text.h"

namespace korvane {

FileList::FileList(CheckList& list) : list_(list), shared_(std::make_shared<Shared>()) {
  // The slot may outlive this object (the form is older), so it holds only the
  // shared flags.
  connections_.Add(list_.changed.Connect([shared = shared_] {
    if (!shared->muted) shared->stale = true;
  }));
}

std::string FileList::NameOf(std::string_view line) {
  return std::string(line.substr(0, line.find('=')));
}

std::string FileList::PathOf(std::string_view line) {
  const size_t eq = line.find('=');
  return eq == std::string_view::npos ? std::string() : std::string(line.substr(eq + 1));
}

bool FileList::LineLess(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const char x = ToLowerChar(a[i]);
    const char y = ToLowerChar(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

void FileList::EnsureIndex() {
  const auto& items = list_.Items();
  if (!shared_->stale && names_.size() == items.size()) return;
  names_.clear();
  names_.reserve(items.size());
  for (const auto& item : items) names_.insert(ToLower(NameOf(item.text)));
  shared_->stale = false;
  if (Sorting()) {
    const bool ordered =
        std::is_sorted(items.begin(), items.end(),
                       [](const auto& a, const auto& b) { return LineLess(a.text, b.text); });
    if (!ordered) SortLines();
  }
}

bool FileList::Contains(std::string_view fileName) {
  EnsureIndex();
  return names_.count(ToLower(fileName)) != 0;
}

void FileList::Add(CheckListItem item) {
  EnsureIndex();
  names_.insert(ToLower(NameOf(item.text)));
  auto& items = list_.MutableItems();
  if (Sorting()) {
    const auto at = std::upper_bound(items.begin(), items.end(), item.text,
                                     [](const std::string& text, const CheckListItem& other) {
                                       return LineLess(text, other.text);
                                     });
    items.insert(at, std::move(item));
    Announce();
  } else {
    items.push_back(std::move(item));
  }
}

void FileList::RemoveIf(const std::function<bool(const CheckListItem&)>& drop) {
  auto& items = list_.MutableItems();
  items.erase(std::remove_if(items.begin(), items.end(), drop), items.end());
  if (list_.ItemIndex() >= static_cast<int>(items.size())) list_.SetItemIndex(-1);
  shared_->stale = true;
  Announce();
}

void FileList::SetSorting(bool on) {
  const bool was = Sorting();
  list_.SetSorted(on);
  if (on && !was) SortLines();
}

void FileList::SortLines() {
  auto& items = list_.MutableItems();
  std::stable_sort(items.begin(), items.end(),
                   [](const auto& a, const auto& b) { return LineLess(a.text, b.text); });
  Announce();
}

void FileList::Announce() {
  struct Mute {
    Shared& s;
    explicit Mute(Shared& shared) : s(shared) { s.muted = true; }
    ~Mute() { s.muted = false; }
  } mute(*shared_);
  list_.Touch();
}

}  // namespace korvane
