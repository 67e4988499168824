#pragma once
// The silent abort that ends the current user operation. Reporting an error
// through the status bar throws it; only the guarded runner catches it.

#include <exception>

namespace korvane {

class OperationAbort : public std::exception {
 public:
  const char* what() const noexcept override { return "Operation aborted"; }
};

}  // namespace korvane
