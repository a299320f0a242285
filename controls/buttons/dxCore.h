#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Forms.h"

// The base of the owner-painted push-button family and its styles: the controls keep a small
// visual state from the framework's notifications and repaint on the ones their redraw triggers
// name; a style manager repaints every control registered with it when its theme changes.

// Base of the family's non-visual components.
class TdxCustomComponent : public TComponent {
 public:
  explicit TdxCustomComponent(TComponent* owner);
  const char* ClassName() const override { return "TdxCustomComponent"; }

  const std::string& Version() const { return version_; }
  // Has no effect: the version is the family's own.
  void SetVersion(const std::string&) {}

 private:
  std::string version_;
};

// The mouse is over the control (or space is held on it), a left button or space holds it down,
// it has the input focus.
enum TdxVisualStateFlag : std::uint8_t { vsHot = 1, vsPressed = 2, vsFocused = 4 };
using TdxVisualState = std::uint8_t;

// The notifications that repaint a control, one bit each in this order.
enum TdxRedrawTrigger : std::uint16_t {
  rtTextChanged = 1 << 0,
  rtBorderChanged = 1 << 1,
  rtEnabledChanged = 1 << 2,
  rtFocusChanged = 1 << 3,
  rtMouseDown = 1 << 4,
  rtMouseEnter = 1 << 5,
  rtMouseLeave = 1 << 6,
  rtMouseMove = 1 << 7,
  rtMouseUp = 1 << 8,
  rtParentColorChanged = 1 << 9,
  rtParentFontChanged = 1 << 10,
  rtPositionChanged = 1 << 11,
  rtResized = 1 << 12,
};
using TdxRedrawTriggers = std::uint16_t;
// Text, enabled, focus, mouse down, enter, leave, up and parent colour.
constexpr TdxRedrawTriggers dxDefaultRedrawTriggers = 0x037D;

// Base of the family's windowed controls. Paints nothing itself: derived controls paint, and
// repaint through Redraw when a notification named in their triggers arrives.
class TdxCustomControl : public TCustomControl {
 public:
  explicit TdxCustomControl(TComponent* owner);
  const char* ClassName() const override { return "TdxCustomControl"; }

  // From a left press on the control until the next button release.
  bool Clicking() const { return clicking_; }
  TdxVisualState VisualState() const { return visualState_; }
  bool RedrawLocked() const { return redrawLocked_; }
  // At the last focus change the form's active control was one of the family.
  bool FocusInFamily() const { return focusInFamily_; }
  // Handed to the parent form on every click, 0 included.
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }
  const std::string& Version() const { return version_; }
  // Has no effect: the version is the family's own.
  void SetVersion(const std::string&) {}
  TdxRedrawTriggers RedrawTriggers() const { return redrawTriggers_; }

  // Invalidates the control unless redrawing is locked.
  virtual void Redraw();
  // Drops every repaint until UnlockRedraw, which repaints once.
  virtual void LockRedraw();
  virtual void UnlockRedraw();

  // Gives the parent form the modal result, then runs OnClick or the action.
  void Click() override;
  void WndProc(TMessage& message) override;

 protected:
  // Each runs after the framework's own handling of its notification; see WndProc.
  virtual void DoBorderChanged();
  virtual void DoEnabledChanged();
  // Follows the focus in vsFocused (losing it also ends a press) and FocusInFamily.
  virtual void DoFocusChanged();
  // A left press: takes the focus and adds vsPressed.
  virtual void DoMousePress();
  // The framework's mouse-entered and mouse-left steps of this family.
  void MouseEnter() override { DoMouseEnter(); }
  void MouseLeave() override { DoMouseLeave(); }
  // Adds vsHot, then fires OnMouseEnter.
  virtual void DoMouseEnter();
  // Removes vsHot, then fires OnMouseLeave.
  virtual void DoMouseLeave();
  // X, Y in client coordinates.
  virtual void DoMouseMove(int x, int y);
  // The press ends: removes vsPressed and gives the family control under the cursor the
  // mouse-entered step it missed while this one held the mouse.
  virtual void DoMouseRelease();
  virtual void DoParentColorChanged();
  virtual void DoParentFontChanged();
  virtual void DoPositionChanged();
  virtual void DoResized();
  virtual void DoTextChanged();

  // The control's accelerator clicks it.
  virtual void KeyClick() { Click(); }
  // A press, of the mouse or of a key, ends without its click: the focus left the control
  // (also for another program's window) or the window is being disabled. Removes vsPressed,
  // gives the mouse back and repaints.
  virtual void CancelPress();

  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CaptureLost() override;

  // For derived constructors.
  void SetRedrawTriggers(TdxRedrawTriggers value) { redrawTriggers_ = value; }
  // Redraw when `trigger` is among the triggers.
  void RedrawOn(TdxRedrawTrigger trigger);
  void AddState(TdxVisualState flags) { SetVisualState(visualState_ | flags); }
  void RemoveState(TdxVisualState flags) { SetVisualState(visualState_ & static_cast<TdxVisualState>(~flags)); }
  // Ends a mouse press without a click of its own (a key release clicked instead).
  void CancelMousePress();

 private:
  // Stores the state; readers hear of a change of vsPressed.
  void SetVisualState(int state);
  bool clicking_ = false;
  TdxVisualState visualState_ = 0;
  bool redrawLocked_ = false;
  bool focusInFamily_ = false;
  TModalResult modalResult_ = mrNone;
  std::string version_;
  TdxRedrawTriggers redrawTriggers_ = dxDefaultRedrawTriggers;
  bool releasingButton_ = false;  // a left release is giving the capture back
};

enum TdxTheme { WindowsXP, OfficeXP };

class TdxCustomStyleControl;

// The style of one styled control, owned by it; a change repaints the control.
class TdxStyle : public TObject {
 public:
  explicit TdxStyle(TdxCustomStyleControl* owner) : owner_(owner) {}
  TdxStyle(const TdxStyle&) = delete;
  TdxStyle& operator=(const TdxStyle&) = delete;

  TdxCustomStyleControl* Owner() const { return owner_; }
  TdxTheme Theme() const { return theme_; }
  virtual void SetTheme(TdxTheme value);
  bool UseStyleManager() const { return useStyleManager_; }
  virtual void SetUseStyleManager(bool value);

 private:
  TdxCustomStyleControl* owner_;
  TdxTheme theme_ = WindowsXP;
  bool useStyleManager_ = true;
};

// Keeps the styled controls registered with it and repaints them all when its theme changes.
class TdxStyleManager : public TdxCustomComponent {
 public:
  explicit TdxStyleManager(TComponent* owner);
  // Repaints the registered controls one last time, then lets them go.
  ~TdxStyleManager() override;
  const char* ClassName() const override { return "TdxStyleManager"; }

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TdxCustomStyleControl* Controls(int i) const { return controls_[static_cast<std::size_t>(i)]; }
  // Appends each control not yet in the list.
  void RegisterControls(const std::vector<TdxCustomStyleControl*>& controls);
  // Removes each control that is in the list.
  void UnregisterControls(const std::vector<TdxCustomStyleControl*>& controls);
  // Redraw on every registered control, in list order.
  void RedrawControls();

  TdxTheme Theme() const { return theme_; }
  // A new theme fires OnThemeChanged, then repaints the registered controls.
  virtual void SetTheme(TdxTheme value);
  TNotifyEvent OnThemeChanged;

 private:
  std::vector<TdxCustomStyleControl*> controls_;  // borrowed, no duplicates
  TdxTheme theme_ = WindowsXP;
};

// A family control with a style and, optionally, a style manager.
class TdxCustomStyleControl : public TdxCustomControl {
 public:
  explicit TdxCustomStyleControl(TComponent* owner);
  ~TdxCustomStyleControl() override;
  const char* ClassName() const override { return "TdxCustomStyleControl"; }

  TdxStyle& Style() { return *style_; }
  TdxStyleManager* StyleManager() const { return styleManager_; }
  // Moves the control's registration from the manager it had to the new one, then repaints.
  virtual void SetStyleManager(TdxStyleManager* value);

 protected:
  // The control's style manager going is forgotten without a word to it.
  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::unique_ptr<TdxStyle> style_;
  TdxStyleManager* styleManager_ = nullptr;  // borrowed
};
