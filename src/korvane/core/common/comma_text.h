#pragma once
// The comma-text form of a string list, used for list values in the tool configuration
// and for string-list holders and unresolved-copy lists in job files.

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// Items joined by ","; an item holding a blank, a control character, a double quote or a
// comma is enclosed in double quotes with inner quotes doubled. A single empty item is
// written as "" so that it survives reading back; an empty list is the empty text.
std::string ToCommaText(const std::vector<std::string>& items);

// Reads what ToCommaText writes, and hand-written lists: unquoted blanks also separate
// items ("a b,c" is three items), an unterminated quote takes the rest of the text, a
// comma directly at the end adds an empty last item.
std::vector<std::string> FromCommaText(std::string_view text);

}  // namespace korvane
