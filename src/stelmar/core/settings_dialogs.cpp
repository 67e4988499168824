#include "stelmar/core/settings_dialogs.h"

#include <filesystem>

#include "stelmar/core/file_listing.h"

namespace stelmar {
namespace fs = std::filesystem;
namespace {

std::string CurrentDirectory() {
  std::error_code ec;
  const fs::path dir = fs::current_path(ec);
  return ec ? std::string("/") : dir.string();
}

}  // namespace

DirectoryBrowser::DirectoryBrowser(ExchangeArea& exchange, const std::string& startDir)
    : exchange_(exchange), caption_(exchange.caption) {
  dir_ = DirectoryAvailable(startDir) ? startDir : CurrentDirectory();
  std::error_code ec;
  const fs::path absolute = fs::absolute(dir_, ec);
  if (!ec) dir_ = absolute.lexically_normal().string();
  if (dir_.size() > 1 && dir_.back() == '/') dir_.pop_back();
  List();
}

void DirectoryBrowser::List() {
  entries_ = DirectoryEntries(dir_);
}

void DirectoryBrowser::Select(std::size_t index) {
  if (index >= entries_.size()) return;
  const std::string& entry = entries_[index];
  const std::string name = entry.substr(1, entry.size() - 2);
  fs::path next = name == ".." ? fs::path(dir_).parent_path() : fs::path(dir_) / name;
  if (!DirectoryAvailable(next.string())) return;
  dir_ = next.lexically_normal().string();
  List();
}

void DirectoryBrowser::Ok() {
  result_ = dir_;
  exchange_.confirmed = 1;
}

DirectoriesDialog::DirectoriesDialog(ExchangeArea& exchange, StelmarPort& port,
                                     const Settings& settings)
    : exchange_(exchange),
      port_(port),
      fields_{settings.INPUT_DIR, settings.OUTPUT_DIR, settings.WORK_DIR} {}

void DirectoriesDialog::Browse(Which which) {
  static const char* const kCaptions[] = {"Open Document Directory", "Open Output Directory",
                                          "Open Work Directory"};
  exchange_.caption = kCaptions[which];
  exchange_.confirmed = 0;
  DirectoryBrowser browser(exchange_, fields_[which].str());
  port_.RunDirectoryBrowser(browser);
  if (exchange_.confirmed == 1 && !browser.Result().empty()) fields_[which] = browser.Result();
  // The flag belongs to this dialog again.
  exchange_.confirmed = 0;
}

void DirectoriesDialog::Store(Settings& settings) const {
  settings.INPUT_DIR = fields_[kInput];
  settings.OUTPUT_DIR = fields_[kOutput];
  settings.WORK_DIR = fields_[kWork];
}

CopyDirectoriesDialog::CopyDirectoriesDialog(ExchangeArea& exchange)
    : exchange_(exchange), fields_(exchange.copyDirs) {}

bool CopyDirectoriesDialog::Ok(StelmarPort& port) {
  for (const Field& field : fields_) {
    if (!field.empty() && !DirectoryAvailable(field.str())) {
      port.ShowError("Directory is not available!\n" + field.str(), "Pellam Error Message");
      return false;
    }
  }
  exchange_.copyDirs = fields_;
  exchange_.confirmed = 1;
  return true;
}

ParameterDialog::ParameterDialog(ExchangeArea& exchange)
    : exchange_(exchange),
      checked_(exchange.typeCode == 1   ? kIms
               : exchange.typeCode == 2 ? kCics
                                        : kUtm) {}

void ParameterDialog::Ok() {
  exchange_.typeCode = checked_ == kIms ? 1 : checked_ == kCics ? 2 : 3;
  exchange_.confirmed = 1;
}

int TypeCode(const std::string& type) {
  if (type == "IMS") return 1;
  if (type == "CICS") return 2;
  if (type == "UTM") return 3;
  if (type == "MODUL") return 4;
  return 0;
}

std::string TypeName(int code) {
  switch (code) {
    case 1:
      return "IMS";
    case 2:
      return "CICS";
    case 3:
      return "UTM";
    default:
      return "MODUL";
  }
}

EditorDialog::EditorDialog(ExchangeArea& exchange, StelmarPort& port, const Settings& settings)
    : exchange_(exchange), port_(port), field_(settings.EDITOR) {}

void EditorDialog::Search() {
  exchange_.openFile.fileName = "";
  if (auto path = port_.OpenFile(exchange_.openFile, "")) {
    exchange_.openFile.fileName = *path;
    field_ = *path;
  }
}

}  // namespace stelmar
