// TWinControl: a control with a window of its own: children, tab order and focus, bounds kept in
// step with the window, scaling, text, painting of windowless children.
#include "framework/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "framework/ActnList.h"
#include "framework/DragDrop.h"
#include "framework/Exception.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Hints.h"
#include "framework/Menus.h"

// TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  DestroyComponents();
  // Leave the parent here, while this is still known as windowed (TControl's destructor would
  // take it for a windowless one and leave it in the lists of windowed children).
  if (Parent()) Parent()->RemoveControl(this);
  DestroyHandle();
  for (TControl* c : children_) c->parent_ = nullptr;
  graphicChildren_.clear();
  winChildren_.clear();
  tabList_.clear();
  children_.clear();
}

TControl* TWinControl::Controls(int i) const {
  const int graphics = static_cast<int>(graphicChildren_.size());
  return i < graphics ? graphicChildren_[i] : winChildren_[i - graphics];
}

void TWinControl::InsertControl(TControl* control) {
  control->parent_ = this;
  children_.push_back(control);
  if (control->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(control);
    winChildren_.push_back(w);
    tabList_.push_back(w);
  } else {
    graphicChildren_.push_back(control);
  }
  if (control->parentColor_) control->Perform(CM_PARENTCOLORCHANGED);
  if (control->parentFont_) control->Perform(CM_PARENTFONTCHANGED);
  if (control->parentShowHint_) control->Perform(CM_PARENTSHOWHINTCHANGED);
  if (control->parentBiDiMode_) control->Perform(CM_PARENTBIDIMODECHANGED);
  if (control->IsWindowed() && handle_) static_cast<TWinControl*>(control)->CreateHandle();
  if (control->align_ != alNone) Realign();
  control->AnchorsPlaced();
  control->Invalidate();
  ControlInserted(control);
}

void TWinControl::RemoveControl(TControl* control) {
  control->Invalidate();
  // Before its window goes: the focus leaving it must not be handed back to it.
  if (TForm* form = GetParentForm(this)) form->ControlRemoved(control);
  if (control->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(control);
    if (!destroying_) w->DestroyHandle();
    std::erase(winChildren_, w);
    std::erase(tabList_, w);
  } else {
    std::erase(graphicChildren_, control);
  }
  std::erase(children_, control);
  control->parent_ = nullptr;
  if (control->align_ != alNone && !destroying_) Realign();
}

void TWinControl::NotifyControls(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A copy: a handler may add or remove children.
  std::vector<TControl*> children(graphicChildren_.begin(), graphicChildren_.end());
  children.insert(children.end(), winChildren_.begin(), winChildren_.end());
  for (TControl* c : children) c->Perform(msg, wParam, lParam);
}

LRESULT TWinControl::Broadcast(UINT msg, WPARAM wParam, LPARAM lParam) {
  // A copy: a handler may add or remove children.
  std::vector<TControl*> children(graphicChildren_.begin(), graphicChildren_.end());
  children.insert(children.end(), winChildren_.begin(), winChildren_.end());
  for (TControl* c : children) {
    const LRESULT r = c->Perform(msg, wParam, lParam);
    if (r != 0) return r;
  }
  return 0;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) {
  for (auto it = graphicChildren_.rbegin(); it != graphicChildren_.rend(); ++it) {
    TControl* c = *it;
    if (!c->visible_ || (!allowDisabled && !c->enabled_)) continue;
    if (!c->BoundsRect().Contains(p.X, p.Y)) continue;
    if (c->Perform(CM_HITTEST, 0, MAKELPARAM(p.X - c->left_, p.Y - c->top_)) != 0) return c;
  }
  return nullptr;
}

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->tabList_;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& list = Parent()->tabList_;
  std::erase(list, this);
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

bool TWinControl::CanFocus() {
  if (!GetParentForm(this)) return false;
  for (TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() { return handle_ && FocusedWindow() == handle_; }

void TWinControl::SetFocus() {
  TForm* form = GetParentForm(this);
  if (form && form != this && (!form->HandleAllocated() || !IsWindowVisible(form->Handle()))) {
    form->SetActiveControl(this);
    return;
  }
  ::SetFocus(Handle());
}

std::vector<TWinControl*> TWinControl::TabOrderList() {
  std::vector<TWinControl*> list;
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    const auto inner = c->TabOrderList();
    list.insert(list.end(), inner.begin(), inner.end());
  }
  return list;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  const auto list = TabOrderList();
  if (list.empty()) return;
  const int n = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
  if (start == n) start = forward ? n - 1 : 0;
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = forward ? (i + 1) % n : (i + n - 1) % n;
    TWinControl* c = list[i];
    if (c == current) break;
    if (!checkTabStop && c->Parent() != this) continue;
    if ((!checkTabStop || c->tabStop_) && c->CanFocus()) {
      c->SetFocus();
      return;
    }
  }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  CheckNewSize(width, height);
  if (left == Left() && top == Top() && width == Width() && height == Height()) return;
  const TRect previous = BoundsRect();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  AnchorsPlaced();
  if (handle_) SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  BoundsChanged(previous);
  if (Parent() && Align() != alNone) Parent()->Realign();
}

void TWinControl::BoundsChanged(const TRect& previous) {
  if (previous.Width() != Width() || previous.Height() != Height()) Realign();
}

TRect TWinControl::ClientRect() {
  if (handle_) {
    RECT r;
    GetClientRect(handle_, &r);
    return TRect{r.left, r.top, r.right, r.bottom};
  }
  return TControl::ClientRect();
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::Realign() {
  if (realigning_) return;
  realigning_ = true;
  try {
    TRect r = ClientRect();
    const TSize area{r.Width(), r.Height()};
    AdjustClientRect(r);
    for (TControl* c : children_) {
      if (!c->visible_ || c->align_ != alTop) continue;
      c->SetBounds(r.Left, r.Top, r.Width(), c->height_);
      r.Top += c->height_;
    }
    if (handle_ && !scaling_) {
      const auto children = children_;
      for (TControl* c : children) c->ApplyAnchors(area);
    }
  } catch (...) {
    realigning_ = false;  // a failed layout must not stop every later one
    throw;
  }
  realigning_ = false;
}

void TWinControl::ChangeScale(int m, int d) {
  // The children are scaled from where they stood: their anchors must not first move them to
  // this control's new size, or a child kept at a distance from the right edge would be moved
  // twice. Scaled, each takes its distances anew.
  scaling_ = true;
  try {
    TControl::ChangeScale(m, d);
  } catch (...) {
    scaling_ = false;
    throw;
  }
  scaling_ = false;
  ScaleControls(m, d);
}

void TWinControl::ScaleControls(int m, int d) {
  const auto children = children_;
  for (TControl* c : children) c->ChangeScale(m, d);
}

void TWinControl::SetVisible(bool visible) {
  if (Visible() == visible) return;
  TControl::SetVisible(visible);
  if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

std::string TWinControl::Text() const {
  if (!handle_) return text_;
  const int length = GetWindowTextLengthA(handle_);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(handle_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got < 0 ? 0 : got));
  return text;
}

void TWinControl::StoreText(const std::string& text) {
  text_ = text;
  if (handle_) SetWindowTextA(handle_, text.c_str());
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, !IsOpaque());
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  text_ = Text();
  DestroyHandle();
  CreateHandle();
}

HBRUSH TWinControl::BackgroundBrush() {
  const COLORREF rgb = ColorToRGB(Color());
  if (!brush_ || rgb != brushColor_) {
    brush_.Reset(CreateSolidBrush(rgb));
    brushColor_ = rgb;
  }
  return brush_.Get();
}

HWND TWinControl::Handle() {
  if (!handle_) {
    if (Parent() && !Parent()->handle_) Parent()->Handle();
    if (!handle_) CreateHandle();
  }
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = text_;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle() & csAcceptsControls) p.Style |= WS_CLIPCHILDREN;
  if (Visible()) p.Style |= WS_VISIBLE;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (tabStop_) p.Style |= WS_TABSTOP;
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  p.WndParent = Parent() ? Parent()->handle_ : nullptr;
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  CreateWnd();
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), 0);
  CreateWindowHandleDone();
  const auto children = winChildren_;
  for (TWinControl* c : children) c->CreateHandle();
  Realign();
}

void TWinControl::DestroyHandle() {
  if (handle_) DestroyWindow(handle_);
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (!handle_) return;
  m.Result = CallWindowProcA(defaultProc_ ? defaultProc_ : DefWindowProcA, handle_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::UpdateBoundsFromWindow() {
  RECT r;
  GetWindowRect(handle_, &r);
  if (Parent() && Parent()->handle_) MapWindowPoints(nullptr, Parent()->handle_, reinterpret_cast<POINT*>(&r), 2);
  const TRect previous = BoundsRect();
  if (previous == TRect{r.left, r.top, r.right, r.bottom}) return;
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
  AnchorsPlaced();
  BoundsChanged(previous);
}

bool TWinControl::ForwardMouseToChild(TMessage& m) {
  const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  TControl* target = nullptr;
  if (GetCapture() == handle_) {
    TControl* capture = Application ? Application->CaptureControl() : nullptr;
    if (capture && capture != this && capture->Parent() == this) target = capture;
  } else {
    target = ControlAtPos(p, false);
  }
  if (!target) return false;
  TMessage forwarded = m;
  forwarded.LParam = MAKELPARAM(p.X - target->Left(), p.Y - target->Top());
  target->WndProc(forwarded);
  m.Result = forwarded.Result;
  return true;
}

void TWinControl::WMPaint(TMessage& m) {
  if (nativeClass_ && graphicChildren_.empty()) {
    DefaultHandler(m);
    return;
  }
  PAINTSTRUCT ps{};
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  const bool ownPaint = dc == nullptr;
  if (ownPaint) dc = BeginPaint(handle_, &ps);
  try {
    {
      gdi::SavedState state(dc);
      int clip = SIMPLEREGION;
      for (TControl* c : graphicChildren_) {
        if (!c->Visible() || !c->IsOpaque()) continue;
        clip = ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height());
        if (clip == NULLREGION) break;
      }
      if (clip != NULLREGION) PaintWindow(dc);
    }
    PaintControls(dc);
  } catch (...) {
    if (ownPaint) EndPaint(handle_, &ps);
    throw;
  }
  if (ownPaint) EndPaint(handle_, &ps);
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto it = graphicChildren_.begin();
  if (first) it = std::find(graphicChildren_.begin(), graphicChildren_.end(), first);
  for (; it != graphicChildren_.end(); ++it) {
    TControl* c = *it;
    if (!c->Visible()) continue;
    RECT r{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
    if (!RectVisible(dc, &r)) continue;
    gdi::SavedState state(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + c->Left(), origin.y + c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}
