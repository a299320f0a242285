#include "framework/Hints.h"

#include <algorithm>

#include "framework/Exception.h"
#include "framework/Application.h"
#include "framework/CommonControls.h"
#include "framework/Handles.h"

// ---------------------------------------------------------------------------------------------
// THintWindow

namespace {

// The one tool of the tooltip. The size of the second version of the record: the common controls
// of the classic look refuse a larger one.
TOOLINFOA Tool(HWND owner, const char* text) {
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  // Transparent to the pointer: the window under the pointer stays the control's.
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT;
  tool.hwnd = owner;
  tool.uId = 1;
  tool.lpszText = const_cast<char*>(text);
  return tool;
}

// How far below the pointer's position its image reaches: the cursor cell below the hot spot.
int CursorDepth() {
  int depth = GetSystemMetrics(SM_CYCURSOR);
  CURSORINFO info{};
  info.cbSize = sizeof info;
  ICONINFO icon{};
  if (GetCursorInfo(&info) && info.hCursor && GetIconInfo(info.hCursor, &icon)) {
    gdi::Bitmap mask(icon.hbmMask), colour(icon.hbmColor);  // ours to free
    depth -= static_cast<int>(icon.yHotspot);
  }
  return std::max(depth, 0);
}

}  // namespace

THintWindow::THintWindow(HWND owner) : owner_(owner) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  commctrl::InitCommonControlsEx(&classes);
  window_.Reset(CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr,
                                WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleA(nullptr), nullptr));
  if (!window_) throw Exception("Error creating window of tooltips_class32");
  TOOLINFOA tool = Tool(owner_, "");
  if (!SendMessageA(window_.Get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)))
    throw Exception("Error creating window of tooltips_class32");
  // Lines break where the text breaks them, not before the screen's width.
  SendMessageA(window_.Get(), TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
}

void THintWindow::ActivateHint(TPoint pointer, const std::string& text) {
  TOOLINFOA tool = Tool(owner_, text.c_str());
  SendMessageA(window_.Get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  const DWORD size = static_cast<DWORD>(SendMessageA(window_.Get(), TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&tool)));
  const int width = LOWORD(size), height = HIWORD(size);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromPoint(POINT{pointer.X, pointer.Y}, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& area = monitor.rcWork;
  int x = std::max<int>(std::min<int>(pointer.X, area.right - width), area.left);
  int y = pointer.Y + CursorDepth();
  // Above the pointer where there is no room below it.
  if (y + height > area.bottom) y = std::max<int>(pointer.Y - height, area.top);
  SendMessageA(window_.Get(), TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
  SendMessageA(window_.Get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
  showing_ = true;
}

void THintWindow::ReleaseHint() {
  if (!showing_) return;
  showing_ = false;
  TOOLINFOA tool = Tool(owner_, "");
  SendMessageA(window_.Get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

// ---------------------------------------------------------------------------------------------
// THintController

namespace {
THintController* g_controller = nullptr;
}  // namespace

std::string HintTextFor(const TControl* control) {
  for (; control; control = control->Parent()) {
    const std::string& hint = control->Hint();
    if (hint.empty()) continue;
    if (!control->ShowHint()) return {};
    return hint.substr(0, hint.find('|'));
  }
  return {};
}

std::string LongHintFor(const TControl* control) {
  for (; control; control = control->Parent()) {
    const std::string& hint = control->Hint();
    if (hint.empty()) continue;
    const std::size_t bar = hint.find('|');
    return bar == std::string::npos ? hint : hint.substr(bar + 1);
  }
  return {};
}

THintController::THintController(TComponent* owner) : TComponent(owner), timer_(new TTimer(this)) {
  timer_->SetEnabled(false);
  timer_->SetOnTimer([this](TObject*) { Tick(); });
  g_controller = this;
}

THintController::~THintController() {
  if (g_controller == this) g_controller = nullptr;
  hook_.Reset();
}

namespace {
// Set pauses; 0: the platform tooltip's, which follow the double-click time.
DWORD g_pause = 0, g_shortPause = 0, g_hidePause = 0;
}  // namespace

DWORD THintController::HintPause() { return g_pause ? g_pause : GetDoubleClickTime(); }
DWORD THintController::HintShortPause() { return g_shortPause ? g_shortPause : GetDoubleClickTime() / 5; }
DWORD THintController::HintHidePause() { return g_hidePause ? g_hidePause : GetDoubleClickTime() * 10; }
// A timer of 0 milliseconds would never fire: the shortest pause is 1.
void THintController::SetHintPause(DWORD ms) { g_pause = std::max<DWORD>(ms, 1); }
void THintController::SetHintShortPause(DWORD ms) { g_shortPause = std::max<DWORD>(ms, 1); }
void THintController::SetHintHidePause(DWORD ms) { g_hidePause = std::max<DWORD>(ms, 1); }
void THintController::RestoreSystemPauses() { g_pause = g_shortPause = g_hidePause = 0; }

void THintController::SetState(State state) {
  state_ = state;
  if (state != hsShowing && window_) window_->ReleaseHint();
  if (state != hsWaiting && state != hsShowing) {
    timer_->SetEnabled(false);
    hook_.Reset();
  } else if (!hook_) {
    hook_.Reset(SetWindowsHookExA(WH_GETMESSAGE, InputHook, nullptr, GetCurrentThreadId()));
  }
}

void THintController::Wait(DWORD pause) {
  timer_->SetEnabled(false);
  timer_->SetInterval(pause);
  SetState(hsWaiting);
  timer_->SetEnabled(true);
}

void THintController::MouseEntered(TControl* control) {
  const bool moveOn = state_ == hsShowing || (leftShowing_ && GetTickCount() - leftShowingAt_ < HintPause());
  leftShowing_ = false;
  hovered_ = control;
  if (HintTextFor(control).empty()) {
    SetState(hsIdle);
    return;
  }
  Wait(moveOn ? HintShortPause() : HintPause());
}

void THintController::MouseLeft(TControl* control) {
  if (control != hovered_) return;
  leftShowing_ = state_ == hsShowing;
  leftShowingAt_ = GetTickCount();
  hovered_ = nullptr;
  SetState(hsIdle);
}

void THintController::HintChanged(TControl* control) {
  bool concerned = false;
  for (const TControl* c = hovered_; c && !concerned; c = c->Parent()) concerned = c == control;
  if (!concerned || state_ == hsDone) return;
  const std::string text = HintTextFor(hovered_);
  if (text.empty()) {
    SetState(hsIdle);
  } else if (state_ == hsShowing) {
    POINT p{};
    GetCursorPos(&p);
    window_->ActivateHint({p.x, p.y}, text);
  } else if (state_ == hsIdle) {
    Wait(HintPause());
  }
}

void THintController::ControlDestroyed(TControl* control) {
  if (control != hovered_) return;
  hovered_ = nullptr;
  SetState(hsIdle);
}

void THintController::CancelHint() {
  if (state_ == hsWaiting || state_ == hsShowing) SetState(hsDone);
}

void THintController::Tick() {
  timer_->SetEnabled(false);
  if (state_ == hsShowing) {
    SetState(hsDone);
    return;
  }
  if (state_ != hsWaiting) return;
  const std::string text = HintTextFor(hovered_);
  POINT p{};
  if (text.empty() || !GetCursorPos(&p)) {
    SetState(hsIdle);
    return;
  }
  if (!window_) window_ = std::make_unique<THintWindow>(Application ? Application->Handle() : nullptr);
  window_->ActivateHint({p.x, p.y}, text);
  SetState(hsShowing);
  timer_->SetInterval(HintHidePause());
  timer_->SetEnabled(true);
}

LRESULT CALLBACK THintController::InputHook(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallNextHookEx(nullptr, code, wParam, lParam);
  if (code != HC_ACTION || wParam != PM_REMOVE || !g_controller) return result;
  switch (reinterpret_cast<const MSG*>(lParam)->message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      g_controller->CancelHint();
      break;
  }
  return result;
}

// ---------------------------------------------------------------------------------------------
// The framework's reports

THintController* HintController() { return g_controller; }

void HintMouseEntered(TControl* control) {
  if (!g_controller) {
    if (!Application || HintTextFor(control).empty()) return;
    new THintController(Application);
  }
  g_controller->MouseEntered(control);
}

void HintMouseLeft(TControl* control) {
  if (g_controller) g_controller->MouseLeft(control);
}

void HintSettingsChanged(TControl* control) {
  if (Application) Application->SetHint(LongHintFor(Application->MouseControl()));
  if (g_controller) {
    g_controller->HintChanged(control);
    return;
  }
  // The control under the resting pointer was given a hint to show.
  TControl* hovered = Application ? Application->MouseControl() : nullptr;
  if (!hovered || HintTextFor(hovered).empty()) return;
  for (const TControl* c = hovered; c; c = c->Parent())
    if (c == control) {
      HintMouseEntered(hovered);
      return;
    }
}

void HintControlDestroyed(TControl* control) {
  if (g_controller) g_controller->ControlDestroyed(control);
}
