#pragma once
// The tool configuration as the window holds it: found and read at start-up, shown and
// edited in the technical page's memo, written back with its stamp, and the run-control
// flags it sets for the whole shell.

#include <string>

#include "korvane/core/config/config_path.h"
#include "korvane/core/config/installation.h"
#include "korvane/core/config/run_control.h"
#include "korvane/core/config/tool_configuration.h"
#include "korvane/core/form/window_context.h"

namespace korvane {

class ConfigurationService {
 public:
  ConfigurationService(WindowContext& window, const Installation& installation,
                       ConfigLocator& locator);
  ConfigurationService(const ConfigurationService&) = delete;
  ConfigurationService& operator=(const ConfigurationService&) = delete;

  ToolConfiguration& Config() { return config_; }
  const ToolConfiguration& Config() const { return config_; }
  const RunControl& Flags() const { return flags_; }
  // The configuration file's path once it was found.
  const std::string& Path() const { return locator_.Cached(); }

  // Finds and reads the file; without one the shell is disabled and the start ends.
  void Load();
  // Reads the run-control flags again (a strict switch with another value ends the
  // operation, the flags read before it stay).
  void ReadRunControl();
  // The memo shows the configuration lines again, unedited.
  void ShowInMemo();
  // The configuration takes the memo's lines.
  void TakeFromMemo();
  // Writes the configuration file with its "Date Written" stamp.
  void Save();
  // The memo's text is written to the file, then shown again as stamped.
  void SaveMemo();

 private:
  WindowContext& window_;
  const Installation& installation_;
  ConfigLocator& locator_;
  ToolConfiguration config_;
  RunControl flags_;
};

}  // namespace korvane
