#pragma once
// The scans the program runs without a window: the FILE declarations, the
// procedures or every token of a PL/I source, printed to standard output.
// Nothing here needs a display.

#include <cstdio>
#include <string>

#include "stelmar/core/command_line.h"

namespace stelmar {

// Prints the names found one per line; kTokens prints every token as its type
// code, a tab and its text. Returns the exit status: a source that cannot be
// opened, or output that could not be written, is reported on err in one line.
int RunHeadlessScan(ScanMode mode, const std::string& source, std::FILE* out, std::FILE* err);

// Prints text on out; a failed write is reported on err. Returns the exit status.
int PrintText(const std::string& text, std::FILE* out, std::FILE* err);

}  // namespace stelmar
