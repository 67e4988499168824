#pragma once
// What stelmar keeps between and within commands: the settings record, the
// table of accepted source extensions and the area through which every dialog
// hands back its result together with the confirmation flag.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "stelmar/core/field.h"

namespace stelmar {

struct Settings {
  Field INPUT_DIR;
  Field OUTPUT_DIR;
  Field WORK_DIR;
  std::array<Field, 5> COPY_DIR;  // COPY_DIR_1 .. COPY_DIR_5
  Field TYPE = "UTM";
  Field EDITOR;
  Field programDirectory;  // without a trailing separator
  Field jobFile;           // job parameter file of the current command
  Field PROGFILE;
  Field PROGNAME;
  Field DATAFILE;
};

// Extensions of at most three characters, at most 100 of them; empty means all files.
struct ExtensionTable {
  static constexpr std::size_t kMaxEntries = 100;
  static constexpr std::size_t kMaxLength = 3;
  std::vector<std::string> entries;
};

// The platform's open-file dialog as the View command and the Editor dialog use it.
struct OpenFileData {
  bool fileMustExist = true;
  bool hideReadOnly = true;
  bool overwritePrompt = true;
  std::string filter = "Alle Dateien (*.*)|*.*|";
  Field fileName;
};

struct ExchangeArea {
  // Set to 1 only by a dialog's OK after its own checks passed; a command goes on
  // only when it reads 1 after the dialog closed.
  std::int32_t confirmed = 0;
  std::string caption;
  std::array<Field, 5> copyDirs;
  std::int32_t typeCode = 3;  // 1 IMS, 2 CICS, 3 UTM, 4 MODUL
  Field jobFile;
  Field progName;
  OpenFileData openFile;
};

}  // namespace stelmar
