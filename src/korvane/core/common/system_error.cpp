#include "korvane/core/common/system_error.h"

#include "platform/os_error.h"

namespace korvane {

std::string SystemErrorText(int code) {
  return "System Error : " + std::to_string(code) + " - " + platform::OsErrorMessage(code);
}

int LastSystemError() {
  return platform::LastOsError();
}

}  // namespace korvane
