// The PL/I tokenizer and both scanning rules on arbitrary bytes: no crash, every
// token within its limit and of a known type, and the names found are tokens.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "stelmar/core/file_parse.h"
#include "stelmar/core/scan_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  stelmar::FileParse parse;
  parse.OpenText(text);
  std::size_t total = 0;
  for (int type = parse.NextToken(); type != stelmar::kEndOfFile; type = parse.NextToken()) {
    const bool known = (type >= 2 && type <= 8) || type == stelmar::kCut;
    if (!known || parse.Token().empty() || parse.Token().size() > stelmar::FileParse::kTokenLimit)
      std::abort();
    total += parse.Token().size();
    if (total > size) std::abort();  // tokens are never made up
    if (type == stelmar::kOther && parse.Token() == "/*") parse.SkipComment();
  }
  for (auto rule : {stelmar::ScanRule::kFiles, stelmar::ScanRule::kProcedures}) {
    parse.OpenText(text);
    stelmar::Scan(parse, rule, [](const std::string& name) {
      if (name.size() > stelmar::FileParse::kTokenLimit) std::abort();
    });
  }
  return 0;
}
