#pragma once
// Turns the chunks read from a tool's console pipe into lines. A chunk need not
// end at a line break: its unfinished tail is kept as the pending line and
// completed by the chunks that follow.

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

class ConsoleLineSplitter {
 public:
  // Appends to lines the lines this chunk completes, in order. CR LF, CR and LF
  // each end a line. A chunk that begins with CR LF or LF first ends the pending
  // line on its own, and that break still counts as the end of an empty first
  // line of the chunk; a chunk that begins with CR just ends the pending line.
  void Feed(std::string_view chunk, std::vector<std::string>& lines);
  std::vector<std::string> Feed(std::string_view chunk);

  // The unfinished line, taken away: the last line of a run that ended without
  // a final line break. Empty when there is none.
  std::string TakePending();
  const std::string& Pending() const { return pending_; }

 private:
  std::string pending_;
};

}  // namespace korvane
