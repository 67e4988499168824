#pragma once
// Runs a piece of a scenario the way the command gate would: an operation abort ends only
// that piece, and is counted.

#include "korvane/core/common/operation_abort.h"

namespace korvane::testing {

struct AbortCounter {
  template <typename F>
  void Guard(F&& work) {
    try {
      work();
    } catch (const OperationAbort&) {
      ++aborts;
    }
  }
  int aborts = 0;
};

}  // namespace korvane::testing
