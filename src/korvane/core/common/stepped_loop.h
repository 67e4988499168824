#pragma once
// A long loop run between the person's events instead of pumping them: each step does a
// share of the work and says whether it is done, and the end runs once, after the last
// step or after a step that threw. The exception then goes on to whoever ran the step,
// the command gate for a posted one. Without a poster (no window) the loop runs to its
// end at once.

#include <functional>

#include "korvane/core/common/lifetime.h"

namespace korvane {

class SteppedLoop {
 public:
  // Hands work to the window's event loop, to run later through the command gate.
  using Poster = std::function<void(std::function<void()>)>;
  void SetPoster(Poster post) { post_ = std::move(post); }
  bool Posts() const { return static_cast<bool>(post_); }

  // step(paced): paced, it may stop when the window is due a turn and answer false;
  // unpaced, it works to the end. end(completed) runs once.
  void Run(std::function<bool(bool paced)> step, std::function<void(bool completed)> end);

 private:
  void Post();
  void Step(bool paced);
  void End(bool completed);

  Poster post_;
  std::function<bool(bool)> step_;
  std::function<void(bool)> end_;
  // Steps posted for a loop that is gone are dropped.
  Lifetime lifetime_;
};

}  // namespace korvane
