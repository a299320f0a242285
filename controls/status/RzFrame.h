#pragma once
#include "framework/Colors.h"
#include "framework/Geometry.h"

// Frame styles, sides and the geometry of framed panes; no platform calls.

enum TFrameStyle {
  fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsStatus, fsPopup,
  fsFlatBold, fsFlatRounded
};

enum TSide { sdLeft, sdTop, sdRight, sdBottom };
using TSides = unsigned;  // bit (1 << side) per side
constexpr TSides SideSet(TSide side) { return 1u << side; }
constexpr bool HasSide(TSides sides, TSide side) { return (sides & SideSet(side)) != 0; }
constexpr TSides sdAllSides = 15;

// Line colours of the styles drawn from single lines, indexed fsNone..fsFlatBold. The styles
// drawn as two-tone edges take their colours from the edge tables and have clNone here.
extern const TColor FrameUpperLeftColors[fsFlatBold + 1];
extern const TColor FrameLowerRightColors[fsFlatBold + 1];

// Outer upper-left, outer lower-right, inner upper-left, inner lower-right.
struct TEdgeColors {
  TColor OuterUpperLeft, OuterLowerRight, InnerUpperLeft, InnerLowerRight;
};
extern const TEdgeColors SunkenEdgeColors, RaisedEdgeColors, PressedButtonEdgeColors, ButtonEdgeColors;

// Pixels a frame style takes on each drawn side (0 for fsNone, fsFlatRounded and beyond).
int FrameWidth(TFrameStyle style);

// The rectangle moved in by `amount` on the chosen sides.
TRect InsetSides(TRect rect, TSides sides, int amount);

// The caption area of a pane: its client rectangle less the border and the frame on every side.
TRect CaptionRectFor(int width, int height, unsigned borderWidth, TFrameStyle style);
