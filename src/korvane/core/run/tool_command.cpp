#include "korvane/core/run/tool_command.h"

#include "korvane/core/common/system_error.h"
#include "korvane/core/common/text.h"
#include "platform/windows_args.h"

namespace korvane {

namespace {

constexpr std::string_view kRedirection = " > ";
constexpr std::string_view kConsoleLog = "Console.log";

bool IsBatchFile(std::string_view program) {
  return program.size() > 4 && (EqualsNoCase(program.substr(program.size() - 4), ".cmd") ||
                                EqualsNoCase(program.substr(program.size() - 4), ".bat"));
}

// The arguments of "program parameters"; a batch file is handed to the runner.
platform::ParsedCommand ToArguments(const ToolCommand& command, const LaunchSettings& settings) {
  platform::ParsedCommand parsed =
      platform::ParseCommandLine(command.program + " " + command.parameters);
  if (!parsed.argv.empty() && IsBatchFile(parsed.argv[0])) {
    parsed.argv.insert(parsed.argv.begin(), settings.batchRunnerPath);
  }
  return parsed;
}

}  // namespace

ToolCommand ChooseToolCommand(bool multiEntity, bool captureLog, std::string_view base,
                              std::string_view interfaceWrapper) {
  const std::string log = captureLog ? std::string(kRedirection) + std::string(kConsoleLog) : "";
  if (multiEntity) return {std::string(base) + "lastbatch.cmd" + log, ""};
  return {std::string(interfaceWrapper), "last.xml" + log};
}

std::string BatchRunProhibitedText(const ToolCommand& command) {
  return "Batch run prohibited : " + command.program + " " + command.parameters;
}

std::string FailedToStartText(int code) {
  return "Failed to start batch processing task " + SystemErrorText(code);
}

std::string QuoteProgramPart(std::string_view program) {
  if (program.find(' ') == std::string_view::npos) return std::string(program);
  const std::size_t first = program.find_first_not_of(' ');
  if (first == std::string_view::npos) return "\"\"";
  const std::size_t last = program.find_last_not_of(' ');
  return "\"" + std::string(program.substr(first, last - first + 1)) + "\"";
}

LaunchPlan PlanPlainStart(const ToolCommand& command, const std::string& workDir,
                          const LaunchSettings& settings) {
  LaunchPlan plan;
  plan.commandLine = command.program + " " + command.parameters;
  platform::ParsedCommand parsed = ToArguments(command, settings);
  plan.options.argv = std::move(parsed.argv);
  plan.options.workDir = workDir;
  plan.options.outputFile = std::move(parsed.redirectTo);
  plan.options.appendOutput = parsed.append;
  return plan;
}

LaunchPlan PlanCapturedStart(const ToolCommand& command, const std::string& workDir,
                             const LaunchSettings& settings) {
  LaunchPlan plan;
  plan.commandLine = settings.consoleStubPath + " " + command.program + " " + command.parameters;
  platform::ParsedCommand parsed = ToArguments(command, settings);
  plan.options.argv = std::move(parsed.argv);
  // The stub's own path is no part of the split: it may hold blanks unquoted.
  plan.options.argv.insert(plan.options.argv.begin(), settings.consoleStubPath);
  plan.options.workDir = workDir;
  plan.options.captureOutput = true;
  plan.options.pipeInput = true;
  return plan;
}

}  // namespace korvane
