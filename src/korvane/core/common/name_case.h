#pragma once
// Finding the shell's own file and folder names ignoring case. A DOS program run inside
// DOSBox creates the names it is given in upper case (WRAPOUT, BANK.LOG), so on a file
// system that tells cases apart the shell also looks for its names in other cases.

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// The full paths of the entries of dir whose name equals name ignoring case: the exact
// name first when it is there, the others after it in name order. Links are listed as
// any entry; the caller decides whether it may follow them. A missing or unreadable
// dir gives nothing.
std::vector<std::string> EntriesNamedNoCase(const std::string& dir, std::string_view name);

}  // namespace korvane
