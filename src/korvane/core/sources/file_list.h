#pragma once
// A file list of the job ({file name}={origin path} lines in a check list)
// with a hashed index of its file names ignoring case, sorted insertion while
// sorting is on and one sort when a bulk add switches it back on.

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

#include "korvane/core/components/lists.h"

namespace korvane {

class FileList {
 public:
  explicit FileList(CheckList& list);

  CheckList& List() { return list_; }
  const CheckList& List() const { return list_; }

  // The name part of a line (before the first "="), the whole line without one.
  static std::string NameOf(std::string_view line);
  // The value part of a line (after the first "="); empty without one.
  static std::string PathOf(std::string_view line);
  // The order of sorted lists: ignoring case, ties broken by the exact text so
  // that equal lines always end up side by side.
  static bool LineLess(std::string_view a, std::string_view b);

  bool Contains(std::string_view fileName);
  // Inserted at its sorted place while sorting is on. Otherwise (a bulk add)
  // appended without telling the view; switching sorting on tells it once.
  void Add(CheckListItem item);
  // Drops the entries for which drop() holds; the others keep their order.
  void RemoveIf(const std::function<bool(const CheckListItem&)>& drop);

  bool Sorting() const { return list_.Sorted(); }
  // Switching sorting on sorts the lines once.
  void SetSorting(bool on);
  void SortLines();

 private:
  // Lines changed by others (a job being opened, synchronisation) only mark
  // the index stale; it is rebuilt on the next lookup.
  struct Shared {
    bool stale = true;
    bool muted = false;
  };
  void EnsureIndex();
  void Announce();

  CheckList& list_;
  std::shared_ptr<Shared> shared_;
  std::unordered_set<std::string> names_;
  ConnectionList connections_;
};

}  // namespace korvane
