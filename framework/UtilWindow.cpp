#include "framework/UtilWindow.h"

#include <set>
#include <string>

#include "framework/Controls.h"
#include "framework/Exception.h"
#include "framework/Application.h"

namespace {
thread_local TUtilWindow* g_creatingUtil = nullptr;
}  // namespace

TUtilWindow::TUtilWindow(const char* className, Handler handler, bool messageOnly, DWORD style, HICON icon,
                         HICON smallIcon, const char* text, POINT position)
    : handler_(std::move(handler)) {
  static std::set<std::string> registered;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!registered.count(className)) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    if (!RegisterClassExA(&wc)) throw Exception("Error creating window class");
    registered.insert(className);
  }
  TUtilWindow* outer = g_creatingUtil;
  g_creatingUtil = this;
  window_ = CreateWindowExA(0, className, text, style, position.x, position.y, 0, 0,
                            messageOnly ? HWND_MESSAGE : nullptr, nullptr, instance, nullptr);
  g_creatingUtil = outer;
  if (!window_) throw Exception(std::string("Error creating window of ") + className);
}

TUtilWindow::~TUtilWindow() {
  if (window_) {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

LRESULT CALLBACK TUtilWindow::Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Kept in the window's own data, which our classes leave to us: reading it costs no round trip
  // to the window server, unlike a property, and the timer windows get a message every tick.
  auto* self = reinterpret_cast<TUtilWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self && g_creatingUtil) {
    self = g_creatingUtil;
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self || !self->handler_) return DefWindowProcA(window, msg, wParam, lParam);
  LRESULT result = 0;
  try {
    result = self->handler_(msg, wParam, lParam);
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
  } catch (...) {
    if (Application) Application->HandleException("Unknown failure");
  }
  TControlCanvas::ReleaseAll();
  return result;
}

TThreadWindowsDisabled::TThreadWindowsDisabled(HWND except) : except_(except) {
  EnumThreadWindows(GetCurrentThreadId(), Disable, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK TThreadWindowsDisabled::Disable(HWND window, LPARAM self) {
  auto* list = reinterpret_cast<TThreadWindowsDisabled*>(self);
  if (window != list->except_ && IsWindowVisible(window) && IsWindowEnabled(window)) {
    EnableWindow(window, FALSE);
    list->disabled_.push_back(window);
  }
  return TRUE;
}

void TThreadWindowsDisabled::Enable() {
  for (HWND w : disabled_)
    if (IsWindow(w)) EnableWindow(w, TRUE);
  disabled_.clear();
}
