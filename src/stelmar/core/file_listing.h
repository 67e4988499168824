#pragma once
// The file and directory lists of the selection dialogs and the directory
// browser, and the check that a directory can be entered.

#include <string>
#include <vector>

#include "stelmar/core/settings.h"

namespace stelmar {

// Names (no paths) of the ordinary files in dir whose extension is ext, compared
// without case; ext "" means files without extension, ext "*" any file. Hidden
// files, directories and what cannot be listed are left out.
std::vector<std::string> FilesWithExtension(const std::string& dir, const std::string& ext);

// The single-file dialog's list: every extension of the table in turn, or all
// files for an empty table; sorted without case, each file once however many
// entries of the table match it.
std::vector<std::string> SingleFileList(const std::string& dir, const ExtensionTable& table);

// The multi-file dialog's list: as above and files without extension as well.
std::vector<std::string> MultiFileList(const std::string& dir, const ExtensionTable& table);

// Subdirectories of dir as "[name]", sorted, after "[..]" when dir has a parent.
std::vector<std::string> DirectoryEntries(const std::string& dir);

// True when path is not empty and names a directory that can be entered.
bool DirectoryAvailable(const std::string& path);

}  // namespace stelmar
