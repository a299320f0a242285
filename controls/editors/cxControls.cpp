#include "controls/editors/cxControls.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// TcxControl

TcxControl::TcxControl(TComponent* owner)
    : TCustomControl(owner), cxCanvas_(Canvas()), lookAndFeel_(std::make_unique<TcxLookAndFeel>(this)) {
  lookAndFeel_->OnChange = [this](TcxLookAndFeel*, TcxLookAndFeelValues) { LookAndFeelChanged(); };
}

TcxControl::~TcxControl() { lookAndFeel_->OnChange = nullptr; }

// ---------------------------------------------------------------------------------------------
// Hover watch

TMouseTrackingTimer::TMouseTrackingTimer(TWinControl* control, const TRect& screenRect,
                                         IcxMouseTrackingCaller* caller)
    : TTimer(nullptr), control_(control), screenRect_(screenRect), caller_(caller) {
  SetInterval(10);
  SetOnTimer([this](TObject*) { Tick(); });
}

void TMouseTrackingTimer::Tick() {
  POINT p;
  if (!GetCursorPos(&p) || screenRect_.Contains(p.x, p.y)) return;
  // Everything this timer knows is copied first: the watch ends (and this object goes) below.
  TWinControl* control = control_;
  IcxMouseTrackingCaller* caller = caller_;
  if (control->HandleAllocated()) control->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(control));
  if (HoverWatchRunning(caller)) caller->MouseLeave();
  StopHoverWatch(caller);
}

std::vector<std::unique_ptr<TMouseTrackingTimer>>& HoverWatchList() {
  static std::vector<std::unique_ptr<TMouseTrackingTimer>> list;
  return list;
}

bool HoverWatchRunning(const IcxMouseTrackingCaller* caller) {
  const auto& list = HoverWatchList();
  return std::any_of(list.begin(), list.end(), [caller](const auto& t) { return t->Caller() == caller; });
}

void StartHoverWatch(TWinControl* control, const TRect& r, IcxMouseTrackingCaller* caller) {
  if (!control || !caller || HoverWatchRunning(caller) || !control->HandleAllocated()) return;
  const TPoint topLeft = control->ClientToScreen({r.Left, r.Top});
  const TRect screen{topLeft.X, topLeft.Y, topLeft.X + r.Width(), topLeft.Y + r.Height()};
  HoverWatchList().push_back(std::make_unique<TMouseTrackingTimer>(control, screen, caller));
}

void StopHoverWatch(IcxMouseTrackingCaller* caller) {
  auto& list = HoverWatchList();
  const auto it = std::find_if(list.begin(), list.end(), [caller](const auto& t) { return t->Caller() == caller; });
  if (it == list.end()) return;
  // Out of the list first: freeing the timer may run nothing that looks for it again.
  std::unique_ptr<TMouseTrackingTimer> timer = std::move(*it);
  list.erase(it);
}
