#pragma once
#include <windows.h>
#include <imm.h>

#include <cstdint>
#include <string>

// What an editor asks of the input method while it has the focus.
enum TImeMode : std::uint8_t { imDisable, imClose, imOpen, imDontCare };

// Puts a window's input method into a mode while the window has the focus and gives the state
// it had back when the focus leaves. The input method library is loaded on the first request,
// as the program loads its optional libraries; without it nothing happens.
class TcxImeSwitch {
 public:
  TcxImeSwitch() = default;
  TcxImeSwitch(const TcxImeSwitch&) = delete;
  TcxImeSwitch& operator=(const TcxImeSwitch&) = delete;

  // The focus arrived at the window: the mode and, when named, the input method are asked for.
  void Enter(HWND window, TImeMode mode, const std::string& imeName);
  // The focus left the window: what Enter changed is given back.
  void Leave(HWND window);

 private:
  bool entered_ = false;
  bool disabled_ = false;
  HIMC previousContext_ = nullptr;  // the system's, associated again on leaving
  int previousOpen_ = -1;           // -1: the open state was not changed
  HKL previousLayout_ = nullptr;    // the input method before the named one; none: not changed
};
