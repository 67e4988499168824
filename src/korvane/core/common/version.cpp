#include "korvane/core/common/version.h"

#include <array>
#include <utility>

#include "platform/ascii_case.h"

// The build sets these; the fallbacks keep the unit compilable on its own.
#ifndef KORVANE_VERSION
#define KORVANE_VERSION "0.0.0.0"
#endif
#ifndef KORVANE_PRODUCT_NAME
#define KORVANE_PRODUCT_NAME "Korvane"
#endif
#ifndef KORVANE_FILE_DESCRIPTION
#define KORVANE_FILE_DESCRIPTION "Korvane main shell"
#endif
#ifndef KORVANE_COMPANY_NAME
#define KORVANE_COMPANY_NAME "Brevik"
#endif
#ifndef KORVANE_LEGAL_COPYRIGHT
#define KORVANE_LEGAL_COPYRIGHT "Copyright Brevik 2026"
#endif
#ifndef KORVANE_INTERNAL_NAME
#define KORVANE_INTERNAL_NAME "korvane"
#endif
#ifndef KORVANE_ORIGINAL_FILENAME
#define KORVANE_ORIGINAL_FILENAME "korvane"
#endif

namespace korvane {

std::string GetVersionValue(std::string_view key) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 8> kValues{{
      {"FileVersion", KORVANE_VERSION},
      {"ProductVersion", KORVANE_VERSION},
      {"ProductName", KORVANE_PRODUCT_NAME},
      {"FileDescription", KORVANE_FILE_DESCRIPTION},
      {"LegalCopyright", KORVANE_LEGAL_COPYRIGHT},
      {"CompanyName", KORVANE_COMPANY_NAME},
      {"InternalName", KORVANE_INTERNAL_NAME},
      {"OriginalFilename", KORVANE_ORIGINAL_FILENAME},
  }};
  for (const auto& [name, value] : kValues) {
    if (platform::AsciiEqualNoCase(name, key)) return std::string(value);
  }
  return {};
}

}  // namespace korvane
