#pragma once
// The scans the program runs without a window: "-files", "-procs" and "-tokens"
// followed by a source path. Output goes to the given streams; nothing needs a display.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace stelmar {

// The exit status when args (without the program name) ask for a scan, else nothing.
// The names found are printed one per line; "-tokens" prints every token as its
// type code, a tab and its text. A source that cannot be opened is reported on err
// and gives 1.
std::optional<int> RunHeadlessScan(const std::vector<std::string>& args, std::FILE* out,
                                   std::FILE* err);

}  // namespace stelmar
