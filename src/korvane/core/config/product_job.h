#pragma once
// What the product catalogue needs of the job held in the window: a product change
// ends the job (asking to save first), empties it, and proposes its folders; a job
// being loaded selects its product quietly and keeps the names it brings.

#include <string>

namespace korvane {

// The active product's language code, which keys the folders the shell remembers.
class ActiveLanguage {
 public:
  virtual ~ActiveLanguage() = default;
  virtual const std::string& LangCode() const = 0;
};

// How a product is selected: by the person, or for a job being opened.
struct ProductSelection {
  // The tool frames and the base folder are checked afterwards (a job being opened
  // checks them once it is applied).
  bool checkTools = true;
  // The job is emptied first (an open has emptied it already).
  bool clearJob = true;
  // The name of the job being opened: its base folder is proposed in the job folder
  // under that name rather than the one last used.
  std::string projectName;
};

class ProductJob {
 public:
  virtual ~ProductJob() = default;

  // Ends the job's modified state; may ask to save and end the operation on Cancel.
  virtual void ClearModified() = 0;
  // Forgets unsaved changes without asking (the shell is being disabled).
  virtual void ForgetChanges() = 0;
  // Empties the job for another product.
  virtual void ClearProject() = 0;
  // A job file is being applied: product clicks and selections are ignored.
  virtual bool Loading() const = 0;
  virtual void SetProjectDirectory(const std::string& dir) = 0;
  virtual std::string OutputDir() const = 0;
  virtual void SetOutputDir(const std::string& dir) = 0;
  virtual void SetWorkDir(const std::string& dir) = 0;
  virtual void SetSubVersion(const std::string& version) = 0;
  // The next save asks for a file name.
  virtual void MarkNameChanged() = 0;
  // The output directory does not exist and the person has been told so.
  virtual void OutputDirMissing() = 0;
  // Creates the output directory without asking (while a job loads).
  virtual void CreateOutputDir(const std::string& dir) = 0;
};

}  // namespace korvane
