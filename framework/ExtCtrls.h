#pragma once
#include "framework/Controls.h"
#include "framework/UtilWindow.h"

// A periodic timer: a hidden message-only window receives WM_TIMER with timer id 1.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  const char* ClassName() const override { return "TTimer"; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned milliseconds);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);
  // True while an operating-system timer runs for this timer.
  bool Running() const { return running_; }
  HWND WindowHandle() const { return window_.Handle(); }

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();
  bool enabled_ = true;
  unsigned interval_ = 1000;
  TNotifyEvent onTimer_;
  bool running_ = false;
  TUtilWindow window_;
};
