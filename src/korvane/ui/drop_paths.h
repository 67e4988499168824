#pragma once
// Paths of files and folders dragged from the desktop's file manager.

#include <QMimeData>
#include <string>
#include <vector>

#include "korvane/ui/text_codec.h"

namespace korvane::ui {

inline std::vector<std::string> DroppedPaths(const QMimeData* data) {
  std::vector<std::string> paths;
  if (data == nullptr) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.push_back(ToLocal(url.toLocalFile()));
  }
  return paths;
}

}  // namespace korvane::ui
