#pragma once
// The guarded runner of the benchmarks: runs the work as it is, so that only the
// widgets' own cost is measured.

#include <functional>
#include <string>

#include "korvane/core/common/guarded_run.h"

namespace bench {

class DirectGate : public korvane::CommandGate {
 public:
  bool Run(const std::function<void()>& work) override {
    work();
    return true;
  }
  bool Execute(const std::string&) override { return true; }
};

}  // namespace bench
