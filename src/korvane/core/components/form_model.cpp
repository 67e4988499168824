#include "korvane/core/components/form_model.h"

namespace korvane {

void FormModel::Register(std::unique_ptr<Component> component) {
  const std::string& name = component->Name();
  if (byName_.count(name) != 0) throw std::logic_error("Duplicate component " + name);
  byName_.emplace(name, component.get());
  components_.push_back(std::move(component));
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
