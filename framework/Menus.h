#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/UtilWindow.h"

// A menu command: a caption ("-" makes a separator line, "&" marks the access key), its state
// and its OnClick handler; an item with items of its own opens them as a submenu. The platform's
// menu is built from the items each time the menu opens, so every change shows at the next one.
class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  // Leaves the item it belongs to and destroys its own items, whoever owns them.
  ~TMenuItem() override;
  const char* ClassName() const override { return "TMenuItem"; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  bool IsLine() const { return caption_ == "-"; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // --- the items below this one
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  TMenuItem* Parent() const { return parent_; }
  int IndexOf(const TMenuItem* item) const;
  // Appends an item (taking it from the item it was in).
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);

  // Runs OnClick; the menu calls it when the user chooses the item.
  virtual void Click();
  TNotifyEvent OnClick;

 private:
  friend class TPopupMenu;
  std::string caption_;
  bool enabled_ = true;
  bool checked_ = false;
  bool visible_ = true;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
  UINT command_ = 0;  // the identifier in the menu showing now, 0 outside it
};

// A context menu: `Popup` shows it at a point of the screen and runs the chosen item's click.
// A control shows its PopupMenu on a right click or the context-menu key (Shift+F10).
class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;
  const char* ClassName() const override { return "TPopupMenu"; }

  // The top-level items.
  TMenuItem& Items() { return *items_; }
  // Controls show the menu on their own when True (the default); when False only Popup does.
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool value) { autoPopup_ = value; }
  // The control the menu was last shown for.
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* component);

  // Shows the menu with its top-left corner at the screen point and waits until it closes; the
  // chosen item's click runs before it returns. A menu without a visible item is not shown.
  virtual void Popup(int x, int y);
  // Raised before the menu shows: the place to adjust its items.
  TNotifyEvent OnPopup;
  // The hidden window that owns the menu while it shows; none before the first one.
  HWND WindowHandle() const { return window_ ? window_->Handle() : nullptr; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // Appends the visible items below `item` to `menu`, numbering their commands from `next`.
  static void AppendItems(HMENU menu, TMenuItem& item, UINT& next);
  // The item given the command, if it is still in the tree (a handler may have removed it while
  // the menu showed); every command is forgotten on the way.
  static TMenuItem* TakeCommand(TMenuItem& item, UINT command);

  std::unique_ptr<TMenuItem> items_;
  bool autoPopup_ = true;
  TComponent* popupComponent_ = nullptr;  // borrowed, linked by FreeNotification
  std::unique_ptr<TUtilWindow> window_;
};
