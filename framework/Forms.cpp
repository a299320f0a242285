#include "framework/Forms.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>

#include "framework/ActnList.h"
#include "framework/Application.h"
#include "framework/Exception.h"
#include "framework/SystemLibrary.h"

// ---------------------------------------------------------------------------------------------
// TForm

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisible(false);
  SetControlStyle(ControlStyle() | csAcceptsControls);
  SetParentColor(false);
  SetColor(clBtnFace);
  SetParentFont(false);
  SetBounds(0, 0, 320, 240);
}

TForm::~TForm() { DestroyComponents(); }

void TForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.ExStyle = 0;
  switch (borderStyle_) {
    case bsNone:
      p.Style |= WS_POPUP;
      break;
    case bsSingle:
    case bsToolWindow:
      p.Style |= WS_CAPTION | WS_BORDER;
      break;
    case bsSizeable:
    case bsSizeToolWin:
      p.Style |= WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      p.Style |= WS_POPUP | WS_CAPTION;
      p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
  }
  if (borderStyle_ != bsNone && (borderIcons_ & biSystemMenu)) p.Style |= WS_SYSMENU;
  if (borderStyle_ != bsDialog && borderStyle_ != bsNone) {
    if (borderIcons_ & biMinimize) p.Style |= WS_MINIMIZEBOX;
    if (borderIcons_ & biMaximize) p.Style |= WS_MAXIMIZEBOX;
  }
  if (!Enabled()) p.Style |= WS_DISABLED;
  p.WndParent = Application ? Application->Handle() : nullptr;
  // A form without an icon of its own shows the application's, through its class.
  if (!icon_ && Application) {
    p.ClassIcon = Application->Icon();
    p.ClassSmallIcon = Application->SmallIcon();
  }
  if (position_ == poScreenCenter) {
    p.X = GetSystemMetrics(SM_CXSCREEN) / 2 - Width() / 2;
    p.Y = GetSystemMetrics(SM_CYSCREEN) / 2 - Height() / 2;
  }
}

void TForm::CreateWindowHandleDone() {
  HICON big = icon_ ? icon_ : (Application ? Application->Icon() : nullptr);
  HICON small = icon_ ? icon_ : (Application ? Application->SmallIcon() : nullptr);
  // The window carries the icons itself only where its class does not (an icon of its own, or a
  // class made before the application object's icons were known).
  if (big && reinterpret_cast<HICON>(GetClassLongPtrA(Handle(), GCLP_HICON)) != big)
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  if (small && reinterpret_cast<HICON>(GetClassLongPtrA(Handle(), GCLP_HICONSM)) != small)
    SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  if (position_ == poScreenCenter) {
    RECT r;
    GetWindowRect(Handle(), &r);
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
}

TRect TForm::ClientRect() {
  if (HandleAllocated()) return TWinControl::ClientRect();
  const TSize frame = FrameSize();
  return TRect{0, 0, Width() - frame.cx, Height() - frame.cy};
}

TSize TForm::FrameSize(int dpi) {
  // Windows 10 (version 1607 on) gives the frame at any density; earlier ones only at their own.
  using AdjustForDpi = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi =
      LibraryFunction<AdjustForDpi>(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi");
  TCreateParams p;
  CreateParams(p);
  RECT frame{0, 0, 0, 0};
  if (dpi && adjustForDpi) {
    adjustForDpi(&frame, p.Style, FALSE, p.ExStyle, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&frame, p.Style, FALSE, p.ExStyle);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void TForm::SetDensity(int dpi) {
  density_ = DensityAt(dpi);
  ApplyDensity();
  if (designedClient_ == TSize{}) return;
  const TSize client = density_.Scale(designedClient_);
  const TSize frame = FrameSize(dpi);
  SetBounds(Left(), Top(), client.cx + frame.cx, client.cy + frame.cy);
}

TSize TForm::ClientSizeAt(const TDensity& density) {
  const TRect r = ClientRect();
  const TSize now{r.Width(), r.Height()};
  if (designedClient_ != TSize{} && now == density_.Scale(designedClient_)) return density.Scale(designedClient_);
  return {density.Rescale(now.cx, density_), density.Rescale(now.cy, density_)};
}

void TForm::DensityChanged(int dpi, const RECT& suggested) {
  // Laid out anew from the origin; the new size sets the scroll range again.
  ScrollBy(scrollX_, scrollY_);
  density_ = DensityAt(dpi);
  ApplyDensity();
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateScrollRange();
}

void TForm::AdjustClientRect(TRect& r) {
  r = TRect{r.Left - scrollX_, r.Top - scrollY_, r.Right - scrollX_, r.Bottom - scrollY_};
}

void TForm::SetVisible(bool visible) {
  if (Visible() == visible) return;
  TControl::SetVisible(visible);
  if (visible) {
    static constexpr int kShow[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
    ShowWindow(Handle(), kShow[windowState_]);
  } else if (HandleAllocated()) {
    ShowWindow(Handle(), SW_HIDE);
  }
}

void TForm::SetAutoScroll(bool value) {
  if (autoScroll_ == value) return;
  autoScroll_ = value;
  if (HandleAllocated()) UpdateScrollRange();
}

void TForm::SetWindowState(TWindowState state) {
  if (windowState_ == state) return;
  windowState_ = state;
  if (HandleAllocated() && Visible()) {
    static constexpr int kShow[] = {SW_RESTORE, SW_MINIMIZE, SW_SHOWMAXIMIZED};
    ShowWindow(Handle(), kShow[state]);
  }
}

void TForm::SetActiveControl(TWinControl* control) {
  if (activeControl_ == control) return;
  activeControl_ = control;
  if (control && HandleAllocated() && IsWindowVisible(Handle()) && GetActiveWindow() == Handle())
    control->SetFocus();
}

void TForm::SelectFirst() { SelectNext(nullptr, true, true); }

namespace {
// Disabled controls take part: they show what they are given, as any other.
bool DispatchToControls(TWinControl& container, TBasicAction& action) {
  for (int i = 0; i < container.ControlCount(); ++i) {
    TControl* control = container.Controls(i);
    if (!control->Visible()) continue;
    if (control->ExecuteAction(action)) return true;
    if (control->IsWindowed() && DispatchToControls(*static_cast<TWinControl*>(control), action)) return true;
  }
  return false;
}
}  // namespace

bool TForm::DispatchAction(TBasicAction& action) {
  if (!Visible()) return false;
  return (activeControl_ && activeControl_->ExecuteAction(action)) || ExecuteAction(action) ||
         DispatchToControls(*this, action);
}

void TForm::FocusChanged(TWinControl* control) {
  if (control == this) {
    // The form itself got the focus: hand it to its active control.
    if (activeControl_ && activeControl_ != this && activeControl_->CanFocus()) {
      ::SetFocus(activeControl_->Handle());
      return;
    }
    // The control that had it was disabled or hidden: the form holds the focus now, and its
    // controls hear that none of them has it.
    if (!focusedControl_ && !activeControl_) return;
    focusedControl_ = nullptr;
    activeControl_ = nullptr;
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(this));
    RaiseExitAndEnter(nullptr);
    return;
  }
  if (focusedControl_ == control) return;
  focusedControl_ = control;
  activeControl_ = control;
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
  RaiseExitAndEnter(control);
}

void TForm::RaiseExitAndEnter(TWinControl* next) {
  auto holds = [](TWinControl* outer, TControl* c) {
    for (; c; c = c->Parent())
      if (c == outer) return true;
    return false;
  };
  auto inner = [this](TWinControl* c) { return c && c != this ? c : nullptr; };
  // Each step is taken as done before its handler runs: a handler that moves the focus on
  // starts the next round from there, and this one ends.
  while (enteredControl_ && !holds(enteredControl_, next)) {
    TWinControl* leaving = enteredControl_;
    enteredControl_ = inner(leaving->Parent());
    leaving->DoExit();
    if (focusedControl_ != next) return;
  }
  while (next && enteredControl_ != next) {
    TWinControl* entering = next;
    while (inner(entering->Parent()) != enteredControl_) entering = entering->Parent();
    enteredControl_ = entering;
    entering->DoEnter();
    if (focusedControl_ != next) return;
  }
}

void TForm::ControlRemoved(TControl* control) {
  auto inside = [control](TControl* c) {
    for (; c; c = c->Parent())
      if (c == control) return true;
    return false;
  };
  if (inside(activeControl_)) activeControl_ = nullptr;
  if (inside(focusedControl_)) focusedControl_ = nullptr;
  if (inside(enteredControl_)) enteredControl_ = control->Parent() != this ? control->Parent() : nullptr;
}

void TForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Hide();
  }
}

TModalResult TForm::ShowModal() {
  if (modal_ || Visible()) throw Exception("Cannot make a visible window modal");
  HWND previous = GetActiveWindow();
  if (GetCapture()) SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  TThreadWindowsDisabled others(Handle());
  modal_ = true;
  modalResult_ = mrNone;
  auto restore = [&] {
    modal_ = false;
    others.Enable();
    Hide();
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
  };
  try {
    Show();
    SetForegroundWindow(Handle());
    while (modalResult_ == mrNone && Application && !Application->Terminated()) Application->HandleMessage();
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return modalResult_;
}

bool TForm::PreviewKey(MSG& msg, TWinControl* target) {
  switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(msg.wParam);
      // A key for the form's own window reaches the form's key step as its own.
      if (keyPreview_ && target != this) {
        KeyDown(key, KeyboardShiftState());
        if (key == 0) return true;
      }
      UINT mask = 0;
      switch (key) {
        case VK_TAB:
          mask = DLGC_WANTTAB;
          break;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
          mask = DLGC_WANTARROWS;
          break;
        case VK_RETURN:
        case VK_EXECUTE:
        case VK_ESCAPE:
        case VK_CANCEL:
          mask = DLGC_WANTALLKEYS;
          break;
      }
      if (!mask) return false;
      // Asked without the message: given one, the native EDIT takes itself for a dialog's and
      // closes its parent on Escape.
      const LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, 0, 0);
      if (code & mask) return false;
      return Perform(CM_DIALOGKEY, key, msg.lParam) != 0;
    }
    case WM_SYSCHAR:
      return Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
    case WM_CHAR: {
      const LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, 0, 0);
      if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) return false;
      return Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
    }
  }
  return false;
}

void TForm::UpdateScrollRange() {
  if (!HandleAllocated()) return;
  // A scroll bar that comes or goes resizes the client area, and the size message that brings
  // asks for this again: that is done here, from the new client area, once this round's range
  // and position agree, rather than inside it (a position worked out before would be applied
  // after the inner round had scrolled, and the content would stay shifted).
  if (updatingScrollRange_) {
    scrollRangeStale_ = true;
    return;
  }
  updatingScrollRange_ = true;
  try {
    do {
      scrollRangeStale_ = false;
      ApplyScrollRange();
    } while (scrollRangeStale_);
  } catch (...) {
    updatingScrollRange_ = false;
    throw;
  }
  updatingScrollRange_ = false;
}

void TForm::ApplyScrollRange() {
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible()) continue;
    if (c->Align() != alTop) right = std::max(right, c->Left() + c->Width() + scrollX_);
    bottom = std::max(bottom, c->Top() + c->Height() + scrollY_);
  }
  RECT client;
  GetClientRect(Handle(), &client);
  auto apply = [this](int bar, int extent, int page, int& position) {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    const bool needed = autoScroll_ && extent > page;
    si.nMax = needed ? extent - 1 : 0;
    si.nPage = needed ? static_cast<UINT>(page) : 0;
    const int limit = needed ? extent - page : 0;
    const int wanted = std::clamp(position, 0, std::max(0, limit));
    si.nPos = wanted;
    SetScrollInfo(Handle(), bar, &si, TRUE);
    return wanted;
  };
  const int x = apply(SB_HORZ, right, client.right, scrollX_);
  const int y = apply(SB_VERT, bottom, client.bottom, scrollY_);
  if (x != scrollX_ || y != scrollY_) ScrollBy(scrollX_ - x, scrollY_ - y);
}

void TForm::ScrollBy(int dx, int dy) {
  scrollX_ -= dx;
  scrollY_ -= dy;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  }
  Invalidate();
}

void TForm::OnScroll(int bar, WPARAM code) {
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  GetScrollInfo(Handle(), bar, &si);
  int pos = si.nPos;
  switch (LOWORD(code)) {
    case SB_LINEUP: pos -= 8; break;
    case SB_LINEDOWN: pos += 8; break;
    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  pos = std::clamp(pos, si.nMin, std::max(si.nMin, si.nMax - static_cast<int>(si.nPage) + 1));
  si.fMask = SIF_POS;
  si.nPos = pos;
  SetScrollInfo(Handle(), bar, &si, TRUE);
  int& current = bar == SB_HORZ ? scrollX_ : scrollY_;
  const int delta = current - pos;
  if (delta) bar == SB_HORZ ? ScrollBy(delta, 0) : ScrollBy(0, delta);
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case WM_SYSCOMMAND:
      if ((m.WParam & 0xFFF0) == SC_MINIMIZE && Application && Application->MainForm() == this) {
        Application->Minimize();
        return;
      }
      break;
    case WM_ACTIVATE:
      DefaultHandler(m);
      if (LOWORD(m.WParam) != WA_INACTIVE && !HIWORD(m.WParam)) {
        if (activeControl_ && activeControl_->CanFocus()) {
          ::SetFocus(activeControl_->Handle());
        } else if (!activatedOnce_) {
          SelectFirst();
        }
        activatedOnce_ = true;
      }
      return;
    case WM_SIZE:
      DefaultHandler(m);
      if (m.WParam == SIZE_MINIMIZED) {
        windowState_ = wsMinimized;
      } else {
        windowState_ = m.WParam == SIZE_MAXIMIZED ? wsMaximized : wsNormal;
        Realign();
        UpdateScrollRange();
      }
      return;
    case WM_GETDPISCALEDSIZE: {
      const TSize client = ClientSizeAt(DensityAt(static_cast<int>(m.WParam)));
      const TSize frame = FrameSize(static_cast<int>(m.WParam));
      *reinterpret_cast<SIZE*>(m.LParam) = SIZE{client.cx + frame.cx, client.cy + frame.cy};
      m.Result = TRUE;
      return;
    }
    case WM_DPICHANGED:
      DensityChanged(HIWORD(m.WParam), *reinterpret_cast<const RECT*>(m.LParam));
      return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (m.LParam == 0) {
        OnScroll(m.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, m.WParam);
        return;
      }
      break;
    case CM_DIALOGKEY: {
      const WORD key = static_cast<WORD>(m.WParam);
      const TShiftState shift = KeyboardShiftState();
      if (key == VK_TAB) {
        if (!(shift & (ssCtrl | ssAlt))) {
          SelectNext(activeControl_, !(shift & ssShift), true);
          m.Result = 1;
          return;
        }
      } else if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
        if (activeControl_ && activeControl_->Parent()) {
          activeControl_->Parent()->SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
          m.Result = 1;
        }
        return;
      }
      break;
    }
  }
  TWinControl::WndProc(m);
}
