#pragma once
// What the shell and a wrapper tool agree on: where the tool runs, what it is given, where
// its results go and how it is asked to stop. The shell, the stand-in tool and the tests
// share these names so that they cannot drift apart. No dependencies beyond std.

#include <cstdio>
#include <string>
#include <string_view>

namespace korvane::contract {

// The tool runs in the job base directory and is given the parameter file's name,
// alone ("last.xml": every entity of the Files section) or with an entity number
// ("last.xml;0007": that entity only).
inline constexpr std::string_view kParameterFile = "last.xml";
inline constexpr std::string_view kBatchFile = "lastbatch.cmd";
inline constexpr std::string_view kBatchHeader = "ECHO ON";
inline constexpr std::string_view kFunctionTable = "functab.wrl";

// Folders below the base directory.
inline constexpr std::string_view kSourceCollection = "SourceCollection";
inline constexpr std::string_view kInputDir = "Workinp";   // SRCnnnn{ext}: sources, copies expanded
inline constexpr std::string_view kFramesDir = "Frames";   // SRCnnnn.LAB and copy members
inline constexpr std::string_view kWorkDir = "Work";       // the tool's scratch space
inline constexpr std::string_view kOutputDir = "WrapOut";  // results, SRCnnnn.*

// The stop request: an empty file of this name appears in the base directory.
inline constexpr std::string_view kStopFile = "Semaphore.xml";
// A console line holding one of these starts the next entity.
inline constexpr std::string_view kEntityMarker = "Orig Source File =";
inline constexpr std::string_view kTextEntityMarker = "Orig Text File =";
// Run files the tools leave in the base directory: "LAST" and four digits.
inline constexpr std::string_view kRunFileMask = "LAST####";
inline constexpr std::string_view kSourceMask = "SRC####";

// "%4.4d": the entity numbers tools see.
inline std::string EntityNumber(long long n) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%.4lld", n);
  return buffer;
}

// "SRC0007": the stem of an entity's tool input, label and results.
inline std::string EntityStem(long long n) {
  return "SRC" + EntityNumber(n);
}

// The product log: the system name + ".log" in the base directory.
inline std::string ProductLogName(std::string_view systemName) {
  return std::string(systemName) + ".log";
}

// The argument for one entity: "last.xml;0007".
inline std::string EntityArgument(long long n) {
  return std::string(kParameterFile) + ";" + EntityNumber(n);
}

// The entity number of an argument: 0 for "last.xml" alone (every entity), -1 when
// the argument names another file or a malformed number.
inline long long ParseEntityArgument(std::string_view argument) {
  if (argument.substr(0, kParameterFile.size()) != kParameterFile) return -1;
  argument.remove_prefix(kParameterFile.size());
  if (argument.empty()) return 0;
  if (argument.front() != ';' || argument.size() < 2 || argument.size() > 10) return -1;
  long long n = 0;
  for (char c : argument.substr(1)) {
    if (c < '0' || c > '9') return -1;
    n = n * 10 + (c - '0');
  }
  return n > 0 ? n : -1;
}

}  // namespace korvane::contract
