#pragma once
#include <windows.h>

#include "framework/Geometry.h"

namespace testing_support {

// A window of another process (the foreign_window program next to the test program) at a screen
// rectangle, carrying `property` in the window property where the framework's controls were once
// found. Shown without taking the activation; closed, and its process ended, when this goes.
class ForeignWindow {
 public:
  ForeignWindow(const TRect& r, const void* property);
  ~ForeignWindow();
  ForeignWindow(const ForeignWindow&) = delete;
  ForeignWindow& operator=(const ForeignWindow&) = delete;
  // nullptr if the program could not be started or showed no window.
  HWND Window() const { return window_; }

 private:
  PROCESS_INFORMATION info_{};
  bool started_ = false;
  HWND window_ = nullptr;
};

}  // namespace testing_support
