#pragma once
// Lets the window breathe during a long loop without paying for it per item: Due()
// holds at most every 50 ms.

#include <chrono>

namespace korvane {

class Pacer {
 public:
  bool Due() {
    const auto now = std::chrono::steady_clock::now();
    if (now < next_) return false;
    next_ = now + std::chrono::milliseconds(50);
    return true;
  }

 private:
  std::chrono::steady_clock::time_point next_ = std::chrono::steady_clock::now();
};

}  // namespace korvane
