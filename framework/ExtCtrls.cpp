#include "framework/ExtCtrls.h"

#include "framework/Exception.h"

TTimer::TTimer(TComponent* owner)
    : TComponent(owner),
      window_("TTimerWindow",
              [this](UINT msg, WPARAM wParam, LPARAM lParam) -> LRESULT {
                if (msg == WM_TIMER) {
                  Timer();
                  return 0;
                }
                return DefWindowProcA(window_.Handle(), msg, wParam, lParam);
              },
              true) {}

TTimer::~TTimer() {
  if (running_) KillTimer(window_.Handle(), 1);
}

void TTimer::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned milliseconds) {
  if (interval_ == milliseconds) return;
  interval_ = milliseconds;
  UpdateTimer();
}

namespace {
// Handlers known to be the same: both unassigned, or the same plain function. Closures cannot be
// compared and count as a change.
bool SameHandler(const TNotifyEvent& a, const TNotifyEvent& b) {
  if (!a || !b) return !a && !b;
  using Function = void (*)(TObject*);
  const Function* fa = a.target<Function>();
  const Function* fb = b.target<Function>();
  return fa && fb && *fa == *fb;
}
}  // namespace

void TTimer::SetOnTimer(TNotifyEvent handler) {
  if (SameHandler(onTimer_, handler)) return;
  onTimer_ = std::move(handler);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (running_) KillTimer(window_.Handle(), 1);
  running_ = false;
  if (interval_ != 0 && enabled_ && onTimer_) {
    if (!SetTimer(window_.Handle(), 1, interval_, nullptr)) throw Exception("Not enough timers available");
    running_ = true;
  }
}

void TTimer::Timer() {
  if (enabled_ && onTimer_) onTimer_(this);
}
