#pragma once
// The job-definition file (.jwrap): building its lines from the project state and the
// main window's persistent components, and reading them back into the window step by step.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "korvane/core/common/keyed_lines.h"
#include "korvane/core/common/outcome.h"
#include "korvane/core/components/form_model.h"

namespace korvane {

// A job file breaks one of its own rules (a check-list item line without its two flags).
class JobFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The project values kept in the [RadioButtons], [Properties] and [Captions] sections.
struct JobProjectFields {
  std::string activeRadioButton;
  std::string projectName;  // the derived project name, computed by the caller
  std::string productName;
  std::string systemName;
  bool batchRunning = false;
  std::string projectDirectory;  // with its trailing separator
  std::string langCode;          // written for people only, never read back
  std::string subVersion;
  std::string toolRoot;  // written for people only, never read back
  std::string interfaceType;
  int maxDirDepth = 0;
  int selectedFilesScreenWidth = 0;
  int usedCopiesScreenWidth = 0;
  int sourceLinesInJob = 0;
  // The run counters travel only while a background batch is marked running.
  int numberOfRenamedModules = 0;
  int numberOfModules = 0;
  int numberOfRenamedSourceFiles = 0;
  int numberOfSourceFiles = 0;
  std::string caption;  // the main window's caption
};

// The name of the closing marker line; nothing after it is written.
inline constexpr const char* kJobFileEndMarker = "[Konyec szkazki]";

// The console memo is output of the last run and the configuration memo belongs to the
// tool configuration file: neither is ever part of a job, written or read.
bool IsJobMemo(std::string_view memoName);

// Marks the name-map memo edited (it is always saved) and the configuration memo unedited
// (it belongs to the tool configuration, not to the job), as every save does first.
void MarkMemosForSave(FormModel& form);

// Every line of the job file in its fixed order, without line ends. Memos are written
// when edited, except the console and the configuration memo, which never are.
std::vector<std::string> BuildJobFileLines(const JobProjectFields& fields, const FormModel& form);

// Writes the lines with CR LF ends, replacing path only once the new file is complete.
// A failure says the operating system's message.
Outcome SaveJobFile(const std::string& path, const std::vector<std::string>& lines);

// The whole save: marks the memos, builds the lines and writes them.
Outcome SaveJobFile(const std::string& path, const JobProjectFields& fields, FormModel& form);

// A job file as read: keyed lookups over all of its lines, sections ignored.
class JobFileContent {
 public:
  explicit JobFileContent(std::vector<std::string> lines);
  // Reads the file (CR LF, CR or LF line ends). Throws FileError.
  static JobFileContent FromFile(const std::string& path);

  const std::vector<std::string>& Lines() const { return lines_.Lines(); }
  // The value of the first line anywhere whose name equals key ignoring case; empty
  // when there is none.
  std::string Value(std::string_view key) const;
  // The lines after the first line keyed by name, up to a line beginning with "[" or the
  // end; empty lines belong to the block. Empty when the key is missing.
  std::vector<std::string> BlockAfter(std::string_view name) const;
  // The index of the line that ends that block (the line count at the end of the file).
  size_t BlockEnd(std::string_view name) const;

 private:
  KeyedLines lines_;
};

// Throws JobFileError unless the file is a job file (it has a [RadioButtons] or a
// [Properties] section) and is complete: it has its closing marker, and every
// check-list block ends at the next block's header or at the marker. A file cut short or
// with an item line that would end its list early must not be applied: the lists would
// come back short and the job's folders would lose the files of the missing entries.
void CheckJobFileComplete(const JobFileContent& content, const FormModel& form);

// The project values; integers are read with a "0" in front so that an empty value is 0.
// Throws ConversionError for a bad number.
JobProjectFields ReadJobProjectFields(const JobFileContent& content);

// Every job memo whose name has a non-empty value takes the block after that line and is
// marked edited.
void ApplyMemos(const JobFileContent& content, FormModel& form);

// Visible edit boxes and directory frames take their non-empty values; tool-path frames
// only when the shell remembers files, and only from a line without the leading ";".
void ApplyVisibleEdits(const JobFileContent& content, FormModel& form, bool rememberFiles);

// Every visible radio group selects the item its value names (0 when absent); selecting
// another item runs the group's click handling. Throws ConversionError.
void ApplyRadioGroups(const JobFileContent& content, FormModel& form);

// Every string-list holder is cleared and takes the comma text inside its "(...)" value
// and its MaxLen when one is given. Throws ConversionError.
void ApplyHolders(const JobFileContent& content, FormModel& form);

// Every visible check list whose name has a non-empty value takes its items from the
// block after that line. Throws JobFileError for an item line shorter than its flags.
void ApplyCheckLists(const JobFileContent& content, FormModel& form);

// The codec as the job commands use it: bound to the window's persistent components,
// which it alone (with the form binding) addresses by name.
class JobFileCodec {
 public:
  explicit JobFileCodec(FormModel& form) : form_(form) {}

  Outcome Save(const std::string& path, const JobProjectFields& fields) {
    return SaveJobFile(path, fields, form_);
  }
  void CheckComplete(const JobFileContent& content) const { CheckJobFileComplete(content, form_); }
  void ApplyMemos(const JobFileContent& content) { korvane::ApplyMemos(content, form_); }
  // The edits, radio groups, holders and check lists, in that order.
  void ApplyComponents(const JobFileContent& content, bool rememberFiles) {
    ApplyVisibleEdits(content, form_, rememberFiles);
    ApplyRadioGroups(content, form_);
    ApplyHolders(content, form_);
    ApplyCheckLists(content, form_);
  }

 private:
  FormModel& form_;
};

}  // namespace korvane
