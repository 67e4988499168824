#include "korvane/core/common/stepped_loop.h"

#include <utility>

namespace korvane {

void SteppedLoop::Run(std::function<bool(bool paced)> step,
                      std::function<void(bool completed)> end) {
  step_ = std::move(step);
  end_ = std::move(end);
  if (post_) {
    Post();
    return;
  }
  Step(false);
}

void SteppedLoop::Post() {
  post_(lifetime_.Guard([this] {
    if (step_) Step(true);
  }));
}

void SteppedLoop::Step(bool paced) {
  try {
    if (!step_(paced)) {
      Post();
      return;
    }
  } catch (...) {
    End(false);
    throw;
  }
  End(true);
}

void SteppedLoop::End(bool completed) {
  const std::function<void(bool)> end = std::move(end_);
  step_ = nullptr;
  end_ = nullptr;
  end(completed);
}

}  // namespace korvane
