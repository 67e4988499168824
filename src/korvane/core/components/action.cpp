#include "korvane/core/components/action.h"

#include <stdexcept>

namespace korvane {

Action& ActionList::Add(std::string name, std::string caption, std::string category) {
  if (byName_.count(name) != 0) throw std::logic_error("Duplicate action " + name);
  auto action = std::make_unique<Action>(name, std::move(caption), std::move(category));
  Action& ref = *action;
  byName_.emplace(std::move(name), &ref);
  actions_.push_back(std::move(action));
  return ref;
}

Action* ActionList::Find(const std::string& name) const {
  const auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

Action& ActionList::Get(const std::string& name) const {
  Action* action = Find(name);
  if (action == nullptr) throw std::logic_error("Unknown action " + name);
  return *action;
}

std::vector<Action*> ActionList::InCategory(const std::string& category) const {
  std::vector<Action*> found;
  for (const auto& a : actions_) {
    if (a->Category() == category) found.push_back(a.get());
  }
  return found;
}

}  // namespace korvane
