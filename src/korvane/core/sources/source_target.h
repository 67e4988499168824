#pragma once
// One of the job's two lists with its collection folder, fixed when an operation starts:
// the tab may change while pending events are processed during a long add.

#include <string>

#include "korvane/core/sources/file_list.h"

namespace korvane {

struct ListTarget {
  FileList* list;
  std::string folder;  // {base}{collection folder name}
  std::string keySuffix;
  bool sources;
};

}  // namespace korvane
