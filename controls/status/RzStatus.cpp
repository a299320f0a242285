#include "controls/status/RzStatus.h"

#include <algorithm>
#include <climits>

#include "framework/Accessible.h"

namespace {

// Gives `target` the description of `source` in `color`. Only what differs is set, since any
// change makes the font rebuild its handle.
void UseFont(TFont& target, const TFont& source, TColor color) {
  target.SetName(source.Name());
  target.SetHeight(source.Height());
  target.SetCharset(source.Charset());
  target.SetStyle(source.Style());
  target.SetColor(color);
}

// Attaches a device context to a canvas for the scope, unless it already has one.
class ScreenCanvasScope {
 public:
  explicit ScreenCanvasScope(TCanvas& canvas) : canvas_(canvas) {
    if (canvas.HandleAllocated()) return;
    screen_ = std::make_unique<gdi::WindowDC>(nullptr);
    canvas.SetHandle(screen_->Get());
  }
  ~ScreenCanvasScope() {
    if (screen_) canvas_.SetHandle(nullptr);
  }
  ScreenCanvasScope(const ScreenCanvasScope&) = delete;
  ScreenCanvasScope& operator=(const ScreenCanvasScope&) = delete;

 private:
  TCanvas& canvas_;
  std::unique_ptr<gdi::WindowDC> screen_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// TRzCustomStatusPane

TRzCustomStatusPane::TRzCustomStatusPane(TComponent* owner) : TGraphicControl(owner) {
  // Every pixel is painted (frame fill and caption), so the parent need not erase beneath.
  SetControlStyle(ControlStyle() | csOpaque);
  SetBounds(Left(), Top(), 100, 20);
  fillColor_ = Color();
  // A pane made at run time has no after-loading step to take the font's colour: start from it.
  savedFontColor_ = currentTextColor_ = Font().Color();
  if (!BlinkingControlsList) BlinkingControlsList = new TRzBlinkingControlsList;
  BlinkingControlsList->Add(this);
}

TRzCustomStatusPane::~TRzCustomStatusPane() {
  SetFrameController(nullptr);
  BlinkingControlsList->Remove(this);
  if (BlinkingControlsList->Count() == 0) {
    delete BlinkingControlsList;
    BlinkingControlsList = nullptr;
  }
}

void TRzCustomStatusPane::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  Invalidate();
}

void TRzCustomStatusPane::SetAutoSize(bool value) {
  if (autoSize_ == value) return;
  autoSize_ = value;
  UpdateAutoWidth();
}

void TRzCustomStatusPane::SetDefaultWidth(int value) {
  if (defaultWidth_ == value) return;
  defaultWidth_ = value;
  UpdateAutoWidth();
}

void TRzCustomStatusPane::SetBlinking(bool value) {
  if (blinking_ == value) return;
  blinking_ = value;
  // Turning it on waits for the next tick to apply the phase.
  if (!value) {
    currentTextColor_ = savedFontColor_;
    Repaint();
  }
}

void TRzCustomStatusPane::SetBlinkColor(TColor value) {
  if (blinkColor_ == value) return;
  blinkColor_ = value;
  Invalidate();
}

unsigned short TRzCustomStatusPane::BlinkIntervalOff() const { return BlinkingControlsList->IntervalOff(); }
void TRzCustomStatusPane::SetBlinkIntervalOff(unsigned short value) { BlinkingControlsList->SetIntervalOff(value); }
unsigned short TRzCustomStatusPane::BlinkIntervalOn() const { return BlinkingControlsList->IntervalOn(); }
void TRzCustomStatusPane::SetBlinkIntervalOn(unsigned short value) { BlinkingControlsList->SetIntervalOn(value); }

void TRzCustomStatusPane::SetBorderWidth(unsigned value) {
  value = std::min(value, static_cast<unsigned>(INT_MAX));
  if (borderWidth_ == value) return;
  borderWidth_ = value;
  Invalidate();
}

void TRzCustomStatusPane::SetCaptionOffset(int value) {
  if (captionOffset_ == value) return;
  captionOffset_ = value;
  Invalidate();
  UpdateAutoWidth();
}

void TRzCustomStatusPane::SetFillColor(TColor value) {
  if (fillColor_ == value) return;
  fillColor_ = value;
  parentFillColor_ = false;
  Invalidate();
}

void TRzCustomStatusPane::SetParentFillColor(bool value) {
  if (parentFillColor_ == value) return;
  parentFillColor_ = value;
  // Through the parent-colour notice, whose handling takes Color as the fill colour; while
  // loading, the colours are settled once the reading in is over.
  if (Parent() && !Loading()) Perform(CM_PARENTCOLORCHANGED);
}

void TRzCustomStatusPane::SetFlatColor(TColor value) {
  if (flatColor_ == value) return;
  flatColor_ = value;
  Invalidate();
}

void TRzCustomStatusPane::SetFlatColorAdjustment(int value) {
  if (flatColorAdjustment_ == value) return;
  flatColorAdjustment_ = value;
  Invalidate();
}

void TRzCustomStatusPane::SetFrameStyle(TFrameStyle value) {
  if (frameStyle_ == value) return;
  frameStyle_ = value;
  Invalidate();
}

void TRzCustomStatusPane::SetFrameController(TRzFrameController* value) {
  if (frameController_) {
    frameController_->UnregisterFramedControl(this);
    frameController_->RemoveFreeNotification(this);
  }
  frameController_ = value;
  if (value) {
    value->RegisterFramedControl(this);
    value->FreeNotification(this);
  }
}

int TRzCustomStatusPane::CalcAutoWidth() {
  const std::string caption = Caption();
  if (caption.empty()) return defaultWidth_;
  TCanvas& canvas = Canvas();
  UseFont(canvas.Font(), Font(), currentTextColor_);
  TRect r{0, 0, Width(), Height()};
  canvas.DrawText(caption, r, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
  return AutoWidthFor(false, defaultWidth_, borderWidth_, r.Width(), captionOffset_);
}

TRect TRzCustomStatusPane::GetCaptionRect() { return CaptionRectFor(Width(), Height(), borderWidth_, frameStyle_); }

void TRzCustomStatusPane::ApplyFrameController(TRzFrameController& controller) {
  if (!controller.FrameVisible()) return;
  SetFrameStyle(controller.FrameStyle());
  flatColor_ = controller.FrameColor();
  flatColorAdjustment_ = 0;
  SetFillColor(controller.Color());
  SetParentColor(controller.ParentColor());
  Invalidate();
}

void TRzCustomStatusPane::Loaded() {
  TGraphicControl::Loaded();
  savedFontColor_ = currentTextColor_ = Font().Color();
  UpdateAutoWidth();
}

void TRzCustomStatusPane::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == frameController_) frameController_ = nullptr;
}

bool TRzCustomStatusPane::ExecuteAction(TBasicAction& action) {
  auto* hint = dynamic_cast<THintAction*>(&action);
  if (!autoHint_ || !hint) return TGraphicControl::ExecuteAction(action);
  SetCaption(hint->Hint());
  return true;
}

void TRzCustomStatusPane::WndProc(TMessage& message) {
  TGraphicControl::WndProc(message);
  switch (message.Msg) {
    case CM_BLINKQUERY:
      message.Result = blinking_ ? 1 : 0;
      break;
    case CM_BLINKPHASE:
      if (blinking_) BlinkPhaseChanged(static_cast<std::uint8_t>(message.WParam));
      break;
    case CM_COLORCHANGED:
    case CM_PARENTCOLORCHANGED:
      if (parentFillColor_) fillColor_ = Color();
      Invalidate();
      break;
    case CM_FONTCHANGED:
      // While loading, the font may change several times; Loaded takes its final colour.
      if (!Loading()) {
        savedFontColor_ = Font().Color();
        if (!blinking_) currentTextColor_ = savedFontColor_;
      }
      UpdateAutoWidth();
      break;
    case CM_TEXTCHANGED:
      Invalidate();
      UpdateAutoWidth();
      NotifyAccessible(*this, aeNameChange);
      break;
    default:
      break;
  }
}

void TRzCustomStatusPane::DescribeAccessible(TAccessibleInfo& info) {
  info.Role = arStaticText;
  info.Name = Caption();
  info.States |= asReadOnly;
}

void TRzCustomStatusPane::Paint() {
  DrawFrame();
  DrawCaption(Caption());
}

void TRzCustomStatusPane::DrawCaption(const std::string& text) {
  TCanvas& canvas = Canvas();
  UseFont(canvas.Font(), Font(), currentTextColor_);
  const TRect r = GetCaptionRect();
  int x = 0;
  UINT align = TA_LEFT;
  switch (alignment_) {
    case taLeftJustify:
      x = r.Left + captionOffset_ + 1;
      break;
    case taRightJustify:
      align = TA_RIGHT;
      x = r.Right - captionOffset_ - 1;
      break;
    case taCenter:
      align = TA_CENTER;
      x = r.Left + r.Width() / 2;
      break;
  }
  const int y = r.Top + (r.Height() - canvas.TextHeight("Pp")) / 2;
  const HDC dc = canvas.Handle();
  const UINT previousAlign = SetTextAlign(dc, align | TA_TOP);
  canvas.Brush().SetColor(fillColor_);
  if (!Enabled()) {
    // Embossed: a highlight copy one pixel down and right, the shadow copy over it.
    canvas.Font().SetColor(clBtnHighlight);
    canvas.TextRect(r, x + 1, y + 1, text);
    canvas.Font().SetColor(clBtnShadow);
    canvas.Brush().SetStyle(bsClear);
  }
  canvas.TextRect(r, x, y, text);
  SetTextAlign(dc, previousAlign);
}

void TRzCustomStatusPane::DrawFrame() {
  TCanvas& canvas = Canvas();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(TRect{0, 0, Width(), Height()});
  canvas.Pen().SetWidth(1);
  const TRect r = InsetSides(TRect{0, 0, Width(), Height()}, sdAllSides, static_cast<int>(borderWidth_));
  if (frameStyle_ != fsFlat) {
    DrawFrameStyle(canvas, r, frameStyle_);
    return;
  }
  // Four lines that leave the corner pixels in Color.
  canvas.Pen().SetColor(ShiftLuminance(flatColor_, flatColorAdjustment_));
  canvas.MoveTo(r.Left, r.Top + 1);
  canvas.LineTo(r.Left, r.Bottom - 1);
  canvas.MoveTo(r.Left + 1, r.Top);
  canvas.LineTo(r.Right - 1, r.Top);
  canvas.MoveTo(r.Right - 1, r.Top + 1);
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
  canvas.MoveTo(r.Left + 1, r.Bottom - 1);
  canvas.LineTo(r.Right - 1, r.Bottom - 1);
}

void TRzCustomStatusPane::BlinkPhaseChanged(std::uint8_t phase) {
  currentTextColor_ = phase != 0 ? blinkColor_ : savedFontColor_;
  Repaint();
}

void TRzCustomStatusPane::UpdateAutoWidth() {
  if (!autoSize_ || Loading()) return;
  int width = 0;
  {
    ScreenCanvasScope scope(Canvas());
    width = CalcAutoWidth();
  }
  SetWidth(width);
}

// ---------------------------------------------------------------------------------------------
// TRzMarqueeStatus

TRzMarqueeStatus::TRzMarqueeStatus(TComponent* owner)
    : TRzStatusPane(owner),
      captionBuffer_(std::make_unique<TBitmap>()),
      scrollTimer_(std::make_unique<TTimer>(nullptr)) {
  scrollTimer_->SetEnabled(scrolling_);
  scrollTimer_->SetInterval(scrollDelay_);
  scrollTimer_->SetOnTimer([this](TObject*) { Tick(); });
}

TRzMarqueeStatus::~TRzMarqueeStatus() = default;

void TRzMarqueeStatus::SetScrollType(TRzScrollType value) {
  if (scrollType_ == value) return;
  scrollType_ = value;
  scrollTimer_->SetEnabled(value != stNone);
  Invalidate();
}

void TRzMarqueeStatus::SetScrolling(bool value) {
  if (scrolling_ == value) return;
  scrolling_ = value;
  scrollTimer_->SetEnabled(value);
  if (!value) scrollPosition_ = 0;
  Invalidate();
}

void TRzMarqueeStatus::SetScrollSize(unsigned short value) {
  if (scrollSize_ == value) return;
  scrollSize_ = StoredScrollSize(value);
}

void TRzMarqueeStatus::SetScrollDelay(unsigned short value) {
  if (scrollDelay_ == value) return;
  scrollDelay_ = value;
  scrollTimer_->SetInterval(value);
}

void TRzMarqueeStatus::SetBounds(int left, int top, int width, int height) {
  TRzStatusPane::SetBounds(left, top, width, height);
  wrapLimitValid_ = false;
}

void TRzMarqueeStatus::WndProc(TMessage& message) {
  TRzStatusPane::WndProc(message);
  if (message.Msg == CM_TEXTCHANGED || message.Msg == CM_FONTCHANGED) {
    metricsValid_ = false;
    wrapLimitValid_ = false;
    Invalidate();
  }
}

// A hidden pane keeps its position moving but draws nothing: its parent's window shows
// whatever lies beneath it.
void TRzMarqueeStatus::Tick() {
  if (!scrollTimer_->Enabled()) return;
  scrollPosition_ += scrollSize_;
  if (Visible()) DrawCaption(Caption());
  if (scrollPosition_ >= WrapLimit()) scrollPosition_ = 0;
}

void TRzMarqueeStatus::DrawCaption(const std::string& text) {
  if (scrollType_ == stNone) {
    TRzStatusPane::DrawCaption(text);
    return;
  }
  const TRect r = GetCaptionRect();
  if (r.IsEmpty()) return;
  captionBuffer_->SetSize(r.Width(), r.Height());
  TCanvas& buffer = captionBuffer_->Canvas();
  UseFont(buffer.Font(), Font(), CurrentTextColor());
  buffer.Brush().SetColor(FillColor());
  buffer.FillRect(TRect{0, 0, r.Width(), r.Height()});
  const int border = static_cast<int>(BorderWidth());
  // Coming in from the right, the text lies wholly beyond the strip until it has moved the
  // pane's width less the strip's right edge: the strip is empty, the caption not yet measured
  // (a long caption in a CJK font costs every glyph's outline, at a form's first paint too).
  if (scrollType_ != stLeftToRight && MarqueeTextLeft(scrollType_, Width(), scrollPosition_, 0) >= r.Right) {
    Canvas().Draw(border + 1, border + 1, *captionBuffer_);
    return;
  }
  if (!metricsValid_ || text != measuredText_) {
    measuredText_ = text;
    measuredWidth_ = buffer.TextWidth(text);
    measuredLineHeight_ = buffer.TextHeight("Pp");
    metricsValid_ = true;
  }
  const int y = r.Top + (r.Height() - measuredLineHeight_) / 2 - border - 1;
  const int x = MarqueeTextLeft(scrollType_, Width(), scrollPosition_, measuredWidth_);
  // The text is clipped to the caption rectangle taken as it is in buffer coordinates.
  buffer.TextRect(r, x, y, text);
  Canvas().Draw(border + 1, border + 1, *captionBuffer_);
}

// A window being laid out changes its size, font and caption several times before its first
// tick; the caption, long as it is, is measured once.
int TRzMarqueeStatus::WrapLimit() {
  if (!wrapLimitValid_) {
    TCanvas& buffer = captionBuffer_->Canvas();
    UseFont(buffer.Font(), Font(), CurrentTextColor());
    wrapLimit_ = MarqueeWrapLimit(buffer.TextWidth(Caption()), Width());
    wrapLimitValid_ = true;
  }
  return wrapLimit_;
}
