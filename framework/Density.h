#pragma once

#include "framework/Geometry.h"

// The screen density a window is laid out for. A layout is drawn for 96 dots per inch and a window
// font of a designed text height: fonts given in pixels follow the dots per inch, positions and
// sizes follow the window font's text height as measured at this density. Every value is worked
// out from the designed one in one MulDiv, so 96 dots per inch leaves the layout exactly as drawn
// and changes of density back and forth end where they began.
class TDensity {
 public:
  static constexpr int kDesignDpi = 96;

  // A screen of `dpi` dots per inch, positions and sizes scaled alike.
  explicit TDensity(int dpi = kDesignDpi) : dpi_(dpi), designTextHeight_(kDesignDpi), textHeight_(dpi) {}
  // The same screen, positions and sizes following a window font drawn `designed` pixels high
  // that measures `measured` pixels here.
  TDensity WithTextHeight(int designed, int measured) const {
    TDensity d(dpi_);
    d.designTextHeight_ = designed;
    d.textHeight_ = measured;
    return d;
  }

  // A font height in pixels drawn for 96 dots per inch (negative: without internal leading).
  int FontHeight(int designed) const { return MulDivRound(designed, dpi_, kDesignDpi); }
  // A position or size in the layout.
  int Scale(int designed) const { return MulDivRound(designed, textHeight_, designTextHeight_); }
  TSize Scale(TSize designed) const { return {Scale(designed.cx), Scale(designed.cy)}; }
  // Left, top, width and height each scaled.
  TRect Scale(const TRect& designed) const {
    return Bounds(Scale(designed.Left), Scale(designed.Top), Scale(designed.Width()), Scale(designed.Height()));
  }
  // A length laid out at density `from` (one a person chose, that the layout does not know),
  // at this density.
  int Rescale(int length, const TDensity& from) const {
    return MulDivRound(length, textHeight_, from.textHeight_);
  }

 private:
  int dpi_;
  int designTextHeight_;
  int textHeight_;
};
