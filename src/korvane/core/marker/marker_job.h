#pragma once
// What the label marker needs of the job: the base directory and language, the
// wrapper-marks holder, the modified flag and the source list's entries.

#include <string>

#include "korvane/core/common/keyed_lines.h"

namespace korvane {

class MarkerJob {
 public:
  virtual ~MarkerJob() = default;
  // The job base directory without a trailing "/".
  virtual std::string BaseDirectory() const = 0;
  virtual int LangIndex() const = 0;
  // The wrapper-marks holder's lines (.WrpT, .Lbl, .Unr per source).
  virtual KeyedLines& Marks() = 0;
  virtual void SetProjectModified() = 0;
  // Enables and checks, or disables and unchecks, the source-list entry called name.
  virtual void SetSourceEntry(const std::string& name, bool on) = 0;
};

}  // namespace korvane
