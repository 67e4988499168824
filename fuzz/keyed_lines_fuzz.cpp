// Drives a keyed line list through edits chosen by the input and checks every lookup
// against a plain first-match scan, so the name index can never disagree with the lines.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "korvane/core/common/keyed_lines.h"
#include "korvane/core/common/text.h"

namespace {

int NaiveIndex(const std::vector<std::string>& lines, const std::string& name) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const size_t eq = lines[i].find('=');
    if (eq != std::string::npos && korvane::EqualsNoCase(lines[i].substr(0, eq), name)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  std::vector<std::string> model = korvane::SplitLines(in.ConsumeRandomLengthString(512));
  korvane::KeyedLines lines(model);

  // A few short names recur so that replacements and duplicates actually happen.
  const char* const common[] = {"a", "A", "Key", "KEY", "k=v", "", "\xE4", "\xC4"};
  while (in.remaining_bytes() > 0) {
    const int op = in.ConsumeIntegralInRange(0, 5);
    const std::string name = in.ConsumeBool() ? common[in.ConsumeIntegralInRange(0, 7)]
                                              : in.ConsumeRandomLengthString(8);
    switch (op) {
      case 0: {
        const std::string value = in.ConsumeRandomLengthString(8);
        const int at = NaiveIndex(model, name);
        lines.SetValue(name, value);
        if (value.empty()) {
          if (at >= 0) model.erase(model.begin() + at);
        } else if (at >= 0) {
          model[static_cast<size_t>(at)] = name + "=" + value;
        } else {
          model.push_back(name + "=" + value);
        }
        break;
      }
      case 1: {
        const std::string line = in.ConsumeRandomLengthString(12);
        lines.Append(line);
        model.push_back(line);
        break;
      }
      case 2: {
        const size_t at = in.ConsumeIntegralInRange<size_t>(0, model.size());
        lines.Erase(at);
        if (at < model.size()) model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
        break;
      }
      case 3: {
        const size_t at = in.ConsumeIntegralInRange<size_t>(0, model.size());
        const std::string line = name + "=" + in.ConsumeRandomLengthString(4);
        lines.Insert(at, line);
        model.insert(model.begin() + static_cast<std::ptrdiff_t>(at), line);
        break;
      }
      default: {
        const int at = NaiveIndex(model, name);
        Check(lines.IndexOfName(name) == at);
        Check(lines.Value(name) ==
              (at < 0 ? std::string()
                      : korvane::KeyedLines::ValueOf(model[static_cast<size_t>(at)])));
      }
    }
    Check(lines.Lines() == model);
  }
  return 0;
}
