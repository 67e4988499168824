#pragma once
// The rules of the job base directory field: which paths are accepted, how
// they are normalised, creating a missing directory, and extending the path
// with the project name when the names group is dropped onto it.

#include <string>

#include "korvane/core/project/project.h"

namespace korvane {

// An absolute path: one leading "/" (not "//", which would be a network path).
bool IsAbsoluteOutputDir(const std::string& text);
// Runs of "/" collapsed to one and a trailing "/" removed; the root stays "/".
std::string NormaliseOutputDir(const std::string& text);
// The tool work directory below a base directory.
std::string WorkDirOf(const std::string& outputDir);

class OutputDirectoryField {
 public:
  explicit OutputDirectoryField(Project& project);

  // Hooks the rules below into the directory frame's callbacks.
  void Bind();

  // Leaving the field, or Enter in it.
  void Leave();
  // A key typed in the field; Enter validates like leaving.
  void KeyTyped(bool enter);
  // The frame's callback for an edited field: offers to create a missing directory.
  void ModifiedExit();
  // The frame's browse button picked a directory.
  void AfterBrowse();
  // The frame's callback after a browse or a drop put another directory in.
  void DirectoryChanged();
  // The "Names" group was dropped on the "Data set definitions" group.
  void DropNames();

 private:
  void NormaliseField();
  void ConfirmChoice();

  Project& project_;
  ConnectionList connections_;
};

}  // namespace korvane
