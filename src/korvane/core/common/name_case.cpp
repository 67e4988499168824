#include "korvane/core/common/name_case.h"

#include <algorithm>
#include <filesystem>

#include "korvane/core/common/text.h"

namespace korvane {

namespace fs = std::filesystem;

std::vector<std::string> EntriesNamedNoCase(const std::string& dir, std::string_view name) {
  std::vector<std::string> others;
  std::string exact;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (entry == name) {
      exact = it->path().string();
    } else if (EqualsNoCase(entry, name)) {
      others.push_back(it->path().string());
    }
  }
  std::sort(others.begin(), others.end());
  if (!exact.empty()) others.insert(others.begin(), exact);
  return others;
}

}  // namespace korvane
