#include "stelmar/core/selection_dialogs.h"

#include <algorithm>
#include <new>

#include "platform/atomic_file.h"
#include "stelmar/core/file_listing.h"
#include "stelmar/core/job_file.h"

namespace stelmar {
namespace {

constexpr const char* kErrorCaption = "Stelmar Error Message";

// A path goes into the job parameter file whole or not at all.
bool FitsJobFile(const std::string& path) {
  return path.size() <= Field::kMaxLength;
}

std::string TooLong(const std::string& path) {
  return "The path is longer than the job parameter file holds (" +
         std::to_string(Field::kMaxLength) + " characters):\n" + path;
}

std::string AfterLastSeparator(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<std::size_t> InListOrder(std::vector<std::size_t> indices, std::size_t size) {
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  indices.erase(
      std::remove_if(indices.begin(), indices.end(), [size](std::size_t i) { return i >= size; }),
      indices.end());
  return indices;
}

}  // namespace

SingleFileDialog::SingleFileDialog(ExchangeArea& exchange, StelmarPort& port, std::string dir,
                                   const ExtensionTable& table)
    : exchange_(exchange),
      port_(port),
      dir_(std::move(dir)),
      caption_(exchange.caption),
      entries_(SingleFileList(dir_, table)) {}

void SingleFileDialog::Select(std::size_t index) {
  if (index < entries_.size()) name_ = entries_[index];
}

bool SingleFileDialog::Ok() {
  if (!name_.empty() && !FitsJobFile(dir_ + "/" + name_)) {
    port_.ShowError(TooLong(dir_ + "/" + name_), kErrorCaption);
    return false;
  }
  result_ = name_;
  exchange_.confirmed = 1;
  return true;
}

MultiFileDialog::MultiFileDialog(ExchangeArea& exchange, StelmarPort& port, std::string dir,
                                 const ExtensionTable& table)
    : exchange_(exchange),
      port_(port),
      caption_(exchange.caption),
      available_(MultiFileList(dir, table)) {}

void MultiFileDialog::MoveSelected(const std::vector<std::size_t>& selected) {
  std::string refused;
  for (std::size_t index : InListOrder(selected, available_.size())) {
    const std::string& name = available_[index];
    // Cut to fit, the name would send the include tool after a file that is not there.
    if (name.size() > kEntryLength) {
      refused += "\n" + name;
      continue;
    }
    try {
      chosen_.push_back(name);
    } catch (const std::bad_alloc&) {
      port_.ShowError("List box cannot allocate enough memory", "Error Message Pellam");
      return;
    }
  }
  if (!refused.empty()) {
    port_.ShowError("File names longer than " + std::to_string(kEntryLength) +
                        " characters cannot be selected:" + refused,
                    "Error Message Pellam");
  }
}

void MultiFileDialog::Ok() {
  if (chosen_.empty()) {
    port_.ShowError("No File selected", "Error Pellam");
    return;
  }
  const std::string& path = exchange_.jobFile.str();
  if (!WriteJobFile(path, IncludeList(chosen_))) {
    port_.ShowError("Error Open Ini", "Error Pellam");
    return;
  }
  exchange_.confirmed = 1;
}

ObjectSelectionDialog::ObjectSelectionDialog(ExchangeArea& exchange, StelmarPort& port,
                                             std::string outputDir, const std::string& progFile,
                                             ScanRule rule)
    : exchange_(exchange), port_(port), outputDir_(std::move(outputDir)), rule_(rule) {
  caption_ = (rule == ScanRule::kFiles ? "FILE Selection [" : "Procedure Selection [") +
             AfterLastSeparator(progFile) + "]";
  FileParse parse;
  if (!parse.Open(progFile)) return;
  Scan(parse, rule, [this](const std::string& name) {
    try {
      entries_.push_back(name);
    } catch (const std::bad_alloc&) {
      port_.ShowError("Insufficient Space for Listbox", "Error Stelmar");
    }
  });
}

std::string ObjectSelectionDialog::OutputPath() const {
  return outputDir_ + "/" + exchange_.progName.str() +
         (rule_ == ScanRule::kFiles ? ".obj" : ".lab");
}

bool ObjectSelectionDialog::Ok(const std::vector<std::size_t>& selected) {
  if (entries_.empty()) return true;
  if (!FitsJobFile(OutputPath())) {
    port_.ShowError(TooLong(OutputPath()), kErrorCaption);
    return true;
  }
  std::string text;
  for (std::size_t index : InListOrder(selected, entries_.size())) {
    text += entries_[index];
    text += "\r\n";
  }
  if (!platform::WriteFileAtomic(OutputPath(), text).empty()) return false;
  exchange_.confirmed = 1;
  return true;
}

}  // namespace stelmar
