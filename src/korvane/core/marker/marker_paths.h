#pragma once
// Where the marks of a source are kept and what its wrap type asks of the marker: the
// rich-text copy in RTFCollection, the label file in LabelCollection, the mode and the
// prefix of every label.

#include <string>

namespace korvane {

struct MarkerPaths {
  std::string source;
  std::string richText;  // first "SourceCollection" -> "RTFCollection", extension ".rtf"
  std::string labels;    // first "SourceCollection" -> "LabelCollection"
  std::string sourceName;
  // The source lies in a SourceCollection folder; only then may the marks be written,
  // as the other two paths would otherwise name the source itself.
  bool inCollection = false;
};

MarkerPaths PathsFor(const std::string& sourcePath);

enum class MarkMode { Online = 0, File = 1, Module = 2, Proc = 3 };

struct MarkKind {
  MarkMode mode = MarkMode::Online;
  const char* prefix = "MASK:";
};

// By wrap type code: "Onl", "File", "Module", "Proc"; anything else marks as "Onl".
MarkKind MarkKindOf(const std::string& wrapType);

// Replaces the first occurrence of what in text, ignoring case.
std::string ReplaceFirstNoCase(const std::string& text, const std::string& what,
                               const std::string& with, bool* replaced = nullptr);

}  // namespace korvane
