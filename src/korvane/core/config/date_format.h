#pragma once
// The stamp written into the tool configuration on saving: the local date in the short
// form followed by the time in the long form of the user's locale.

#include <ctime>
#include <locale>
#include <string>

namespace korvane {

// The user's locale from the environment; the classic locale when the environment names
// one that this system does not have.
std::locale UserLocale();

// Local date and time of t as "%x %X" in the given locale.
std::string FormatDateTime(std::time_t t, const std::locale& locale);

// FormatDateTime in the user's locale.
std::string LocaleDateTime(std::time_t t);

}  // namespace korvane
