#pragma once
// The commands of the main window's client: the settings dialogs and the six
// commands that end by starting a tool or the viewer. Owns the settings record,
// the extension table and the dialog exchange area.

#include <functional>
#include <string>

#include "stelmar/core/job_file.h"
#include "stelmar/core/settings.h"
#include "stelmar/core/stelmar_port.h"
#include "stelmar/core/tool_starter.h"

namespace stelmar {

class StelmarCommands {
 public:
  StelmarCommands(StelmarPort& port, ToolStarter& starter, std::string iniPath,
                  std::function<TimeOfDay()> clock = CurrentTimeOfDay);

  // Reads file.ext and stelmar.ini, applies the viewer default and writes
  // stelmar.ini back, so that a first start creates it with every key.
  void Start(const std::string& programDirectory);

  // Runs a client command; false for ids it does not handle (exit, help, about).
  bool Execute(int id);

  void Directories();
  void CopyDirectories();
  void Parameter();
  void Editor();
  void IncludeExpansion();
  void Wrap(int id);
  void View();

  Settings& Record() { return settings_; }
  const Settings& Record() const { return settings_; }
  ExchangeArea& Exchange() { return exchange_; }
  ExtensionTable& Extensions() { return extensions_; }
  const std::string& IniPath() const { return iniPath_; }

 private:
  void SaveSettings();
  bool NewJobFile();

  StelmarPort& port_;
  ToolStarter& starter_;
  std::string iniPath_;
  std::function<TimeOfDay()> clock_;
  Settings settings_;
  ExtensionTable extensions_;
  ExchangeArea exchange_;
};

// PROGNAME of a source path: after the last separator, before the last dot.
std::string ProgramName(const std::string& progFile);

}  // namespace stelmar
