#include "stelmar/core/tool_starter.h"

#include "platform/spawn_detached.h"

namespace stelmar {

void ProcessStarter::Start(const std::vector<std::string>& argv) {
  Reap();
  std::string error;
  const long pid = platform::StartDetached(argv, error);
  if (pid > 0) pids_.push_back(pid);
}

void ProcessStarter::Reap() {
  platform::ReapEnded(pids_);
}

}  // namespace stelmar
