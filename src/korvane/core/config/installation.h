#pragma once
// Where the shell and its tools are installed and how it was started, decided once at
// start-up and read by the services that need it.

#include <string>

namespace korvane {

struct Installation {
  std::string programDir;   // the running program's folder
  std::string toolRoot;     // the wrapper tools' root folder
  std::string consoleStub;  // the console capture helper; empty when it is missing
  // The person's documents folder; empty: the platform's.
  std::string documentsFolder;
  // -RememberFiles: a job may bring back tool paths edited into it by hand.
  bool rememberFiles = false;
};

}  // namespace korvane
