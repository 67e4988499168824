#include "korvane/core/prepare/preparation_report.h"

namespace korvane {

size_t PreparationReport::UnresolvedCount() const {
  size_t count = 0;
  for (const SourceReport& source : sources_) count += source.copies.unresolved.size();
  return count;
}

long long PreparationReport::TotalLines() const {
  long long lines = 0;
  for (const SourceReport& source : sources_) lines += source.lines;
  return lines;
}

std::vector<std::string> PreparationReport::Format() const {
  std::vector<std::string> out;
  out.push_back("Preparation report: " + std::to_string(sources_.size()) + " sources, " +
                std::to_string(TotalLines()) + " lines, " + std::to_string(UnresolvedCount()) +
                " unresolved copy statements");
  for (const SourceReport& source : sources_) {
    out.push_back(source.fileName + " -> " + source.toolInput + ": " +
                  std::to_string(source.lines) + " lines");
    for (const auto& use : source.copies.resolved) {
      out.push_back("  copy " + use.name + " = " + use.member);
    }
    for (const auto& name : source.copies.unresolved) {
      out.push_back("  copy " + name + " not found");
    }
    for (const auto& use : source.copies.nested) {
      out.push_back("  copy " + use.name + " inside " + use.member + " left as it is");
    }
  }
  return out;
}

}  // namespace korvane
