#include "framework/DragDrop.h"

#include <windowsx.h>

#include <cstdlib>
#include <exception>
#include <memory>

#include "framework/UtilWindow.h"

// ---------------------------------------------------------------------------------------------
// Cursors

namespace {

// An arrow carrying a page: 'X' black, '.' white, anything else transparent.
constexpr const char* kDragImage[] = {
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.....XXXXX",
    "X..X..X",
    "X.X X..X",
    "XX  X..X",
    "X    X..X",
    "     X..X",
    "      XX",
    "",
    "     XXXXXXXXXX",
    "     X........X",
    "     X.XXXXXX.X",
    "     X........X",
    "     X.XXXXX..X",
    "     X........X",
    "     X.XXXXXX.X",
    "     X........X",
    "     XXXXXXXXXX",
};

// The drag cursor, made on first use and destroyed with the program.
class DragCursorImage {
 public:
  DragCursorImage() {
    BYTE andMask[32 * 4], xorMask[32 * 4];
    for (BYTE& b : andMask) b = 0xFF;
    for (BYTE& b : xorMask) b = 0;
    int row = 0;
    for (const char* line : kDragImage) {
      for (int x = 0; line[x] && x < 32; ++x) {
        const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
        if (line[x] != 'X' && line[x] != '.') continue;
        andMask[row * 4 + x / 8] &= static_cast<BYTE>(~bit);
        if (line[x] == '.') xorMask[row * 4 + x / 8] |= bit;
      }
      ++row;
    }
    cursor_ = CreateCursor(GetModuleHandleA(nullptr), 0, 0, 32, 32, andMask, xorMask);
  }
  ~DragCursorImage() {
    if (cursor_) DestroyCursor(cursor_);
  }
  DragCursorImage(const DragCursorImage&) = delete;
  DragCursorImage& operator=(const DragCursorImage&) = delete;
  HCURSOR Get() const { return cursor_; }

 private:
  HCURSOR cursor_ = nullptr;
};

struct SystemCursor {
  TCursor cursor;
  WORD id;  // IDC_* number
};
constexpr SystemCursor kSystemCursors[] = {
    {crArrow, 32512},    {crIBeam, 32513},     {crHourGlass, 32514}, {crCross, 32515},    {crUpArrow, 32516},
    {crSizeNWSE, 32642}, {crSizeNESW, 32643},  {crSizeWE, 32644},    {crSizeNS, 32645},   {crSizeAll, 32646},
    {crNoDrop, 32648},   {crNo, 32648},        {crHandPoint, 32649}, {crAppStart, 32650}, {crHelp, 32651},
};

}  // namespace

HCURSOR CursorHandle(TCursor cursor) {
  if (cursor == crDrag) {
    static const DragCursorImage image;
    if (image.Get()) return image.Get();
  }
  WORD id = 32512;
  for (const SystemCursor& c : kSystemCursors)
    if (c.cursor == cursor) id = c.id;
  return LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
}

// ---------------------------------------------------------------------------------------------
// The drag in progress

namespace {

constexpr UINT kCancelMessage = WM_APP + 1;  // Escape was pressed

struct DragState {
  TControl* source = nullptr;
  TDragObject* object = nullptr;  // borrowed: supplied by the source's OnStartDrag
  TControl* target = nullptr;
  bool accepted = false;
  bool dock = false;
  bool running = false;    // past the threshold: the tracker window holds the capture
  bool finishing = false;  // giving the capture back is no cancel
  bool ownCapture = false;
  TPoint start;            // where the drag began, on the screen
  TPoint last;             // where the pointer was last seen
  int thresholdX = 0, thresholdY = 0;
};
DragState g_drag;

TObject* Carried() {
  return g_drag.object ? static_cast<TObject*>(g_drag.object) : static_cast<TObject*>(g_drag.source);
}

TPoint CursorPoint() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

// A thread keyboard hook while a drag runs: Escape ends it wherever the focus is, before the
// form can take it for its cancel button.
class KeyboardHook {
 public:
  explicit KeyboardHook(HOOKPROC proc) : hook_(SetWindowsHookExA(WH_KEYBOARD, proc, nullptr, GetCurrentThreadId())) {}
  ~KeyboardHook() {
    if (hook_) UnhookWindowsHookEx(hook_);
  }
  KeyboardHook(const KeyboardHook&) = delete;
  KeyboardHook& operator=(const KeyboardHook&) = delete;

 private:
  HHOOK hook_;
};
std::unique_ptr<KeyboardHook> g_escapeHook;

void StopWaiting();
void UpdateCursor();

}  // namespace

// The hidden window holding the capture during a drag; made with the first drag.
class TDragTracker {
 public:
  TDragTracker()
      : window_("TDragTracker", [this](UINT msg, WPARAM wParam, LPARAM lParam) { return Message(msg, wParam, lParam); },
                false) {}
  HWND Handle() const { return window_.Handle(); }

 private:
  LRESULT Message(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
      case WM_MOUSEMOVE:
        if (g_drag.running) {
          MoveTo(Screen(lParam));
        } else {
          TDragController::MouseMessage(msg, wParam);
        }
        return 0;
      case WM_LBUTTONUP:
        if (g_drag.running) {
          MoveTo(Screen(lParam));
          Finish(true);
        } else {
          StopWaiting();
        }
        return 0;
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case kCancelMessage:
        if (g_drag.running) {
          Finish(false);
        } else if (msg != kCancelMessage) {
          StopWaiting();
        }
        return 0;
      case WM_CAPTURECHANGED:
        if (g_drag.finishing || reinterpret_cast<HWND>(lParam) == Handle()) return 0;
        g_drag.ownCapture = false;
        if (g_drag.running) {
          Finish(false);
        } else if (g_drag.source) {
          StopWaiting();
        }
        return 0;
      case WM_CANCELMODE:
        if (GetCapture() == Handle()) ReleaseCapture();
        return 0;
      case WM_SETCURSOR:
        if (!g_drag.running) break;
        UpdateCursor();
        return TRUE;
    }
    return DefWindowProcA(Handle(), msg, wParam, lParam);
  }
  TPoint Screen(LPARAM lParam) const {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(Handle(), &p);
    return {p.x, p.y};
  }

  static void MoveTo(TPoint screen) { TDragController::MoveTo(screen); }
  static void Finish(bool drop) { TDragController::Finish(drop); }

  TUtilWindow window_;
};

namespace {

TDragTracker& TheTracker() {
  static TDragTracker tracker;
  return tracker;
}

void TakeCapture() {
  HWND window = TheTracker().Handle();
  if (GetCapture() != window) SetCapture(window);
  g_drag.ownCapture = true;
}

// Gives the capture back (when the tracker holds it) without it counting as a cancel.
void GiveCaptureBack() {
  if (!g_drag.ownCapture) return;
  g_drag.ownCapture = false;
  g_drag.finishing = true;
  if (GetCapture() == TheTracker().Handle()) ReleaseCapture();
}

// The pointer's shape as the window under it asks for it.
void RestoreCursor() {
  POINT p{};
  GetCursorPos(&p);
  HWND window = WindowFromPoint(p);
  if (window && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    const LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(hit, WM_MOUSEMOVE));
  } else {
    SetCursor(CursorHandle(crArrow));
  }
}

void UpdateCursor() {
  SetCursor(CursorHandle(g_drag.dock || g_drag.accepted ? g_drag.source->DragCursor() : crNoDrop));
}

LRESULT CALLBACK EscapeHook(int code, WPARAM key, LPARAM info) {
  if ((code == HC_ACTION || code == HC_NOREMOVE) && key == VK_ESCAPE) {
    // Ended from the tracker's own message, where a failing handler is reported.
    if (!(info & 0x80000000)) PostMessageA(TheTracker().Handle(), kCancelMessage, 0, 0);
    return 1;
  }
  return CallNextHookEx(nullptr, code, key, info);
}

// Forgets the drag; the capture and the hook go with it.
void Reset() {
  GiveCaptureBack();
  g_escapeHook.reset();
  g_drag = DragState{};
  drag_detail::waiting = false;
}

void StopWaiting() { Reset(); }

}  // namespace

// ---------------------------------------------------------------------------------------------
// TDragController

void TDragController::Run() {
  g_drag.running = true;
  TakeCapture();
  g_escapeHook = std::make_unique<KeyboardHook>(EscapeHook);
  TControl* source = g_drag.source;
  TDragObject* object = nullptr;
  try {
    if (g_drag.dock) {
      source->DoStartDock(object);
    } else {
      source->DoStartDrag(object);
    }
  } catch (...) {
    Reset();
    throw;
  }
  if (g_drag.source != source || !g_drag.running) return;  // ended by its own handler
  g_drag.object = object;
  MoveTo(CursorPoint());
}

void TDragController::MoveTo(TPoint screen) {
  g_drag.last = screen;
  if (g_drag.dock) {  // docking has no targets
    UpdateCursor();
    return;
  }
  TControl* target = FindDragTarget(screen, false);
  TDragState state = dsDragMove;
  if (target != g_drag.target) {
    TControl* left = g_drag.target;
    g_drag.target = nullptr;
    g_drag.accepted = false;
    if (left) {
      const TPoint at = left->ScreenToClient(screen);
      bool ignored = false;
      left->DragOver(Carried(), at.X, at.Y, dsDragLeave, ignored);
      if (!g_drag.running) return;
    }
    g_drag.target = target;
    state = dsDragEnter;
  }
  if (g_drag.target) {
    const TPoint at = g_drag.target->ScreenToClient(screen);
    bool accept = false;
    g_drag.target->DragOver(Carried(), at.X, at.Y, state, accept);
    if (!g_drag.running) return;
    g_drag.accepted = accept;
  }
  UpdateCursor();
}

void TDragController::Finish(bool drop) {
  if (!g_drag.running || g_drag.finishing) return;
  const DragState ended = g_drag;
  TObject* carried = Carried();
  const bool dropped = drop && ended.target && ended.accepted;
  const TPoint at = ended.target ? ended.target->ScreenToClient(ended.last) : TPoint{};
  Reset();  // handlers below may begin another drag
  RestoreCursor();
  std::exception_ptr failure;
  try {
    if (dropped) {
      ended.target->DragDrop(carried, at.X, at.Y);
    } else if (ended.target) {
      bool ignored = false;
      ended.target->DragOver(carried, at.X, at.Y, dsDragLeave, ignored);
    }
  } catch (...) {
    failure = std::current_exception();
  }
  TControl* target = dropped ? ended.target : nullptr;
  if (ended.dock) {
    ended.source->DoEndDock(target, 0, 0);
  } else {
    ended.source->DoEndDrag(target, dropped ? at.X : 0, dropped ? at.Y : 0);
  }
  if (failure) std::rethrow_exception(failure);
}

void TDragController::Begin(TControl& source, bool immediate, int threshold) {
  if (g_drag.source) {
    if (g_drag.source == &source || g_drag.running) return;
    StopWaiting();
  }
  g_drag.source = &source;
  g_drag.dock = source.DragKind() == dkDock;
  g_drag.start = CursorPoint();
  g_drag.thresholdX = threshold >= 0 ? threshold : GetSystemMetrics(SM_CXDRAG);
  g_drag.thresholdY = threshold >= 0 ? threshold : GetSystemMetrics(SM_CYDRAG);
  if (immediate) {
    Run();
    return;
  }
  drag_detail::waiting = true;
  // The press that began it usually holds the capture and keeps it until the threshold, so that a
  // release before it is still a click; without one the tracker watches.
  if (!GetCapture()) TakeCapture();
}

void TDragController::End(TControl& source, bool drop) {
  if (g_drag.source != &source) return;
  if (g_drag.running) {
    Finish(drop);
  } else {
    StopWaiting();
  }
}

bool TDragController::Dragging(const TControl& source) { return g_drag.source == &source; }

void TDragController::WatchWaiting(UINT msg, WPARAM keys) {
  if (!g_drag.source || g_drag.running) {
    drag_detail::waiting = false;
    return;
  }
  if (msg == WM_LBUTTONUP || (msg == WM_MOUSEMOVE && !(keys & MK_LBUTTON))) {
    StopWaiting();
  } else if (msg == WM_MOUSEMOVE) {
    const TPoint p = CursorPoint();
    if (std::abs(p.X - g_drag.start.X) >= g_drag.thresholdX || std::abs(p.Y - g_drag.start.Y) >= g_drag.thresholdY) {
      drag_detail::waiting = false;
      Run();
    }
  }
}

void TDragController::ControlDestroyed(TControl& control) {
  if (g_drag.target == &control) {
    g_drag.target = nullptr;
    g_drag.accepted = false;
  }
  if (g_drag.source == &control) {
    const bool wasRunning = g_drag.running;
    Reset();
    if (wasRunning) RestoreCursor();
  }
}

void TDragController::CursorChanged(TControl& source) {
  if (g_drag.running && g_drag.source == &source) UpdateCursor();
}
