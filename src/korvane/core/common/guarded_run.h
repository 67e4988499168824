#pragma once
// The one place that runs a user operation or a start-up step: an operation
// abort ends it silently, any other failure is shown to the person.

#include <functional>
#include <string>

#include "korvane/core/common/person_port.h"

namespace korvane {

// How the guarded operations ended, so the headless mode can choose its exit
// status.
struct GuardStats {
  int completed = 0;
  int aborted = 0;
  int failed = 0;

  bool AnyEndedEarly() const { return aborted != 0 || failed != 0; }
};

// Runs work; returns true when it ended normally. OperationAbort is
// swallowed, any other exception goes to person.ShowFailure. Both return
// false.
bool RunGuarded(PersonPort& person, const std::function<void()>& work, GuardStats* stats = nullptr);

// Where every call from the person into the core enters: the view runs each widget
// callback through it, so an abort or a failure ends only that call, never the program.
class CommandGate {
 public:
  virtual ~CommandGate() = default;
  // Runs any user operation through the guard; false when it ended early.
  virtual bool Run(const std::function<void()>& work) = 0;
  // Runs the named action of the main list through the guard.
  virtual bool Execute(const std::string& actionName) = 0;
};

}  // namespace korvane
