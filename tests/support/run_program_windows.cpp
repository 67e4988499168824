// RunProgram of the Windows build, on the platform's own process layer: output and
// errors arrive in one pipe, so both fields hold the whole transcript; the time
// limit ends the program's job object, and with it every program it started.
#include <cstdlib>
#include <optional>
#include <stdexcept>

#include "platform/process.h"
#include "support/run_program.h"

namespace korvane::testing {

namespace {

// The overlay is set in this process for the start, which the child inherits,
// and taken back afterwards.
class EnvOverlay {
 public:
  explicit EnvOverlay(const std::map<std::string, std::string>& env) {
    for (const auto& [name, value] : env) {
      const char* old = std::getenv(name.c_str());
      saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
      ::_putenv_s(name.c_str(), value.c_str());
    }
  }
  ~EnvOverlay() {
    for (const auto& [name, value] : saved_) ::_putenv_s(name.c_str(), value ? value->c_str() : "");
  }

 private:
  std::map<std::string, std::optional<std::string>> saved_;
};

}  // namespace

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env, const std::string& workDir,
                         std::chrono::milliseconds limit, const std::function<void(long)>& started,
                         const std::string& outFile) {
  // Standard output into a file is only asked for by tests of a full disk, which
  // Windows does not run.
  if (!outFile.empty()) throw std::logic_error("RunProgram: no output file on Windows");
  ProgramResult result;
  platform::ProcessOptions options;
  options.argv.push_back(program);
  options.argv.insert(options.argv.end(), args.begin(), args.end());
  options.workDir = workDir;
  options.captureOutput = true;
  std::unique_ptr<platform::Process> process;
  int error = 0;
  {
    const EnvOverlay overlay(env);
    process = platform::Process::Start(options, error);
  }
  if (!process) {
    result.err = "cannot start " + program + ": error " + std::to_string(error);
    return result;
  }
  if (started) started(process->Id());
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    process->WaitForOutputOrEnd(std::chrono::milliseconds(100));
    const platform::ReadState state = process->ReadAvailable(result.out, 1 << 20);
    if (state == platform::ReadState::Closed || state == platform::ReadState::Failed) break;
    if (limit.count() > 0 && std::chrono::steady_clock::now() > deadline) {
      result.timedOut = true;
      process->Kill();
      break;
    }
  }
  const auto status = process->WaitFor(std::chrono::seconds(30));
  result.status = status ? status->code : -1;
  result.err = result.out;
  return result;
}

}  // namespace korvane::testing
