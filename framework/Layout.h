#pragma once

#include "framework/Geometry.h"
#include "framework/Sets.h"

// The sides of its parent's client area a control keeps its distance to.
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

// The bounds of a control placed at `placed` while its parent's client area measured `placedIn`,
// now that the area measures `now`: on each axis it keeps its distance to each anchored side
// (stretching when anchored to both) and, anchored to neither, its centre's relative position.
// Always computed from the placement, so sizes that come and go leave no drift.
TRect AnchoredBounds(TAnchors anchors, const TRect& placed, TSize placedIn, TSize now);

// Size limits of a control; 0 is no limit. Where a minimum and a maximum disagree, the maximum wins.
struct TSizeLimits {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
  constexpr bool operator==(const TSizeLimits&) const = default;
};
void ConstrainSize(const TSizeLimits& limits, int& width, int& height);
