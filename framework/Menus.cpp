#include "framework/Menus.h"

#include <algorithm>

#include "framework/Exception.h"
#include "framework/UserHandles.h"

// ---------------------------------------------------------------------------------------------
// TMenuItem

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  while (!items_.empty()) delete items_.back();
  if (parent_) parent_->Remove(this);
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
}

void TMenuItem::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
}

void TMenuItem::SetChecked(bool value) {
  if (checked_ == value) return;
  checked_ = value;
}

void TMenuItem::SetVisible(bool value) {
  if (visible_ == value) return;
  visible_ = value;
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  for (const TMenuItem* p = this; p; p = p->parent_)
    if (p == item) throw Exception("A menu item cannot contain itself");
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* item) {
  const auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

// ---------------------------------------------------------------------------------------------
// TPopupMenu

void TPopupMenu::AppendItems(HMENU menu, TMenuItem& item, UINT& next) {
  for (int i = 0; i < item.Count(); ++i) {
    TMenuItem& child = *item.Items(i);
    if (!child.Visible()) continue;
    UINT flags = child.Enabled() ? MF_ENABLED : MF_GRAYED;
    if (child.Checked()) flags |= MF_CHECKED;
    BOOL appended;
    if (child.IsLine()) {
      appended = AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else if (child.Count() > 0) {
      user::Menu submenu(CreatePopupMenu());
      if (!submenu) throw Exception("Out of system resources");
      AppendItems(submenu.Get(), child, next);
      appended = AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.Get()), child.Caption().c_str());
      if (appended) submenu.Release();  // destroyed with the menu that holds it now
    } else {
      child.command_ = next++;
      appended = AppendMenuA(menu, flags | MF_STRING, child.command_, child.Caption().c_str());
    }
    if (!appended) throw Exception("Out of system resources");
  }
}

TMenuItem* TPopupMenu::TakeCommand(TMenuItem& item, UINT command) {
  TMenuItem* found = nullptr;
  for (int i = 0; i < item.Count(); ++i) {
    TMenuItem* child = item.Items(i);
    if (command != 0 && child->command_ == command) found = child;
    child->command_ = 0;
    if (TMenuItem* below = TakeCommand(*child, command)) found = below;
  }
  return found;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {}

TPopupMenu::~TPopupMenu() {
  // The controls showing this menu hear of it while it is still whole.
  RemoveFreeNotifications();
  DestroyComponents();
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (popupComponent_ == component) return;
  popupComponent_ = component;
  // Never unlinked here: the same link may also be the component's own link to this menu.
  if (component) component->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == popupComponent_) popupComponent_ = nullptr;
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  user::Menu menu(CreatePopupMenu());
  if (!menu) throw Exception("Out of system resources");
  UINT next = 1;
  try {
    AppendItems(menu.Get(), *items_, next);
  } catch (...) {
    TakeCommand(*items_, 0);
    throw;
  }
  UINT command = 0;
  if (GetMenuItemCount(menu.Get()) > 0) {
    if (!window_)
      window_ = std::make_unique<TUtilWindow>("TPopupMenuWindow", nullptr, false);  // the system's handling
    // The command comes back as the result: no WM_COMMAND reaches any window.
    command = static_cast<UINT>(TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                               x, y, 0, window_->Handle(), nullptr));
  }
  menu.Reset();
  if (TMenuItem* item = TakeCommand(*items_, command)) item->Click();
}
