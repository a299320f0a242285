#include "framework/ActnList.h"

#include <algorithm>

namespace {
template <class T>
void Erase(std::vector<T*>& list, T* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// TBasicAction, TBasicActionLink

TBasicAction::TBasicAction(TComponent* owner) : TComponent(owner) {}

TBasicAction::~TBasicAction() {
  for (TBasicActionLink* link : clients_) link->action_ = nullptr;
  clients_.clear();
}

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

void TBasicAction::Change() {
  // A copy: a client may unlink in reaction.
  const auto clients = clients_;
  for (TBasicActionLink* link : clients)
    if (link->action_ == this) link->Change();
}

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* action) {
  if (action_ == action) return;
  if (action_) Erase(action_->clients_, this);
  action_ = action;
  if (action_) action_->clients_.push_back(this);
}

bool TBasicActionLink::Execute(TComponent*) { return action_ && action_->Execute(); }

// ---------------------------------------------------------------------------------------------
// TContainedAction, TCustomAction

TContainedAction::~TContainedAction() { SetActionList(nullptr); }

void TContainedAction::SetActionList(TCustomActionList* list) {
  if (actionList_ == list) return;
  if (actionList_) Erase(actionList_->actions_, this);
  actionList_ = list;
  if (actionList_) actionList_->actions_.push_back(this);
  Change();
}

void TCustomAction::SetCaption(const std::string& value) {
  if (caption_ == value) return;
  caption_ = value;
  Change();
}

void TCustomAction::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  Change();
}

void TCustomAction::SetHint(const std::string& value) {
  if (hint_ == value) return;
  hint_ = value;
  Change();
}

void TCustomAction::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
  Change();
}

void TCustomAction::SetImageIndex(int value) {
  if (imageIndex_ == value) return;
  imageIndex_ = value;
  const auto clients = clients_;
  for (TBasicActionLink* link : clients)
    if (auto* actionLink = dynamic_cast<TActionLink*>(link); actionLink && actionLink->Action() == this)
      actionLink->SetImageIndex(value);
  Change();
}

bool TCustomAction::Execute() { return enabled_ && TContainedAction::Execute(); }

// ---------------------------------------------------------------------------------------------
// TControlActionLink

void TControlActionLink::Change() {
  if (Action()) client_->ActionChange(Action(), false);
}

// ---------------------------------------------------------------------------------------------
// TCustomActionList

TCustomActionList::TCustomActionList(TComponent* owner) : TComponent(owner) {}

TCustomActionList::~TCustomActionList() {
  SetImages(nullptr);
  while (!actions_.empty()) actions_.back()->SetActionList(nullptr);
}

void TCustomActionList::SetImages(TCustomImageList* images) {
  if (images_ == images) return;
  if (images_) RemoveFreeNotification(images_);
  images_ = images;
  if (images_) FreeNotification(images_);
}

void TCustomActionList::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == images_) images_ = nullptr;
}
