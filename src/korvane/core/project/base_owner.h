#pragma once
// Which job a base folder belongs to: a small record of the shell's own in the
// folder, written when a job takes the folder and when it is saved. A job is known
// by the project name it holds, so a job file renamed or moved is still the same job.

#include <optional>
#include <string>

#include "korvane/core/common/outcome.h"

namespace korvane {

struct BaseOwner {
  std::string projectName;
  std::string jobFile;
};

inline constexpr const char* kBaseOwnerFile = ".korvane.job";

// The record in folder, if there is a readable one.
std::optional<BaseOwner> ReadBaseOwner(const std::string& folder);
// Writes the record atomically; a failure says the system's message.
Outcome WriteBaseOwner(const std::string& folder, const BaseOwner& owner);

}  // namespace korvane
