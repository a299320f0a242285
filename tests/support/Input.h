#pragma once
#include <windows.h>

#include <functional>

#include "framework/Controls.h"

namespace testing_support {

// Handles messages until the condition holds or the time is up; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 3000);
// Handles messages for a while.
void Pump(DWORD ms);

// Moves the pointer and waits until the window system reports it there (it may lag).
void MovePointer(TPoint screen);

// Moves the pointer onto the control's centre and runs idle steps until hover detection has
// found it there; false if it did not within a second.
bool HoverOnto(TControl& control);

// Real input through SendInput, then the messages it causes are handled.
void ClickAt(TPoint screen, TMouseButton button = mbLeft);
void Click(TControl& control, TMouseButton button = mbLeft);
// One half of a click: the button goes down (or up) at the position, as real input.
void MouseButtonAt(TPoint screen, bool down, TMouseButton button = mbLeft);
void PressKey(WORD vk, bool shift = false);
void TypeText(const char* ascii);

// Shows the form, brings it to the front and handles what that causes.
void ShowInFront(TWinControl& form);
// Posts a message and handles it with all that it causes.
void Post(HWND window, UINT msg, WPARAM w, LPARAM l = 0);

// The windowed control holding the keyboard focus, or nullptr.
TWinControl* FocusedControl();

}  // namespace testing_support
