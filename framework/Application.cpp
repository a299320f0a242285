#include "framework/Application.h"

#include <algorithm>
#include <exception>

#include "framework/ActnList.h"
#include "framework/AppTitle.h"
#include "framework/Exception.h"
#include "framework/Forms.h"
#include "framework/Hints.h"

TApplication* Application = nullptr;

namespace {
std::string DefaultTitle() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return DefaultApplicationTitle(path, [](unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; });
}

// The program's icon resource at the system's size for the metrics given, or the system's
// application icon. Shared icons from the program's resources are freed by the system, not by us.
HICON ApplicationIcon(int widthMetric, int heightMetric) {
  const auto icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON,
                                                  GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                                  LR_SHARED));
  return icon ? icon : LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
}
}  // namespace

void (*InitProc)() = nullptr;

void TApplication::Initialize() {
  if (InitProc) InitProc();
}

TApplication::TApplication()
    : TComponent(nullptr),
      title_(DefaultTitle()),
      icon_(ApplicationIcon(SM_CXICON, SM_CYICON)),
      smallIcon_(ApplicationIcon(SM_CXSMICON, SM_CYSMICON)),
      window_("TApplication", [this](UINT msg, WPARAM w, LPARAM l) { return AppWindowProc(msg, w, l); }, false,
              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, icon_, smallIcon_,
              title_.c_str(), POINT{GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2}) {
  Application = this;
  HWND h = window_.Handle();
  HMENU menu = GetSystemMenu(h, FALSE);
  DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
  // A class made before (another application object in the same process) keeps the icons it was
  // made with; the window then carries ours itself.
  if (reinterpret_cast<HICON>(GetClassLongPtrA(h, GCLP_HICON)) != icon_)
    SendMessageA(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  if (reinterpret_cast<HICON>(GetClassLongPtrA(h, GCLP_HICONSM)) != smallIcon_)
    SendMessageA(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  GetStartupInfoA(&si);
  if (si.dwFlags & STARTF_USESHOWWINDOW) showCommand_ = si.wShowWindow;
}

TApplication::~TApplication() {
  DestroyComponents();
  if (Application == this) Application = nullptr;
}

void TApplication::SetHint(const std::string& hint) {
  if (hint_ == hint) return;
  hint_ = hint;
  THintAction action(nullptr);
  action.SetHint(hint);
  auto* active = dynamic_cast<TForm*>(TWinControl::FindControl(GetActiveWindow()));
  if (active && active->DispatchAction(action)) return;
  if (mainForm_ && mainForm_ != active) mainForm_->DispatchAction(action);
}

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  char current[512] = {};
  GetWindowTextA(Handle(), current, sizeof current);
  if (title != current) SetWindowTextA(Handle(), title.c_str());
}

LRESULT TApplication::AppWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND h = window_.Handle();
  switch (msg) {
    case WM_CLOSE:
      if (mainForm_) mainForm_->Close();
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE) {
        Minimize();
        return 0;
      }
      if ((wParam & 0xFFF0) == SC_RESTORE && mainForm_ && IsIconic(h)) {
        const LRESULT r = DefWindowProcA(h, msg, wParam, lParam);
        // Started minimised the window was never shown; minimised by hand it was hidden as it was
        // (normal or maximised) and comes back so.
        if (mainForm_->WindowState() == wsMinimized) mainForm_->SetWindowState(wsNormal);
        if (mainForm_->Visible()) {
          ShowWindow(mainForm_->Handle(), SW_SHOW);
        } else {
          mainForm_->Show();
        }
        return r;
      }
      break;
    case WM_ACTIVATE:
    case WM_SETFOCUS:
      // The task-bar button is this window's: a click on it activates this window, while the
      // keyboard belongs to the main window and the control that last had the focus there.
      if ((msg == WM_SETFOCUS || LOWORD(wParam) != WA_INACTIVE) && mainForm_ && mainForm_->HandleAllocated() &&
          IsWindowVisible(mainForm_->Handle()) && IsWindowEnabled(mainForm_->Handle())) {
        SetActiveWindow(mainForm_->Handle());
        return 0;
      }
      break;
    case WM_ENDSESSION:
      if (wParam) Terminate();
      return 0;
    case WM_FONTCHANGE:
      ForgetMeasuredText();
      break;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

void TApplication::Run() {
  if (!mainForm_) return;
  if (showCommand_ == SW_SHOWMAXIMIZED) mainForm_->SetWindowState(wsMaximized);
  else if (showCommand_ == SW_SHOWMINNOACTIVE) mainForm_->SetWindowState(wsMinimized);
  if (mainForm_->WindowState() == wsMinimized) {
    ShowWindow(Handle(), SW_SHOWMINNOACTIVE);
  } else {
    ShowWindow(Handle(), SW_SHOWNA);
    mainForm_->Show();
  }
  while (!terminated_) HandleMessage();
}

void TApplication::Minimize() {
  if (IsIconic(Handle())) return;
  // The task-bar button is the application window's: the main window goes with it rather than
  // leaving a minimised title bar of its own on the desktop.
  if (mainForm_ && mainForm_->HandleAllocated()) ShowWindow(mainForm_->Handle(), SW_HIDE);
  ShowWindow(Handle(), SW_MINIMIZE);
}

void TApplication::Terminate() {
  if (!terminated_) PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& msg) {
  // Taken in UTF-16: for an 8-bit window the system would turn a typed character into bytes of the
  // keyboard language's code page rather than the program's.
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (msg.message != WM_TIMER) hoverMayHaveChanged_ = true;
  try {
    if ((msg.message == WM_CHAR || msg.message == WM_SYSCHAR) && !IsWindowUnicode(msg.hwnd)) {
      DispatchCharacter(msg);
    } else if (!IsKeyMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  } catch (...) {
    HandleException(std::current_exception());
  }
  TControlCanvas::ReleaseAll();
  return true;
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) {
    if (HoverCheckDue()) Idle();
    if (!terminated_) WaitMessage();
  }
}

bool TApplication::HoverCheckDue() const {
  // Reading the pointer costs the window server a round trip and the display server a query, and
  // finding the control under it more; done after every tick of the scrolling hint that would
  // double what a quiet tick costs. The control under the pointer can change only when the
  // pointer moves (it then moves the position that messages carry, or sends us mouse messages),
  // when our windows change (they get messages), or when another program's window comes, goes or
  // moves at the pointer. While a control is hovered the window under the last pointer position is
  // asked for at every empty queue, one round trip; with none hovered another program's window
  // changes nothing, and one of ours uncovered gets a paint. A pointer moved where no program hears
  // of it is caught twice a second.
  constexpr DWORD kQuietRecheckMs = 500;
  return hoverMayHaveChanged_ || GetMessagePos() != hoverCheckedAt_ ||
         GetTickCount() - hoverCheckTime_ >= kQuietRecheckMs ||
         (mouseControl_ && WindowFromPoint(hoverPoint_) != hoverWindow_) || NoticesWithheld();
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::Idle() {
  hoverMayHaveChanged_ = false;
  hoverCheckedAt_ = GetMessagePos();
  hoverCheckTime_ = GetTickCount();
  try {
    TControl* hovered = nullptr;
    if (GetCursorPos(&hoverPoint_)) {
      hoverWindow_ = WindowFromPoint(hoverPoint_);
      hovered = FindDragTarget(hoverWindow_, {hoverPoint_.x, hoverPoint_.y}, true);
    } else {
      hoverWindow_ = nullptr;
    }
    if (hovered != mouseControl_ || NoticesWithheld()) ChangeMouseControl(hovered);
    SetHint(LongHintFor(mouseControl_));
  } catch (...) {
    HandleException(std::current_exception());
  }
  TControlCanvas::ReleaseAll();
}

bool TApplication::MayHearTheMouse(TControl* control) {
  TControl* capture = CaptureControl();
  return !capture || capture == control;
}

TControl* TApplication::NextWithheldLeave() {
  for (TControl* c : withheldLeaves_)
    if (MayHearTheMouse(c)) return c;
  return nullptr;
}

void TApplication::ChangeMouseControl(TControl* hovered) {
  // The control left hears of it first; its failure is reported after the new control has
  // been remembered and told, so that a failing handler does not cost the other its notice.
  std::exception_ptr leaveFailure;
  auto leave = [&](TControl* control) {
    try {
      control->Perform(CM_MOUSELEAVE);
    } catch (...) {
      if (!leaveFailure) leaveFailure = std::current_exception();
    }
  };
  enteringControl_ = hovered;
  // Back on a control whose mouse-left the capture held back: it never heard that the mouse went.
  const auto back = std::find(withheldLeaves_.begin(), withheldLeaves_.end(), hovered);
  const bool stillIn = hovered && back != withheldLeaves_.end();
  if (stillIn) withheldLeaves_.erase(back);
  // A notice held back by another control's capture is not lost: it comes once the capture ends,
  // before the new ones (a button would stay lit when a press elsewhere took the capture before
  // the idle step saw the pointer go).
  while (TControl* due = NextWithheldLeave()) {
    withheldLeaves_.erase(std::find(withheldLeaves_.begin(), withheldLeaves_.end(), due));
    leave(due);
  }
  if (mouseControl_ != enteringControl_) {
    if (TControl* left = mouseControl_; left && !enterDue_) {
      if (MayHearTheMouse(left)) {
        leave(left);
      } else {
        withheldLeaves_.push_back(left);
      }
    }
    enterDue_ = !stillIn;
  }
  hovered = enteringControl_;  // nullptr if destroyed meanwhile
  enteringControl_ = nullptr;
  mouseControl_ = hovered;
  if (!hovered) enterDue_ = false;
  try {
    if (enterDue_ && MayHearTheMouse(hovered)) {
      enterDue_ = false;
      hovered->Perform(CM_MOUSEENTER);
    }
  } catch (...) {
    if (leaveFailure) HandleException(leaveFailure);
    throw;
  }
  if (leaveFailure) HandleException(leaveFailure);
}

void TApplication::HandleException(const std::exception_ptr& failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const std::exception& e) {
    HandleException(e);
  } catch (...) {
    HandleException("Unknown failure");
  }
}

void TApplication::ControlDestroyed(TControl* control) {
  if (mouseControl_ == control) mouseControl_ = nullptr;
  if (enteringControl_ == control) enteringControl_ = nullptr;
  withheldLeaves_.erase(std::remove(withheldLeaves_.begin(), withheldLeaves_.end(), control), withheldLeaves_.end());
  if (captureControl_ == control) captureControl_ = nullptr;
}

void TApplication::SetCaptureControl(TControl* control) {
  captureControl_ = control;
  if (!control) {
    ReleaseCapture();
    return;
  }
  TWinControl* window = control->IsWindowed() ? static_cast<TWinControl*>(control) : control->Parent();
  if (window) SetCapture(window->Handle());
}

TControl* TApplication::CaptureControl() {
  HWND capture = GetCapture();
  if (!capture) {
    captureControl_ = nullptr;
    return nullptr;
  }
  if (captureControl_) {
    TWinControl* window =
        captureControl_->IsWindowed() ? static_cast<TWinControl*>(captureControl_) : captureControl_->Parent();
    if (window && window->HandleAllocated() && window->Handle() == capture) return captureControl_;
  }
  return TWinControl::FindControl(capture);
}

// An 8-bit window gets a double-byte character as its lead byte and then its trail byte.
void TApplication::DispatchCharacter(const MSG& msg) {
  const auto wide = static_cast<wchar_t>(msg.wParam);
  char bytes[2] = {};
  const int count = std::max(WideCharToMultiByte(CP_ACP, 0, &wide, 1, bytes, sizeof bytes, nullptr, nullptr), 1);
  MSG m = msg;
  for (int i = 0; i < count; ++i) {
    m.wParam = static_cast<BYTE>(bytes[i]);
    if (!IsKeyMessage(m)) DispatchMessageA(&m);
  }
}

bool TApplication::IsKeyMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_CHAR &&
      msg.message != WM_SYSCHAR)
    return false;
  TWinControl* target = nullptr;
  for (HWND h = msg.hwnd; h && !target; h = (GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : nullptr)
    target = TWinControl::FindControl(h);
  if (!target) return false;
  TForm* form = GetParentForm(target);
  return form && form->PreviewKey(msg, target);
}

void TApplication::HandleException(const std::exception& failure) { HandleException(failure.what()); }

void TApplication::HandleException(const char* message) {
  if (GetCapture()) ReleaseCapture();
  captureControl_ = nullptr;
  const std::string text = ErrorBoxText(message);
  if (errorBoxOpen_) {
    // A box in a box would nest without end when a handler fails at every tick; a failure
    // repeated meanwhile is told once, with its count, rather than in a box per tick.
    const auto same = std::find_if(pendingFailures_.begin(), pendingFailures_.end(),
                                   [&](const PendingFailure& f) { return f.text == text; });
    if (same != pendingFailures_.end()) {
      ++same->count;
    } else {
      pendingFailures_.push_back({text, 1});
    }
    return;
  }
  errorBoxOpen_ = true;
  // The box is modal for the whole program, not only for the application window that owns it.
  const HWND previous = GetActiveWindow();
  TThreadWindowsDisabled others;
  auto restore = [&] {
    errorBoxOpen_ = false;
    others.Enable();
    // Closed, the box handed the activation to its owner while the window before it was still
    // disabled.
    if (previous && IsWindow(previous) && IsWindowEnabled(previous) && GetActiveWindow() == Handle())
      SetActiveWindow(previous);
  };
  try {
    ShowErrorBox(text);
    while (!pendingFailures_.empty()) {
      const PendingFailure next = pendingFailures_.front();
      pendingFailures_.erase(pendingFailures_.begin());
      ShowErrorBox(RepeatedFailureText(next.text, next.count));
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

void TApplication::ShowErrorBox(const std::string& text) {
  if (errorBox_) {
    errorBox_(Handle(), text, title_);
  } else {
    MessageBoxA(Handle(), text.c_str(), title_.c_str(), MB_ICONERROR | MB_OK);
  }
}
