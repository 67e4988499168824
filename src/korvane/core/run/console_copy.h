#pragma once
// The captured console written to a file as it comes, on the watcher's thread, so
// that the end of a run that printed a million lines only has to rename it into
// place instead of writing it while the window waits.

#include <fstream>
#include <string>
#include <vector>

namespace korvane {

class ConsoleCopy {
 public:
  // An empty path copies nothing. A file or link already at path is replaced.
  explicit ConsoleCopy(std::string path);
  // Each line followed by CR LF, as the console log is written.
  void Append(const std::vector<std::string>& lines);
  // Flushes and closes; true when every line reached the file. A copy that failed
  // is removed.
  bool Finish();

 private:
  std::string path_;
  std::ofstream out_;
  bool failed_ = false;
};

}  // namespace korvane
