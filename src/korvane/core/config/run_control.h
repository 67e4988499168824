#pragma once
// The run-control flags that the tool configuration sets for the whole shell.

#include <string>

namespace korvane {

class ToolConfiguration;

struct RunControl {
  bool debugMode = false;
  bool useDosBox = false;
  bool blindRun = false;
  bool captureLog = false;
  bool systemCaptureConsole = false;
  bool messagesOnTop = false;
  bool deleteAfter = false;
  bool systemDeleteAfterControl = false;
  bool renameAfter = true;
  long long bigDirectoryLimit = 50;
};

// Reads the flags; a strict boolean with another value throws ConversionError
// and the flags read so far stay as they were. consoleStubPath empty means no
// console capture is possible.
RunControl ReadRunControl(const ToolConfiguration& config, const std::string& consoleStubPath);

}  // namespace korvane
