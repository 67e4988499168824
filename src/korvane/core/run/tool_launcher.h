#pragma once
// Starts a wrapper run: refuses while the stop-before-start switch is on, clears
// the previous run's stop request and console log, lets DOSBox mode rewrite the
// command, and starts the process plainly or through the console stub.

#include <functional>
#include <memory>
#include <string>

#include "korvane/core/run/tool_command.h"
#include "platform/process.h"

namespace korvane {

class StatusBar;

class ToolLauncher {
 public:
  // Rewrites a command for DOSBox mode (program and parameters of DOSBox).
  using CommandRewrite = std::function<ToolCommand(const ToolCommand&)>;

  ToolLauncher(StatusBar& status, LaunchSettings settings);

  // Null when the process could not be created; LastStartError() has the code.
  // With dontRun the run is refused through the status bar's abort and nothing
  // is touched. baseDir is the job base directory, also the working directory.
  std::unique_ptr<platform::Process> Start(ToolCommand command, const std::string& baseDir,
                                           bool dontRun, const CommandRewrite& dosBox = {});
  int LastStartError() const { return lastStartError_; }
  // The command line of the last start, as the person would read it.
  const std::string& LastCommandLine() const { return lastCommandLine_; }
  const LaunchSettings& Settings() const { return settings_; }

  // Starts a program and waits for its end, without a time limit; false when it
  // could not be started.
  static bool RunAndWait(const ToolCommand& command, const std::string& workDir,
                         const LaunchSettings& settings);

 private:
  StatusBar& status_;
  LaunchSettings settings_;
  int lastStartError_ = 0;
  std::string lastCommandLine_;
};

}  // namespace korvane
