#include "korvane/core/config/run_control.h"

#include "korvane/core/common/text.h"
#include "korvane/core/config/tool_configuration.h"

namespace korvane {

RunControl ReadRunControl(const ToolConfiguration& config, const std::string& consoleStubPath) {
  auto value = [&](const char* key) { return config.Value(std::string("Runcontrol.") + key); };
  RunControl rc;
  rc.debugMode = StrToBoolStrict(value("DebugMode"));
  rc.useDosBox = StrToBoolDefault(value("UseDOSBox"), false);
  rc.blindRun = StrToBoolDefault(value("Blindrun"), false) && !rc.useDosBox;
  rc.captureLog = StrToBoolDefault(value("CaptureLog"), false) && !rc.useDosBox;
  rc.systemCaptureConsole =
      StrToBoolStrict(value("SystemCaptureConsole")) && !consoleStubPath.empty() && !rc.useDosBox;
  rc.messagesOnTop = StrToBoolStrict(value("MessagesOnTop"));
  rc.deleteAfter = StrToBoolStrict(value("DeleteAfter"));
  rc.systemDeleteAfterControl = StrToBoolDefault(value("SystemDeleteAfterControl"), false);
  rc.renameAfter = StrToBoolDefault(value("RenameAfter"), true);
  rc.bigDirectoryLimit = ZeroPrefixedInt(value("SystemBigDirectoryLimit"));
  if (rc.bigDirectoryLimit == 0) rc.bigDirectoryLimit = 50;
  return rc;
}

}  // namespace korvane
