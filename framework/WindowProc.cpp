// The framework's windows: their classes, the registry of our windows, the one window procedure
// every control's window runs through, the message dispatch of TWinControl, and the focus as our
// windows heard of it.
#include "framework/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <unordered_map>

#include "framework/Accessible.h"
#include "framework/ActnList.h"
#include "framework/DragDrop.h"
#include "framework/Exception.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Hints.h"
#include "framework/Menus.h"

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

namespace {
namespace {

// Our windows and their controls, looked up for every message: a window property would cost a
// round trip to the window server each time. Only windows of this process can be in it.
std::unordered_map<HWND, TWinControl*>& ControlWindows() {
  static std::unordered_map<HWND, TWinControl*> windows;
  return windows;
}

// The control whose window is being made; its first messages arrive before CreateWindowEx returns.
thread_local TWinControl* g_creating = nullptr;

// The focus window as our windows heard of it (FocusedWindow). Only a window of ours, or none, is
// kept: the focus may move among other windows (a message box's buttons) without our hearing.
struct FocusRecord {
  HWND window = nullptr;
  bool known = false;
};
thread_local FocusRecord g_focus;

bool OursOrNone(HWND window) { return !window || TWinControl::FindControl(window); }

void NoteFocus(HWND window, UINT msg, WPARAM wParam) {
  switch (msg) {
    case WM_SETFOCUS:
      g_focus = {window, true};
      break;
    case WM_KILLFOCUS: {
      const auto next = reinterpret_cast<HWND>(wParam);
      g_focus = {next, OursOrNone(next)};
      break;
    }
    case WM_NCDESTROY:
      if (g_focus.window == window) g_focus.known = false;
      break;
  }
}
// Nesting of window procedures; on-demand device contexts are given back at the outermost level.
thread_local int g_depth = 0;

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

}  // namespace
}  // namespace

TShiftState ShiftStateFromKeys(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

TShiftState KeyboardShiftState() {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}


TWinControl* TWinControl::FindControl(HWND window) {
  // Never a window of another process (another copy of the program has controls at addresses
  // that mean nothing here), nor one of ours of another class.
  const auto& windows = ControlWindows();
  const auto it = windows.find(window);
  return it == windows.end() ? nullptr : it->second;
}

void TWinControl::RegisterWindowClass(const TCreateParams& p) {
  // Window class name -> the procedure of the class it builds on.
  static std::map<std::string, WNDPROC> registered;
  const std::string name = ClassName();
  auto it = registered.find(name);
  if (it == registered.end()) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    WNDPROC base = DefWindowProcA;
    if (!p.BaseClass.empty()) {
      if (!GetClassInfoExA(nullptr, p.BaseClass.c_str(), &wc)) throw Exception("Error creating window class");
      base = wc.lpfnWndProc;
      wc.style &= ~CS_GLOBALCLASS;
    } else {
      wc.style = p.ClassStyle;
      wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
      wc.hIcon = p.ClassIcon;
      wc.hIconSm = p.ClassSmallIcon;
    }
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = FrameworkWindowProc;
    wc.hInstance = Instance();
    wc.lpszClassName = name.c_str();
    wc.hbrBackground = nullptr;
    if (!RegisterClassExA(&wc)) throw Exception("Error creating window class");
    it = registered.emplace(name, base).first;
  }
  defaultProc_ = it->second;
  nativeClass_ = !p.BaseClass.empty();
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if ((p.Style & WS_CHILD) && !p.WndParent)
    throw Exception(FormatMessage1("Control '%s' has no parent window", Name()));
  RegisterWindowClass(p);
  TWinControl* outer = g_creating;
  g_creating = this;
  HWND h = CreateWindowExA(p.ExStyle, ClassName(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                           p.WndParent, nullptr, Instance(), nullptr);
  g_creating = outer;
  if (!h) throw Exception(std::string("Error creating window of ") + ClassName());
  handle_ = h;
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      WMPaint(m);
      return;
    case WM_PRINTCLIENT:
      if (!nativeClass_) {
        TMessage paint{WM_PAINT, m.WParam, 0, 0};
        WMPaint(paint);
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (nativeClass_) break;
      if (!IsOpaque()) {
        RECT r;
        GetClientRect(handle_, &r);
        ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, BackgroundBrush());
      }
      m.Result = 1;
      return;
    case WM_SETFOCUS:
      DefaultHandler(m);
      if (TForm* form = GetParentForm(this)) form->FocusChanged(this);
      return;
    case WM_WINDOWPOSCHANGED:
      DefaultHandler(m);
      UpdateBoundsFromWindow();
      return;
    case WM_SETCURSOR:
      // Over the client area the pointer takes the Cursor of the windowless child under it, or
      // else this control's; at crDefault the window's own handling (class cursor, parent) decides.
      if (reinterpret_cast<HWND>(m.WParam) == handle_ && LOWORD(m.LParam) == HTCLIENT) {
        POINT p{};
        GetCursorPos(&p);
        ::ScreenToClient(handle_, &p);
        TCursor cursor = Cursor();
        if (TControl* child = ControlAtPos({p.x, p.y}, false); child && child->Cursor() != crDefault)
          cursor = child->Cursor();
        if (cursor != crDefault) {
          ::SetCursor(CursorHandle(cursor));
          m.Result = TRUE;
          return;
        }
      }
      break;
    case WM_WINDOWPOSCHANGING: {
      // A size change from outside the framework (the user, the window manager, SetWindowPos)
      // goes through the same checks as one made with SetBounds; a window being minimised
      // takes the size of its icon.
      auto* pos = reinterpret_cast<WINDOWPOS*>(m.LParam);
      if (!(pos->flags & SWP_NOSIZE) && !IsIconic(handle_)) CheckNewSize(pos->cx, pos->cy);
      break;
    }
    case WM_GETMINMAXINFO: {
      // The sizes the user can drag a top-level window's frame to.
      DefaultHandler(m);
      auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
      const TSizeLimits& l = Constraints().Limits();
      if (l.MinWidth > 0) info->ptMinTrackSize.x = l.MinWidth;
      if (l.MinHeight > 0) info->ptMinTrackSize.y = l.MinHeight;
      if (l.MaxWidth > 0) info->ptMaxTrackSize.x = l.MaxWidth;
      if (l.MaxHeight > 0) info->ptMaxTrackSize.y = l.MaxHeight;
      return;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_COMMAND:
      if (TWinControl* child = FindControl(reinterpret_cast<HWND>(m.LParam)); child && child != this) {
        m.Result = child->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
        return;
      }
      break;
    case CN_BASE + WM_CTLCOLOREDIT:
    case CN_BASE + WM_CTLCOLORSTATIC:
    case CN_BASE + WM_CTLCOLORBTN:
    case CN_BASE + WM_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetTextColor(dc, ColorToRGB(font_.Color()));
      SetBkColor(dc, ColorToRGB(Color()));
      m.Result = reinterpret_cast<LRESULT>(BackgroundBrush());
      return;
    }
    case WM_SETTEXT:
      // Also a text set from outside the framework (automation, accessibility tools).
      DefaultHandler(m);
      if (m.Result && !settingText_) Perform(CM_TEXTCHANGED);
      return;
    case WM_SYSCOLORCHANGE:
      DefaultHandler(m);
      Perform(CM_SYSCOLORCHANGE);
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(m.WParam);
      if (m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN) {
        KeyDown(key, KeyboardShiftState());
      } else {
        KeyUp(key, KeyboardShiftState());
      }
      if (key == 0) return;
      m.WParam = key;
      break;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
      char key = static_cast<char>(m.WParam);
      KeyPress(key);
      if (key == 0) return;
      m.WParam = static_cast<unsigned char>(key);
      break;
    }
    case WM_CAPTURECHANGED:
      // The window held the capture for itself or for one of its windowless children.
      for (TControl* c : graphicChildren_)
        if (c->clickPending_) c->Perform(WM_CAPTURECHANGED, m.WParam, m.LParam);
      break;
    case WM_GETOBJECT:
      if (accessibility::AnswerGetObject(*this, accessible_, m)) return;
      break;
    case WM_NCDESTROY:
      accessibility::Disconnect(accessible_);
      DefaultHandler(m);
      ControlWindows().erase(handle_);
      handle_ = nullptr;
      return;
    case CM_COLORCHANGED:
      BackgroundBrush();
      Invalidate();
      NotifyControls(CM_PARENTCOLORCHANGED);
      return;
    case CM_SHOWHINTCHANGED:
      HintSettingsChanged(this);
      NotifyControls(CM_PARENTSHOWHINTCHANGED);
      return;
    case CM_BIDIMODECHANGED:
      Invalidate();
      NotifyControls(CM_PARENTBIDIMODECHANGED);
      return;
    case WM_CONTEXTMENU:
      // A right click over a windowless child: the child has the first say.
      if (reinterpret_cast<HWND>(m.WParam) == handle_ && m.LParam != -1) {
        const TPoint p = ScreenToClient({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        TControl* child = ControlAtPos(p, false);
        if (child && child->ContextPopup({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)})) {
          m.Result = 1;
          return;
        }
      }
      break;
    case CM_FONTCHANGED:
      if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), 1);
      Invalidate();
      NotifyControls(CM_PARENTFONTCHANGED);
      return;
    case CM_ENABLEDCHANGED:
      // Disabled, the control gives up the focus, also when it holds the focused control.
      if (HWND focus = FocusedWindow(); !Enabled() && handle_ && focus && (focus == handle_ || IsChild(handle_, focus))) {
        if (TForm* form = GetParentForm(this); form && form != this) ::SetFocus(form->Handle());
      }
      if (handle_) EnableWindow(handle_, Enabled());
      return;
    case CM_BORDERCHANGED:
      if (handle_) {
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (Visible()) Invalidate();
      }
      return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
    case CM_FOCUSCHANGED:
    case CM_SYSCOLORCHANGE:
      m.Result = Broadcast(m.Msg, m.WParam, m.LParam);
      return;
    default:
      if (accessibility::IsDefaultActionMessage(m.Msg)) {
        accessibility::RunDefaultAction(*this, m.WParam);
        return;
      }
      if (m.Msg >= WM_MOUSEFIRST && m.Msg <= WM_MBUTTONDBLCLK && ForwardMouseToChild(m)) {
        // The window's own handling of a right button's release asks for the context menu.
        if (m.Msg == WM_RBUTTONUP && m.Result == 0 && handle_) DefaultHandler(m);
        return;
      }
      break;
  }
  TControl::WndProc(m);
}


HWND FocusedWindow() {
  if (g_focus.known) return g_focus.window;
  const HWND focus = ::GetFocus();
  if (OursOrNone(focus)) g_focus = {focus, true};
  return focus;
}

// Every window of the framework's controls comes through here. Failures escaping a handler are
// reported by the application and go no further.
LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  // Before anything runs: handlers may ask where the focus is, or move it on.
  NoteFocus(window, msg, wParam);
  TWinControl* control = TWinControl::FindControl(window);
  if (!control && g_creating) {
    control = g_creating;
    control->handle_ = window;
    ControlWindows()[window] = control;
  }
  if (!control) return DefWindowProcA(window, msg, wParam, lParam);
  // The framework's own notifications travel only through Perform. One arriving here was posted
  // or sent through the system, by any thread or process, and its values mean nothing to us:
  // some of them carry controls, so none is acted on.
  if (IsFrameworkMessage(msg)) return 0;
  TMessage m{msg, wParam, lParam, 0};
  ++g_depth;
  try {
    control->WndProc(m);
  } catch (const std::exception& e) {
    if (Application) Application->HandleException(e);
  } catch (...) {
    if (Application) Application->HandleException("Unknown failure");
  }
  if (--g_depth == 0) TControlCanvas::ReleaseAll();
  return m.Result;
}
