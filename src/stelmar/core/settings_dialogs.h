#pragma once
// The rules of the settings dialogs and the directory browser. Each works on
// copies and hands its values back only on OK, through the confirmation flag.

#include <array>
#include <string>
#include <vector>

#include "stelmar/core/settings.h"
#include "stelmar/core/stelmar_port.h"

namespace stelmar {

// Walks the directory tree; OK returns the directory being listed.
class DirectoryBrowser {
 public:
  DirectoryBrowser(ExchangeArea& exchange, const std::string& startDir);

  const std::string& Caption() const { return caption_; }
  const std::string& Directory() const { return dir_; }
  const std::vector<std::string>& Entries() const { return entries_; }
  const std::string& Result() const { return result_; }

  // Changes into the chosen entry at once and lists it.
  void Select(std::size_t index);
  void Ok();

 private:
  void List();

  ExchangeArea& exchange_;
  std::string caption_;
  std::string dir_;
  std::vector<std::string> entries_;
  std::string result_;
};

// Input, output and work directory, filled only by browsing.
class DirectoriesDialog {
 public:
  enum Which { kInput = 0, kOutput = 1, kWork = 2 };

  DirectoriesDialog(ExchangeArea& exchange, StelmarPort& port, const Settings& settings);

  const Field& Value(Which which) const { return fields_[which]; }
  void Browse(Which which);
  void Ok() { exchange_.confirmed = 1; }
  // Copies the three fields into the settings.
  void Store(Settings& settings) const;

 private:
  ExchangeArea& exchange_;
  StelmarPort& port_;
  std::array<Field, 3> fields_;
};

class CopyDirectoriesDialog {
 public:
  explicit CopyDirectoriesDialog(ExchangeArea& exchange);

  std::array<Field, 5>& Fields() { return fields_; }
  // True when the dialog closes: every non-empty field names an enterable
  // directory. Otherwise the first failing one is reported.
  bool Ok(StelmarPort& port);

 private:
  ExchangeArea& exchange_;
  std::array<Field, 5> fields_;
};

class ParameterDialog {
 public:
  enum Button { kIms = 101, kCics = 102, kUtm = 103 };

  explicit ParameterDialog(ExchangeArea& exchange);

  Button Checked() const { return checked_; }
  void Click(Button button) { checked_ = button; }
  void Ok();

 private:
  ExchangeArea& exchange_;
  Button checked_;
};

// 1 IMS, 2 CICS, 3 UTM, 4 MODUL; any other TYPE gives 0.
int TypeCode(const std::string& type);
// The TYPE stored for a code; MODUL for anything but 1 to 3.
std::string TypeName(int code);

class EditorDialog {
 public:
  EditorDialog(ExchangeArea& exchange, StelmarPort& port, const Settings& settings);

  const Field& Value() const { return field_; }
  void SetValue(const std::string& text) { field_ = text; }
  void Search();
  void Ok() { exchange_.confirmed = 1; }

 private:
  ExchangeArea& exchange_;
  StelmarPort& port_;
  Field field_;
};

}  // namespace stelmar
