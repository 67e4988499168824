#include "korvane/core/common/command_line.h"

#include "korvane/core/common/text.h"

namespace korvane {

namespace {

std::string WithDash(std::string name) {
  if (!name.empty() && name.front() != '-') name.insert(name.begin(), '-');
  return name;
}

std::string_view BeforeEquals(std::string_view text) {
  return text.substr(0, text.find('='));
}

}  // namespace

SwitchNames NamesOfSwitch(std::string_view spec) {
  const size_t first = spec.find(':');
  SwitchNames names{WithDash(std::string(spec.substr(0, first))), {}};
  if (first != std::string_view::npos) {
    const size_t second = spec.find(':', first + 1);
    names.shortName = WithDash(std::string(
        spec.substr(first + 1, second == std::string_view::npos ? second : second - first - 1)));
  }
  return names;
}

bool CommandLine::HasSwitch(std::string_view spec, bool def) const {
  const std::string lower = ToLower(spec);
  const SwitchNames names = NamesOfSwitch(lower);
  const std::string& longName = names.longName;
  const std::string& shortName = names.shortName;

  for (const auto& arg : args_) {
    const std::string p = ToLower(BeforeEquals(arg));
    if (p == longName || p == longName + "+") return true;
    if (p == longName + "-") return false;
    if (!shortName.empty()) {
      if (p == shortName || p == shortName + "+") return true;
      if (p == shortName + "-") return false;
    }
  }
  return def;
}

bool CommandLine::SwitchValue(std::string_view spec, std::string& value) const {
  value.clear();
  const std::string lower = ToLower(spec);
  const SwitchNames switchNames = NamesOfSwitch(lower);
  const std::string& longName = switchNames.longName;
  const std::string& shortName = switchNames.shortName;
  const size_t first = lower.find(':');
  const std::string last =
      first == std::string::npos ? std::string() : lower.substr(lower.rfind(':') + 1);

  if (last == "default" && args_.size() == 1 && args_[0].find('=') == std::string::npos) {
    value = args_[0];
    return true;
  }

  const auto names = [&](std::string_view p) {
    return p == longName || (!shortName.empty() && p == shortName);
  };
  for (size_t i = 0; i < args_.size(); ++i) {
    const std::string arg = ToLower(args_[i]);
    if (names(arg)) {
      if (i + 1 < args_.size() && !StartsWithCase("-", args_[i + 1])) {
        value = args_[i + 1];
        return true;
      }
      continue;
    }
    const size_t eq = arg.find('=');
    if (eq != std::string::npos && names(std::string_view(arg).substr(0, eq))) {
      value = args_[i].substr(eq + 1);
      return true;
    }
  }
  return false;
}

}  // namespace korvane
