#pragma once
// DOSBox mode: finding the emulator (two default places, the configured
// location, then the person), having it write its default configuration as the
// template once, and turning a run's command into a DOSBox run with a
// configuration written for it.

#include <functional>
#include <string>
#include <vector>

#include "korvane/core/run/tool_command.h"

namespace korvane {

class PersonPort;
class StatusBar;
class ToolConfiguration;

// What DOSBox mode needs from around it; the tests replace every part.
struct DosBoxEnvironment {
  std::vector<std::string> defaultLocations;  // looked at in order
  std::string dialogFileName;
  std::string dialogInitialDir;
  std::function<bool(const std::string&)> fileExists;
  // Starts a program and waits for it; false when it could not start.
  std::function<bool(const ToolCommand&, const std::string& workDir)> runAndWait;
};

// The default environment of this platform: /usr/bin/dosbox and
// /usr/local/bin/dosbox on Linux, %ProgramFiles% and %ProgramFiles(x86)% on
// Windows, files looked at on disk, programs started by the launcher.
DosBoxEnvironment SystemDosBoxEnvironment(const LaunchSettings& settings);

// The tool configuration as DOSBox mode reads and changes it.
class DosBoxSettings {
 public:
  virtual ~DosBoxSettings() = default;
  // Runcontrol.DOSBoxLocation.
  virtual std::string ConfiguredLocation() const = 0;
  // The folder of the tool configuration file, with its trailing separator.
  virtual std::string ConfigurationFolder() const = 0;
  // Puts "Runcontrol.DOSBoxLocation=<path>" right after the Runcontrol.UseDOSBox
  // line, writes the configuration file and reads it again.
  virtual void RememberLocation(const std::string& path) = 0;
};

// The configuration text change RememberLocation makes (the line is appended
// when there is no Runcontrol.UseDOSBox line).
void InsertDosBoxLocation(ToolConfiguration& config, const std::string& path);

class DosBoxMode {
 public:
  DosBoxMode(DosBoxEnvironment environment, DosBoxSettings& settings, PersonPort& person,
             StatusBar& status);

  // Turns the mode on (when DOSBox and a template are found) or off.
  void Set(bool wanted);
  bool On() const { return on_; }
  const std::string& Executable() const { return executable_; }
  const std::string& TemplatePath() const { return template_; }

  // Writes "DOSBox.config" into baseDir for the run (the single tool, or the
  // batch lines of a multi-entity run) and returns the command that starts
  // DOSBox with it. Throws FileError when the template cannot be read.
  ToolCommand PrepareRun(const ToolCommand& command, const std::string& baseDir, bool multiEntity,
                         const std::vector<std::string>& batchLines) const;

 private:
  std::string Locate();

  DosBoxEnvironment env_;
  DosBoxSettings& settings_;
  PersonPort& person_;
  StatusBar& status_;
  bool on_ = false;
  std::string executable_;
  std::string template_;
};

}  // namespace korvane
