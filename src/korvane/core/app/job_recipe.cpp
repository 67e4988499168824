#include "korvane/core/app/job_recipe.h"

#include <charconv>
#include <filesystem>

#include "korvane/core/common/text.h"

namespace korvane {

namespace {

constexpr const char* kMakeJob = "-MakeJob";

// The switch an argument names (without "=value") when it is one of the recipe's.
bool Is(const std::string& arg, const char* name) {
  return EqualsNoCase(BeforeFirst(arg, "="), name);
}

bool GlobMatch(std::string_view name, std::string_view pattern) {
  size_t n = 0;
  size_t p = 0;
  size_t starP = std::string_view::npos;
  size_t starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || ToLowerChar(pattern[p]) == ToLowerChar(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace

bool WantsJobRecipe(const CommandLine& args) {
  for (const std::string& arg : args.Args()) {
    if (Is(arg, kMakeJob)) return true;
  }
  return false;
}

Result<JobRecipe> ReadJobRecipe(const CommandLine& args) {
  JobRecipe recipe;
  const std::vector<std::string>& all = args.Args();
  int depth = -1;
  for (size_t i = 0; i < all.size(); ++i) {
    const std::string& arg = all[i];
    if (arg.empty() || arg.front() != '-') continue;
    // Switches that are not the recipe's are the start-up's to read.
    std::string value;
    const size_t eq = arg.find('=');
    const auto take = [&] {
      if (eq != std::string::npos) {
        value = arg.substr(eq + 1);
      } else if (i + 1 < all.size() && !all[i + 1].empty() && all[i + 1].front() != '-') {
        value = all[++i];
      }
      return !value.empty();
    };
    const auto refused = [&](const char* why) {
      return Outcome::Failure("The switch " + BeforeFirst(arg, "=") + why);
    };
    const auto need = [&](std::string& field) -> Outcome {
      if (!take()) return refused(" needs a value");
      if (!field.empty()) return refused(" is given twice");
      field = value;
      return {};
    };
    Outcome problem;
    if (Is(arg, kMakeJob)) {
      problem = need(recipe.jobFile);
    } else if (Is(arg, "-Product")) {
      problem = need(recipe.product);
    } else if (Is(arg, "-ProductName")) {
      problem = need(recipe.productName);
    } else if (Is(arg, "-SystemName")) {
      problem = need(recipe.systemName);
    } else if (Is(arg, "-Base")) {
      problem = need(recipe.base);
    } else if (Is(arg, "-Sources") || Is(arg, "-Copies")) {
      if (!take()) return refused(" needs a value");
      (Is(arg, "-Sources") ? recipe.sources : recipe.copies).push_back({value, depth});
    } else if (Is(arg, "-Depth")) {
      if (!take()) return Outcome::Failure("The switch -Depth needs a value");
      int parsed = 0;
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), parsed);
      if (ec != std::errc() || end != value.data() + value.size() || parsed < 1) {
        return Outcome::Failure("-Depth " + value +
                                ": the depth is a number of folder levels, 1 or more");
      }
      depth = parsed;
    } else if (Is(arg, "-WrapType")) {
      if (!take()) return Outcome::Failure("The switch -WrapType needs a value");
      recipe.types.push_back({BeforeFirst(value, "="), value.find('=') == std::string::npos
                                                           ? std::string()
                                                           : value.substr(value.find('=') + 1)});
    }
    if (!problem) return problem;
  }
  if (recipe.jobFile.empty()) return recipe;
  for (const char* spec : {"-Proj:P", "-AutoRun:-ar", "-Report"}) {
    std::string ignored;
    if (args.SwitchValue(spec, ignored) || args.HasSwitch(spec)) {
      return Outcome::Failure(
          std::string("-MakeJob only makes and saves a job; run it with a second call (without ") +
          NamesOfSwitch(spec).longName + ")");
    }
  }
  if (!EqualsNoCase(std::filesystem::path(recipe.jobFile).extension().string(), ".jwrap")) {
    return Outcome::Failure("-MakeJob " + recipe.jobFile + ": a job file's name ends in .jwrap");
  }
  for (const auto& [field, name] :
       {std::pair{&recipe.productName, "-ProductName"},
        std::pair{&recipe.systemName, "-SystemName"}, std::pair{&recipe.base, "-Base"}}) {
    if (field->empty()) return Outcome::Failure(std::string("-MakeJob needs ") + name);
  }
  if (recipe.sources.empty()) {
    return Outcome::Failure("-MakeJob needs at least one -Sources file or folder");
  }
  return recipe;
}

bool MatchesTypePattern(const std::string& name, const std::string& pattern) {
  return pattern.empty() || GlobMatch(name, pattern);
}

}  // namespace korvane
