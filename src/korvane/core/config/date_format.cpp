#include "korvane/core/config/date_format.h"

#include <iomanip>
#include <sstream>
#include <stdexcept>

namespace korvane {

std::locale UserLocale() {
  try {
    return std::locale("");
  } catch (const std::runtime_error&) {
    return std::locale::classic();
  }
}

std::string FormatDateTime(std::time_t t, const std::locale& locale) {
  std::tm local{};
#if defined(_WIN32)
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  std::ostringstream out;
  out.imbue(locale);
  out << std::put_time(&local, "%x %X");
  return out.str();
}

std::string LocaleDateTime(std::time_t t) {
  return FormatDateTime(t, UserLocale());
}

}  // namespace korvane
