#pragma once
// The one way stelmar's core reaches the person: message boxes, the modal
// dialogs (each given its model, whose OK and Cancel the view calls) and the
// platform's open-file dialog. The Qt view implements it with real dialogs,
// tests with a scripted fake.

#include <optional>
#include <string>

#include "stelmar/core/settings.h"

namespace stelmar {

class SingleFileDialog;
class MultiFileDialog;
class ObjectSelectionDialog;
class DirectoriesDialog;
class DirectoryBrowser;
class CopyDirectoriesDialog;
class ParameterDialog;
class EditorDialog;

class StelmarPort {
 public:
  virtual ~StelmarPort() = default;

  // An error box with an OK button.
  virtual void ShowError(const std::string& text, const std::string& caption) = 0;

  // Each shows its dialog modally and returns when it closed.
  virtual void RunSingleFile(SingleFileDialog& dialog) = 0;
  virtual void RunMultiFile(MultiFileDialog& dialog) = 0;
  virtual void RunObjectSelection(ObjectSelectionDialog& dialog) = 0;
  virtual void RunDirectories(DirectoriesDialog& dialog) = 0;
  virtual void RunDirectoryBrowser(DirectoryBrowser& dialog) = 0;
  virtual void RunCopyDirectories(CopyDirectoriesDialog& dialog) = 0;
  virtual void RunParameter(ParameterDialog& dialog) = 0;
  virtual void RunEditor(EditorDialog& dialog) = 0;

  // The platform's open-file dialog for an existing file, starting in startDir.
  virtual std::optional<std::string> OpenFile(const OpenFileData& data,
                                              const std::string& startDir) = 0;
};

}  // namespace stelmar
