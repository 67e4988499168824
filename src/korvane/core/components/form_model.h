#pragma once
// The main window as a model: its named components in creation order. The job
// file walks them in this order, and views look them up by name. Components
// may come and go (a viewer tab's controls): views follow componentAdded and
// componentRemoved.

#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <vector>

#include "korvane/core/components/component.h"

namespace korvane {

class FormModel : public ComponentTree {
 public:
  // Creates a component; the order of calls is the creation order.
  template <typename T, typename... Args>
  T& Create(Args&&... args) {
    auto component = std::make_unique<T>(std::forward<Args>(args)...);
    T& ref = *component;
    Register(std::move(component));
    return ref;
  }

  Component* Find(const std::string& name) const;

  // Removes the component and everything below it (its children, theirs, ...),
  // announced in reverse creation order; the others keep their creation
  // order. False when there is no component of that name.
  bool Remove(const std::string& name);

  template <typename T>
  T& Get(const std::string& name) const {
    auto* typed = dynamic_cast<T*>(Find(name));
    if (typed == nullptr) throw std::logic_error("No component " + name + " of that kind");
    return *typed;
  }

  const std::vector<std::unique_ptr<Component>>& Components() const { return components_; }

  // Whether the component and every parent up to the form are visible.
  bool Showing(const Component& component) const override;

  // The component that has the input focus, as the view reports it; empty when none.
  const std::string& Focused() const override { return focused_; }
  void SetFocused(std::string name) { focused_ = std::move(name); }

  // After a component joined the form.
  Signal<Component&> componentAdded;
  // A component has left the form (Find no longer sees it); it is destroyed
  // right after this returns, and with it its signals.
  Signal<Component&> componentRemoved;

 private:
  void Register(std::unique_ptr<Component> component);

  std::vector<std::unique_ptr<Component>> components_;
  std::unordered_map<std::string, Component*> byName_;
  std::string focused_;
};

}  // namespace korvane
