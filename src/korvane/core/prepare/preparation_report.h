#pragma once
// What the last preparation did with each source: lines written to its tool input, the
// copy statements with the member that resolved them, the names not found, and the copy
// statements inside the members used. It is for the person only and never reaches the
// tools' input structure.

#include <string>
#include <vector>

#include "korvane/core/sources/copy_library.h"

namespace korvane {

struct SourceReport {
  std::string fileName;
  std::string toolInput;  // SRCnnnn{ext}
  long long lines = 0;
  CopyTrace copies;
};

class PreparationReport {
 public:
  void Clear() { sources_.clear(); }
  void Add(SourceReport source) { sources_.push_back(std::move(source)); }
  const std::vector<SourceReport>& Sources() const { return sources_; }
  // Copy statements that no member resolved, over all sources.
  size_t UnresolvedCount() const;
  long long TotalLines() const;
  // The report as text lines, for the console.
  std::vector<std::string> Format() const;

 private:
  std::vector<SourceReport> sources_;
};

}  // namespace korvane
