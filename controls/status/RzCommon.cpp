#include "controls/status/RzCommon.h"

#include <algorithm>

namespace {

std::uint32_t SystemColor(int index) { return GetSysColor(index); }

template <class T>
void Erase(std::vector<T*>& list, T* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

TRect DrawTwoToneEdge(TCanvas& canvas, TRect rect, const TEdgeColors& colors, TSides sides) {
  rect = DrawEdgeRings(canvas, rect, colors.OuterUpperLeft, colors.OuterLowerRight, 1, sides);
  return DrawEdgeRings(canvas, rect, colors.InnerUpperLeft, colors.InnerLowerRight, 1, sides);
}

// Two parallel lines a side: outer left and top and inner right and bottom in `upperLeft`,
// the others in `lowerRight`. The corner pixels that the lines leave open are set first.
TRect DrawEtched(TCanvas& canvas, TRect r, TColor upperLeft, TColor lowerRight, TSides sides) {
  const bool left = HasSide(sides, sdLeft), top = HasSide(sides, sdTop);
  const bool right = HasSide(sides, sdRight), bottom = HasSide(sides, sdBottom);
  if (right) canvas.SetPixel(r.Right - 1, r.Top, lowerRight);
  if (top && !right) canvas.SetPixel(r.Right - 1, r.Top, upperLeft);
  if (bottom) canvas.SetPixel(r.Left, r.Bottom - 1, lowerRight);
  if (left && !bottom) canvas.SetPixel(r.Left, r.Bottom - 1, upperLeft);
  if (top && !left) canvas.SetPixel(r.Left, r.Top + 1, lowerRight);
  if (left && !top) canvas.SetPixel(r.Left + 1, r.Top, lowerRight);
  if (bottom && !right) canvas.SetPixel(r.Right - 1, r.Bottom - 2, upperLeft);
  if (right && !bottom) canvas.SetPixel(r.Right - 2, r.Bottom - 1, upperLeft);
  DrawEdgeLines(canvas, TRect{r.Left + 1, r.Top + 1, r.Right, r.Bottom}, lowerRight, lowerRight, sides);
  DrawEdgeLines(canvas, TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1}, upperLeft, upperLeft, sides);
  return InsetSides(r, sides, 2);
}

}  // namespace

THslColor HslFromColor(TColor color) { return HslFromColor(color, SystemColor); }
TColor LowerLuminance(TColor color, std::uint8_t amount) { return LowerLuminance(color, amount, SystemColor); }
TColor RaiseLuminance(TColor color, std::uint8_t amount) { return RaiseLuminance(color, amount, SystemColor); }
TColor ShiftLuminance(TColor color, std::int32_t amount) { return ShiftLuminance(color, amount, SystemColor); }

TRect DrawEdgeLines(TCanvas& canvas, TRect r, TColor upperLeft, TColor lowerRight, TSides sides) {
  if (upperLeft != clNone) {
    canvas.Pen().SetColor(upperLeft);
    if (HasSide(sides, sdLeft)) {
      canvas.MoveTo(r.Left, r.Top);
      canvas.LineTo(r.Left, r.Bottom);
    }
    if (HasSide(sides, sdTop)) {
      canvas.MoveTo(r.Left, r.Top);
      canvas.LineTo(r.Right, r.Top);
    }
  }
  if (lowerRight != clNone) {
    canvas.Pen().SetColor(lowerRight);
    if (HasSide(sides, sdRight)) {
      canvas.MoveTo(r.Right - 1, r.Top);
      canvas.LineTo(r.Right - 1, r.Bottom);
    }
    if (HasSide(sides, sdBottom)) {
      canvas.MoveTo(r.Left, r.Bottom - 1);
      canvas.LineTo(r.Right, r.Bottom - 1);
    }
  }
  return InsetSides(r, sides, 1);
}

TRect DrawEdgeRings(TCanvas& canvas, TRect rect, TColor upperLeft, TColor lowerRight, int count, TSides sides) {
  canvas.Pen().SetWidth(1);
  for (int i = 0; i < count; ++i) rect = DrawEdgeLines(canvas, rect, upperLeft, lowerRight, sides);
  return rect;
}

TRect DrawSunkenRaisedEdge(TCanvas& canvas, TRect rect, bool sunken, TSides sides) {
  return DrawTwoToneEdge(canvas, rect, sunken ? SunkenEdgeColors : RaisedEdgeColors, sides);
}

TRect DrawButtonEdge(TCanvas& canvas, TRect rect, bool pressed, TSides sides) {
  return DrawTwoToneEdge(canvas, rect, pressed ? PressedButtonEdgeColors : ButtonEdgeColors, sides);
}

// fsFlatRounded (and anything beyond it) draws nothing and takes no room, as fsNone: it has no
// colours of its own, and a pane gives it no frame width, so its caption would cover any lines.
TRect DrawFrameStyleSides(TCanvas& canvas, TRect rect, TFrameStyle style, TSides sides) {
  if (style <= fsNone || style > fsFlatBold) return rect;
  const TColor upperLeft = FrameUpperLeftColors[style], lowerRight = FrameLowerRightColors[style];
  switch (style) {
    case fsGroove:
    case fsBump:
      return DrawEtched(canvas, rect, upperLeft, lowerRight, sides);
    case fsLowered:
      return DrawSunkenRaisedEdge(canvas, rect, true, sides);
    case fsRaised:
      return DrawSunkenRaisedEdge(canvas, rect, false, sides);
    case fsButtonDown:
      return DrawButtonEdge(canvas, rect, true, sides);
    case fsButtonUp:
      return DrawButtonEdge(canvas, rect, false, sides);
    case fsFlatBold:
      return DrawEdgeRings(canvas, rect, upperLeft, lowerRight, 2, sides);
    default:  // fsFlat, fsStatus, fsPopup
      return DrawEdgeLines(canvas, rect, upperLeft, lowerRight, sides);
  }
}

TRect DrawFrameStyle(TCanvas& canvas, TRect rect, TFrameStyle style) {
  return DrawFrameStyleSides(canvas, rect, style, sdAllSides);
}

// ---------------------------------------------------------------------------------------------

TRzBlinkingControlsList* BlinkingControlsList = nullptr;

TRzBlinkingControlsList::TRzBlinkingControlsList() : timer_(std::make_unique<TTimer>(nullptr)) {
  // The interval first: a timer without a handler holds no system timer yet.
  timer_->SetInterval(intervalOff_);
  timer_->SetOnTimer([this](TObject*) { Tick(); });
}

TRzBlinkingControlsList::~TRzBlinkingControlsList() = default;

void TRzBlinkingControlsList::Remove(TControl* control) { Erase(controls_, control); }

void TRzBlinkingControlsList::Tick() {
  if (phase_ == 0) {
    phase_ = 1;
    timer_->SetInterval(intervalOn_);
  } else {
    phase_ = 0;
    timer_->SetInterval(intervalOff_);
  }
  // By index: a pane may be created or destroyed by a handler during the round.
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    TControl* control = controls_[i];
    if (control->Perform(CM_BLINKQUERY) == 1) control->Perform(CM_BLINKPHASE, phase_);
  }
}

// ---------------------------------------------------------------------------------------------

TRzFrameController::TRzFrameController(TComponent* owner) : TComponent(owner) {}

TRzFrameController::~TRzFrameController() {
  // The controls that use us forget us (the framework's removal notice) while we are whole.
  RemoveFreeNotifications();
}

void TRzFrameController::SetColor(TColor value) {
  if (color_ == value) return;
  if (focusColor_ == color_) focusColor_ = value;
  color_ = value;
  parentColor_ = false;
  UpdateControls();
}

void TRzFrameController::SetFrameHotTrack(bool value) {
  if (frameHotTrack_ == value) return;
  frameHotTrack_ = value;
  if (value) {
    frameVisible_ = true;
    // Sides read in with the settings are kept.
    if (!Loading()) frameSides_ = sdAllSides;
  }
  UpdateControls();
}

void TRzFrameController::Loaded() {
  TComponent::Loaded();
  UpdateControls();
}

void TRzFrameController::Assign(const TRzFrameController& source) {
  SuspendFrameUpdates();
  SetColor(source.color_);
  SetDisabledColor(source.disabledColor_);
  SetFlatButtonColor(source.flatButtonColor_);
  SetFlatButtons(source.flatButtons_);
  SetFocusColor(source.focusColor_);
  SetFrameColor(source.frameColor_);
  SetFrameHotColor(source.frameHotColor_);
  SetFrameHotStyle(source.frameHotStyle_);
  SetFrameHotTrack(source.frameHotTrack_);
  SetFrameSides(source.frameSides_);
  SetFrameStyle(source.frameStyle_);
  SetFrameVisible(source.frameVisible_);
  SetFramingPreference(source.framingPreference_);
  SetParentColor(source.parentColor_);
  ResumeFrameUpdates();
}

void TRzFrameController::RegisterFramedControl(TControl* control) {
  if (std::find(controls_.begin(), controls_.end(), control) != controls_.end()) return;
  controls_.push_back(control);
  UpdateControl(control);
}

void TRzFrameController::UnregisterFramedControl(TControl* control) { Erase(controls_, control); }

void TRzFrameController::ResumeFrameUpdates() {
  if (--updateCount_ > 0) return;
  updateCount_ = 0;
  UpdateControls();
}

void TRzFrameController::UpdateControls() {
  if (updateCount_ > 0) return;
  for (TControl* control : controls_) UpdateControl(control);
}

void TRzFrameController::UpdateControl(TControl* control) {
  if (auto* target = dynamic_cast<IFrameSettingsTarget*>(control)) target->ApplyFrameController(*this);
}
