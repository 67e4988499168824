#include "korvane/core/config/tool_configuration.h"

#include "korvane/core/common/comma_text.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/common/text.h"

namespace korvane {

namespace {

constexpr std::string_view kFiltersSuffix = ".Filters";
constexpr std::string_view kMissingFilter =
    "Shell program error, missing filter definition, inform Brevik";
constexpr std::string_view kFallbackFilter = "All files (Possible definition error)|*.*";

// The masks of a dialog filter value: everything after its first "|".
std::string MaskPart(std::string_view filter) {
  return Trim(AfterFirst(filter, "|"));
}

}  // namespace

long long ToolConfiguration::IntValue(std::string_view name) const {
  return ZeroPrefixedInt(Value(name));
}

KeyedLines ToolConfiguration::KeyList(std::string_view value) {
  const size_t open = value.find('(');
  if (open == std::string_view::npos) return KeyedLines();
  std::string_view inner = value.substr(open + 1);
  // A list whose closing parenthesis got lost while editing still counts up to its end:
  // dropping the whole list would silently switch off every option of the product.
  const size_t close = inner.rfind(')');
  if (close != std::string_view::npos) inner = inner.substr(0, close);
  return KeyedLines(FromCommaText(inner));
}

std::vector<std::string> ToolConfiguration::CommaList(std::string_view value) {
  return FromCommaText(value);
}

KeyedLines ToolConfiguration::Extras(std::string_view langCode) const {
  std::string key(langCode);
  key += ".Extras";
  if (!HasKey(key)) return KeyedLines({"DirDepth=2"});
  return KeyList(Value(key));
}

std::string ToolConfiguration::FilterFor(const std::string& kindKey, const std::string& versionKey,
                                         StatusBar& status) const {
  std::string filter = Value(kindKey + std::string(kFiltersSuffix));
  if (!versionKey.empty()) {
    const std::string extra = Value(versionKey + std::string(kFiltersSuffix));
    if (!extra.empty()) filter += "|" + extra;
  }
  if (filter.empty()) {
    status.ShowStatus(std::string(kMissingFilter));
    filter = kFallbackFilter;
  }
  if (filter.front() == '|') filter.erase(0, 1);
  return filter;
}

std::string ToolConfiguration::ResultMasks(const std::string& langCode) const {
  std::string masks;
  for (const char* kind : {".Result", ".Copy", ""}) {
    const std::string part = MaskPart(Value(langCode + kind + std::string(kFiltersSuffix)));
    if (part.empty()) continue;
    masks += part;
    if (part.back() != ';') masks += ';';
  }
  if (!masks.empty() && masks.back() == ';') masks.pop_back();
  return masks;
}

}  // namespace korvane
