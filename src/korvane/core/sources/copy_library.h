#pragma once
// The job's copy library: listing the files of a collection folder, and loading a source
// with its copy statements expanded from the members in {base}/CopyCollection.

#include <string>
#include <unordered_map>
#include <vector>

namespace korvane {

// One file found in a collection folder. A symbolic link is listed as itself (whatever it
// points to) and is never entered, so nothing reached through it is ever touched.
struct CollectionFile {
  std::string name;  // bare file name
  std::string path;  // full path
  bool isLink = false;
  bool topLevel = false;  // directly in the folder, not in a subfolder
};

// Every regular file and symbolic link below dir, subfolders included, names sorted within
// each folder. A missing folder, or one that is itself a link, yields nothing.
std::vector<CollectionFile> ListCollectionFiles(const std::string& dir);

// The members of {base}/CopyCollection by name, listed once and each read at most once,
// so that many sources can be expanded against one library.
class CopyLibrary {
 public:
  explicit CopyLibrary(const std::string& base);
  // The member a copy name (lower case) stands for: by full name, else by the name
  // without its last extension; null when none.
  const std::string* Find(const std::string& name) const;
  // The lines of a member, read on first use. Throws FileError.
  const std::vector<std::string>& Lines(const std::string& path);

 private:
  std::unordered_map<std::string, std::string> byName_;
  std::unordered_map<std::string, std::vector<std::string>> read_;
};

// What an expansion did, in source order: the statements resolved with their member,
// the names not found, and the copy statements inside the members used (left as they are).
struct CopyTrace {
  struct Use {
    std::string name;
    std::string member;
  };
  std::vector<Use> resolved;
  std::vector<std::string> unresolved;
  std::vector<Use> nested;  // name: the statement's name, member: the member holding it
};

// Loads sourcePath into target and expands its copy statements from the members below
// base/CopyCollection (base without a trailing "/"). langIndex picks the copy syntax:
// 0 and 2 column-oriented, 1 assembler, anything else leaves the source as it is.
// Copy names that are not found are appended, lower case, to unresolved when given.
// Throws FileError when the source or a member cannot be read; target then holds the
// source without expansion.
void LoadSourceWithCopies(const std::string& base, int langIndex, const std::string& sourcePath,
                          std::vector<std::string>& target, std::vector<std::string>* unresolved);
// The same against a library listed once; trace, when given, records what was done.
void ExpandSourceCopies(CopyLibrary& library, int langIndex, const std::string& sourcePath,
                        std::vector<std::string>& target, std::vector<std::string>* unresolved,
                        CopyTrace* trace = nullptr);

// The first two lines of a text file joined without separator; empty when the file does
// not exist or cannot be read. Reads only as much of the file as those lines need.
std::string ReadLabelHead(const std::string& path);

}  // namespace korvane
