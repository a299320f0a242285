#pragma once
#include <cstdint>

#include "framework/StdCtrls.h"

// What the gradient label paints behind its caption.
enum TGradientType : std::uint8_t {
  gtFullHorizontal,  // the whole background, colours changing from left to right
  gtFullVertical,    // the whole background, colours changing from top to bottom
  gtBottomLine,      // a 2-pixel line along the bottom, left to right
  gtCenterLine,      // a 2-pixel line through the middle
  gtTopLine,         // a 2-pixel line along the top
};

// How a caption that does not fit is shortened.
enum TEllipsType : std::uint8_t { etNone, etEndEllips, etPathEllips };

enum TVAlignment : std::uint8_t { vaTop, vaCenter, vaBottom };

enum TGradientDirection { gdLeftToRight, gdTopToBottom };

// Fills r with `bands` solid bands running from `from` towards `to` (0 bands means 1). Bands are
// one pixel thicker than their spacing, so each overlaps the next and the later one wins.
void DrawBandGradient(TCanvas& canvas, TColor from, TColor to, int bands, const TRect& r,
                      TGradientDirection direction);

// A windowless caption over a band gradient, or over a thin gradient line at its top, middle or
// bottom. The gradient runs from Color to ColorTo.
class TGradientLabel : public TLabel {
 public:
  explicit TGradientLabel(TComponent* owner);
  const char* ClassName() const override { return "TGradientLabel"; }

  TColor ColorTo() const { return colorTo_; }
  void SetColorTo(TColor value) { Store(colorTo_, value); }
  TEllipsType EllipsType() const { return ellipsType_; }
  void SetEllipsType(TEllipsType value) { Store(ellipsType_, value); }
  TVAlignment VAlignment() const { return vAlignment_; }
  void SetVAlignment(TVAlignment value) { Store(vAlignment_, value); }
  int Indent() const { return indent_; }
  void SetIndent(int value) { Store(indent_, value); }
  TGradientType GradientType() const { return gradientType_; }
  void SetGradientType(TGradientType value) { Store(gradientType_, value); }
  // Line types only: the line is left out behind the caption.
  bool TransparentText() const { return transparentText_; }
  void SetTransparentText(bool value) { Store(transparentText_, value); }
  // Kept and published, but every line is painted 2 pixels high whatever it says.
  int LineWidth() const { return lineWidth_; }
  void SetLineWidth(int value) { Store(lineWidth_, value); }

 protected:
  void Paint() override;

 private:
  template <class T>
  void Store(T& field, T value) {
    if (field == value) return;
    field = value;
    Invalidate();
  }
  void PaintLine(const TRect& client, int textWidth, int bands);

  TColor colorTo_ = clWhite;
  TEllipsType ellipsType_ = etNone;
  TVAlignment vAlignment_ = vaTop;
  int indent_ = 0;
  TGradientType gradientType_ = gtFullHorizontal;
  bool transparentText_ = false;
  int lineWidth_ = 2;
};
