#pragma once
// The start of the shell: window creation (profile, configuration, tool root, file-type
// registration) and window show (settings, products, extended options, the job named on
// the command line), each step in its fixed order.

#include <optional>
#include <string>
#include <utility>

#include "korvane/core/common/command_line.h"
#include "korvane/core/common/person_port.h"
#include "korvane/core/config/configuration_service.h"
#include "korvane/core/config/installation.h"
#include "korvane/core/config/product_catalogue.h"
#include "korvane/core/form/window_context.h"
#include "korvane/core/project/job_commands.h"
#include "korvane/core/project/project.h"

namespace korvane {

class WindowRules;

struct ShellEnvironment {
  std::string programPath;        // full path of the running executable
  std::vector<std::string> args;  // command line without the program name
  std::string iniOverride;        // configuration file named outright, if any
  std::string dataHome;           // where file types are registered; empty: the user's
  // Where DOSBox is looked for before the configured location; empty: this platform's
  // usual places.
  std::vector<std::string> dosBoxLocations = {};
};

class Startup {
 public:
  // The services the start works through.
  struct Services {
    FormModel& form;
    WindowContext& window;
    const CommandLine& args;
    const ShellEnvironment& env;
    Installation& installation;
    ConfigurationService& configuration;
    ProductCatalogue& catalogue;
    Project& project;
    JobCommands& jobs;
    WindowRules& rules;
  };
  explicit Startup(Services services);

  void CreateSteps();
  void ShowSteps();
  // The window is hidden with this size: it is remembered for the next start.
  void WindowHidden(int width, int height);

  bool ProfileTaken() const { return profileTaken_; }
  bool AutoRun() const { return autoRun_; }
  // The window size stored at the last hide (nothing: keep the designed size).
  std::optional<std::pair<int, int>> StoredWindowSize() const { return storedSize_; }
  // The viewer font stored by the font choice (nothing: the default font).
  const std::optional<FontChoice>& ViewerFont() const { return viewerFont_; }

 private:
  std::string DetermineToolRoot() const;
  void RegisterJobFileType();
  void BindFrames();
  void ReadWindowSettings();
  void OpenJobAtStart();
  void ReportUnknownSwitches();

  Services s_;
  std::string appExeName_;
  std::string fileVersion_;
  std::optional<std::pair<int, int>> storedSize_;
  std::optional<FontChoice> viewerFont_;
  bool profileTaken_ = false;
  bool autoRun_ = false;
};

}  // namespace korvane
