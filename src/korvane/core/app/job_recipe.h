#pragma once
// What `korvane -batch -MakeJob` is asked to make: a job described by switches, in the
// order a person would fill in the window (product, names, base folder, sources and
// copies, wrapping types), before any of it is checked against the job's rules.

#include <string>
#include <vector>

#include "korvane/core/common/command_line.h"
#include "korvane/core/common/outcome.h"

namespace korvane {

struct JobRecipe {
  // A file, or a folder searched depth levels deep (1: the folder alone, -1: the tree).
  struct Entry {
    std::string path;
    int depth = -1;
  };
  // A wrapping type for the sources whose names match pattern (empty: every source).
  struct TypeRule {
    std::string code;
    std::string pattern;
  };
  std::string jobFile;
  std::string product;  // a product button's name, its short form or its language code
  std::string productName;
  std::string systemName;
  std::string base;
  std::vector<Entry> sources;
  std::vector<Entry> copies;
  std::vector<TypeRule> types;
};

// Whether the command line asks for a job to be made.
bool WantsJobRecipe(const CommandLine& args);

// Reads the recipe switches; -Sources, -Copies and -WrapType may be given many times and
// -Depth applies to the folders named after it. Fails with the first usage problem; without
// -MakeJob the recipe is empty.
Result<JobRecipe> ReadJobRecipe(const CommandLine& args);

// Whether a source's file name matches a type rule's pattern: "*" and "?" wildcards,
// compared without case.
bool MatchesTypePattern(const std::string& name, const std::string& pattern);

}  // namespace korvane
