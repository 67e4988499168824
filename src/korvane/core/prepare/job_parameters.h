#pragma once
// Builds the text of the job parameter file together with its two companions, the name
// map that ties tool numbers to sources and copy members and, in multi-entity mode, the
// batch lines: one pass over the sources list, no file touched.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvane {

struct PreparedSource {
  std::string fileName;  // the name in the source collection
  std::string origin;    // where the source came from
  bool checked = false;
  std::string typeCode;  // "Onl", "File", "Module", "Proc", "Intr" or empty
};

struct CopyMember {
  std::string name;
  std::string path;
};

struct JobParameterInput {
  std::string appName = "KORVANE";
  std::string productName;
  std::string systemName;
  std::string base;  // the job base directory with its trailing "/"
  bool wrapRequested = false;
  std::string interfaceType;
  bool mapTypeOffered = false;
  std::string mapType;
  bool wordScan = false;  // the word list is written as functab.wrl
  bool multi = false;     // one tool call per source through the batch file
  bool linkerShown = false;
  std::string linkerProgram;
  // The wrapper program of a wrapping type code; empty for "Intr" and unknown codes.
  std::vector<std::pair<std::string, std::string>> wrapperPrograms;
  bool copyLibraryShown = false;
  std::vector<CopyMember> copyMembers;  // every file below the wrapper copy library
  std::vector<PreparedSource> sources;  // in list order
};

struct JobParameters {
  std::vector<std::string> xml;
  // Sorted once, duplicates dropped; filled in wrap mode with a non-empty sources list.
  std::vector<std::string> nameMap;
  bool nameMapBuilt = false;
  std::vector<std::string> batch;
  // Every extension cut to a dot and three characters: (long form, cut form).
  std::vector<std::pair<std::string, std::string>> longExtensions;
  bool markupInValues = false;
  int entities = 0;  // tool numbers given
};

// The tool input's extension for a source: the origin's extension upper-cased, cut to
// the dot and three characters when longer.
std::string ToolExtension(std::string_view origin);

// The order of the name map: ignoring case, ties by the exact text.
bool NameMapLess(std::string_view a, std::string_view b);

JobParameters BuildJobParameters(const JobParameterInput& in);

}  // namespace korvane
