#pragma once
#include <memory>
#include <vector>

#include "controls/lookandfeel/cxGraphics.h"
#include "controls/lookandfeel/cxLookAndFeels.h"
#include "framework/Controls.h"
#include "framework/ExtCtrls.h"

// The window base of the editors: a custom control with its own look-and-feel settings and
// focus-change notification.
class TcxControl : public TCustomControl {
 public:
  explicit TcxControl(TComponent* owner);
  ~TcxControl() override;
  const char* ClassName() const override { return "TcxControl"; }

  TcxLookAndFeel& LookAndFeel() { return *lookAndFeel_; }
  // The editors' drawing surface over Canvas().
  TcxCanvas& cxCanvas() { return cxCanvas_; }
  // Always False here: the program has no form designer.
  bool IsDesigning() const { return false; }

  // Raised when the focused-while-the-application-is-active state changes.
  TNotifyEvent OnFocusChanged;

 protected:
  // The look-and-feel's effective values changed.
  virtual void LookAndFeelChanged() { Invalidate(); }

 private:
  TcxCanvas cxCanvas_;
  std::unique_ptr<TcxLookAndFeel> lookAndFeel_;
};

// Whoever starts a hover watch is told through this when the mouse has left.
class IcxMouseTrackingCaller {
 public:
  virtual void MouseLeave() = 0;

 protected:
  ~IcxMouseTrackingCaller() = default;
};

// One hover watch: a 10-millisecond timer that checks whether the cursor is still inside a
// rectangle on the screen, and when it is not, tells the control and the caller and ends.
class TMouseTrackingTimer : public TTimer {
 public:
  TMouseTrackingTimer(TWinControl* control, const TRect& screenRect, IcxMouseTrackingCaller* caller);
  const char* ClassName() const override { return "TMouseTrackingTimer"; }

  IcxMouseTrackingCaller* Caller() const { return caller_; }
  TWinControl* Control() const { return control_; }
  const TRect& ScreenRect() const { return screenRect_; }

 private:
  void Tick();

  TWinControl* control_;  // borrowed
  TRect screenRect_;
  IcxMouseTrackingCaller* caller_;  // borrowed
};

// The process-wide list of running hover watches.
std::vector<std::unique_ptr<TMouseTrackingTimer>>& HoverWatchList();

// Starts watching the control's client rectangle `clientRect` for the mouse leaving it; nothing
// when the caller already has a watch running.
void StartHoverWatch(TWinControl* control, const TRect& clientRect, IcxMouseTrackingCaller* caller);
// Ends the caller's watch, if any.
void StopHoverWatch(IcxMouseTrackingCaller* caller);
// True while the caller has a watch running.
bool HoverWatchRunning(const IcxMouseTrackingCaller* caller);
