#pragma once
// Starts a program with its arguments and does not wait for it: directly, never
// through a shell, so no path or name can inject a command. Ended children are
// collected by ReapEnded so that none lingers as a zombie.

#include <string>
#include <vector>

namespace platform {

// The new process's id, or -1 with error set to the system's message. A non-empty
// workingDir is the new process's current folder.
long StartDetached(const std::vector<std::string>& argv, std::string& error,
                   const std::string& workingDir = {});

// Collects those of pids that have ended and removes them from the list; the
// others stay. Never waits.
void ReapEnded(std::vector<long>& pids);

}  // namespace platform
