#pragma once
// The word-list file (.wrl): numbered control-word lines, then numbered object lines
// marked "OBJT", and the entry forms the two word lists hold.

#include <string>
#include <string_view>
#include <vector>

#include "korvane/core/components/lists.h"

namespace korvane {

// A control word entry: the type padded or cut to four characters, a blank, the word.
std::string ControlWordEntry(std::string_view type, std::string_view word);

// The lines of a .wrl file for the checked entries of both lists, numbered from 1 over
// the written lines only. A number past 9999 or a length outside 0..99 simply widens
// its field; ParseWordList finds the entry behind such fields all the same.
std::vector<std::string> FormatWordList(const std::vector<CheckListItem>& words,
                                        const std::vector<CheckListItem>& objects);

struct ParsedWordList {
  std::vector<std::string> words;
  std::vector<std::string> objects;
};

// Splits .wrl lines into control words and objects. The entry starts in column 9, or
// behind the two numeric fields when they are wider than usual; a line shorter than
// that gives an empty control word. "OBJT" at the entry's start marks an object, whose
// text starts five characters further on.
ParsedWordList ParseWordList(const std::vector<std::string>& lines);

// Appends the entries of a .wrl file, checked, to the two lists. Throws FileError when
// the file cannot be read; nothing is added then.
void ReadWordList(const std::string& path, CheckList& words, CheckList& objects);

// Writes the checked entries of both lists to path, replacing it atomically. Throws
// FileError with the system's message when it cannot be written.
void WriteWordList(const std::string& path, const CheckList& words, const CheckList& objects);

}  // namespace korvane
