#include "framework/Layout.h"

#include <algorithm>
#include <cmath>

namespace {

struct Span {
  int Pos, Extent;
};

Span AnchoredSpan(bool nearSide, bool farSide, Span placed, int placedIn, int now) {
  const int delta = now - placedIn;
  if (nearSide && farSide) return {placed.Pos, std::max(0, placed.Extent + delta)};
  if (farSide) return {placed.Pos + delta, placed.Extent};
  if (nearSide || placedIn <= 0) return placed;
  const double centre = (placed.Pos + placed.Extent / 2.0) * now / placedIn;
  return {static_cast<int>(std::floor(centre - placed.Extent / 2.0 + 0.5)), placed.Extent};
}

int Limited(int value, int minimum, int maximum) {
  if (minimum > 0 && value < minimum) value = minimum;
  if (maximum > 0 && value > maximum) value = maximum;
  return value;
}

}  // namespace

TRect AnchoredBounds(TAnchors anchors, const TRect& placed, TSize placedIn, TSize now) {
  const Span x = AnchoredSpan(anchors.Contains(akLeft), anchors.Contains(akRight), {placed.Left, placed.Width()},
                              placedIn.cx, now.cx);
  const Span y = AnchoredSpan(anchors.Contains(akTop), anchors.Contains(akBottom), {placed.Top, placed.Height()},
                              placedIn.cy, now.cy);
  return Bounds(x.Pos, y.Pos, x.Extent, y.Extent);
}

void ConstrainSize(const TSizeLimits& limits, int& width, int& height) {
  width = Limited(width, limits.MinWidth, limits.MaxWidth);
  height = Limited(height, limits.MinHeight, limits.MaxHeight);
}
