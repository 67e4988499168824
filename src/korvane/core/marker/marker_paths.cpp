// Paths and modes of the label marker.
#include "korvane/core/marker/marker_paths.h"

#include <filesystem>

#include "korvane/core/common/text.h"

namespace korvane {

std::string ReplaceFirstNoCase(const std::string& text, const std::string& what,
                               const std::string& with, bool* replaced) {
  const int at = PosFrom(what, text, 1, false);
  if (replaced != nullptr) *replaced = at > 0;
  if (at <= 0) return text;
  return text.substr(0, at - 1) + with + text.substr(at - 1 + what.size());
}

MarkerPaths PathsFor(const std::string& sourcePath) {
  MarkerPaths paths;
  paths.source = sourcePath;
  paths.sourceName = std::filesystem::path(sourcePath).filename().string();
  bool replaced = false;
  std::filesystem::path rich(
      ReplaceFirstNoCase(sourcePath, "SourceCollection", "RTFCollection", &replaced));
  rich.replace_extension(".rtf");
  paths.richText = rich.string();
  paths.labels = ReplaceFirstNoCase(sourcePath, "SourceCollection", "LabelCollection");
  paths.inCollection = replaced;
  return paths;
}

MarkKind MarkKindOf(const std::string& wrapType) {
  if (wrapType == "File") return {MarkMode::File, "FILE:"};
  if (wrapType == "Module") return {MarkMode::Module, "ENTR:"};
  if (wrapType == "Proc") return {MarkMode::Proc, "PROC:"};
  return {MarkMode::Online, "MASK:"};
}

}  // namespace korvane
