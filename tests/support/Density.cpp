#include "tests/support/Density.h"

#include <cstdlib>

#include "framework/Handles.h"

namespace testing_support {

int ScreenDpi() {
  const gdi::WindowDC screen(nullptr);
  return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int RequestedDpi() {
  char value[16] = {};
  return GetEnvironmentVariableA("NAMEGEN_TEST_DPI", value, sizeof value) ? std::atoi(value) : 96;
}

TSize FrameSizeAt(HWND window, int dpi) {
  using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  const auto adjust = reinterpret_cast<AdjustForDpi>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
  RECT frame{0, 0, 0, 0};
  if (adjust)
    adjust(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & ~(WS_HSCROLL | WS_VSCROLL), FALSE,
           static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)), static_cast<UINT>(dpi));
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace testing_support
