#pragma once
// The two reusable frames of the shell: a directory field with a browse
// button, and a tool-path field that validates the file it names. Both report
// through the shell's status bar and reach the person through the port.

#include <functional>
#include <string>
#include <vector>

#include "korvane/core/components/component.h"

namespace korvane {

class PersonPort;
class SettingsStore;
class StatusBar;

// What both frames share: the edited path text with its typed flag, the
// browsing colour, the status bar that receives their messages, and the two
// handlers the view calls (leaving the field, the browse button).
class PathField : public Component {
 public:
  PathField(std::string name, ComponentKind kind, std::string parent, std::string caption)
      : Component(std::move(name), kind, std::move(parent)) {
    SetCaption(caption);  // the caption label
  }

  const std::string& Text() const { return text_; }
  void SetText(const std::string& t) {
    modified_ = false;
    Assign(text_, t);
  }
  void UserEdit(const std::string& t) {
    modified_ = true;
    Assign(text_, t);
    typed.Emit();
  }
  // The person typed in the field.
  Signal<> typed;
  bool Modified() const { return modified_; }
  void SetModified(bool m) { modified_ = m; }
  // The edit field shows the button-face colour while a dialog is open.
  bool Browsing() const { return browsing_; }
  void SetBrowsing(bool b) { Assign(browsing_, b); }
  // A red field.
  virtual bool Invalid() const { return false; }
  // Shows the full path as the field's tool tip.
  void ShowTextAsHint() { SetHint(text_); }

  // Where messages go; without one they are dropped.
  void SetStatusBar(StatusBar* bar) { statusBar_ = bar; }
  StatusBar* GetStatusBar() const { return statusBar_; }

  // Leaving the edit field (Enter does the same).
  virtual void EditExit() = 0;
  // What the view calls when the field is left: the owner's rules when it
  // listens to leaving (they run EditExit themselves), else EditExit.
  void Leave() {
    if (leaving.SlotCount() > 0) {
      leaving.Emit();
    } else {
      EditExit();
    }
  }
  Signal<> leaving;
  // The browse button.
  virtual void BrowseClick() = 0;
  // Files dropped on the frame from the file manager.
  virtual void DropFiles(const std::vector<std::string>& paths) = 0;

 protected:
  std::string text_;
  bool modified_ = false;
  bool browsing_ = false;
  StatusBar* statusBar_ = nullptr;
};

class DirectoryFrame : public PathField {
 public:
  DirectoryFrame(std::string name, std::string parent, std::string caption)
      : PathField(std::move(name), ComponentKind::DirectoryFrame, std::move(parent),
                  std::move(caption)) {}

  bool AllowCreate() const { return allowCreate_; }
  void SetAllowCreate(bool a) { allowCreate_ = a; }
  // The folder browser and the remembered last folder. Browsing or dropping
  // on an unbound frame is a programming error (std::logic_error).
  void Bind(PersonPort& person, SettingsStore& settings) {
    person_ = &person;
    settings_ = &settings;
  }

  // Leaving the edit field (Enter does the same): a typed directory that does
  // not exist is reported and the browser offered.
  void EditExit() override;
  // The browse button: browseClicked when listened to, else BrowseForDir().
  void BrowseClick() override;
  // Opens the folder browser at the nearest existing folder of the text.
  // A cancel reports and throws OperationAbort.
  void BrowseForDir();
  // One dropped file or folder; a file stands for its folder.
  void DropFiles(const std::vector<std::string>& paths) override;

  // The folder the browser starts in for the current text.
  std::string BrowseStartDirectory() const;

  // The text was changed by typing and the field left (before its check).
  Signal<> modifiedExit;
  // A different directory was chosen by browsing or dropping.
  Signal<> directoryChanged;
  // Replaces the default browse click; the shell wraps BrowseForDir with its
  // own rules for the output directory.
  Signal<> browseClicked;

 private:
  void ReportError(const std::string& text);
  void TakeDirectory(const std::string& dir);

  bool allowCreate_ = true;
  PersonPort* person_ = nullptr;
  SettingsStore* settings_ = nullptr;
};

class ToolPathFrame : public PathField {
 public:
  // The caption names the file wanted.
  ToolPathFrame(std::string name, std::string parent, std::string caption)
      : PathField(std::move(name), ComponentKind::ToolPathFrame, std::move(parent),
                  std::move(caption)) {}

  // "@": never validated; containing "*": the file is marked unavailable.
  const std::string& DefaultName() const { return defaultName_; }
  void SetDefaultName(const std::string& d) { defaultName_ = d; }
  // A red field: the file is missing or marked unavailable.
  bool Invalid() const override { return invalid_; }
  void SetInvalid(bool i) { Assign(invalid_, i); }
  // The browse dialog keeps its filter and title after the first use.
  const std::string& DialogFilter() const { return dialogFilter_; }
  void SetDialogFilter(const std::string& f) { dialogFilter_ = f; }
  const std::string& DialogTitle() const { return dialogTitle_; }
  void SetDialogTitle(const std::string& t) { dialogTitle_ = t; }

  // Messages are collected in the status bar, never ending the operation.
  // The open dialog; browsing on an unbound frame is a programming error.
  void Bind(PersonPort& person) { person_ = &person; }

  // Whether the frame names a usable file. A missing file turns the field
  // red; interactive validation then offers the open dialog. Tag 1 frames
  // (optional files) only turn red and stay valid.
  bool ValidatePath(bool interactive);
  // The open dialog preset from path (or from DefaultName when path is "?"
  // or empty); on OK path becomes the chosen file and the result is true.
  bool BrowseForFile(std::string& path, const std::string& caption);
  // The browse button: a cancel throws OperationAbort.
  void BrowseClick() override;
  // Leaving the path field (Enter does the same) after typing in it.
  void EditExit() override;
  // One dropped file whose extension fits the dialog's first pattern.
  void DropFiles(const std::vector<std::string>& paths) override;

 private:
  void Report(const std::string& text);

  std::string defaultName_;
  std::string dialogFilter_;
  std::string dialogTitle_;
  bool invalid_ = false;
  PersonPort* person_ = nullptr;
};

}  // namespace korvane
