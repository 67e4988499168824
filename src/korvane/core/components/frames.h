#pragma once
// The two reusable frames of the shell as data: a directory field with a
// browse button, and a tool-path field that validates the file it names.

#include <string>

#include "korvane/core/components/component.h"

namespace korvane {

class DirectoryFrame : public Component {
 public:
  DirectoryFrame(std::string name, std::string parent, std::string caption)
      : Component(std::move(name), ComponentKind::DirectoryFrame, std::move(parent)) {
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
  }
  bool Modified() const { return modified_; }
  void SetModified(bool m) { modified_ = m; }
  bool AllowCreate() const { return allowCreate_; }
  void SetAllowCreate(bool a) { allowCreate_ = a; }
  // The edit field shows the button-face colour while the browser is open.
  bool Browsing() const { return browsing_; }
  void SetBrowsing(bool b) { Assign(browsing_, b); }

 private:
  std::string text_;
  bool modified_ = false;
  bool allowCreate_ = true;
  bool browsing_ = false;
};

class ToolPathFrame : public Component {
 public:
  ToolPathFrame(std::string name, std::string parent, std::string caption)
      : Component(std::move(name), ComponentKind::ToolPathFrame, std::move(parent)) {
    SetCaption(caption);  // the caption label, naming the file wanted
  }

  const std::string& Text() const { return text_; }
  void SetText(const std::string& t) {
    modified_ = false;
    Assign(text_, t);
  }
  void UserEdit(const std::string& t) {
    modified_ = true;
    Assign(text_, t);
  }
  bool Modified() const { return modified_; }
  void SetModified(bool m) { modified_ = m; }
  const std::string& DefaultName() const { return defaultName_; }
  void SetDefaultName(const std::string& d) { defaultName_ = d; }
  // A red field: the file is missing or marked unavailable.
  bool Invalid() const { return invalid_; }
  void SetInvalid(bool i) { Assign(invalid_, i); }
  bool Browsing() const { return browsing_; }
  void SetBrowsing(bool b) { Assign(browsing_, b); }
  // The browse dialog keeps its filter and title after the first use.
  const std::string& DialogFilter() const { return dialogFilter_; }
  void SetDialogFilter(const std::string& f) { dialogFilter_ = f; }
  const std::string& DialogTitle() const { return dialogTitle_; }
  void SetDialogTitle(const std::string& t) { dialogTitle_ = t; }

 private:
  std::string text_;
  std::string defaultName_;
  std::string dialogFilter_;
  std::string dialogTitle_;
  bool modified_ = false;
  bool invalid_ = false;
  bool browsing_ = false;
};

}  // namespace korvane
