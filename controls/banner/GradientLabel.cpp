#include "controls/banner/GradientLabel.h"

#include <algorithm>
#include <optional>

#include "controls/banner/GradientBands.h"
#include "framework/Exception.h"

namespace {

bool IsLineType(TGradientType type) { return type >= gtBottomLine; }

banner::CaptionSide SideOf(TAlignment alignment) {
  switch (alignment) {
    case taLeftJustify:
      return banner::CaptionSide::Left;
    case taRightJustify:
      return banner::CaptionSide::Right;
    case taCenter:
      break;
  }
  return banner::CaptionSide::Center;
}

// Puts a device context's clip region back as it was when this was made. Regions are in device
// coordinates, so the round trip is exact whatever origin the painter has set.
class ClipRestorer {
 public:
  explicit ClipRestorer(TCanvas& canvas) : canvas_(canvas), saved_(CreateRectRgn(0, 0, 0, 0)) {
    if (!saved_) throw Exception("Out of system resources");
    hadClip_ = GetClipRgn(canvas.Handle(), saved_.Get()) == 1;
  }
  ~ClipRestorer() { canvas_.SelectClipRegion(hadClip_ ? saved_.Get() : nullptr); }
  ClipRestorer(const ClipRestorer&) = delete;
  ClipRestorer& operator=(const ClipRestorer&) = delete;

 private:
  TCanvas& canvas_;
  gdi::Region saved_;
  bool hadClip_ = false;
};

}  // namespace

void DrawBandGradient(TCanvas& canvas, TColor from, TColor to, int bands, const TRect& r,
                      TGradientDirection direction) {
  const bool across = direction == gdLeftToRight;
  const auto plan = banner::PlanBands(ColorToRGB(from), ColorToRGB(to), bands, across ? r.Width() : r.Height());
  for (const banner::Band& band : plan) {
    canvas.Brush().SetColor(static_cast<TColor>(band.Color));
    canvas.FillRect(across ? TRect{r.Left + band.Start, r.Top, r.Left + band.End, r.Bottom}
                           : TRect{r.Left, r.Top + band.Start, r.Right, r.Top + band.End});
  }
}

TGradientLabel::TGradientLabel(TComponent* owner) : TLabel(owner) {
  // Through the property, so the base's auto-size logic sees the change.
  SetAutoSize(false);
}

void TGradientLabel::Paint() {
  TCanvas& canvas = Canvas();
  const TRect client{0, 0, Width(), Height()};
  const std::string caption = Caption();

  static constexpr UINT kAlignment[] = {DT_LEFT, DT_RIGHT, DT_CENTER};  // by TAlignment
  static constexpr UINT kVertical[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};  // by TTextLayout and TVAlignment
  static constexpr UINT kEllipsis[] = {0, DT_END_ELLIPSIS, DT_PATH_ELLIPSIS};
  const UINT format = DrawTextBiDiModeFlags(kAlignment[Alignment()] | (WordWrap() ? DT_WORDBREAK : DT_SINGLELINE) |
                                            kVertical[Layout()] | kEllipsis[ellipsType_] |
                                            (ShowAccelChar() ? 0 : DT_NOPREFIX) | kVertical[vAlignment_]);
  TRect textRect = client;
  if (Alignment() == taLeftJustify) textRect.Left += indent_;
  if (Alignment() == taRightJustify) textRect.Right -= indent_;

  // Width of the caption's widest line as it is drawn below: measured with the same flags in the
  // same rectangle. Measured with no flag but the measuring one, the gap would not match the
  // caption it is for: a word-wrapped or shortened caption would get a gap as wide as its whole
  // text (the line vanishing beside it), a caption drawn on one line with line breaks in it only
  // the widest part's, and one whose ampersands are drawn literally a gap too narrow by them, so
  // the line would run through the text. No caption, no gap.
  int textWidth = 0;
  if (!caption.empty()) {
    TRect measured = textRect;
    canvas.DrawText(caption, measured, format | DT_CALCRECT);
    textWidth = std::min(measured.Width(), std::max(textRect.Width(), 0));
  }

  // The band count follows the width alone, for vertical gradients too.
  const int bands = banner::BandCount(client.Width());
  if (!Transparent()) {
    if (colorTo_ == clNone || IsLineType(gradientType_)) {
      canvas.Brush().SetColor(Color());
      canvas.FillRect(client);
    } else {
      DrawBandGradient(canvas, Color(), colorTo_, bands, client,
                       gradientType_ == gtFullVertical ? gdTopToBottom : gdLeftToRight);
    }
  }
  if (IsLineType(gradientType_)) PaintLine(client, textWidth, bands);

  canvas.Brush().SetStyle(bsClear);
  DoDrawText(textRect, format);
}

void TGradientLabel::PaintLine(const TRect& client, int textWidth, int bands) {
  TRect line = client;
  switch (gradientType_) {
    case gtBottomLine:
      line.Top = line.Bottom - 2;
      break;
    case gtCenterLine:
      line.Top += (line.Bottom - line.Top) / 2;
      line.Bottom = line.Top + 2;
      break;
    default:  // gtTopLine
      line.Bottom = line.Top + 2;
      break;
  }
  TCanvas& canvas = Canvas();
  std::optional<ClipRestorer> restorer;
  if (transparentText_) {
    restorer.emplace(canvas);
    const banner::Gap gap = banner::CaptionGap(SideOf(Alignment()), line.Left, line.Right, textWidth, indent_);
    canvas.IntersectClip(line);
    canvas.ExcludeClip(TRect{gap.Start, line.Top, gap.End, line.Bottom});
  }
  DrawBandGradient(canvas, Color(), colorTo_, bands, line, gdLeftToRight);
}
