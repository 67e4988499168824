#include "korvane/core/common/guarded_run.h"

#include <exception>
#include <string>

#include "korvane/core/common/operation_abort.h"

namespace korvane {

namespace {

void Count(GuardStats* stats, int GuardStats::*counter) {
  if (stats != nullptr) ++(stats->*counter);
}

}  // namespace

bool RunGuarded(PersonPort& person, const std::function<void()>& work, GuardStats* stats) {
  // The failure is shown after the handler has finished, so the exception
  // is released before a modal dialog runs its own event loop.
  std::string failure;
  try {
    work();
    Count(stats, &GuardStats::completed);
    return true;
  } catch (const OperationAbort&) {
    // Whoever raised the abort has already told the person why.
    Count(stats, &GuardStats::aborted);
    return false;
  } catch (const std::exception& e) {
    failure = e.what();
    // A message box with nothing in it tells the person less than this.
    if (failure.empty()) failure = "Unknown error";
  } catch (...) {
    failure = "Unknown error";
  }
  Count(stats, &GuardStats::failed);
  person.ShowFailure(failure);
  return false;
}

}  // namespace korvane
