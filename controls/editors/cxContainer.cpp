#include "controls/editors/cxContainer.h"

#include <algorithm>

#include "framework/Forms.h"

namespace {

// Gives the focus slot its previous value back when the scope ends.
struct FocusKnown {
  std::optional<bool>& slot;
  std::optional<bool> saved;
  ~FocusKnown() { slot = saved; }
};

TcxBorders Borders(TcxEdgeSet edges) { return TcxBorders::FromBits(edges); }

void PaintFrame(TcxCanvas& c, TRect r, TcxContainerBorderStyle style, int width, TColor color, TcxEdgeSet edges) {
  switch (style) {
    case cbsSingle:
    case cbsThick:
      c.FrameSides(r, color, cxBordersAll, width);
      break;
    case cbsFlat:
      c.DrawEdge(r, true, true, Borders(edges));
      r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
      c.FrameSides(r, clBtnFace, cxBordersAll, 1);
      break;
    case cbs3D:
      c.DrawEdge(r, true, true, Borders(edges));
      r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
      c.FrameTwoTone(r, cl3DDkShadow, cl3DLight, Borders(edges), 1);
      break;
    case cbsNone:
    case cbsUltraFlat:
      break;
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TcxContainerViewInfo

void TcxContainerViewInfo::Offset(int dx, int dy) {
  auto move = [dx, dy](TRect& r) { r = TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; };
  move(FrameInner);
  move(OuterRect);
  move(ContentRect);
}

void TcxContainerViewInfo::Paint(TcxCanvas& canvas) {
  if (UseTheme) {
    PaintThemed(canvas);
    return;
  }
  TRect r = FrameOuter(*this);
  if (DrawShadow) {
    const TcxShadowBands bands = ShadowBands(r);
    canvas.SetBrushColor(clBtnShadow);
    canvas.FillRect(bands.BottomFill);
    canvas.ExcludeClipRect(bands.BottomExclude);
    canvas.FillRect(bands.RightFill);
    canvas.ExcludeClipRect(bands.RightExclude);
  }
  if (!(FrameEdges & kEdgeRight)) r.Right += FrameWidth;
  if (!(FrameEdges & kEdgeBottom)) r.Bottom += FrameWidth;
  PaintFrame(canvas, r, FrameStyle, FrameWidth, FrameColor, FrameEdges);
  canvas.SetBrushColor(BackColor);
  canvas.FillRect(FrameInner);
}

void TcxContainerViewInfo::PaintThemed(TcxCanvas& canvas) {
  const auto type = static_cast<TdxThemedObjectType>(ThemeClass);
  HTHEME theme = OpenTheme(type);
  const TdxUxThemeFunctions& ux = UxTheme();
  RECT outer{OuterRect.Left, OuterRect.Top, OuterRect.Right, OuterRect.Bottom};
  RECT content = outer;
  if (theme && ux.DrawThemeBackground) {
    ux.DrawThemeBackground(theme, canvas.Handle(), ThemePart, ThemeState, &outer, nullptr);
    if (ux.GetThemeBackgroundContentRect)
      ux.GetThemeBackgroundContentRect(theme, canvas.Handle(), ThemePart, ThemeState, &outer, &content);
  }
  canvas.SetBrushColor(BackColor);
  canvas.FillRect(TRect{content.left, content.top, content.right, content.bottom});
  if (!theme || !ux.DrawThemeBackground) return;
  // Around ContentRect (where the hosted control sits) the edit's themed background shows, up to
  // the frame's content rectangle.
  HDC dc = canvas.Handle();
  const gdi::SavedState saved(dc);
  IntersectClipRect(dc, content.left, content.top, content.right, content.bottom);
  ExcludeClipRect(dc, ContentRect.Left, ContentRect.Top, ContentRect.Right, ContentRect.Bottom);
  ux.DrawThemeBackground(theme, dc, ThemePart, ThemeState, &outer, nullptr);
}

// ---------------------------------------------------------------------------------------------
// TcxContainerMouseTrackingHelper

void TcxContainerMouseTrackingHelper::MouseLeave() {
  StopHoverWatch(this);
  container_->MouseLeaveReaction();
}

// ---------------------------------------------------------------------------------------------
// TcxContainer

TcxContainer::TcxContainer(TComponent* owner)
    : TcxContainer(owner, [](TcxContainer* c) { return std::make_unique<TcxContainerStyle>(c, false); },
                   [] { return std::make_unique<TcxContainerViewInfo>(); }) {
  EndCreating();
}

TcxContainer::TcxContainer(TComponent* owner, const StyleFactory& makeStyle, const ViewInfoFactory& makeViewInfo)
    : TcxControl(owner) {
  creating_ = true;
  mouseTracking_ = std::make_unique<TcxContainerMouseTrackingHelper>(this);
  style_ = makeStyle(this);
  style_->OnChanged = [this](TcxContainerStyle*) { StyleChanged(); };
  viewInfo_ = makeViewInfo();
  LookAndFeel().SetMaster(&style_->LookAndFeel());
  SetControlStyle(ControlStyle() | csCaptureMouse | csSetCaption | csOpaque);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
  themeChanged_ = std::make_unique<TdxThemeChangedNotificator>();
  themeChanged_->OnThemeChanged = [this](TObject*) { ThemeChanged(); };
}

void TcxContainer::EndCreating() { creating_ = false; }

void TcxContainer::BeginDestroy() {
  StopHoverWatch(mouseTracking_.get());
  beingDestroyed_ = true;
}

TcxContainer::~TcxContainer() {
  BeginDestroy();
  // The hosted control and the other owned components go while this container still answers.
  DestroyComponents();
  themeChanged_.reset();
  viewInfo_.reset();
  style_->OnChanged = nullptr;
  style_.reset();
  mouseTracking_.reset();
}

void TcxContainer::SetHostedControl(TWinControl* control) {
  if (hostedControl_ == control) return;
  hostedControl_ = control;
  if (control) control->SetCursor(Cursor());
  ForgetClipRegion();
  RefreshState();
}

bool TcxContainer::OwnsWindow(HWND window) {
  if (!window) return false;
  if (HandleAllocated() && window == Handle()) return true;
  return hostedControl_ && hostedControl_->HandleAllocated() && window == hostedControl_->Handle();
}

bool TcxContainer::IsFocused() { return OwnsWindow(FocusedWindow()); }

TShiftState TcxContainer::CurrentShiftState() {
  TShiftState s = KeyboardShiftState();
  if (GetKeyState(VK_LBUTTON) < 0) s |= ssLeft;
  if (GetKeyState(VK_RBUTTON) < 0) s |= ssRight;
  if (GetKeyState(VK_MBUTTON) < 0) s |= ssMiddle;
  return s;
}

void TcxContainer::RefreshState(bool mouseTracking) {
  if (!HandleAllocated() || beingDestroyed_ || Destroying()) return;
  // The pointer and the keys cost the window system a round trip each. A window that is not on
  // screen (the form still being built) has no pointer over it, and the keys matter only with
  // the pointer over the window: outside it the frame is never hot.
  TPoint point{-1, -1};
  TShiftState shift = 0;
  if (IsWindowVisible(Handle())) {
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(Handle(), &p);
    point = {p.x, p.y};
    if (p.x >= 0 && p.y >= 0 && p.x < Width() && p.y < Height()) shift = CurrentShiftState();
  }
  UpdateState(point, shift);
  if (mouseTracking && IsHot()) StartHoverWatch(this, GetHotArea(), mouseTracking_.get());
}

bool TcxContainer::ThemesAvailable() { return ::ThemesAvailable(TdxThemedObjectTypes{ThemedObjectType()}); }

TcxContainerViewParams TcxContainer::ViewParams(TPoint point, bool allowed) {
  TcxContainerViewParams p;
  p.Width = Width();
  p.Height = Height();
  p.Enabled = Enabled();
  p.Focused = focusDuringUpdate_ ? *focusDuringUpdate_ : IsFocused();
  p.DesignTime = IsDesigning();
  p.UseTheme = LookAndFeel().NativeStyle() && ThemesAvailable();
  p.BorderStyle = style_->BorderStyle();
  p.BorderColor = style_->BorderColor();
  p.StyleColor = style_->Color();
  p.ControlColor = Color();
  p.Edges = style_->Edges();
  p.HotTrack = style_->HotTrack();
  p.Shadow = style_->Shadow();
  p.TransparentBorder = style_->TransparentBorder();
  p.Hot = allowed && GetHotArea().Contains(point.X, point.Y);
  if (p.UseTheme) p.ThemeDisabledColor = ThemeDisabledColor();
  return p;
}

void TcxContainer::CalculateViewInfo(TPoint point, bool allowed) {
  static_cast<TcxContainerViewFields&>(*viewInfo_) = CalculateContainerView(ViewParams(point, allowed));
  if (viewInfo_->UseTheme) {
    viewInfo_->ThemeClass = ThemedObjectType();
    viewInfo_->ThemePart = ThemedPart();
  }
}

TColor TcxContainer::ThemeDisabledColor() {
  HTHEME theme = OpenTheme(ThemedObjectType());
  COLORREF color = 0;
  const TdxUxThemeFunctions& ux = UxTheme();
  // TMT_FILLCOLOR of the disabled state.
  if (theme && ux.GetThemeColor && SUCCEEDED(ux.GetThemeColor(theme, ThemedPart(), 4, 3802, &color)))
    return static_cast<TColor>(color);
  return clBtnFace;
}

TcxContainerViewParams TcxContainer::FrameParams() {
  // The extent and the hot area of the frame do not depend on the focus: it is not asked.
  FocusKnown known{focusDuringUpdate_, focusDuringUpdate_};
  if (!focusDuringUpdate_) focusDuringUpdate_ = false;
  return ViewParams({}, false);
}

TRect TcxContainer::GetBorderExtent() { return ContainerBorderExtent(FrameParams()); }

TRect TcxContainer::GetHotArea() {
  const TcxContainerViewParams p = FrameParams();
  // Out to the frame drawn now: a thicker hot frame holds the pointer a pixel further out.
  return HotArea(TRect{0, 0, Width(), Height()}, ContainerBorderExtent(p), viewInfo_->FrameWidth, p.Edges,
                 p.UseTheme);
}

TRect TcxContainer::ClientRect() { return ReduceBy(TRect{0, 0, Width(), Height()}, GetBorderExtent()); }

void TcxContainer::UpdateState(TPoint point, TShiftState shift) {
  if (movingHosted_ || beingDestroyed_) return;
  // The focus is asked once: the view, the region and the hot area all read it.
  FocusKnown known{focusDuringUpdate_, focusDuringUpdate_};
  focusDuringUpdate_ = IsFocused();
  showsFocus_ = *focusDuringUpdate_;
  const bool allowed = style_->HotTrack() && shift == 0;
  CalculateViewInfo(point, allowed);
  AdjustHostedControl();
  SyncHostedControl();
  UpdateWindowRegion();
  if (!HandleAllocated()) return;
  if (!hostedControl_) {
    Invalidate();
    return;
  }
  // A window not on screen is painted whole when it is shown.
  if (!IsWindowVisible(Handle())) return;
  // Only the frame band: the hosted control is not repainted.
  const TRect& o = viewInfo_->OuterRect;
  const TRect& i = viewInfo_->FrameInner;
  gdi::Region band(CreateRectRgn(o.Left, o.Top, o.Right, o.Bottom));
  gdi::Region inner(CreateRectRgn(i.Left, i.Top, i.Right, i.Bottom));
  CombineRgn(band.Get(), band.Get(), inner.Get(), RGN_DIFF);
  InvalidateRgn(Handle(), band.Get(), FALSE);
}

void TcxContainer::UpdateWindowRegion() {
  if (!HandleAllocated()) return;
  const TcxContainerViewFields& v = *viewInfo_;
  const std::vector<TRect> rects =
      ContainerRegionRects(v.OuterRect, GetBorderExtent(), v.FrameWidth, v.FrameEdges, v.DrawShadow, v.UseTheme);
  if (regionApplied_ && rects == region_) return;
  // A new window has no region: all of its rectangle shows. A region that is that rectangle (or
  // none) does not differ from it and is not applied (each costs the window system a move).
  const bool whole = rects.empty() || (rects.size() == 1 && rects[0] == v.OuterRect);
  if (whole && !regionApplied_) {
    region_ = rects;
    regionApplied_ = true;
    return;
  }
  HRGN region = nullptr;
  for (const TRect& r : rects) {
    HRGN part = CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom);
    if (!region) {
      region = part;
      continue;
    }
    CombineRgn(region, region, part, RGN_OR);
    DeleteObject(part);
  }
  // The window owns the region from here on.
  if (!SetWindowRgn(Handle(), region, TRUE) && region) DeleteObject(region);
  region_ = rects;
  regionApplied_ = true;
}

void TcxContainer::AdjustHostedControl() {
  if (!hostedControl_) return;
  const TRect& cr = viewInfo_->ContentRect;
  if (hostedControl_->BoundsRect() != cr) {
    cxWithFlag(movingHosted_, [&] { hostedControl_->SetBounds(cr.Left, cr.Top, cr.Width(), cr.Height()); });
  }
  AlignHostedControl(cr);
}

void TcxContainer::SyncHostedControl() {
  if (!hostedControl_) return;
  hostedControl_->SetColor(viewInfo_->BackColor);
  hostedControl_->Font().Assign(Font());
  hostedControl_->Font().SetColor(Enabled() ? Font().Color() : clBtnShadow);
}

std::optional<TRect> TcxContainer::ChildClip(TWinControl* child, const TRect& client) {
  return ChildClipRect(child->BoundsRect(), client);
}

void TcxContainer::AlignHostedControl(const TRect& client) {
  if (!hostedControl_ || !hostedControl_->HandleAllocated() || creating_) return;
  const std::optional<TRect> clip = ChildClip(hostedControl_, client);
  if (clipApplied_ && clip == clipRegion_) return;
  HRGN region = clip ? CreateRectRgn(clip->Left, clip->Top, clip->Right, clip->Bottom) : nullptr;
  // The window owns the region from here on.
  if (!SetWindowRgn(hostedControl_->Handle(), region, IsWindowVisible(hostedControl_->Handle())) && region)
    DeleteObject(region);
  clipRegion_ = clip;
  clipApplied_ = true;
}

void TcxContainer::StyleChanged() {
  if (creating_ || Loading()) return;
  RefreshState();
  if (style_->InternalColor() != Color()) {
    cxWithFlag(applyingStyle_, [&] {
      SetParentColor(false);
      SetColor(style_->InternalColor());
    });
  }
  if (!Font().SameAs(style_->Font())) cxWithFlag(applyingStyle_, [&] { Font().Assign(style_->Font()); });
}

void TcxContainer::LookAndFeelChanged() { RefreshState(); }

void TcxContainer::MouseLeaveReaction() {
  // The hover watch and the application's hover detection may both report one leave.
  if (mouseInside_ && OnMouseLeave) OnMouseLeave(this);
  mouseInside_ = false;
  StopHoverWatch(mouseTracking_.get());
  RefreshState();
}

void TcxContainer::MouseEnter() {
  mouseInside_ = true;
  TcxControl::MouseEnter();
  RefreshState(true);
  StartHoverWatch(this, GetHotArea(), mouseTracking_.get());
}

void TcxContainer::MouseLeave() { MouseLeaveReaction(); }

void TcxContainer::BoundsChanged(const TRect& previous) {
  TcxControl::BoundsChanged(previous);
  RefreshState();
}

void TcxContainer::SetFocus() {
  TcxControl::SetFocus();
  if (hostedControl_ && hostedControl_->CanFocus() && FocusedWindow() == Handle()) ::SetFocus(hostedControl_->Handle());
}

void TcxContainer::ReportFocusToForm() {
  TMessage m{WM_SETFOCUS, 0, 0, 0};
  TcxControl::WndProc(m);
}

void TcxContainer::CreateParams(TCreateParams& p) {
  TcxControl::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN;
  p.ClassStyle &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TcxContainer::CreateWindowHandleDone() {
  TcxControl::CreateWindowHandleDone();
  regionApplied_ = false;
  Canvas().Font().Assign(Font());
  RefreshState();
}

void TcxContainer::KeyDown(WORD& key, TShiftState shift) {
  TcxControl::KeyDown(key, shift);
  if (key != VK_TAB || HandlesTabKey() || !IsFocused() || (shift & (ssCtrl | ssAlt))) return;
  key = 0;
  if (TForm* form = GetParentForm(this)) form->SelectNext(this, !(shift & ssShift), true);
}

void TcxContainer::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TcxControl::MouseDown(button, shift, x, y);
  UpdateState({x, y}, CurrentShiftState());
}

void TcxContainer::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TcxControl::MouseUp(button, shift, x, y);
  UpdateState({x, y}, CurrentShiftState());
}

void TcxContainer::MouseMove(TShiftState shift, int x, int y) {
  mouseInside_ = true;
  TcxControl::MouseMove(shift, x, y);
  UpdateState({x, y}, shift & ~static_cast<TShiftState>(ssDouble));
  StartHoverWatch(this, GetHotArea(), mouseTracking_.get());
}

void TcxContainer::Paint() {
  RECT clip;
  const TRect& o = viewInfo_->OuterRect;
  RECT outer{o.Left, o.Top, o.Right, o.Bottom};
  if (GetClipBox(Canvas().Handle(), &clip) == NULLREGION || !IntersectRect(&clip, &clip, &outer)) return;
  viewInfo_->Paint(cxCanvas());
}

void TcxContainer::FocusMessage(TMessage& m) {
  if (beingDestroyed_) {
    TcxControl::WndProc(m);
    return;
  }
  const HWND other = reinterpret_cast<HWND>(m.WParam);
  const bool setFocus = m.Msg == WM_SETFOCUS;
  if (setFocus && !Visible()) return;
  // Between the container's window and its hosted control the focus stays inside.
  if (hostedControl_ && hostedControl_->HandleAllocated() && other == hostedControl_->Handle()) {
    m.Result = 0;
    // Given back to the container (the form restoring its active control): the text keeps it.
    if (setFocus && hostedControl_->CanFocus()) {
      focusFromOther_ = false;
      ::SetFocus(hostedControl_->Handle());
    }
    return;
  }
  if (setFocus) {
    const bool entering = EntersFromOtherControl();
    focusFromOther_ = !mousePressing_ && entering;
    TcxControl::WndProc(m);
    if (entering) FocusEntered();
    if (hostedControl_ && hostedControl_->CanFocus() && FocusedWindow() == Handle()) ::SetFocus(hostedControl_->Handle());
  } else {
    TcxControl::WndProc(m);
    if (LeavesForOtherControl(other)) FocusLeft();
  }
  FocusMoved();
  RefreshState();
}

bool TcxContainer::EntersFromOtherControl() {
  TForm* form = GetParentForm(this);
  return !form || form->ActiveControl() != this;
}

bool TcxContainer::LeavesForOtherControl(HWND next) {
  if (OwnsWindow(next)) return false;
  TWinControl* control = TWinControl::FindControl(next);
  return control && GetParentForm(control) == GetParentForm(this);
}

void TcxContainer::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_GETDLGCODE:
      // Tab comes to the container's own key handling (HandlesTabKey decides who moves on).
      TcxControl::WndProc(m);
      m.Result |= DLGC_WANTTAB;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      FocusMessage(m);
      return;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
      if (hostedControl_ && hostedControl_->HandleAllocated()) {
        m.Result = SendMessageA(hostedControl_->Handle(), m.Msg, m.WParam, m.LParam);
        return;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      cxWithFlag(mousePressing_, [&] { TcxControl::WndProc(m); });
      return;
    case CM_COLORCHANGED:
      TcxControl::WndProc(m);
      if (applyingStyle_) {
        RefreshState();
      } else {
        style_->SetColor(Color());
      }
      return;
    case CM_FONTCHANGED:
      TcxControl::WndProc(m);
      Canvas().Font().Assign(Font());
      if (applyingStyle_) {
        AdjustHostedControl();
        RefreshState();
      } else {
        // A font that comes from the control (its parent's, say) never counts as assigned.
        style_->SetFont(Font());
        style_->assignedValues_ &= ~(1u << svFont);
      }
      return;
    case CM_PARENTCOLORCHANGED: {
      const bool wasAssigned = style_->Assigned(svColor);
      TcxControl::WndProc(m);
      if (!wasAssigned || ParentColor()) style_->assignedValues_ &= ~(1u << svColor);
      if (style_->InternalColor() != Color()) StyleChanged();
      return;
    }
    case CM_PARENTFONTCHANGED: {
      const bool wasAssigned = style_->Assigned(svFont);
      if (!ParentFont()) style_->RefreshFontFromController();
      TcxControl::WndProc(m);
      if (!wasAssigned) style_->assignedValues_ &= ~(1u << svFont);
      return;
    }
    case CM_CURSORCHANGED:
      TcxControl::WndProc(m);
      // The pointer over the text is the box's.
      if (hostedControl_) hostedControl_->SetCursor(Cursor());
      return;
    case CM_ENABLEDCHANGED:
      TcxControl::WndProc(m);
      if (hostedControl_) hostedControl_->SetEnabled(Enabled());
      RefreshState();
      return;
    case CM_SYSCOLORCHANGE:
      TcxControl::WndProc(m);
      RefreshState();
      return;
  }
  TcxControl::WndProc(m);
}
