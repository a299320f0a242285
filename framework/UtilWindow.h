#pragma once
#include <windows.h>

#include <functional>
#include <vector>

// A hidden window of the framework with a handler for its messages: the application window,
// timer windows, listeners. The handler's failures are reported by the application.
class TUtilWindow {
 public:
  using Handler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam)>;

  // messageOnly: a message-only window (HWND_MESSAGE); otherwise a hidden top-level window. The
  // icons are its class's, given by the first window of the class. The window is made with its text
  // and at its position, of no size.
  TUtilWindow(const char* className, Handler handler, bool messageOnly, DWORD style = WS_POPUP,
              HICON icon = nullptr, HICON smallIcon = nullptr, const char* text = "", POINT position = {});
  ~TUtilWindow();
  TUtilWindow(const TUtilWindow&) = delete;
  TUtilWindow& operator=(const TUtilWindow&) = delete;

  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND window_ = nullptr;
  Handler handler_;
};

// While a modal window or box of the program is open, its other windows take no input: this
// disables every visible, enabled top-level window of the calling thread but `except`, and
// Enable (or the destructor) enables each of them again, leaving alone those that were disabled
// already.
class TThreadWindowsDisabled {
 public:
  explicit TThreadWindowsDisabled(HWND except = nullptr);
  ~TThreadWindowsDisabled() { Enable(); }
  TThreadWindowsDisabled(const TThreadWindowsDisabled&) = delete;
  TThreadWindowsDisabled& operator=(const TThreadWindowsDisabled&) = delete;

  void Enable();

 private:
  static BOOL CALLBACK Disable(HWND window, LPARAM self);
  HWND except_;
  std::vector<HWND> disabled_;
};
