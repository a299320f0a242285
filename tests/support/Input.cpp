#include "tests/support/Input.h"

#include "framework/Forms.h"

namespace testing_support {

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Application->ProcessMessages();
    Sleep(1);
  }
  return true;
}

void Pump(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

void MovePointer(TPoint p) {
  SetCursorPos(p.X, p.Y);
  PumpUntil([&] {
    POINT now;
    GetCursorPos(&now);
    return now.x == p.X && now.y == p.Y;
  }, 250);
}

namespace {
void Send(INPUT* inputs, UINT count) {
  SendInput(count, inputs, sizeof(INPUT));
  Pump(30);
}

INPUT Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}
}  // namespace

void ClickAt(TPoint p, TMouseButton button) {
  // Every event carries its absolute position, so a pointer position arriving late from the
  // window system cannot move the click elsewhere.
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  const LONG ax = MulDiv(p.X, 65535, w - 1), ay = MulDiv(p.Y, 65535, h - 1);
  static constexpr DWORD kDown[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_MIDDLEDOWN};
  static constexpr DWORD kUp[] = {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_RIGHTUP, MOUSEEVENTF_MIDDLEUP};
  const DWORD flags[] = {0, kDown[button], kUp[button]};
  INPUT in[3]{};
  for (int i = 0; i < 3; ++i) {
    in[i].type = INPUT_MOUSE;
    in[i].mi.dx = ax;
    in[i].mi.dy = ay;
    in[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags[i];
  }
  Send(in, 3);
}

void Click(TControl& control, TMouseButton button) {
  ClickAt(control.ClientToScreen({control.Width() / 2, control.Height() / 2}), button);
}

void PressKey(WORD vk, bool shift) {
  INPUT in[4];
  UINT n = 0;
  if (shift) in[n++] = Key(VK_SHIFT, false);
  in[n++] = Key(vk, false);
  in[n++] = Key(vk, true);
  if (shift) in[n++] = Key(VK_SHIFT, true);
  Send(in, n);
}

void TypeText(const char* ascii) {
  for (const char* p = ascii; *p; ++p) {
    const SHORT code = VkKeyScanA(*p);
    PressKey(LOBYTE(code), (HIBYTE(code) & 1) != 0);
  }
}

TWinControl* FocusedControl() { return TWinControl::FindControl(GetFocus()); }

}  // namespace testing_support
