#include "controls/editors/cxContainer.h"

#include <algorithm>

#include "framework/Forms.h"

namespace {

constexpr const char* kStyleValueNames[] = {"BorderColor", "BorderStyle",      "Color",       "Edges",
                                            "Font",        "HotTrack",         "Shadow",      "TransparentBorder",
                                            "ButtonStyle", "ButtonTransparency", "PopupBorderStyle"};

TcxFrameKind FrameKind(TcxLookAndFeelKind kind) { return static_cast<TcxFrameKind>(kind); }

// Runs f with `flag` set, clearing it again whatever happens.
template <class F>
void WithFlag(bool& flag, F f) {
  const bool previous = flag;
  flag = true;
  try {
    f();
  } catch (...) {
    flag = previous;
    throw;
  }
  flag = previous;
}

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
// TcxContainerStyle

TcxContainerStyle::TcxContainerStyle(TComponent* owner, bool directAccess)
    : directAccess_(directAccess), lookAndFeel_(std::make_unique<TcxLookAndFeel>(this)), owner_(owner) {
  lookAndFeel_->OnChange = [this](TcxLookAndFeel*, TcxLookAndFeelValues) { NotifyChanged(); };
  if (!directAccess_) {
    font_ = std::make_unique<TFont>();
    font_->OnChange = [this] { FontChanged(); };
  }
}

TcxContainerStyle::~TcxContainerStyle() {
  OnChanged = nullptr;
  if (styleController_) styleController_->RemoveListener(this);
  if (font_) font_->OnChange = nullptr;
  lookAndFeel_->OnChange = nullptr;
}

TcxContainer* TcxContainerStyle::Container() const { return dynamic_cast<TcxContainer*>(owner_); }

TcxContainerStyle* TcxContainerStyle::ControllerStyle() const {
  return styleController_ ? &styleController_->Style() : nullptr;
}

TcxContainerStyleValues TcxContainerStyle::AssignedValues() const {
  if (directAccess_) return (1u << ValueCount()) - 1;
  return assignedValues_;
}

void TcxContainerStyle::SetAssignedValues(TcxContainerStyleValues values) {
  if (assignedValues_ == values) return;
  assignedValues_ = values;
  RefreshFontFromController();
}

TColor TcxContainerStyle::BorderColor() const {
  if (directAccess_) return clDefault;
  if (Assigned(svBorderColor)) return borderColor_;
  if (const TcxContainerStyle* s = ControllerStyle()) return s->BorderColor();
  return DefaultBorderColor();
}

void TcxContainerStyle::SetBorderColor(TColor value) { SetValue(svBorderColor, borderColor_, value); }

TcxContainerBorderStyle TcxContainerStyle::BorderStyle() const {
  if (Assigned(svBorderStyle)) return borderStyle_;
  if (!directAccess_) {
    if (const TcxContainerStyle* s = ControllerStyle()) return s->BorderStyle();
  }
  return DefaultBorderStyle();
}

void TcxContainerStyle::SetBorderStyle(TcxContainerBorderStyle value) { SetValue(svBorderStyle, borderStyle_, value); }

TcxContainerBorderStyle TcxContainerStyle::DefaultBorderStyle() const {
  return ::DefaultBorderStyle(FrameKind(lookAndFeel_->Kind()));
}

TColor TcxContainerStyle::Color() const {
  if (const TcxContainer* c = Container(); c && !directAccess_ && c->ParentColor() && c->Parent())
    return c->Parent()->Color();
  return InternalColor();
}

TColor TcxContainerStyle::InternalColor() const {
  if (directAccess_ || Assigned(svColor)) return color_;
  if (const TcxContainerStyle* s = ControllerStyle()) return s->InternalColor();
  return DefaultColor();
}

TColor TcxContainerStyle::DefaultColor() const {
  if (const TcxContainer* c = Container(); c && c->ParentColor() && c->Parent()) return c->Parent()->Color();
  return clWindow;
}

void TcxContainerStyle::SetColor(TColor value) { SetValue(svColor, color_, value); }

TcxEdgeSet TcxContainerStyle::Edges() const {
  if (directAccess_) return 0;
  if (Assigned(svEdges)) return edges_;
  if (const TcxContainerStyle* s = ControllerStyle()) return s->Edges();
  return DefaultEdges();
}

void TcxContainerStyle::SetEdges(TcxEdgeSet value) { SetValue(svEdges, edges_, static_cast<TcxEdgeSet>(value & kAllEdges)); }

TFont& TcxContainerStyle::Font() {
  if (!font_) {
    // A direct-access style has no font of its own: it reads the owner's.
    if (auto* control = dynamic_cast<TControl*>(owner_)) return control->Font();
    font_ = std::make_unique<TFont>();
  }
  return *font_;
}

void TcxContainerStyle::SetFont(const TFont& value) {
  if (font_) font_->Assign(value);
}

void TcxContainerStyle::FontChanged() {
  if (!fontSyncing_) assignedValues_ |= 1u << svFont;
  NotifyChanged();
}

bool TcxContainerStyle::HotTrack() const {
  if (Assigned(svHotTrack)) return hotTrack_;
  if (!directAccess_) {
    if (const TcxContainerStyle* s = ControllerStyle()) return s->HotTrack();
  }
  return DefaultHotTrack();
}

void TcxContainerStyle::SetHotTrack(bool value) { SetValue(svHotTrack, hotTrack_, value); }

bool TcxContainerStyle::Shadow() const {
  if (directAccess_) return false;
  if (Assigned(svShadow)) return shadow_;
  if (const TcxContainerStyle* s = ControllerStyle()) return s->Shadow();
  return DefaultShadow();
}

void TcxContainerStyle::SetShadow(bool value) { SetValue(svShadow, shadow_, value); }

bool TcxContainerStyle::TransparentBorder() const {
  if (directAccess_) return true;
  if (Assigned(svTransparentBorder)) return transparentBorder_;
  if (const TcxContainerStyle* s = ControllerStyle()) return s->TransparentBorder();
  return DefaultTransparentBorder();
}

void TcxContainerStyle::SetTransparentBorder(bool value) { SetValue(svTransparentBorder, transparentBorder_, value); }

void TcxContainerStyle::SetLookAndFeel(const TcxLookAndFeel& value) { lookAndFeel_->Assign(&value); }

void TcxContainerStyle::SetStyleController(TcxStyleController* value) {
  if (styleController_ == value) return;
  // A controller may not serve a style that it (or a component above it) owns.
  for (TComponent* c = owner_; c && value; c = c->Owner())
    if (c == value) return;
  if (styleController_) styleController_->RemoveListener(this);
  styleController_ = value;
  if (styleController_) styleController_->AddListener(this);
  ControllerChanged();
}

void TcxContainerStyle::ReleaseChanges() {
  if (updateCount_ < 1) return;
  --updateCount_;
  if (updateCount_ == 0 && changePending_) NotifyChanged();
}

void TcxContainerStyle::NotifyChanged() {
  if (updateCount_ > 0) {
    changePending_ = true;
    return;
  }
  if (!directAccess_ && OnChanged) OnChanged(this);
  changePending_ = false;
}

void TcxContainerStyle::ControllerChanged() { RefreshFontFromController(); }

void TcxContainerStyle::ControllerFreeNotification(TcxStyleController* controller) {
  if (controller == styleController_) SetStyleController(nullptr);
}

void TcxContainerStyle::RefreshFontFromController() {
  if (!directAccess_ && !Assigned(svFont)) {
    for (TcxContainerStyle* s = ControllerStyle(); s; s = s->ControllerStyle()) {
      if (!s->Assigned(svFont)) continue;
      WithFlag(fontSyncing_, [&] { font_->Assign(s->Font()); });
      break;
    }
  }
  NotifyChanged();
}

bool TcxContainerStyle::IsValueAssigned(unsigned n) const {
  for (const TcxContainerStyle* s = this; s; s = s->ControllerStyle())
    if (s->Assigned(n)) return true;
  return false;
}

const char* TcxContainerStyle::ValueName(unsigned n) const {
  return n < static_cast<unsigned>(ValueCount()) ? kStyleValueNames[n] : "";
}

bool TcxContainerStyle::IsValueStored(unsigned n) const {
  const TcxContainer* c = Container();
  const TcxContainerStyleValues unstored = c ? c->StyleValuesNotStored() : 0;
  return Assigned(n) && !((unstored >> n) & 1u);
}

void TcxContainerStyle::TakeValuesFrom(TcxContainerStyle& source) {
  HoldChanges();
  try {
    SetStyleController(source.styleController_);
    SetLookAndFeel(*source.lookAndFeel_);
    borderColor_ = source.borderColor_;
    borderStyle_ = source.borderStyle_;
    edges_ = source.edges_;
    hotTrack_ = source.hotTrack_;
    shadow_ = source.shadow_;
    transparentBorder_ = source.transparentBorder_;
    color_ = source.color_;
    if (font_ && source.font_) font_->Assign(*source.font_);
    assignedValues_ = source.assignedValues_;
    NotifyChanged();
  } catch (...) {
    ReleaseChanges();
    throw;
  }
  ReleaseChanges();
}

void TcxContainerStyle::RestoreDefaults() {
  HoldChanges();
  try {
    if (TcxContainer* c = Container()) {
      c->SetParentColor(false);
      c->SetParentFont(true);
    }
    lookAndFeel_->Reset();
    SetAssignedValues(0);
    NotifyChanged();
  } catch (...) {
    ReleaseChanges();
    throw;
  }
  ReleaseChanges();
}

// ---------------------------------------------------------------------------------------------
// TcxStyleController

TcxStyleController::TcxStyleController(TComponent* owner) : TComponent(owner) {
  CreateStyle(std::make_unique<TcxContainerStyle>(this, false));
}

TcxStyleController::~TcxStyleController() {
  const auto listeners = listeners_;
  for (TcxContainerStyle* s : listeners) s->ControllerFreeNotification(this);
  style_->OnChanged = nullptr;
}

void TcxStyleController::CreateStyle(std::unique_ptr<TcxContainerStyle> style) {
  if (style_) style_->OnChanged = nullptr;
  style_ = std::move(style);
  style_->OnChanged = [this](TcxContainerStyle*) { StyleChanged(); };
}

void TcxStyleController::AddListener(TcxContainerStyle* listener) {
  if (!listener || std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) return;
  listeners_.push_back(listener);
  listener->LookAndFeel().SetMaster(&style_->LookAndFeel());
}

void TcxStyleController::RemoveListener(TcxContainerStyle* listener) {
  const auto it = std::find(listeners_.begin(), listeners_.end(), listener);
  if (it == listeners_.end()) return;
  listeners_.erase(it);
  listener->LookAndFeel().SetMaster(nullptr);
}

void TcxStyleController::StyleChanged() {
  if (OnStyleChanged) OnStyleChanged(this, style_.get());
  const auto listeners = listeners_;
  for (TcxContainerStyle* s : listeners) {
    s->ControllerChanged();
    if (OnStyleChanged) OnStyleChanged(this, s);
  }
}

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
    WithFlag(movingHosted_, [&] { hostedControl_->SetBounds(cr.Left, cr.Top, cr.Width(), cr.Height()); });
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
    WithFlag(applyingStyle_, [&] {
      SetParentColor(false);
      SetColor(style_->InternalColor());
    });
  }
  if (!Font().SameAs(style_->Font())) WithFlag(applyingStyle_, [&] { Font().Assign(style_->Font()); });
}

void TcxContainer::LookAndFeelChanged() { RefreshState(); }

void TcxContainer::MouseLeaveReaction() {
  // The hover watch and the application's hover detection may both report one leave.
  if (mouseInside_ && OnMouseLeave) OnMouseLeave(this);
  mouseInside_ = false;
  StopHoverWatch(mouseTracking_.get());
  RefreshState();
}

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
      WithFlag(mousePressing_, [&] { TcxControl::WndProc(m); });
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
    case CM_MOUSEENTER:
      if (m.LParam == 0) {
        mouseInside_ = true;
        if (OnMouseEnter) OnMouseEnter(this);
        RefreshState(true);
        StartHoverWatch(this, GetHotArea(), mouseTracking_.get());
        if (Parent()) Parent()->Perform(m.Msg, 0, reinterpret_cast<LPARAM>(this));
        return;
      }
      break;
    case CM_MOUSELEAVE:
      if (m.LParam == 0 || m.LParam == reinterpret_cast<LPARAM>(this)) {
        MouseLeaveReaction();
        if (Parent()) Parent()->Perform(m.Msg, 0, reinterpret_cast<LPARAM>(this));
        return;
      }
      break;
  }
  TcxControl::WndProc(m);
}
