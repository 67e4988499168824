#include "korvane/core/run/dosbox_mode.h"

#include <filesystem>

#include "korvane/core/common/person_port.h"
#include "korvane/core/common/status_bar.h"
#include "korvane/core/common/text_file.h"
#include "korvane/core/config/tool_configuration.h"
#include "korvane/core/run/dosbox_config.h"
#include "korvane/core/run/tool_launcher.h"
#include "platform/env_expand.h"

namespace korvane {

namespace {
constexpr const char* kUseDosBox = "Runcontrol.UseDOSBox";
constexpr const char* kDosBoxLocation = "Runcontrol.DOSBoxLocation";
}  // namespace

DosBoxEnvironment SystemDosBoxEnvironment(const LaunchSettings& settings) {
  DosBoxEnvironment env;
#ifdef _WIN32
  env.defaultLocations = {platform::ExpandEnvVars("%ProgramFiles%\\DOSBox-0.74\\DOSBox.exe"),
                          platform::ExpandEnvVars("%ProgramFiles(x86)%\\DOSBox-0.74\\DOSBox.exe")};
  env.dialogFileName = "DOSBox.exe";
  env.dialogInitialDir = platform::ExpandEnvVars("%ProgramFiles%\\DOSBox-0.74\\");
#else
  env.defaultLocations = {"/usr/bin/dosbox", "/usr/local/bin/dosbox"};
  env.dialogFileName = "dosbox";
  env.dialogInitialDir = "/usr/bin/";
#endif
  env.fileExists = [](const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
  };
  env.runAndWait = [settings](const ToolCommand& command, const std::string& workDir) {
    return ToolLauncher::RunAndWait(command, workDir, settings);
  };
  return env;
}

void InsertDosBoxLocation(ToolConfiguration& config, const std::string& path) {
  KeyedLines& lines = config.Keyed();
  const std::string line = std::string(kDosBoxLocation) + "=" + path;
  const int at = lines.IndexOfName(kUseDosBox);
  if (at < 0) {
    lines.Append(line);
  } else {
    lines.Insert(static_cast<std::size_t>(at) + 1, line);
  }
}

DosBoxMode::DosBoxMode(DosBoxEnvironment environment, DosBoxSettings& settings, PersonPort& person,
                       StatusBar& status)
    : env_(std::move(environment)), settings_(settings), person_(person), status_(status) {}

std::string DosBoxMode::Locate() {
  for (const std::string& candidate : env_.defaultLocations) {
    if (env_.fileExists(candidate)) return candidate;
  }
  std::string path = settings_.ConfiguredLocation();
  if (!path.empty()) return path;
  FileDialogRequest request;
  request.title = "Please locate DOSBox-0.74\\DOSBox.exe manually";
  request.fileName = env_.dialogFileName;
  request.initialDir = env_.dialogInitialDir;
  const std::vector<std::string> chosen = person_.OpenFiles(request);
  if (chosen.empty()) {
    status_.ShowWarning("DOSBox-0.74\\DOSBox.exe file search cancelled");
    return {};
  }
  settings_.RememberLocation(chosen.front());
  return chosen.front();
}

void DosBoxMode::Set(bool wanted) {
  if (!wanted) {
    on_ = false;
    executable_.clear();
    template_.clear();
    return;
  }
  if (on_) return;
  const std::string path = Locate();
  if (path.empty() || !env_.fileExists(path)) return;
  executable_ = path;
  const std::string folder = settings_.ConfigurationFolder();
  template_ = folder + std::string(kDosBoxConfigName);
  if (!env_.fileExists(template_)) {
    // DOSBox writes its default configuration, which becomes the template.
    const ToolCommand writeConfig{
        QuoteProgramPart(executable_),
        " -c \" CONFIG -writeconf " + std::string(kDosBoxConfigName) + "\"  -noconsole -c exit "};
    env_.runAndWait(writeConfig, folder);
  }
  on_ = env_.fileExists(template_);
}

ToolCommand DosBoxMode::PrepareRun(const ToolCommand& command, const std::string& baseDir,
                                   bool multiEntity,
                                   const std::vector<std::string>& batchLines) const {
  const std::vector<std::string> templateLines = ReadTextLines(template_);
  const std::vector<std::string> config = multiEntity
                                              ? MultiEntityConfig(templateLines, batchLines)
                                              : SingleRunConfig(templateLines, command.program);
  const std::string target = (std::filesystem::path(baseDir) / kDosBoxConfigName).string();
  const Outcome written = WriteTextLinesAtomic(target, config);
  if (!written) throw FileError(target, 0, written.Why());
  return DosBoxRunCommand(executable_);
}

}  // namespace korvane
