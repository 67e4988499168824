#include "stelmar/core/file_ext.h"

#include <fstream>

namespace stelmar {

ExtensionTable ReadFileExt(const std::string& programDirectory) {
  constexpr std::size_t kPiece = 159;
  ExtensionTable table;
  std::ifstream in(programDirectory + "/file.ext", std::ios::binary);
  if (!in) return table;
  std::string piece;
  while (table.entries.size() < ExtensionTable::kMaxEntries) {
    piece.clear();
    bool any = false;
    int c = 0;
    while (piece.size() < kPiece && (c = in.get()) != EOF) {
      any = true;
      if (c == '\n') break;
      piece.push_back(static_cast<char>(c));
    }
    if (!any) break;
    if (c == '\n' && !piece.empty() && piece.back() == '\r') piece.pop_back();
    table.entries.push_back(piece.substr(0, ExtensionTable::kMaxLength));
  }
  return table;
}

}  // namespace stelmar
