// Components: ownership and free notifications.
#include "framework/Controls.h"

#include <algorithm>
#include <vector>

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  RemoveFreeNotifications();
  if (owner_) {
    std::erase(owner_->components_, this);
    owner_->Notification(this, opRemove);
  }
}

void TComponent::SetLoading(bool value) {
  const bool wasLoading = Loading();
  loading_ = value;
  if (wasLoading && !Loading()) LoadedTree();
}

// The owner first, then the owned components in creation order, as they were read in; one still
// loading on its own waits for its own end.
void TComponent::LoadedTree() {
  Loaded();
  // By index: a step may make or free components.
  for (std::size_t i = 0; i < components_.size(); ++i)
    if (!components_[i]->loading_) components_[i]->LoadedTree();
}

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
    freeNotifies_.push_back(component);
  if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
      component->freeNotifies_.end())
    component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (!component) return;
  std::erase(freeNotifies_, component);
  std::erase(component->freeNotifies_, this);
}

void TComponent::RemoveFreeNotifications() {
  while (!freeNotifies_.empty()) {
    TComponent* c = freeNotifies_.back();
    freeNotifies_.pop_back();
    std::erase(c->freeNotifies_, this);
    c->Notification(this, opRemove);
  }
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  // A copy: a component may go in reaction.
  const auto components = components_;
  for (TComponent* c : components)
    if (c != component) c->Notification(component, operation);
}

void TComponent::DestroyComponents() {
  destroying_ = true;
  while (!components_.empty()) {
    TComponent* c = components_.back();
    components_.pop_back();
    c->owner_ = nullptr;
    delete c;
  }
}

// ---------------------------------------------------------------------------------------------
