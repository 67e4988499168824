#pragma once
// The rules of the three selection dialogs: one source file, several sources
// for include expansion, and the FILE declarations or procedures of a source.
// The view shows a model's lists and calls its actions; the model sets the
// confirmation flag of the exchange area.

#include <string>
#include <vector>

#include "stelmar/core/scan_rules.h"
#include "stelmar/core/settings.h"
#include "stelmar/core/stelmar_port.h"

namespace stelmar {

// Lets the person pick one file of a directory.
class SingleFileDialog {
 public:
  SingleFileDialog(ExchangeArea& exchange, StelmarPort& port, std::string dir,
                   const ExtensionTable& table);

  const std::string& Caption() const { return caption_; }
  const std::vector<std::string>& Entries() const { return entries_; }
  const std::string& Name() const { return name_; }
  const std::string& Result() const { return result_; }

  void Select(std::size_t index);
  // True when the dialog closes. A file whose full path the job parameter file
  // cannot hold is refused with a message naming it, and the dialog stays open:
  // a path cut to fit would name a file that does not exist.
  bool Ok();

 private:
  ExchangeArea& exchange_;
  StelmarPort& port_;
  std::string dir_;
  std::string caption_;
  std::vector<std::string> entries_;
  std::string name_;
  std::string result_;
};

// Collects include sources in a right-hand list and writes them into the job
// parameter file on OK.
class MultiFileDialog {
 public:
  // List entries hold at most this many characters of a name.
  static constexpr std::size_t kEntryLength = 19;

  MultiFileDialog(ExchangeArea& exchange, StelmarPort& port, std::string dir,
                  const ExtensionTable& table);

  const std::string& Caption() const { return caption_; }
  const std::vector<std::string>& Available() const { return available_; }
  const std::vector<std::string>& Chosen() const { return chosen_; }

  // The "-------->" button: appends the selected entries, in list order. A name
  // longer than an entry holds is not taken; one message names every such file.
  void MoveSelected(const std::vector<std::size_t>& selected);
  // Always closes the dialog; confirms only when the list was written.
  void Ok();

 private:
  ExchangeArea& exchange_;
  StelmarPort& port_;
  std::string caption_;
  std::vector<std::string> available_;
  std::vector<std::string> chosen_;
};

// Lists the FILE declarations or the procedures of PROGFILE and writes the
// chosen ones to PROGNAME.obj or PROGNAME.lab in OUTPUT_DIR.
class ObjectSelectionDialog {
 public:
  ObjectSelectionDialog(ExchangeArea& exchange, StelmarPort& port, std::string outputDir,
                        const std::string& progFile, ScanRule rule);

  const std::string& Caption() const { return caption_; }
  const std::vector<std::string>& Entries() const { return entries_; }
  std::string OutputPath() const;

  // True when the dialog closes. An output file that cannot be written keeps it
  // open. An output path longer than the job parameter file holds is refused
  // with a message naming it, and the dialog closes without confirmation.
  bool Ok(const std::vector<std::size_t>& selected);

 private:
  ExchangeArea& exchange_;
  StelmarPort& port_;
  std::string outputDir_;
  ScanRule rule_;
  std::string caption_;
  std::vector<std::string> entries_;
};

}  // namespace stelmar
