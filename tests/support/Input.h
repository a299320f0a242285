#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/Controls.h"

namespace testing_support {

// Handles messages until the condition holds or the time is up; returns the condition. The
// deadline is generous: the machine running the tests may be busy.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// Handles messages for a while.
void Pump(DWORD ms);

// Waits until input sent to this thread (SendInput) has been taken from its queue, then handles
// every message it caused.
void HandleInput();

// Moves the pointer and waits until the window system reports it there (it may lag).
void MovePointer(TPoint screen);

// Moves the pointer to a point of the control and runs idle steps until hover detection has
// found that control there; false if it did not within ten seconds.
bool HoverAt(TControl& control, TPoint point);

// Moves the pointer onto the control's centre and runs idle steps until hover detection has
// found it there; false if it did not within ten seconds.
bool HoverOnto(TControl& control);

// Real input through SendInput, then the messages it causes are handled.
void ClickAt(TPoint screen, TMouseButton button = mbLeft);
void Click(TControl& control, TMouseButton button = mbLeft);
// One half of a click: the button goes down (or up) at the position, as real input.
void MouseButtonAt(TPoint screen, bool down, TMouseButton button = mbLeft);
void PressKey(WORD vk, bool shift = false);
// The key pressed while the modifier key (VK_CONTROL, VK_MENU, VK_SHIFT) is held.
void PressKeyWith(WORD modifier, WORD vk);
void TypeText(const char* ascii);
// Ctrl and the key, pressed and released.
void PressCtrlKey(WORD vk);
// Characters as an input method types them, in UTF-16 whatever the keyboard and code page.
void TypeCharacters(const std::wstring& text);

// The clipboard's text in UTF-16, as a program reading it in any code page gets it.
std::wstring ClipboardUnicode();
// A window's text in UTF-16, as another program asks for it.
std::wstring WindowTextW(HWND window);

// A new control of type C on `form` and owned by it, at the given bounds.
template <class C>
C* PlaceOn(TWinControl& form, int left, int top, int width, int height) {
  auto* control = new C(&form);
  control->SetParent(&form);
  control->SetBounds(left, top, width, height);
  return control;
}

// Shows the form, brings it to the front and handles what that causes.
void ShowInFront(TWinControl& form);
// Posts a message and handles it with all that it causes.
void Post(HWND window, UINT msg, WPARAM w, LPARAM l = 0);

// Holds keys down as far as GetKeyState can tell, for the life of the object.
class HeldKeys {
 public:
  HeldKeys(std::initializer_list<int> keys) : keys_(keys) { Set(0x80); }
  ~HeldKeys() { Set(0); }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

 private:
  void Set(BYTE state) {
    BYTE all[256] = {};
    GetKeyboardState(all);
    for (int k : keys_) all[k] = state;
    SetKeyboardState(all);
  }
  std::vector<int> keys_;
};

// Sets one system colour for the object's life, as a user changing the desktop scheme does.
class SystemColour {
 public:
  SystemColour(int index, COLORREF colour) : index_(index), saved_(GetSysColor(index)) { Set(colour); }
  ~SystemColour() { Set(saved_); }
  SystemColour(const SystemColour&) = delete;
  SystemColour& operator=(const SystemColour&) = delete;

 private:
  void Set(COLORREF colour);
  int index_;
  COLORREF saved_;
};

// The windowed control holding the keyboard focus, or nullptr.
TWinControl* FocusedControl();

// The client-area pixels that a window, of this process or another, shows on the screen.
std::vector<COLORREF> ClientPixels(HWND window);

}  // namespace testing_support
