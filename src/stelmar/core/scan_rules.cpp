#include "stelmar/core/scan_rules.h"

#include <array>
#include <string_view>

namespace stelmar {
namespace {

bool IsFileStatementVerb(const std::string& token) {
  static constexpr std::array<std::string_view, 7> kVerbs = {"OPEN", "CLOSE", "REWRITE", "WRITE",
                                                             "READ", "PUT",   "GET"};
  for (std::string_view verb : kVerbs) {
    if (token == verb) return true;
  }
  return false;
}

}  // namespace

void Scan(FileParse& parse, ScanRule rule, const std::function<void(const std::string&)>& add) {
  for (;;) {
    const int type = parse.NextToken();
    if (type == kEndOfFile) break;
    if (type == kOther) {
      if (parse.Token() == "/*") parse.SkipComment();
      continue;
    }
    if (type != kWord) continue;
    const std::string& token = parse.Token();
    if (rule == ScanRule::kFiles) {
      // FILE after a statement verb names a file that is used, not declared.
      if (token == "FILE" && !IsFileStatementVerb(parse.PreviousToken())) {
        add(parse.PreviousType() == kParenthesised ? parse.TokenBeforePrevious()
                                                   : parse.PreviousToken());
      }
    } else if ((token == "PROC" || token == "PROCEDURE") && parse.PreviousToken() == ":") {
      add(parse.TokenBeforePrevious());
    }
  }
  parse.Close();
}

std::vector<std::string> ScanFile(const std::string& path, ScanRule rule) {
  std::vector<std::string> names;
  FileParse parse;
  if (!parse.Open(path)) return names;
  Scan(parse, rule, [&names](const std::string& name) { names.push_back(name); });
  return names;
}

}  // namespace stelmar
