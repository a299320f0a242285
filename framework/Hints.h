#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "framework/Controls.h"
#include "framework/ExtCtrls.h"
#include "framework/UserHandles.h"

// The platform's tooltip window, showing one text just below the pointer (a tracking tooltip:
// the framework decides when it shows and goes).
class THintWindow {
 public:
  // `owner`: the window the tooltip belongs to (the application's); it hears the tooltip's
  // notifications.
  explicit THintWindow(HWND owner);
  THintWindow(const THintWindow&) = delete;
  THintWindow& operator=(const THintWindow&) = delete;

  // Shows the text below the pointer at `pointer`, kept on the pointer's monitor.
  void ActivateHint(TPoint pointer, const std::string& text);
  void ReleaseHint();
  bool Showing() const { return showing_; }
  HWND Handle() const { return window_.Get(); }

 private:
  HWND owner_;
  user::Window window_;
  bool showing_ = false;
};

// Shows the hint of the control the pointer rests over. It follows the framework's mouse-entered
// and mouse-left notifications: the hint shows after the pointer has been over the control for
// the system's tooltip pause and goes when the pointer leaves, when a button or key is pressed,
// or after a while; it then stays away until the pointer enters another control. Made when a
// control first has a hint to show, owned by the application.
class THintController : public TComponent {
 public:
  explicit THintController(TComponent* owner);
  ~THintController() override;
  const char* ClassName() const override { return "THintController"; }

  // The pause before a hint shows, before the next one shows when the pointer moves on from a
  // showing hint, and how long a hint stays, in milliseconds: the platform tooltip's unless set.
  // They are the program's; a change applies from the next pause on.
  static DWORD HintPause();
  static DWORD HintShortPause();
  static DWORD HintHidePause();
  static void SetHintPause(DWORD ms);
  static void SetHintShortPause(DWORD ms);
  static void SetHintHidePause(DWORD ms);
  static void RestoreSystemPauses();

  void MouseEntered(TControl* control);
  void MouseLeft(TControl* control);
  // The hint or ShowHint of a control changed.
  void HintChanged(TControl* control);
  void ControlDestroyed(TControl* control);
  // Hides the hint until the pointer enters another control.
  void CancelHint();

  bool Waiting() const { return state_ == hsWaiting; }
  bool Showing() const { return state_ == hsShowing; }
  // The tooltip window, once a hint has shown.
  THintWindow* HintWindow() const { return window_.get(); }

 private:
  enum State { hsIdle, hsWaiting, hsShowing, hsDone };
  void Wait(DWORD pause);
  void Tick();
  void SetState(State state);
  // Input that ends a hint: a button or key pressed anywhere in the thread.
  static LRESULT CALLBACK InputHook(int code, WPARAM wParam, LPARAM lParam);

  State state_ = hsIdle;
  TControl* hovered_ = nullptr;  // the control the pointer is over, as last notified
  DWORD leftShowingAt_ = 0;      // when the pointer last left a control with its hint showing
  bool leftShowing_ = false;
  TTimer* timer_;                // owned as a component
  std::unique_ptr<THintWindow> window_;
  user::Hook hook_;              // while a hint waits or shows
};

// The hint text shown for a control: the hint (up to a "|") of the nearest of it and its parents
// that has one, or nothing when that one's ShowHint is False.
std::string HintTextFor(const TControl* control);
// The long hint of a control: the part after a "|" (all of it without one) of the hint of the
// nearest of it and its parents that has one, whether or not it shows.
std::string LongHintFor(const TControl* control);

// The framework's controls report here; nothing is made or done while no control has a hint to
// show.
void HintMouseEntered(TControl* control);
void HintMouseLeft(TControl* control);
void HintSettingsChanged(TControl* control);
void HintControlDestroyed(TControl* control);
// The application's hint controller, or nullptr while none was needed.
THintController* HintController();
