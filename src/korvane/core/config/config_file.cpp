#include "korvane/core/config/config_file.h"

#include <algorithm>

#include "korvane/core/common/operation_abort.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/common/text_file.h"
#include "korvane/core/config/config_path.h"
#include "korvane/core/config/date_format.h"
#include "korvane/core/config/tool_configuration.h"

namespace korvane {

namespace {

constexpr const char* kDateWritten = "Date Written";

}  // namespace

std::vector<std::string> LoadConfigurationLines(const std::string& path) {
  return ReadTextLines(path);
}

ConfigLoadResult LoadToolConfiguration(ConfigLocator& locator, ToolConfiguration& config,
                                       StatusBar& status) {
  ConfigLoadResult result;
  try {
    result.path = locator.Path(status);
  } catch (const OperationAbort&) {
    // The locator has reported the missing file; the start ends with the caller's own
    // message about the path it kept, after the shell has been disabled.
    result.path = locator.Cached();
    return result;
  }
  try {
    config.SetLines(LoadConfigurationLines(result.path));
  } catch (const FileError& e) {
    result.error = e.what();
    return result;
  }
  result.ok = true;
  return result;
}

void SaveToolConfiguration(ToolConfiguration& config, const std::string& path, StatusBar& status,
                           std::time_t now) {
  if (config.Value(kDateWritten).empty()) {
    KeyedLines& lines = config.Keyed();
    lines.Insert(std::min<size_t>(1, lines.size()), std::string(kDateWritten) + "=0");
  }
  config.SetValue(kDateWritten, LocaleDateTime(now));
  if (!WriteTextLinesAtomic(path, config.Lines())) {
    status.SetUseMessageBox(true);
    status.ShowErrorAndAbort("Cannot write to " + path);
  }
}

}  // namespace korvane
