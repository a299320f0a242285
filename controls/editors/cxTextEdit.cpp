#include "controls/editors/cxTextEdit.h"

#include "framework/Forms.h"

TcxCustomEditStyle::TcxCustomEditStyle() {
  lookAndFeel_.OnChanged = [this] {
    if (OnChanged) OnChanged();
  };
}

// ---------------------------------------------------------------------------------------------
// TcxCustomInnerTextEdit

TcxCustomInnerTextEdit::TcxCustomInnerTextEdit(TcxTextEdit* edit) : TWinControl(edit), edit_(edit) {
  // The native window takes the capture itself while a button is down.
  SetControlStyle(csClickEvents);
  SetParent(edit);
  // The editor hands it its font; the colour comes from the editor.
  SetParentFont(false);
}

TcxCustomInnerTextEdit::~TcxCustomInnerTextEdit() {
  if (edit_) edit_->inner_ = nullptr;
}

void TcxCustomInnerTextEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClass = "EDIT";
  p.Style &= ~static_cast<DWORD>(WS_BORDER | WS_DLGFRAME | WS_THICKFRAME);
  p.Style |= ES_AUTOHSCROLL;
  p.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TcxCustomInnerTextEdit::CreateWindowHandleDone() {
  edit_->innerClip_.reset();
  edit_->ClipInnerEdit();
}

void TcxCustomInnerTextEdit::Click() { edit_->Click(); }

void TcxCustomInnerTextEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseDown(button, shift, x, y);
  edit_->InnerMouseDown(button, shift, x + Left(), y + Top());
}

void TcxCustomInnerTextEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseUp(button, shift, x, y);
  edit_->MouseUp(button, shift, x + Left(), y + Top());
}

void TcxCustomInnerTextEdit::MouseMove(TShiftState shift, int x, int y) {
  TWinControl::MouseMove(shift, x, y);
  edit_->MouseMove(shift, x + Left(), y + Top());
}

void TcxCustomInnerTextEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      // Characters and arrows stay here; Tab goes to the form unless Ctrl is held.
      DefaultHandler(m);
      m.Result |= DLGC_WANTCHARS;
      if (GetKeyState(VK_CONTROL) < 0) {
        m.Result |= DLGC_WANTTAB;
      } else {
        m.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
      }
      return;
    case WM_CHAR:
      if (m.WParam == '\t') return;  // never typed into the text
      break;
    case WM_SETFOCUS:
      // The form sees the editor, not its inner window, as the focused control, so that Tab
      // and Shift+Tab move on from the editor.
      DefaultHandler(m);
      edit_->InnerFocusEntered();
      return;
    case WM_KILLFOCUS:
      DefaultHandler(m);
      edit_->Invalidate();
      return;
    case CN_BASE + WM_CTLCOLOREDIT:
    case CN_BASE + WM_CTLCOLORSTATIC:
      if (!edit_->Enabled()) {
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        SetTextColor(dc, ColorToRGB(clBtnShadow));
        SetBkColor(dc, ColorToRGB(clBtnFace));
        m.Result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        return;
      }
      break;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// TcxTextEdit

TcxTextEdit::TcxTextEdit(TComponent* owner) : TCustomControl(owner) {
  // The paint covers every pixel outside the inner edit, so the window is never erased first.
  SetControlStyle(ControlStyle() | csOpaque);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  style_.OnChanged = [this] { Invalidate(); };
  inner_ = new TcxCustomInnerTextEdit(this);
  ApplyFont();
  SetBounds(Left(), Top(), 121, 21);
}

TcxTextEdit::~TcxTextEdit() {
  // The inner edit goes first, while this editor still answers its calls.
  DestroyComponents();
}

void TcxTextEdit::SetAutoSize(bool value) {
  if (autoSize_ == value) return;
  autoSize_ = value;
  if (value) SetBounds(Left(), Top(), Width(), Height());
}

std::string TcxTextEdit::Text() const { return inner_ ? inner_->Text() : TCustomControl::Text(); }

void TcxTextEdit::StoreText(const std::string& text) {
  if (inner_) inner_->SetText(text);
}

bool TcxTextEdit::IsFocused() {
  HWND focus = GetFocus();
  return focus && ((HandleAllocated() && focus == Handle()) || (inner_ && inner_->HandleAllocated() && focus == inner_->Handle()));
}

TRect TcxTextEdit::ContentRect() const {
  return TRect{kHotTrackBorderExtent, kHotTrackBorderExtent, Width() - kHotTrackBorderExtent,
               Height() - kHotTrackBorderExtent};
}

void TcxTextEdit::SetBounds(int left, int top, int width, int height) {
  if (autoSize_) height = TextEditAutoHeight(textHeight_, kHotTrackBorderExtent);
  TCustomControl::SetBounds(left, top, width, height);
}

void TcxTextEdit::ChangeScale(int m, int d) { TControl::ChangeScale(m, d); }

void TcxTextEdit::BoundsChanged(const TRect& previous) {
  TCustomControl::BoundsChanged(previous);
  PlaceInnerEdit();
}

void TcxTextEdit::ApplyFont() {
  if (inner_) inner_->Font().Assign(Font());
  textHeight_ = MeasureText(Font(), "Zg").cy;
  SetBounds(Left(), Top(), Width(), Height());
  PlaceInnerEdit();
}

void TcxTextEdit::PlaceInnerEdit() {
  if (!inner_) return;
  const TRect r = InnerEditBounds(ContentRect(), textHeight_);
  inner_->SetBounds(r.Left, r.Top, r.Width(), r.Height());
  ClipInnerEdit();
}

void TcxTextEdit::ClipInnerEdit() {
  if (!inner_ || !inner_->HandleAllocated()) return;
  const std::optional<TRect> clip = InnerEditClip(inner_->BoundsRect(), ContentRect());
  if (clip == innerClip_) return;
  HRGN region = clip ? CreateRectRgn(clip->Left, clip->Top, clip->Right, clip->Bottom) : nullptr;
  // The window takes over the region and frees it.
  SetWindowRgn(inner_->Handle(), region, TRUE);
  innerClip_ = clip;
}

void TcxTextEdit::InnerFocusEntered() {
  TMessage m{WM_SETFOCUS, 0, 0, 0};
  TCustomControl::WndProc(m);
  Invalidate();
}

void TcxTextEdit::InnerMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  hostedMouseDown_ = true;
  try {
    MouseDown(button, shift, x, y);
  } catch (...) {
    hostedMouseDown_ = false;
    throw;
  }
  hostedMouseDown_ = false;
}

void TcxTextEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  // A press on the frame focuses the editor; one on the text has focused the inner edit already.
  if (!hostedMouseDown_ && !(shift & ssDouble) && !IsFocused() && CanFocus()) SetFocus();
  TCustomControl::MouseDown(button, shift, x, y);
}

void TcxTextEdit::UpdateHot() {
  TControl* over = Application ? Application->MouseControl() : nullptr;
  const bool hot = over && (over == this || over == inner_);
  if (hot == hot_) return;
  hot_ = hot;
  Invalidate();
}

void TcxTextEdit::WndProc(TMessage& m) {
  const bool toInner = inner_ && inner_->HandleAllocated();
  switch (m.Msg) {
    case WM_SETFOCUS:
      if (inner_ && inner_->CanFocus()) {
        // Focus that reaches the editor by keyboard or program goes on to the text, all selected.
        ::SetFocus(inner_->Handle());
        SendMessageA(inner_->Handle(), EM_SETSEL, 0, -1);
        return;
      }
      TCustomControl::WndProc(m);
      Invalidate();
      return;
    case WM_KILLFOCUS:
      TCustomControl::WndProc(m);
      Invalidate();
      return;
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_SETTEXT:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      if (toInner) {
        m.Result = SendMessageA(inner_->Handle(), m.Msg, m.WParam, m.LParam);
        return;
      }
      break;
    case CM_FONTCHANGED:
      TCustomControl::WndProc(m);
      ApplyFont();
      return;
    case CM_ENABLEDCHANGED:
      if (!Enabled() && IsFocused()) {
        if (TForm* form = GetParentForm(this)) ::SetFocus(form->Handle());
      }
      TCustomControl::WndProc(m);
      if (inner_) inner_->SetEnabled(Enabled());
      Invalidate();
      return;
    case CM_MOUSEENTER:
      if (m.LParam == 0 || m.LParam == reinterpret_cast<LPARAM>(static_cast<TControl*>(inner_))) UpdateHot();
      break;
    case CM_MOUSELEAVE:
      // The control left is still the remembered one while it hears of it; the control entered
      // next (perhaps the other of the two) makes the box hot again.
      if ((m.LParam == 0 || m.LParam == reinterpret_cast<LPARAM>(static_cast<TControl*>(inner_))) && hot_) {
        hot_ = false;
        Invalidate();
      }
      break;
  }
  TCustomControl::WndProc(m);
}

void TcxTextEdit::Paint() {
  TCanvas& c = Canvas();
  const TRect outer{0, 0, Width(), Height()};
  const TRect inside = ContentRect();
  const TcxContainerBorderStyle style = Style().BorderStyle();
  const bool active = Enabled() && (hot_ || IsFocused());
  const TcxContainerBorderStyle frame = FrameStyleFor(style, active);
  const int width = BorderWidth(frame);

  // The part of the extent that the border leaves uncovered shows the parent.
  c.Brush().SetColor(Parent() ? Parent()->Color() : Color());
  for (int i = 0; i < kHotTrackBorderExtent - width; ++i)
    c.FrameRect(TRect{outer.Left + i, outer.Top + i, outer.Right - i, outer.Bottom - i});

  const int gap = kHotTrackBorderExtent - width;
  RECT r{gap, gap, outer.Right - gap, outer.Bottom - gap};
  switch (frame) {
    case cbsSingle:
    case cbsThick: {
      TColor color = Style().BorderColor();
      if (style == cbsUltraFlat) color = active ? clHighlight : clBtnShadow;
      c.Brush().SetColor(color);
      for (int i = 0; i < width; ++i) c.FrameRect(TRect{r.left + i, r.top + i, r.right - i, r.bottom - i});
      break;
    }
    case cbsFlat:
      DrawEdge(c.Handle(), &r, BDR_SUNKENOUTER, BF_RECT);
      c.Brush().SetColor(clBtnFace);
      c.FrameRect(TRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1});
      break;
    case cbs3D:
      DrawEdge(c.Handle(), &r, EDGE_SUNKEN, BF_RECT);
      break;
    case cbsNone:
    case cbsUltraFlat:
      break;
  }

  c.Brush().SetColor(Enabled() ? Color() : clBtnFace);
  c.FillRect(inside);
}
