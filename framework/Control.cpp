// TControl: what every control has, windowed or not: bounds, visibility, colour and font, hints,
// the mouse, actions, size constraints and anchors, dragging, invalidation.
#include "framework/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "framework/Accessible.h"
#include "framework/ActnList.h"
#include "framework/DragDrop.h"
#include "framework/Exception.h"
#include "framework/Application.h"
#include "framework/Hints.h"
#include "framework/Menus.h"

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
  NotifyAccessible(*this, aeStateChange);
}

void TControl::SetAccessibleName(const std::string& name) {
  if (accessibleName_ == name) return;
  accessibleName_ = name;
  NotifyAccessible(*this, aeNameChange);
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

void TControl::SetBiDiMode(TBiDiMode value) {
  if (biDiMode_ == value) return;
  biDiMode_ = value;
  parentBiDiMode_ = false;
  Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool value) {
  if (parentBiDiMode_ == value) return;
  parentBiDiMode_ = value;
  if (value && parent_) Perform(CM_PARENTBIDIMODECHANGED);
}

UINT TControl::DrawTextBiDiModeFlags(UINT flags) const {
  if (UseRightToLeftAlignment()) {
    if (flags & DT_RIGHT) {
      flags &= ~static_cast<UINT>(DT_RIGHT);
    } else if (!(flags & DT_CENTER)) {
      flags |= DT_RIGHT;
    }
  }
  return UseRightToLeftReading() ? flags | DT_RTLREADING : flags;
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
      if (controlStyle_ & csClickEvents) {
        clickPending_ = true;
        if (m.Msg == WM_LBUTTONDBLCLK) DblClick();
      }
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
    case CM_PARENTBIDIMODECHANGED:
      if (parentBiDiMode_ && parent_ && parent_->biDiMode_ != biDiMode_) {
        biDiMode_ = parent_->biDiMode_;
        Perform(CM_BIDIMODECHANGED);
      }
      return;
    case CM_BIDIMODECHANGED:
      Invalidate();
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
      // The notice is this control's own when it names no control or names this one (as a
      // hover watch does); otherwise a child's, passed up.
      const bool own = m.LParam == 0 || m.LParam == reinterpret_cast<LPARAM>(this);
      TControl* control = own ? this : reinterpret_cast<TControl*>(m.LParam);
      if (parent_) {
        parent_->Perform(m.Msg, 0, reinterpret_cast<LPARAM>(control));
      } else {
        // Every control's notice ends here, at the top of its tree.
        m.Msg == CM_MOUSEENTER ? HintMouseEntered(control) : HintMouseLeft(control);
      }
      if (own) m.Msg == CM_MOUSEENTER ? MouseEnter() : MouseLeave();
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

void TControl::SetName(const std::string& name) {
  const bool follow = (controlStyle_ & csSetCaption) && !Loading() && Text() == Name();
  TComponent::SetName(name);
  if (follow) SetText(name);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
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

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
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

namespace {
// `limits` with one limit set (at least 0, and 0 is none); the other limit of its pair moves
// along where the minimum would pass the maximum.
TSizeLimits WithLimit(TSizeLimits limits, int TSizeLimits::*min, int TSizeLimits::*max, bool settingMin,
                      int value) {
  int TSizeLimits::*set = settingMin ? min : max;
  limits.*set = std::max(0, value);
  if (limits.*max > 0 && limits.*min > limits.*max) {
    int TSizeLimits::*other = settingMin ? max : min;
    limits.*other = limits.*set;
  }
  return limits;
}
}  // namespace

void TSizeConstraints::SetMinWidth(int value) {
  Change(WithLimit(limits_, &TSizeLimits::MinWidth, &TSizeLimits::MaxWidth, true, value));
}

void TSizeConstraints::SetMinHeight(int value) {
  Change(WithLimit(limits_, &TSizeLimits::MinHeight, &TSizeLimits::MaxHeight, true, value));
}

void TSizeConstraints::SetMaxWidth(int value) {
  Change(WithLimit(limits_, &TSizeLimits::MinWidth, &TSizeLimits::MaxWidth, false, value));
}

void TSizeConstraints::SetMaxHeight(int value) {
  Change(WithLimit(limits_, &TSizeLimits::MinHeight, &TSizeLimits::MaxHeight, false, value));
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
  const RECT r{left_, top_, left_ + width_, top_ + height_};
  bool erase = !IsOpaque() && !parent_->IsOpaque();
  if (erase) {
    // Entirely covered by opaque windowless siblings, one or several together: nothing of the
    // background would show.
    gdi::Region uncovered(CreateRectRgnIndirect(&r));
    for (TControl* c : parent_->graphicChildren_) {
      if (c == this || !c->visible_ || !c->IsOpaque()) continue;
      const TRect b = c->BoundsRect();
      const gdi::Region cover(CreateRectRgn(b.Left, b.Top, b.Right, b.Bottom));
      if (uncovered && cover && CombineRgn(uncovered.Get(), uncovered.Get(), cover.Get(), RGN_DIFF) == NULLREGION) {
        erase = false;
        break;
      }
    }
  }
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
