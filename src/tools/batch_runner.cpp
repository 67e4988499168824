// Runs a ".cmd" batch file without a command interpreter: every line is one
// program with its arguments, split by the Windows rules, optionally ending in
// "> file"; "ECHO ON" and "ECHO OFF" switch the echo of the lines, "@" hides one
// line, "REM" and "::" lines are comments. Lines run one after another in the
// current directory; the status is that of the last line that failed.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/os_error.h"
#include "platform/process.h"
#include "platform/windows_args.h"

namespace {

volatile std::sig_atomic_t stopSignal = 0;

void RememberStop(int sig) {
  stopSignal = sig;
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> ReadLines(const std::string& path, bool& ok) {
  std::ifstream in(path, std::ios::binary);
  ok = static_cast<bool>(in);
  const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.push_back(std::move(line));
      line.clear();
    } else {
      line.push_back(text[i]);
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

bool IsBatchFile(const std::string& program) {
  const std::string tail = program.size() > 4 ? Upper(program.substr(program.size() - 4)) : "";
  return tail == ".CMD" || tail == ".BAT";
}

std::string OwnExecutable() {
  char buffer[4096];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

// Runs one command line; its status, or 127 when the program is not there.
int RunLine(const std::string& line) {
  platform::ParsedCommand command = platform::ParseCommandLine(line);
  if (command.argv.empty()) return 0;
  if (IsBatchFile(command.argv[0])) command.argv.insert(command.argv.begin(), OwnExecutable());
  platform::ProcessOptions options;
  options.argv = std::move(command.argv);
  options.outputFile = std::move(command.redirectTo);
  options.appendOutput = command.append;
  options.ownProcessGroup = false;
  int error = 0;
  std::unique_ptr<platform::Process> process = platform::Process::Start(options, error);
  if (!process) {
    std::fprintf(stderr, "%s: %s\n", options.argv[0].c_str(),
                 platform::OsErrorMessage(error).c_str());
    return error == ENOENT ? 127 : 126;
  }
  bool passedOn = false;
  while (true) {
    if (const auto status = process->WaitFor(std::chrono::milliseconds(100))) {
      return status->ShellStatus();
    }
    if (stopSignal != 0 && !passedOn) {
      process->Terminate();
      passedOn = true;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvane-batch-runner <file.cmd>\n");
    return 2;
  }
  bool ok = false;
  const std::vector<std::string> lines = ReadLines(argv[1], ok);
  if (!ok) {
    std::fprintf(stderr, "%s: %s\n", argv[1], platform::OsErrorMessage(ENOENT).c_str());
    return 1;
  }
  // A stop ends the running line and starts no further one.
  struct sigaction action {};
  action.sa_handler = RememberStop;
  sigemptyset(&action.sa_mask);
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &action, nullptr);

  bool echo = true;
  int lastFailure = 0;
  for (const std::string& raw : lines) {
    if (stopSignal != 0) return 128 + stopSignal;
    std::string line = Trim(raw);
    bool quiet = false;
    if (!line.empty() && line[0] == '@') {
      quiet = true;
      line = Trim(line.substr(1));
    }
    if (line.empty()) continue;
    if (echo && !quiet) {
      std::printf("%s\n", line.c_str());
      std::fflush(stdout);
    }
    const std::string upper = Upper(line);
    if (upper == "ECHO ON" || upper == "ECHO OFF") {
      echo = upper == "ECHO ON";
      continue;
    }
    if (upper.rfind("REM", 0) == 0 && (upper.size() == 3 || upper[3] == ' ' || upper[3] == '\t')) {
      continue;
    }
    if (upper.rfind("::", 0) == 0) continue;
    const int status = RunLine(line);
    if (status != 0) lastFailure = status;
  }
  return stopSignal != 0 ? 128 + stopSignal : lastFailure;
}
