#pragma once
// Turns the chunks read from a tool's console pipe into lines. A chunk need not
// end at a line break: its unfinished tail is kept as the pending line and
// completed by the chunks that follow, so the lines never depend on where the
// pipe happened to be cut.

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

class ConsoleLineSplitter {
 public:
  // Appends to lines the lines this chunk completes, in order. CR LF, CR and LF
  // each end a line, also when a chunk begins with the break; a CR ending one
  // chunk and an LF beginning the next are one CR LF.
  void Feed(std::string_view chunk, std::vector<std::string>& lines);
  std::vector<std::string> Feed(std::string_view chunk);

  // The unfinished line, taken away: the last line of a run that ended without
  // a final line break. Empty when there is none.
  std::string TakePending();

 private:
  std::string pending_;
  bool endedWithCr_ = false;
};

}  // namespace korvane
