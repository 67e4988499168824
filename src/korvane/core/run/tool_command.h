#pragma once
// The command that starts a wrapper run and the process it becomes: which
// program and parameters a run uses, the messages about it, and how the command
// line is turned into a program with arguments on this platform (a ".cmd" file
// runs through the batch runner, "> file" is honoured here, never by a shell).

#include <string>
#include <string_view>

#include "platform/process.h"

namespace korvane {

// A run's command as the shell speaks of it: program part and parameter part.
struct ToolCommand {
  std::string program;
  std::string parameters;
  bool operator==(const ToolCommand&) const = default;
};

// The command of a run. base is the job base directory with its trailing
// separator; interfaceWrapper the path field of the interface wrapper's frame.
ToolCommand ChooseToolCommand(bool multiEntity, bool captureLog, std::string_view base,
                              std::string_view interfaceWrapper);

// "Batch run prohibited : " + program + " " + parameters.
std::string BatchRunProhibitedText(const ToolCommand& command);
// "Failed to start batch processing task " + the system error text of code.
std::string FailedToStartText(int code);

// A program part with a blank is trimmed of blanks and put in double quotes.
std::string QuoteProgramPart(std::string_view program);

struct LaunchSettings {
  std::string consoleStubPath;  // empty: no console capture
  std::string batchRunnerPath;  // the program that runs ".cmd" files
  bool captureConsole = false;
};

// What a command becomes: the command line as shown and the process to start.
struct LaunchPlan {
  std::string commandLine;
  platform::ProcessOptions options;
};

// The plain start: program + " " + parameters in workDir, a trailing "> file"
// redirecting standard output into that file.
LaunchPlan PlanPlainStart(const ToolCommand& command, const std::string& workDir,
                          const LaunchSettings& settings);
// The start through the console stub with pipes for input and output. The
// console is captured, so a redirection in the command is dropped.
LaunchPlan PlanCapturedStart(const ToolCommand& command, const std::string& workDir,
                             const LaunchSettings& settings);

}  // namespace korvane
