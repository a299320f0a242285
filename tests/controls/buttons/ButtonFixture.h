#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "controls/buttons/dxButtons.h"
#include "framework/Application.h"
#include "framework/StdCtrls.h"
#include "tests/support/FormTest.h"
#include "tests/support/Input.h"

namespace button_tests {

using testing_support::HeldKeys;
using testing_support::Post;

// The frame, and the top row of each face and ring gradient.
constexpr COLORREF kFrame = 0x733800;
constexpr COLORREF kFaceTop = 0xFFFFFF;
constexpr COLORREF kPressedTop = 0xC6CFD6;
constexpr COLORREF kFocusTop = 0xFFE7CE;
constexpr COLORREF kHotTop = 0xCEF3FF;

// A form with two push buttons side by side and a memo (a focus target outside the family).
struct ButtonFixture : testing_support::FormTest {
  void SetUp() override {
    MakeForm(100, 100, 300, 160);
    button = Add(10, "Go");
    second = Add(90, "Next");
    other = testing_support::PlaceOn<TMemo>(*form, 10, 50, 100, 40);
    testing_support::ShowInFront(*form);
  }

  TdxButton* Add(int left, const char* caption) {
    auto* b = testing_support::PlaceOn<TdxButton>(*form, left, 10, 73, 21);
    b->SetCaption(caption);
    b->OnClick = [this, b](TObject* sender) {
      EXPECT_EQ(sender, b);
      ++(b == button ? clicks : secondClicks);
    };
    return b;
  }
  void Focus(TWinControl* control) {
    control->SetFocus();
    Application->ProcessMessages();
    ASSERT_TRUE(control->Focused());
  }
  static void Press(TdxButton* b, int x = 10, int y = 10) {
    SendMessageA(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  }
  static void Release(TdxButton* b, int x = 10, int y = 10) {
    SendMessageA(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }

  TdxButton* button = nullptr;
  TdxButton* second = nullptr;
  TMemo* other = nullptr;
  int clicks = 0, secondClicks = 0;
};

// One real key event (down or up) as the keyboard gives it to the foreground window; the test
// then waits for what it causes.
inline void SendKey(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof(INPUT));
}

// Waits until the window is the foreground window (the keyboard's target).
inline bool BringToFront(HWND window) {
  SetForegroundWindow(window);
  return testing_support::PumpUntil([window] { return GetForegroundWindow() == window; }, 10000);
}

// A repaint is pending for the window; the pending area is then forgotten.
inline bool TakeRepaint(TWinControl& control) {
  RECT r;
  const bool pending = GetUpdateRect(control.Handle(), &r, FALSE) != FALSE;
  ValidateRect(control.Handle(), nullptr);
  return pending;
}

// The control as its paint leaves it.
inline void PaintInto(TWinControl& control, TBitmap& bitmap) {
  bitmap.SetSize(control.Width(), control.Height());
  control.Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), 0);
}

// The control's window as it shows on the screen, once every pending paint is done.
inline void Screenshot(TWinControl& control, TBitmap& bitmap) {
  testing_support::PumpUntil([&] {
    control.Update();
    return GetUpdateRect(control.Handle(), nullptr, FALSE) == FALSE;
  }, 10000);
  bitmap.SetSize(control.Width(), control.Height());
  gdi::WindowDC dc(control.Handle());
  BitBlt(bitmap.Canvas().Handle(), 0, 0, control.Width(), control.Height(), dc.Get(), 0, 0, SRCCOPY);
}

// The pixel of the control's window on the screen, once every pending paint is done.
inline COLORREF ScreenPixel(TWinControl& control, int x, int y) {
  TBitmap bitmap;
  Screenshot(control, bitmap);
  return bitmap.Pixel(x, y);
}

}  // namespace button_tests
