#include "framework/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <unordered_map>

#include "framework/ActnList.h"
#include "framework/DragDrop.h"
#include "framework/Exception.h"
#include "framework/Forms.h"
#include "framework/Hints.h"
#include "framework/Menus.h"

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {

// Our windows and their controls, looked up for every message: a window property would cost a
// round trip to the window server each time. Only windows of this process can be in it.
std::unordered_map<HWND, TWinControl*>& ControlWindows() {
  static std::unordered_map<HWND, TWinControl*> windows;
  return windows;
}

// The control whose window is being made; its first messages arrive before CreateWindowEx returns.
thread_local TWinControl* g_creating = nullptr;

// The focus window as our windows heard of it (FocusedWindow). Only a window of ours, or none, is
// kept: the focus may move among other windows (a message box's buttons) without our hearing.
struct FocusRecord {
  HWND window = nullptr;
  bool known = false;
};
thread_local FocusRecord g_focus;

bool OursOrNone(HWND window) { return !window || TWinControl::FindControl(window); }

void NoteFocus(HWND window, UINT msg, WPARAM wParam) {
  switch (msg) {
    case WM_SETFOCUS:
      g_focus = {window, true};
      break;
    case WM_KILLFOCUS: {
      const auto next = reinterpret_cast<HWND>(wParam);
      g_focus = {next, OursOrNone(next)};
      break;
    }
    case WM_NCDESTROY:
      if (g_focus.window == window) g_focus.known = false;
      break;
  }
}
// Nesting of window procedures; on-demand device contexts are given back at the outermost level.
thread_local int g_depth = 0;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

template <class T>
void Erase(std::vector<T*>& list, T* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

TShiftState ShiftStateFromKeys(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

// ---------------------------------------------------------------------------------------------
// TComponent

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  RemoveFreeNotifications();
  if (owner_) {
    Erase(owner_->components_, this);
    owner_->Notification(this, opRemove);
  }
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
  Erase(freeNotifies_, component);
  Erase(component->freeNotifies_, this);
}

void TComponent::RemoveFreeNotifications() {
  while (!freeNotifies_.empty()) {
    TComponent* c = freeNotifies_.back();
    freeNotifies_.pop_back();
    Erase(c->freeNotifies_, this);
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
// TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this] { FontChanged(); };
  constraints_.OnChange = [this] { ConstraintsChanged(); };
}

TControl::~TControl() {
  TDragController::ControlDestroyed(*this);
  actionLink_.reset();
  font_.OnChange = nullptr;
  if (Application) Application->ControlDestroyed(this);
  HintControlDestroyed(this);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  if (parent == this) throw Exception("A control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  CheckNewSize(width, height);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const TRect previous = BoundsRect();
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  AnchorsPlaced();
  Invalidate();
  BoundsChanged(previous);
  if (parent_ && align_ != alNone) parent_->Realign();
}

TRect TControl::ClientRect() { return TRect{0, 0, width_, height_}; }

void TControl::SetAlign(TAlign align) {
  if (align_ == align) return;
  align_ = align;
  if (parent_) parent_->Realign();
}

void TControl::ChangeScale(int m, int d) {
  SetBounds(MulDiv(left_, m, d), MulDiv(top_, m, d), MulDiv(width_, m, d), MulDiv(height_, m, d));
}

TPoint TControl::ClientToScreen(TPoint p) {
  if (IsWindowed()) {
    POINT q{p.X, p.Y};
    ::ClientToScreen(static_cast<TWinControl*>(this)->Handle(), &q);
    return {q.x, q.y};
  }
  if (!parent_) throw Exception(FormatMessage1("Control '%s' has no parent window", Name()));
  return parent_->ClientToScreen({p.X + left_, p.Y + top_});
}

TPoint TControl::ScreenToClient(TPoint p) {
  const TPoint origin = ClientToScreen({0, 0});
  return {p.X - origin.X, p.Y - origin.Y};
}

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  if (visible_) Invalidate();
  visible_ = visible;
  Invalidate();
  if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
}

bool TControl::IsShowing() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (!c->visible_ || !c->enabled_) return false;
  return true;
}

void TControl::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  parentColor_ = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  if (parentColor_ == value) return;
  parentColor_ = value;
  if (value && parent_ && !Loading()) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool value) {
  if (parentFont_ == value) return;
  parentFont_ = value;
  if (value && parent_) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged() {
  if (!updatingFromParent_) parentFont_ = false;
  Perform(CM_FONTCHANGED);
}

void TControl::UpdateFromParentFont(TControl* source) {
  updatingFromParent_ = true;
  try {
    font_.Assign(source->font_);
  } catch (...) {
    updatingFromParent_ = false;
    throw;
  }
  updatingFromParent_ = false;
}

void TControl::SetHint(const std::string& hint) {
  if (hint_ == hint) return;
  hint_ = hint;
  HintSettingsChanged(this);
}

void TControl::SetShowHint(bool value) {
  if (showHint_ == value) return;
  showHint_ = value;
  parentShowHint_ = false;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool value) {
  if (parentShowHint_ == value) return;
  parentShowHint_ = value;
  if (value && parent_) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
  if (popupMenu_ == menu) return;
  popupMenu_ = menu;
  // Never unlinked: the same link may also be the menu's to the control it was shown for.
  if (menu) menu->FreeNotification(this);
}

void TControl::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == popupMenu_) popupMenu_ = nullptr;
}

bool TControl::ContextPopup(TPoint screen) {
  const bool keyboard = screen.X == -1 && screen.Y == -1;
  bool handled = false;
  DoContextPopup(keyboard ? screen : ScreenToClient(screen), handled);
  if (handled) return true;
  TPopupMenu* menu = popupMenu_;
  if (!menu || !menu->AutoPopup()) return false;
  if (keyboard) {
    // Below the window holding the focus (this control or one inside it), else below this one.
    RECT r;
    HWND focus = FocusedWindow();
    if (focus && GetWindowRect(focus, &r)) {
      screen = {r.left, r.bottom};
    } else {
      screen = ClientToScreen({0, height_});
    }
  }
  menu->SetPopupComponent(this);
  menu->Popup(screen.X, screen.Y);
  return true;
}

void TControl::DoContextPopup(TPoint mousePos, bool& handled) {
  if (OnContextPopup) OnContextPopup(this, mousePos, handled);
}

void TControl::SetText(const std::string& text) {
  if (Text() == text) return;
  // A window's WM_SETTEXT announces the change itself, except while it comes from here.
  settingText_ = true;
  try {
    StoreText(text);
  } catch (...) {
    settingText_ = false;
    throw;
  }
  settingText_ = false;
  Perform(CM_TEXTCHANGED);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& m) {
  const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  TDragController::MouseMessage(m.Msg, m.WParam);
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      DefaultHandler(m);
      if ((controlStyle_ & csCaptureMouse) && Application) Application->SetCaptureControl(this);
      if (controlStyle_ & csClickEvents) clickPending_ = true;
      MouseDown(mbLeft, ShiftStateFromKeys(m.WParam) | (m.Msg == WM_LBUTTONDBLCLK ? static_cast<TShiftState>(ssDouble) : 0u), x, y);
      if (dragMode_ == dmAutomatic && !Dragging()) BeginDrag(false);
      return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      DefaultHandler(m);
      MouseDown(mbRight, ShiftStateFromKeys(m.WParam) | (m.Msg == WM_RBUTTONDBLCLK ? static_cast<TShiftState>(ssDouble) : 0u), x, y);
      return;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
      DefaultHandler(m);
      MouseDown(mbMiddle, ShiftStateFromKeys(m.WParam) | (m.Msg == WM_MBUTTONDBLCLK ? static_cast<TShiftState>(ssDouble) : 0u), x, y);
      return;
    case WM_LBUTTONUP: {
      DefaultHandler(m);
      // Decided before the capture goes: giving it back ends the press.
      const bool click = clickPending_ && x >= 0 && y >= 0 && x < width_ && y < height_;
      clickPending_ = false;
      if ((controlStyle_ & csCaptureMouse) && Application && Application->CaptureControl() == this)
        Application->SetCaptureControl(nullptr);
      if (click) Click();
      MouseUp(mbLeft, ShiftStateFromKeys(m.WParam), x, y);
      return;
    }
    case WM_RBUTTONUP:
      DefaultHandler(m);
      MouseUp(mbRight, ShiftStateFromKeys(m.WParam), x, y);
      return;
    case WM_MBUTTONUP:
      DefaultHandler(m);
      MouseUp(mbMiddle, ShiftStateFromKeys(m.WParam), x, y);
      return;
    case WM_MOUSEMOVE:
      DefaultHandler(m);
      MouseMove(ShiftStateFromKeys(m.WParam), x, y);
      return;
    case WM_CAPTURECHANGED:
      DefaultHandler(m);
      clickPending_ = false;
      CaptureLost();
      return;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_) {
        const TColor c = m.WParam ? static_cast<TColor>(m.LParam) : (parent_ ? parent_->color_ : color_);
        if (c != color_) {
          color_ = c;
          Perform(CM_COLORCHANGED);
        }
      }
      return;
    case CM_PARENTFONTCHANGED:
      if (parentFont_) {
        if (m.WParam) {
          UpdateFromParentFont(reinterpret_cast<TControl*>(m.LParam));
        } else if (parent_) {
          UpdateFromParentFont(parent_);
        }
      }
      return;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED:
      Invalidate();
      return;
    case CM_PARENTSHOWHINTCHANGED:
      if (parentShowHint_ && parent_ && parent_->showHint_ != showHint_) {
        showHint_ = parent_->showHint_;
        Perform(CM_SHOWHINTCHANGED);
      }
      return;
    case CM_SHOWHINTCHANGED:
      HintSettingsChanged(this);
      return;
    case WM_CONTEXTMENU:
      if (ContextPopup({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)})) {
        m.Result = 1;
      } else {
        DefaultHandler(m);
      }
      return;
    case CM_HITTEST:
      m.Result = 1;
      return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: {
      if (m.LParam == 0) {
        const TNotifyEvent& handler = m.Msg == CM_MOUSEENTER ? OnMouseEnter : OnMouseLeave;
        if (handler) handler(this);
      }
      if (parent_) {
        parent_->Perform(m.Msg, 0, m.LParam ? m.LParam : reinterpret_cast<LPARAM>(this));
      } else {
        // Every control's notice ends here, at the top of its tree.
        TControl* control = m.LParam ? reinterpret_cast<TControl*>(m.LParam) : this;
        m.Msg == CM_MOUSEENTER ? HintMouseEntered(control) : HintMouseLeft(control);
      }
      return;
    }
    case CM_TEXTCHANGED:
    case CM_DIALOGCHAR:
    case CM_DIALOGKEY:
    case CM_FOCUSCHANGED:
    case CM_SYSCOLORCHANGE:
    case CM_BORDERCHANGED:
      return;
    default:
      DefaultHandler(m);
  }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Click() {
  if (OnClick) {
    OnClick(this);
  } else if (actionLink_) {
    actionLink_->Execute(this);
  }
}

TBasicAction* TControl::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

void TControl::SetAction(TBasicAction* action) {
  if (!action) {
    actionLink_.reset();
    return;
  }
  if (!actionLink_) actionLink_ = CreateActionLink();
  actionLink_->SetAction(action);
  ActionChange(action, false);
}

std::unique_ptr<TControlActionLink> TControl::CreateActionLink() {
  return std::make_unique<TControlActionLink>(this);
}

void TControl::ActionChange(TObject* sender, bool checkDefaults) {
  auto* action = dynamic_cast<TCustomAction*>(sender);
  if (!action) return;
  if (!checkDefaults || Caption().empty()) SetCaption(action->Caption());
  if (!checkDefaults || Enabled()) SetEnabled(action->Enabled());
  if (!checkDefaults || hint_.empty()) SetHint(action->Hint());
  if (!checkDefaults || Visible()) SetVisible(action->Visible());
}

// ---------------------------------------------------------------------------------------------
// TControl: anchors, size constraints, drag and drop

void TSizeConstraints::SetMinWidth(int value) {
  TSizeLimits l = limits_;
  l.MinWidth = std::max(0, value);
  if (l.MaxWidth > 0 && l.MinWidth > l.MaxWidth) l.MaxWidth = l.MinWidth;
  Change(l);
}

void TSizeConstraints::SetMinHeight(int value) {
  TSizeLimits l = limits_;
  l.MinHeight = std::max(0, value);
  if (l.MaxHeight > 0 && l.MinHeight > l.MaxHeight) l.MaxHeight = l.MinHeight;
  Change(l);
}

void TSizeConstraints::SetMaxWidth(int value) {
  TSizeLimits l = limits_;
  l.MaxWidth = std::max(0, value);
  if (l.MaxWidth > 0 && l.MinWidth > l.MaxWidth) l.MinWidth = l.MaxWidth;
  Change(l);
}

void TSizeConstraints::SetMaxHeight(int value) {
  TSizeLimits l = limits_;
  l.MaxHeight = std::max(0, value);
  if (l.MaxHeight > 0 && l.MinHeight > l.MaxHeight) l.MinHeight = l.MaxHeight;
  Change(l);
}

void TSizeConstraints::Change(const TSizeLimits& limits) {
  if (limits == limits_) return;
  limits_ = limits;
  if (OnChange) OnChange();
}

void TControl::CheckNewSize(int& width, int& height) {
  if (width == width_ && height == height_) return;
  int w = width, h = height;
  if (CanResize(w, h)) {
    TSizeLimits limits = constraints_.Limits();
    ConstrainedResize(limits.MinWidth, limits.MinHeight, limits.MaxWidth, limits.MaxHeight);
    ConstrainSize(limits, w, h);
    width = w;
    height = h;
  } else {
    width = width_;
    height = height_;
  }
}

bool TControl::CanResize(int& newWidth, int& newHeight) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, newWidth, newHeight, resize);
  return resize;
}

void TControl::ConstrainedResize(int& minWidth, int& minHeight, int& maxWidth, int& maxHeight) {
  if (OnConstrainedResize) OnConstrainedResize(this, minWidth, minHeight, maxWidth, maxHeight);
}

void TControl::ConstraintsChanged() {
  int w = width_, h = height_;
  ConstrainSize(constraints_.Limits(), w, h);
  if (w != width_ || h != height_) SetBounds(left_, top_, w, h);
}

void TControl::SetAnchors(TAnchors anchors) {
  if (anchors_ == anchors) return;
  anchors_ = anchors;
  AnchorsPlaced();
}

void TControl::AnchorsPlaced() {
  if (anchoring_ || anchors_ == TAnchors{akLeft, akTop}) return;
  if (!parent_ || !parent_->HandleAllocated()) {
    anchorArea_ = {-1, -1};  // taken once the parent's window exists
    return;
  }
  const TRect area = parent_->ClientRect();
  anchorPlaced_ = BoundsRect();
  anchorArea_ = {area.Width(), area.Height()};
}

void TControl::ApplyAnchors(TSize area) {
  if (align_ != alNone || anchors_ == TAnchors{akLeft, akTop}) return;
  if (anchorArea_.cx < 0) {
    anchorPlaced_ = BoundsRect();
    anchorArea_ = area;
    return;
  }
  const TRect r = AnchoredBounds(anchors_, anchorPlaced_, anchorArea_, area);
  anchoring_ = true;
  try {
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
  } catch (...) {
    anchoring_ = false;
    throw;
  }
  anchoring_ = false;
}

void TControl::SetDragCursor(TCursor cursor) {
  if (dragCursor_ == cursor) return;
  dragCursor_ = cursor;
  TDragController::CursorChanged(*this);
}

void TControl::BeginDrag(bool immediate, int threshold) { TDragController::Begin(*this, immediate, threshold); }

void TControl::EndDrag(bool drop) { TDragController::End(*this, drop); }

bool TControl::Dragging() const { return TDragController::Dragging(*this); }

void TControl::DoStartDrag(TDragObject*& dragObject) {
  if (OnStartDrag) OnStartDrag(this, dragObject);
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
  accept = static_cast<bool>(OnDragOver);
  if (OnDragOver) OnDragOver(this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y) {
  if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TControl::DoEndDrag(TObject* target, int x, int y) {
  if (OnEndDrag) OnEndDrag(this, target, x, y);
}

void TControl::DoStartDock(TDragObject*& dragObject) {
  if (OnStartDock) OnStartDock(this, dragObject);
}

void TControl::DoEndDock(TObject* target, int x, int y) {
  if (OnEndDock) OnEndDock(this, target, x, y);
}

// ---------------------------------------------------------------------------------------------

void TControl::Invalidate() {
  if (!visible_ || !parent_ || !parent_->HandleAllocated()) return;
  bool erase = !IsOpaque() && !parent_->IsOpaque();
  if (erase) {
    // Entirely covered by an opaque windowless sibling: nothing of the background would show.
    for (TControl* c : parent_->graphicChildren_) {
      if (c == this || !c->visible_ || !c->IsOpaque()) continue;
      const TRect r = c->BoundsRect();
      if (r.Left <= left_ && r.Top <= top_ && r.Right >= left_ + width_ && r.Bottom >= top_ + height_) {
        erase = false;
        break;
      }
    }
  }
  RECT r{left_, top_, left_ + width_, top_ + height_};
  InvalidateRect(parent_->handle_, &r, erase);
}

void TControl::Repaint() {
  if (!visible_ || !parent_ || !parent_->HandleAllocated()) return;
  if (IsOpaque()) {
    gdi::WindowDC dc(parent_->handle_);
    gdi::SavedState state(dc.Get());
    IntersectClipRect(dc.Get(), left_, top_, left_ + width_, top_ + height_);
    parent_->PaintControls(dc.Get(), this);
  } else {
    Invalidate();
    parent_->Update();
  }
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

// ---------------------------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  DestroyComponents();
  // Leave the parent here, while this is still known as windowed (TControl's destructor would
  // take it for a windowless one and leave it in the lists of windowed children).
  if (Parent()) Parent()->RemoveControl(this);
  DestroyHandle();
  for (TControl* c : children_) c->parent_ = nullptr;
  graphicChildren_.clear();
  winChildren_.clear();
  tabList_.clear();
  children_.clear();
}

TWinControl* TWinControl::FindControl(HWND window) {
  // Never a window of another process (another copy of the program has controls at addresses
  // that mean nothing here), nor one of ours of another class.
  const auto& windows = ControlWindows();
  const auto it = windows.find(window);
  return it == windows.end() ? nullptr : it->second;
}

TControl* TWinControl::Controls(int i) const {
  const int graphics = static_cast<int>(graphicChildren_.size());
  return i < graphics ? graphicChildren_[i] : winChildren_[i - graphics];
}

void TWinControl::InsertControl(TControl* control) {
  control->parent_ = this;
  children_.push_back(control);
  if (control->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(control);
    winChildren_.push_back(w);
    tabList_.push_back(w);
  } else {
    graphicChildren_.push_back(control);
  }
  if (control->parentColor_) control->Perform(CM_PARENTCOLORCHANGED);
  if (control->parentFont_) control->Perform(CM_PARENTFONTCHANGED);
  if (control->parentShowHint_) control->Perform(CM_PARENTSHOWHINTCHANGED);
  if (control->IsWindowed() && handle_) static_cast<TWinControl*>(control)->CreateHandle();
  if (control->align_ != alNone) Realign();
  control->AnchorsPlaced();
  control->Invalidate();
  ControlInserted(control);
}

void TWinControl::RemoveControl(TControl* control) {
  control->Invalidate();
  // Before its window goes: the focus leaving it must not be handed back to it.
  if (TForm* form = GetParentForm(this)) form->ControlRemoved(control);
  if (control->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(control);
    if (!destroying_) w->DestroyHandle();
    Erase(winChildren_, w);
    Erase(tabList_, w);
  } else {
    Erase(graphicChildren_, control);
  }
  Erase(children_, control);
  control->parent_ = nullptr;
  if (control->align_ != alNone && !destroying_) Realign();
}

void TWinControl::NotifyControls(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A copy: a handler may add or remove children.
  std::vector<TControl*> children(graphicChildren_.begin(), graphicChildren_.end());
  children.insert(children.end(), winChildren_.begin(), winChildren_.end());
  for (TControl* c : children) c->Perform(msg, wParam, lParam);
}

LRESULT TWinControl::Broadcast(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A copy: a handler may add or remove children.
  std::vector<TControl*> children(graphicChildren_.begin(), graphicChildren_.end());
  children.insert(children.end(), winChildren_.begin(), winChildren_.end());
  for (TControl* c : children) {
    const LRESULT r = c->Perform(msg, wParam, lParam);
    if (r != 0) return r;
  }
  return 0;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) {
  for (auto it = graphicChildren_.rbegin(); it != graphicChildren_.rend(); ++it) {
    TControl* c = *it;
    if (!c->visible_ || (!allowDisabled && !c->enabled_)) continue;
    if (!c->BoundsRect().Contains(p.X, p.Y)) continue;
    if (c->Perform(CM_HITTEST, 0, MAKELPARAM(p.X - c->left_, p.Y - c->top_)) != 0) return c;
  }
  return nullptr;
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  Erase(list, this);
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

bool TWinControl::CanFocus() {
  if (!GetParentForm(this)) return false;
  for (TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() { return handle_ && FocusedWindow() == handle_; }

void TWinControl::SetFocus() {
  TForm* form = GetParentForm(this);
  if (form && form != this && (!form->HandleAllocated() || !IsWindowVisible(form->Handle()))) {
    form->SetActiveControl(this);
    return;
  }
  ::SetFocus(Handle());
}

std::vector<TWinControl*> TWinControl::TabOrderList() {
  std::vector<TWinControl*> list;
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    const auto inner = c->TabOrderList();
    list.insert(list.end(), inner.begin(), inner.end());
  }
  return list;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  const auto list = TabOrderList();
  if (list.empty()) return;
  const int n = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
  if (start == n) start = forward ? n - 1 : 0;
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = forward ? (i + 1) % n : (i + n - 1) % n;
    TWinControl* c = list[i];
    if (c == current) break;
    if (!checkTabStop && c->Parent() != this) continue;
    if ((!checkTabStop || c->tabStop_) && c->CanFocus()) {
      c->SetFocus();
      return;
    }
  }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  CheckNewSize(width, height);
  if (left == Left() && top == Top() && width == Width() && height == Height()) return;
  const TRect previous = BoundsRect();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  AnchorsPlaced();
  if (handle_) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  BoundsChanged(previous);
  if (Parent() && Align() != alNone) Parent()->Realign();
}

void TWinControl::BoundsChanged(const TRect& previous) {
  if (previous.Width() != Width() || previous.Height() != Height()) Realign();
}

TRect TWinControl::ClientRect() {
  if (handle_) {
    RECT r;
    GetClientRect(handle_, &r);
    return TRect{r.left, r.top, r.right, r.bottom};
  }
  return TControl::ClientRect();
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::Realign() {
  if (realigning_) return;
  realigning_ = true;
  try {
    TRect r = ClientRect();
    const TSize area{r.Width(), r.Height()};
    AdjustClientRect(r);
    for (TControl* c : children_) {
      if (!c->visible_ || c->align_ != alTop) continue;
      c->SetBounds(r.Left, r.Top, r.Width(), c->height_);
      r.Top += c->height_;
    }
    if (handle_ && !scaling_) {
      const auto children = children_;
      for (TControl* c : children) c->ApplyAnchors(area);
    }
  } catch (...) {
    realigning_ = false;  // a failed layout must not stop every later one
    throw;
  }
  realigning_ = false;
}

void TWinControl::ChangeScale(int m, int d) {
  // The children are scaled from where they stood: their anchors must not first move them to
  // this control's new size, or a child kept at a distance from the right edge would be moved
  // twice. Scaled, each takes its distances anew.
  scaling_ = true;
  try {
    TControl::ChangeScale(m, d);
  } catch (...) {
    scaling_ = false;
    throw;
  }
  scaling_ = false;
  ScaleControls(m, d);
}

void TWinControl::ScaleControls(int m, int d) {
  const auto children = children_;
  for (TControl* c : children) c->ChangeScale(m, d);
}

void TWinControl::SetVisible(bool visible) {
  if (Visible() == visible) return;
  TControl::SetVisible(visible);
  if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

std::string TWinControl::Text() const {
  if (!handle_) return text_;
  const int length = GetWindowTextLengthA(handle_);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(handle_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
  return text;
}

void TWinControl::StoreText(const std::string& text) {
  text_ = text;
  if (handle_) SetWindowTextA(handle_, text.c_str());
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, !IsOpaque());
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  text_ = Text();
  DestroyHandle();
  CreateHandle();
}

HBRUSH TWinControl::BackgroundBrush() {
  const COLORREF rgb = ColorToRGB(Color());
  if (!brush_ || rgb != brushColor_) {
    brush_.Reset(CreateSolidBrush(rgb));
    brushColor_ = rgb;
  }
  return brush_.Get();
}

HWND TWinControl::Handle() {
  if (!handle_) {
    if (Parent() && !Parent()->handle_) Parent()->Handle();
    if (!handle_) CreateHandle();
  }
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = text_;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle() & csAcceptsControls) p.Style |= WS_CLIPCHILDREN;
  if (Visible()) p.Style |= WS_VISIBLE;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (tabStop_) p.Style |= WS_TABSTOP;
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  p.WndParent = Parent() ? Parent()->handle_ : nullptr;
}

void TWinControl::RegisterWindowClass(const TCreateParams& p) {
  // Window class name -> the procedure of the class it builds on.
  static std::map<std::string, WNDPROC> registered;
  const std::string name = ClassName();
  auto it = registered.find(name);
  if (it == registered.end()) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    WNDPROC base = DefWindowProcA;
    if (!p.BaseClass.empty()) {
      if (!GetClassInfoExA(nullptr, p.BaseClass.c_str(), &wc)) throw Exception("Error creating window class");
      base = wc.lpfnWndProc;
      wc.style &= ~CS_GLOBALCLASS;
    } else {
      wc.style = p.ClassStyle;
      wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
      wc.hIcon = p.ClassIcon;
      wc.hIconSm = p.ClassSmallIcon;
    }
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = FrameworkWindowProc;
    wc.hInstance = Instance();
    wc.lpszClassName = name.c_str();
    wc.hbrBackground = nullptr;
    if (!RegisterClassExA(&wc)) throw Exception("Error creating window class");
    it = registered.emplace(name, base).first;
  }
  defaultProc_ = it->second;
  nativeClass_ = !p.BaseClass.empty();
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if ((p.Style & WS_CHILD) && !p.WndParent)
    throw Exception(FormatMessage1("Control '%s' has no parent window", Name()));
  RegisterWindowClass(p);
  TWinControl* outer = g_creating;
  g_creating = this;
  HWND h = CreateWindowExA(p.ExStyle, ClassName(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                           p.WndParent, nullptr, Instance(), nullptr);
  g_creating = outer;
  if (!h) throw Exception(std::string("Error creating window of ") + ClassName());
  handle_ = h;
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  CreateWnd();
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), 0);
  CreateWindowHandleDone();
  const auto children = winChildren_;
  for (TWinControl* c : children) c->CreateHandle();
  Realign();
}

void TWinControl::DestroyHandle() {
  if (handle_) DestroyWindow(handle_);
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!handle_) return;
  m.Result = CallWindowProcA(defaultProc_ ? defaultProc_ : DefWindowProcA, handle_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::UpdateBoundsFromWindow() {
  RECT r;
  GetWindowRect(handle_, &r);
  if (Parent() && Parent()->handle_) MapWindowPoints(nullptr, Parent()->handle_, reinterpret_cast<POINT*>(&r), 2);
  const TRect previous = BoundsRect();
  if (previous == TRect{r.left, r.top, r.right, r.bottom}) return;
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
  AnchorsPlaced();
  BoundsChanged(previous);
}

bool TWinControl::ForwardMouseToChild(TMessage& m) {
  const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  TControl* target = nullptr;
  if (GetCapture() == handle_) {
    TControl* capture = Application ? Application->CaptureControl() : nullptr;
    if (capture && capture != this && capture->Parent() == this) target = capture;
  } else {
    target = ControlAtPos(p, false);
  }
  if (!target) return false;
  TMessage forwarded = m;
  forwarded.LParam = MAKELPARAM(p.X - target->Left(), p.Y - target->Top());
  target->WndProc(forwarded);
  m.Result = forwarded.Result;
  return true;
}

void TWinControl::WMPaint(TMessage& m) {
  if (nativeClass_ && graphicChildren_.empty()) {
    DefaultHandler(m);
    return;
  }
  PAINTSTRUCT ps{};
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  const bool ownPaint = dc == nullptr;
  if (ownPaint) dc = BeginPaint(handle_, &ps);
  try {
    {
      gdi::SavedState state(dc);
      int clip = SIMPLEREGION;
      for (TControl* c : graphicChildren_) {
        if (!c->Visible() || !c->IsOpaque()) continue;
        clip = ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
        if (clip == NULLREGION) break;
      }
      if (clip != NULLREGION) PaintWindow(dc);
    }
    PaintControls(dc);
  } catch (...) {
    if (ownPaint) EndPaint(handle_, &ps);
    throw;
  }
  if (ownPaint) EndPaint(handle_, &ps);
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto it = graphicChildren_.begin();
  if (first) it = std::find(graphicChildren_.begin(), graphicChildren_.end(), first);
  for (; it != graphicChildren_.end(); ++it) {
    TControl* c = *it;
    if (!c->Visible()) continue;
    RECT r{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
    if (!RectVisible(dc, &r)) continue;
    gdi::SavedState state(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + c->Left(), origin.y + c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      WMPaint(m);
      return;
    case WM_PRINTCLIENT:
      if (!nativeClass_) {
        TMessage paint{WM_PAINT, m.WParam, 0, 0};
        WMPaint(paint);
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (nativeClass_) break;
      if (!IsOpaque()) {
        RECT r;
        GetClientRect(handle_, &r);
        ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, BackgroundBrush());
      }
      m.Result = 1;
      return;
    case WM_SETFOCUS:
      DefaultHandler(m);
      if (TForm* form = GetParentForm(this)) form->FocusChanged(this);
      return;
    case WM_WINDOWPOSCHANGED:
      DefaultHandler(m);
      UpdateBoundsFromWindow();
      return;
    case WM_SETCURSOR:
      // Over the client area the pointer takes the Cursor of the windowless child under it, or
      // else this control's; at crDefault the window's own handling (class cursor, parent) decides.
      if (reinterpret_cast<HWND>(m.WParam) == handle_ && LOWORD(m.LParam) == HTCLIENT) {
        POINT p{};
        GetCursorPos(&p);
        ::ScreenToClient(handle_, &p);
        TCursor cursor = Cursor();
        if (TControl* child = ControlAtPos({p.x, p.y}, false); child && child->Cursor() != crDefault)
          cursor = child->Cursor();
        if (cursor != crDefault) {
          ::SetCursor(CursorHandle(cursor));
          m.Result = TRUE;
          return;
        }
      }
      break;
    case WM_WINDOWPOSCHANGING: {
      // A size change from outside the framework (the user, the window manager, SetWindowPos)
      // goes through the same checks as one made with SetBounds; a window being minimised
      // takes the size of its icon.
      auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
      if (!(pos->flags & SWP_NOSIZE) && !IsIconic(handle_)) CheckNewSize(pos->cx, pos->cy);
      break;
    }
    case WM_GETMINMAXINFO: {
      // The sizes the user can drag a top-level window's frame to.
      DefaultHandler(m);
      auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
      const TSizeLimits& l = Constraints().Limits();
      if (l.MinWidth > 0) info->ptMinTrackSize.x = l.MinWidth;
      if (l.MinHeight > 0) info->ptMinTrackSize.y = l.MinHeight;
      if (l.MaxWidth > 0) info->ptMaxTrackSize.x = l.MaxWidth;
      if (l.MaxHeight > 0) info->ptMaxTrackSize.y = l.MaxHeight;
      return;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_COMMAND:
      if (TWinControl* child = FindControl(reinterpret_cast<HWND>(m.LParam)); child && child != this) {
        m.Result = child->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
        return;
      }
      break;
    case CN_BASE + WM_CTLCOLOREDIT:
    case CN_BASE + WM_CTLCOLORSTATIC:
    case CN_BASE + WM_CTLCOLORBTN:
    case CN_BASE + WM_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetTextColor(dc, ColorToRGB(font_.Color()));
      SetBkColor(dc, ColorToRGB(Color()));
      m.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
      return;
    }
    case WM_SETTEXT:
      // Also a text set from outside the framework (automation, accessibility tools).
      DefaultHandler(m);
      if (m.Result && !settingText_) Perform(CM_TEXTCHANGED);
      return;
    case WM_SYSCOLORCHANGE:
      DefaultHandler(m);
      Perform(CM_SYSCOLORCHANGE);
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(m.WParam);
      if (m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN) {
        KeyDown(key, KeyboardShiftState());
      } else {
        KeyUp(key, KeyboardShiftState());
      }
      if (key == 0) return;
      m.WParam = key;
      break;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
      char key = static_cast<char>(m.WParam);
      KeyPress(key);
      if (key == 0) return;
      m.WParam = static_cast<unsigned char>(key);
      break;
    }
    case WM_CAPTURECHANGED:
      // The window held the capture for itself or for one of its windowless children.
      for (TControl* c : graphicChildren_)
        if (c->clickPending_) c->Perform(WM_CAPTURECHANGED, m.WParam, m.LParam);
      break;
    case WM_NCDESTROY:
      DefaultHandler(m);
      ControlWindows().erase(handle_);
      handle_ = nullptr;
      return;
    case CM_COLORCHANGED:
      BackgroundBrush();
      Invalidate();
      NotifyControls(CM_PARENTCOLORCHANGED);
      return;
    case CM_SHOWHINTCHANGED:
      HintSettingsChanged(this);
      NotifyControls(CM_PARENTSHOWHINTCHANGED);
      return;
    case WM_CONTEXTMENU:
      // A right click over a windowless child: the child has the first say.
      if (reinterpret_cast<HWND>(m.WParam) == handle_ && m.LParam != -1) {
        const TPoint p = ScreenToClient({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        TControl* child = ControlAtPos(p, false);
        if (child && child->ContextPopup({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)})) {
          m.Result = 1;
          return;
        }
      }
      break;
    case CM_FONTCHANGED:
      if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), 1);
      Invalidate();
      NotifyControls(CM_PARENTFONTCHANGED);
      return;
    case CM_ENABLEDCHANGED:
      // Disabled, the control gives up the focus, also when it holds the focused control.
      if (HWND focus = FocusedWindow(); !Enabled() && handle_ && focus && (focus == handle_ || IsChild(handle_, focus))) {
        if (TForm* form = GetParentForm(this); form && form != this) ::SetFocus(form->Handle());
      }
      if (handle_) EnableWindow(handle_, Enabled());
      return;
    case CM_BORDERCHANGED:
      if (handle_) {
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (Visible()) Invalidate();
      }
      return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
    case CM_SYSCOLORCHANGE:
      m.Result = Broadcast(m.Msg, m.WParam, m.LParam);
      return;
    default:
      if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK && ForwardMouseToChild(m)) {
        // The window's own handling of a right button's release asks for the context menu.
        if (m.Msg == WM_RBUTTONUP && m.Result == 0 && handle_) DefaultHandler(m);
        return;
      }
      break;
  }
  TControl::WndProc(m);
}

// Every window of the framework's controls comes through here. Failures escaping a handler are
// reported by the application and go no further.
HWND FocusedWindow() {
  if (g_focus.known) return g_focus.window;
  const HWND focus = ::GetFocus();
  if (OursOrNone(focus)) g_focus = {focus, true};
  return focus;
}

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Before anything runs: handlers may ask where the focus is, or move it on.
  NoteFocus(window, msg, wParam);
  TWinControl* control = TWinControl::FindControl(window);
  if (!control && g_creating) {
    control = g_creating;
    control->handle_ = window;
    ControlWindows()[window] = control;
  }
  if (!control) return DefWindowProcA(window, msg, wParam, lParam);
  // The framework's own notifications travel only through Perform. One arriving here was posted
  // or sent through the system, by any thread or process, and its values mean nothing to us:
  // some of them carry controls, so none is acted on.
  if (IsFrameworkMessage(msg)) return 0;
  TMessage m{msg, wParam, lParam, 0};
  ++g_depth;
  try {
    control->WndProc(m);
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
  } catch (...) {
    if (Application) Application->HandleException("Unknown failure");
  }
  if (--g_depth == 0) TControlCanvas::ReleaseAll();
  return m.Result;
}

// ---------------------------------------------------------------------------------------------
// Canvases

namespace {
std::vector<TControlCanvas*>& OnDemandCanvases() {
  static std::vector<TControlCanvas*> list;
  return list;
}
}  // namespace

TControlCanvas::~TControlCanvas() { Release(); }

void TControlCanvas::CreateHandle() {
  TWinControl* window;
  if (control_.IsWindowed()) {
    window = static_cast<TWinControl*>(&control_);
  } else {
    window = control_.Parent();
    if (!window) throw Exception(FormatMessage1("Control '%s' has no parent window", control_.Name()));
  }
  window_ = window->Handle();
  ownDC_ = GetDC(window_);
  if (!ownDC_) throw Exception("Out of system resources");
  savedState_ = SaveDC(ownDC_);
  if (!control_.IsWindowed()) {
    SetViewportOrgEx(ownDC_, control_.Left(), control_.Top(), nullptr);
    IntersectClipRect(ownDC_, 0, 0, control_.Width(), control_.Height());
  }
  SetHandle(ownDC_);
  OnDemandCanvases().push_back(this);
}

void TControlCanvas::Release() {
  if (!ownDC_) return;
  SetHandle(nullptr);
  RestoreDC(ownDC_, savedState_);
  ReleaseDC(window_, ownDC_);
  ownDC_ = nullptr;
  window_ = nullptr;
  Erase(OnDemandCanvases(), this);
}

void TControlCanvas::ReleaseAll() {
  auto& list = OnDemandCanvases();
  while (!list.empty()) list.back()->Release();
}

namespace {
// Lends a device context to a canvas for the length of a paint.
class PaintAttachment {
 public:
  PaintAttachment(TControlCanvas& canvas, HDC dc) : canvas_(canvas) {
    canvas_.Release();
    canvas_.SetHandle(dc);
  }
  ~PaintAttachment() { canvas_.SetHandle(nullptr); }
  PaintAttachment(const PaintAttachment&) = delete;
  PaintAttachment& operator=(const PaintAttachment&) = delete;

 private:
  TControlCanvas& canvas_;
};
}  // namespace

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(*this) {}

TGraphicControl::~TGraphicControl() { canvas_.Release(); }

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    PaintAttachment attach(canvas_, reinterpret_cast<HDC>(m.WParam));
    canvas_.Font().Assign(Font());
    Paint();
    return;
  }
  TControl::WndProc(m);
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(*this) {
  SetControlStyle(ControlStyle() | csAcceptsControls);
}

TCustomControl::~TCustomControl() { canvas_.Release(); }

void TCustomControl::PaintWindow(HDC dc) {
  if (!DoubleBuffered() || Width() <= 0 || Height() <= 0) {
    PaintAttachment attach(canvas_, dc);
    canvas_.Font().Assign(Font());
    Paint();
    return;
  }
  buffer_.SetSize(Width(), Height());
  {
    PaintAttachment attach(canvas_, buffer_.Canvas().Handle());
    canvas_.Font().Assign(Font());
    Paint();
  }
  BitBlt(dc, 0, 0, Width(), Height(), buffer_.Canvas().Handle(), 0, 0, SRCCOPY);
}

TForm* GetParentForm(TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return dynamic_cast<TForm*>(control);
}

TControl* FindDragTarget(TPoint screen, bool allowDisabled) {
  return FindDragTarget(WindowFromPoint(POINT{screen.X, screen.Y}), screen, allowDisabled);
}

TControl* FindDragTarget(HWND window, TPoint screen, bool allowDisabled) {
  TWinControl* control = TWinControl::FindControl(window);
  if (!control) return nullptr;
  POINT p{screen.X, screen.Y};
  ScreenToClient(window, &p);
  TControl* child = control->ControlAtPos({p.x, p.y}, allowDisabled);
  return child ? child : control;
}
