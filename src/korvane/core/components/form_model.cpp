#include "korvane/core/components/form_model.h"

#include <unordered_set>

namespace korvane {

void FormModel::Register(std::unique_ptr<Component> component) {
  const std::string& name = component->Name();
  if (byName_.count(name) != 0) throw std::logic_error("Duplicate component " + name);
  byName_.emplace(name, component.get());
  components_.push_back(std::move(component));
  componentAdded.Emit(*components_.back());
}

bool FormModel::Remove(const std::string& name) {
  if (Find(name) == nullptr) return false;
  // The subtree, found by parent names; repeated passes also catch a child
  // created before its parent.
  std::unordered_set<std::string> doomed{name};
  for (bool grew = true; grew;) {
    grew = false;
    for (const auto& c : components_) {
      if (doomed.count(c->Parent()) != 0 && doomed.insert(c->Name()).second) grew = true;
    }
  }
  std::vector<std::unique_ptr<Component>> removed;
  std::vector<std::unique_ptr<Component>> kept;
  kept.reserve(components_.size());
  for (auto& c : components_) {
    (doomed.count(c->Name()) != 0 ? removed : kept).push_back(std::move(c));
  }
  components_ = std::move(kept);
  for (const auto& c : removed) byName_.erase(c->Name());
  // Reverse creation order: children normally come after their parents.
  for (auto it = removed.rbegin(); it != removed.rend(); ++it) {
    componentRemoved.Emit(**it);
    it->reset();
  }
  return true;
}

Component* FormModel::Find(const std::string& name) const {
  const auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

bool FormModel::Showing(const Component& component) const {
  const Component* current = &component;
  // Parents are created before their children, so the chain is finite; the
  // bound guards against a mistyped parent name forming a cycle.
  for (size_t hops = 0; current != nullptr && hops <= components_.size(); ++hops) {
    if (!current->Visible()) return false;
    if (current->Parent().empty()) return true;
    current = Find(current->Parent());
  }
  return true;
}

}  // namespace korvane
