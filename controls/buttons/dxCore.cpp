#include "controls/buttons/dxCore.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/Accessible.h"
#include "framework/Application.h"
#include "framework/StdCtrls.h"

namespace {
constexpr char kVersion[] = "Flat button family 2.0.1";
}  // namespace

// ---------------------------------------------------------------------------------------------
// TdxCustomComponent

TdxCustomComponent::TdxCustomComponent(TComponent* owner) : TComponent(owner), version_(kVersion) {}

// ---------------------------------------------------------------------------------------------
// TdxCustomControl

TdxCustomControl::TdxCustomControl(TComponent* owner) : TCustomControl(owner), version_(kVersion) {
  // Paints every pixel itself, off-screen first, so overlapping fills never flicker.
  SetControlStyle(ControlStyle() | csOpaque | csReplicatable);
  SetDoubleBuffered(true);
}

void TdxCustomControl::Redraw() {
  if (!redrawLocked_) Invalidate();
}

void TdxCustomControl::LockRedraw() { redrawLocked_ = true; }

void TdxCustomControl::UnlockRedraw() {
  redrawLocked_ = false;
  Redraw();
}

void TdxCustomControl::RedrawOn(TdxRedrawTrigger trigger) {
  if (redrawTriggers_ & trigger) Redraw();
}

void TdxCustomControl::SetVisualState(int state) {
  const bool pressChanged = ((state ^ visualState_) & vsPressed) != 0;
  visualState_ = static_cast<TdxVisualState>(state);
  if (pressChanged) NotifyAccessible(*this, aeStateChange);
}

void TdxCustomControl::DoBorderChanged() { RedrawOn(rtBorderChanged); }
void TdxCustomControl::DoEnabledChanged() { RedrawOn(rtEnabledChanged); }
void TdxCustomControl::DoParentColorChanged() { RedrawOn(rtParentColorChanged); }
void TdxCustomControl::DoParentFontChanged() { RedrawOn(rtParentFontChanged); }
void TdxCustomControl::DoPositionChanged() { RedrawOn(rtPositionChanged); }
void TdxCustomControl::DoResized() { RedrawOn(rtResized); }
void TdxCustomControl::DoTextChanged() {
  RedrawOn(rtTextChanged);
  NotifyAccessible(*this, aeNameChange);
}
void TdxCustomControl::DoMouseMove(int, int) { RedrawOn(rtMouseMove); }

void TdxCustomControl::DoFocusChanged() {
  if (Focused()) {
    AddState(vsFocused);
  } else {
    RemoveState(vsFocused);
    CancelPress();
  }
  TForm* form = GetParentForm(this);
  focusInFamily_ = form && dynamic_cast<TdxCustomControl*>(form->ActiveControl()) != nullptr;
  RedrawOn(rtFocusChanged);
}

void TdxCustomControl::DoMousePress() {
  if (!Focused() && CanFocus()) SetFocus();
  AddState(vsPressed);
  RedrawOn(rtMouseDown);
}

void TdxCustomControl::DoMouseEnter() {
  AddState(vsHot);
  RedrawOn(rtMouseEnter);
  if (OnMouseEnter) OnMouseEnter(this);
}

void TdxCustomControl::DoMouseLeave() {
  RemoveState(vsHot);
  RedrawOn(rtMouseLeave);
  if (OnMouseLeave) OnMouseLeave(this);
}

void TdxCustomControl::DoMouseRelease() {
  RemoveState(vsPressed);
  RedrawOn(rtMouseUp);
  POINT p;
  if (!GetCursorPos(&p)) return;
  auto* under = dynamic_cast<TdxCustomControl*>(FindDragTarget({p.x, p.y}, true));
  if (under && under != this) {
    if (Application) Application->MouseEnterGiven(under);
    under->DoMouseEnter();
  }
}

void TdxCustomControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  clicking_ = true;
  DoMousePress();
}

void TdxCustomControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TCustomControl::MouseUp(button, shift, x, y);
  if (!clicking_) return;
  clicking_ = false;
  DoMouseRelease();
}

void TdxCustomControl::CaptureLost() {
  // The capture taken away mid-press (an error box, a modal form) ends the press; a left
  // release giving it back ends it in MouseUp, after OnMouseUp.
  if (!clicking_ || releasingButton_) return;
  clicking_ = false;
  DoMouseRelease();
}

void TdxCustomControl::CancelPress() {
  const bool pressed = (visualState_ & vsPressed) || clicking_;
  RemoveState(vsPressed);
  CancelMousePress();
  if (pressed) Redraw();
}

void TdxCustomControl::CancelMousePress() {
  if (!clicking_) return;
  clicking_ = false;
  // Giving the capture back drops the framework's pending click as well.
  if (Application && Application->CaptureControl() == this) Application->SetCaptureControl(nullptr);
}

void TdxCustomControl::Click() {
  if (TForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TCustomControl::Click();
}

void TdxCustomControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_DIALOGCHAR:
      if (IsAccelerator(m.WParam, Caption()) && CanFocus() && (Focused() || (KeyboardShiftState() & ssAlt))) {
        KeyClick();
        m.Result = 1;
        return;
      }
      break;
    case WM_LBUTTONUP: {
      releasingButton_ = true;
      struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
      } reset{releasingButton_};
      TCustomControl::WndProc(m);
      return;
    }
  }
  TCustomControl::WndProc(m);
  switch (m.Msg) {
    case WM_KILLFOCUS:
    case WM_CANCELMODE:
      // The focus went, to this form or any other window (switching to another program takes
      // it away too), or the window is being disabled: no later key or button release may
      // complete this press. The person has turned elsewhere, and a click they no longer see
      // coming would act behind their back.
      CancelPress();
      break;
    case CM_BORDERCHANGED: DoBorderChanged(); break;
    case CM_ENABLEDCHANGED: DoEnabledChanged(); break;
    case CM_FOCUSCHANGED: DoFocusChanged(); break;
    case CM_PARENTCOLORCHANGED: DoParentColorChanged(); break;
    case CM_PARENTFONTCHANGED: DoParentFontChanged(); break;
    case CM_TEXTCHANGED: DoTextChanged(); break;
    case WM_MOUSEMOVE: DoMouseMove(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)); break;
    case WM_SIZE: DoResized(); break;
    case WM_WINDOWPOSCHANGED: DoPositionChanged(); break;
  }
}

// ---------------------------------------------------------------------------------------------
// Styles

void TdxStyle::SetTheme(TdxTheme value) {
  if (theme_ == value) return;
  theme_ = value;
  owner_->Redraw();
}

void TdxStyle::SetUseStyleManager(bool value) {
  if (useStyleManager_ == value) return;
  useStyleManager_ = value;
  owner_->Redraw();
}

TdxStyleManager::TdxStyleManager(TComponent* owner) : TdxCustomComponent(owner) {}

TdxStyleManager::~TdxStyleManager() {
  RedrawControls();
  controls_.clear();
  RemoveFreeNotifications();  // the controls forget this manager while it is still whole
}

void TdxStyleManager::RegisterControls(const std::vector<TdxCustomStyleControl*>& controls) {
  for (TdxCustomStyleControl* c : controls)
    if (c && std::find(controls_.begin(), controls_.end(), c) == controls_.end()) controls_.push_back(c);
}

void TdxStyleManager::UnregisterControls(const std::vector<TdxCustomStyleControl*>& controls) {
  for (TdxCustomStyleControl* c : controls) controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
}

void TdxStyleManager::RedrawControls() {
  const auto controls = controls_;
  for (TdxCustomStyleControl* c : controls) c->Redraw();
}

void TdxStyleManager::SetTheme(TdxTheme value) {
  if (theme_ == value) return;
  theme_ = value;
  if (OnThemeChanged) OnThemeChanged(this);
  RedrawControls();
}

TdxCustomStyleControl::TdxCustomStyleControl(TComponent* owner)
    : TdxCustomControl(owner), style_(std::make_unique<TdxStyle>(this)) {}

TdxCustomStyleControl::~TdxCustomStyleControl() {
  if (styleManager_) {
    styleManager_->UnregisterControls({this});
    RemoveFreeNotification(styleManager_);
  }
}

void TdxCustomStyleControl::SetStyleManager(TdxStyleManager* value) {
  if (styleManager_ == value) return;
  if (styleManager_) {
    styleManager_->UnregisterControls({this});
    RemoveFreeNotification(styleManager_);
  }
  if (value) {
    value->RegisterControls({this});
    value->FreeNotification(this);
  }
  styleManager_ = value;
  Redraw();
}

void TdxCustomStyleControl::Notification(TComponent* component, TOperation operation) {
  TdxCustomControl::Notification(component, operation);
  if (operation == opRemove && component == styleManager_) styleManager_ = nullptr;
}
