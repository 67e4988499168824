#pragma once
// The job held by the main window: its names, directories, run bookkeeping and
// the modified flag with its save question. Other services read and change the
// state through this one object.

#include <memory>
#include <string>

#include "korvane/core/common/outcome.h"
#include "korvane/core/config/product_job.h"
#include "korvane/core/form/window_context.h"
#include "korvane/core/project/job_folder.h"
#include "korvane/core/project/pending_edits.h"
#include "korvane/core/project/result_renamer.h"
#include "platform/folder_lock.h"

namespace korvane {

struct ProjectState {
  std::string projectName;  // empty: derived from the names on demand
  std::string productName;
  std::string systemName;
  std::string subVersion;
  std::string interfaceType;
  std::string projectDirectory;  // with trailing "/"
  std::string workDir;           // OutputDir + "/Work"
  bool batchRunning = false;
  int numberOfModules = 0;
  int numberOfRenamedModules = 0;
  int numberOfSourceFiles = 0;
  int numberOfRenamedSourceFiles = 0;
  int sourceLinesInJob = 0;
  int selectedFilesScreenWidth = 0;
  int usedCopiesScreenWidth = 0;
  bool modified = false;
  bool nameChanged = false;
  bool loading = false;
  bool createPending = false;
  FolderTrust folderTrust = FolderTrust::Owned;
  std::string jobFile;      // the job file this state was loaded from, if any
  std::string loadedName;   // the project name the job had when its file was loaded
  std::string trustReason;  // why an unconfirmed base directory was not taken
};

// The window caption with the project name put between " [" and "]".
std::string CaptionWithProject(const std::string& caption, const std::string& projectName);

// Saves the job as the save command does (the save question's Yes); a cancelled save
// ends the operation.
class JobSaver {
 public:
  virtual ~JobSaver() = default;
  virtual void SaveJob() = 0;
};

class Project {
 public:
  // The active product's language keys the remembered folders.
  Project(WindowContext& context, const ActiveLanguage& language, JobSaver& saver);

  ProjectState& State() { return state_; }
  const ProjectState& State() const { return state_; }
  WindowContext& Context() { return context_; }

  // The job base directory is the text of the output directory frame.
  std::string OutputDir() const;
  void SetOutputDir(const std::string& dir);

  std::string GetProjectName();
  void SetProjectName(const std::string& fileName);
  void SetProductName(const std::string& text);
  void SetSystemName(const std::string& text);
  void SetProjectDirectory(const std::string& path);
  // Clearing a modified project asks whether to save first; Cancel ends the
  // operation and the project stays modified.
  void SetModified(bool flag);
  // Changed since the last save or load, pending edits of other services included.
  bool Modified() const;
  // Edits kept elsewhere until the job is saved; they make the project count as
  // modified for the save question.
  void SetPendingEdits(const PendingEdits* edits) { pendingEdits_ = edits; }
  // Who renames the results when a job whose run went on is opened again.
  void SetResultRenamer(ResultRenamer* renamer) { renamer_ = renamer; }
  void SetBatchRunning(bool flag);
  // After a successful save: no question, just not modified any more.
  void MarkSaved();

  // Whether the shell may write into and delete from the job's base directory.
  FolderTrust Trust() const { return state_.folderTrust; }
  void SetTrust(FolderTrust trust, std::string reason = {});
  // Whether the shell may write and delete in the base directory, or why not.
  Outcome Writable() const;
  // The base directory when the shell may write and delete in it; otherwise the
  // operation ends with a message saying why.
  std::string WritableBase();

  // Holds the base folder for this shell: another shell (window or -batch) on the
  // same folder is refused until this one lets go. A failure says why: another process
  // holds it (BaseHeld() tells), or the folder cannot be locked.
  Outcome LockBase(const std::string& dir);
  void ReleaseBase() { lock_.reset(); }
  // The last attempt to hold the base folder found another process holding it.
  bool BaseHeld() const { return baseHeld_; }

  // How a question that lets this job take a folder or file of another job is
  // answered: asked in the window, refused without one unless the person said
  // beforehand (a switch) that it may.
  enum class TakeOver { Ask, Refuse, Allow };
  void SetTakeOver(TakeOver policy) { takeOver_ = policy; }
  // Asks (or answers by the policy) whether question may be said yes to.
  bool MayTakeOver(const std::string& question);
  // The base folder is refused to this job (held, or another job's).
  void SetBaseHeld() { baseHeld_ = true; }

  // Reconciles a job that was saved while its background run was going.
  void CheckBatchOnLoad();

  // Connects the name edit boxes: typing copies the text into the state,
  // leaving a non-empty box applies the name rule.
  void BindNameFields();

 private:
  void ApplyName(const std::string& text, std::string& name, EditBox& edit, const char* message);
  WindowContext& context_;
  const ActiveLanguage& language_;
  JobSaver& saver_;
  const PendingEdits* pendingEdits_ = nullptr;
  ResultRenamer* renamer_ = nullptr;
  ProjectState state_;
  std::unique_ptr<platform::FolderLock> lock_;
  bool baseHeld_ = false;
  TakeOver takeOver_ = TakeOver::Ask;
  ConnectionList connections_;
};

}  // namespace korvane
