#pragma once
// The two scanning rules on top of FileParse: FILE declarations and labelled
// procedures. Keywords are matched exactly, so only upper-case ones count.

#include <functional>
#include <string>
#include <vector>

#include "stelmar/core/file_parse.h"

namespace stelmar {

enum class ScanRule { kFiles, kProcedures };

// Reads the opened tokenizer to its end and hands every name found, in source
// order, to add. Comments are skipped; the tokenizer is closed afterwards.
void Scan(FileParse& parse, ScanRule rule, const std::function<void(const std::string&)>& add);

// The names found in the file at path; empty when it cannot be opened.
std::vector<std::string> ScanFile(const std::string& path, ScanRule rule);

}  // namespace stelmar
