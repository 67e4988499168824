// Feeds arbitrary bytes to the tool configuration as a file's content: every lookup and
// value form must cope with whatever an installer or an editor left in the file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "korvane/core/common/person_port.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/common/text.h"
#include "korvane/core/config/tool_configuration.h"

namespace {

class SilentPerson : public korvane::PersonPort {
 public:
  korvane::Button Ask(korvane::MessageKind, const std::string&,
                      const korvane::Buttons& buttons) override {
    return buttons.empty() ? korvane::Button::Ok : buttons.front();
  }
  std::vector<std::string> OpenFiles(const korvane::FileDialogRequest&) override { return {}; }
  std::optional<std::string> SaveFile(const korvane::FileDialogRequest&) override { return {}; }
  std::optional<std::string> ChooseFolder(const korvane::FolderDialogRequest&) override {
    return {};
  }
  std::optional<korvane::FontChoice> ChooseFont(const korvane::FontChoice&) override { return {}; }
  void Beep() override {}
  void ProcessPendingEvents() override {}
  void RunOnInterfaceThread(const std::function<void()>& work) override { work(); }
  void ShowFailure(const std::string&) override {}
};

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // The loader splits the file's bytes exactly like this; going through the disk for
  // every input would make the search crawl.
  korvane::ToolConfiguration config(korvane::SplitLines(bytes));

  SilentPerson person;
  korvane::StatusBar status(person);
  for (const auto& line : config.Lines()) {
    const std::string name = korvane::KeyedLines::NameOf(line);
    const std::string value = config.Value(name);
    korvane::ToolConfiguration::KeyList(value);
    const auto items = korvane::ToolConfiguration::CommaList(value);
    try {
      config.IntValue(name);
    } catch (const korvane::ConversionError&) {
    }
    if (items.size() > 1) {
      const std::string& code = items[1];
      config.Extras(code);
      const std::string filter = config.FilterFor(code, items.back(), status);
      const std::string own = config.Value(code + ".Filters");
      if (!own.empty() && own.front() != '|') Check(filter.compare(0, own.size(), own) == 0);
      config.FilterFor(code + ".Copy", "", status);
      config.ResultMasks(code);
    }
  }

  return 0;
}
