#include "tests/support/Input.h"

#include "framework/Application.h"
#include "framework/Graphics.h"

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

void HandleInput() {
  PumpUntil([] { return (HIWORD(GetQueueStatus(QS_INPUT)) & QS_INPUT) == 0; });
  Application->ProcessMessages();
}

namespace {
void Send(INPUT* inputs, UINT count) {
  SendInput(count, inputs, sizeof(INPUT));
  HandleInput();
  Pump(30);  // and what comes of it a little later (native menus, the window system's own moves)
}

INPUT Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return in;
}

// Mouse input at an absolute screen position.
INPUT MouseAt(TPoint p, DWORD flags) {
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = MulDiv(p.X, 65535, w - 1);
  in.mi.dy = MulDiv(p.Y, 65535, h - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
  return in;
}
}  // namespace

void MovePointer(TPoint p) {
  // As real input, so that no older pointer position reported later can overtake it. The window
  // system may still report an earlier position once more: the pointer is there when it has been
  // reported there for a while without a break.
  INPUT move = MouseAt(p, 0);
  SendInput(1, &move, sizeof(INPUT));
  DWORD there = 0;
  PumpUntil([&] {
    POINT now;
    GetCursorPos(&now);
    if (now.x != p.X || now.y != p.Y) {
      there = 0;
      return false;
    }
    if (!there) there = GetTickCount();
    return GetTickCount() - there >= 20;
  }, 5000);
}

// Every event carries its absolute position, so a pointer position arriving late from the
// window system cannot move the click elsewhere.
constexpr DWORD kDown[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_MIDDLEDOWN};
constexpr DWORD kUp[] = {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_RIGHTUP, MOUSEEVENTF_MIDDLEUP};

bool HoverOnto(TControl& control) {
  MovePointer(control.ClientToScreen({control.Width() / 2, control.Height() / 2}));
  return PumpUntil([&] {
    Application->Idle();
    return Application->MouseControl() == &control;
  }, 10000);
}

void ClickAt(TPoint p, TMouseButton button) {
  INPUT in[3] = {MouseAt(p, 0), MouseAt(p, kDown[button]), MouseAt(p, kUp[button])};
  Send(in, 3);
}

void MouseButtonAt(TPoint p, bool down, TMouseButton button) {
  INPUT in[2] = {MouseAt(p, 0), MouseAt(p, down ? kDown[button] : kUp[button])};
  Send(in, 2);
}

void Click(TControl& control, TMouseButton button) {
  ClickAt(control.ClientToScreen({control.Width() / 2, control.Height() / 2}), button);
}

void PressKey(WORD vk, bool shift) { PressKeyWith(shift ? VK_SHIFT : 0, vk); }

void PressKeyWith(WORD modifier, WORD vk) {
  INPUT in[4];
  UINT n = 0;
  if (modifier) in[n++] = Key(modifier, false);
  in[n++] = Key(vk, false);
  in[n++] = Key(vk, true);
  if (modifier) in[n++] = Key(modifier, true);
  Send(in, n);
}

void PressCtrlKey(WORD vk) {
  INPUT in[4] = {Key(VK_CONTROL, false), Key(vk, false), Key(vk, true), Key(VK_CONTROL, true)};
  Send(in, 4);
}

void TypeCharacters(const std::wstring& text) {
  for (const wchar_t c : text) {
    INPUT in[2] = {};
    for (int i = 0; i < 2; ++i) {
      in[i].type = INPUT_KEYBOARD;
      in[i].ki.wScan = c;
      in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
    }
    Send(in, 2);
  }
}

std::wstring ClipboardUnicode() {
  if (!OpenClipboard(nullptr)) return L"<clipboard busy>";
  std::wstring text = L"<no text>";
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

std::wstring WindowTextW(HWND window) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

void TypeText(const char* ascii) {
  for (const char* p = ascii; *p; ++p) {
    const SHORT code = VkKeyScanA(*p);
    PressKey(LOBYTE(code), (HIBYTE(code) & 1) != 0);
  }
}

TWinControl* FocusedControl() { return TWinControl::FindControl(GetFocus()); }

void ShowInFront(TWinControl& form) {
  form.Show();
  SetForegroundWindow(form.Handle());
  Application->ProcessMessages();
}

void Post(HWND window, UINT msg, WPARAM w, LPARAM l) {
  PostMessageA(window, msg, w, l);
  Application->ProcessMessages();
}

bool HoverAt(TControl& control, TPoint point) {
  MovePointer(control.ClientToScreen(point));
  return PumpUntil([&] {
    Application->Idle();
    return Application->MouseControl() == &control;
  }, 10000);
}

void SystemColour::Set(COLORREF colour) {
  SetSysColors(1, &index_, &colour);
  Application->ProcessMessages();
}

std::vector<COLORREF> ClientPixels(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  TBitmap shot;
  shot.SetSize(r.right, r.bottom);
  const gdi::WindowDC dc(window);
  BitBlt(shot.Canvas().Handle(), 0, 0, r.right, r.bottom, dc.Get(), 0, 0, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < r.bottom; ++y)
    for (int x = 0; x < r.right; ++x) pixels.push_back(shot.Pixel(x, y));
  return pixels;
}

}  // namespace testing_support
