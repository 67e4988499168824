#pragma once
// The program's switches: "-Name", "-Name+", "-Name-", "-Name=value" or "-Name value",
// each given in a long or a short form and compared without case.

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// The long and short names of a switch spec "long[:short[:default]]", as written there,
// each with its leading "-"; the short name is empty when the spec has none.
struct SwitchNames {
  std::string longName;
  std::string shortName;
};
SwitchNames NamesOfSwitch(std::string_view spec);

class CommandLine {
 public:
  // args: the arguments without the program name.
  explicit CommandLine(std::vector<std::string> args) : args_(std::move(args)) {}

  // spec is "long[:short]", e.g. "-RememberFiles:RF". The first argument naming the switch
  // decides: plain or with "+" gives true, with "-" gives false; none gives def.
  bool HasSwitch(std::string_view spec, bool def = false) const;

  // spec is "long[:short[:default]]". value is emptied first. "-Name=value" or "-Name"
  // followed by an argument not starting with "-" give the value. With the ":default"
  // form a single argument without "=" is itself the value (a file opened by the shell).
  // Returns whether a value was found.
  bool SwitchValue(std::string_view spec, std::string& value) const;

  const std::vector<std::string>& Args() const { return args_; }

 private:
  std::vector<std::string> args_;
};

}  // namespace korvane
