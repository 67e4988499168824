#include "korvane/core/run/tool_launcher.h"

#include <chrono>
#include <filesystem>

#include "korvane/core/common/status_bar.h"

namespace korvane {

ToolLauncher::ToolLauncher(StatusBar& status, LaunchSettings settings)
    : status_(status), settings_(std::move(settings)) {}

std::unique_ptr<platform::Process> ToolLauncher::Start(ToolCommand command,
                                                       const std::string& baseDir, bool dontRun,
                                                       const CommandRewrite& dosBox) {
  if (dontRun) status_.ShowErrorAndAbort(BatchRunProhibitedText(command));
  std::error_code ignored;
  // remove() takes a link itself away, never what it points to.
  std::filesystem::remove(std::filesystem::path(baseDir) / "Semaphore.xml", ignored);
  std::filesystem::remove(std::filesystem::path(baseDir) / "Console.log", ignored);
  const bool dosBoxMode = static_cast<bool>(dosBox);
  if (dosBoxMode) command = dosBox(command);
  command.program = QuoteProgramPart(command.program);
  // DOSBox runs are never captured: the emulator has its own window.
  const LaunchPlan plan = settings_.captureConsole && !dosBoxMode
                              ? PlanCapturedStart(command, baseDir, settings_)
                              : PlanPlainStart(command, baseDir, settings_);
  lastCommandLine_ = plan.commandLine;
  int error = 0;
  std::unique_ptr<platform::Process> process = platform::Process::Start(plan.options, error);
  lastStartError_ = process ? 0 : error;
  return process;
}

bool ToolLauncher::RunAndWait(const ToolCommand& command, const std::string& workDir,
                              const LaunchSettings& settings) {
  const LaunchPlan plan = PlanPlainStart(command, workDir, settings);
  int error = 0;
  std::unique_ptr<platform::Process> process = platform::Process::Start(plan.options, error);
  if (!process) return false;
  process->WaitFor(std::chrono::milliseconds(-1));
  return true;
}

}  // namespace korvane
