#include "controls/status/RzFrame.h"

const TColor FrameUpperLeftColors[fsFlatBold + 1] = {
    clNone,         // fsNone
    cl3DDkShadow,   // fsFlat
    clBtnShadow,    // fsGroove
    clBtnHighlight, // fsBump
    clNone,         // fsLowered
    clNone,         // fsButtonDown
    clNone,         // fsRaised
    clNone,         // fsButtonUp
    clBtnShadow,    // fsStatus
    clBtnHighlight, // fsPopup
    clBtnShadow,    // fsFlatBold
};

const TColor FrameLowerRightColors[fsFlatBold + 1] = {
    clNone,         // fsNone
    cl3DDkShadow,   // fsFlat
    clBtnHighlight, // fsGroove
    clBtnShadow,    // fsBump
    clNone,         // fsLowered
    clNone,         // fsButtonDown
    clNone,         // fsRaised
    clNone,         // fsButtonUp
    clBtnHighlight, // fsStatus
    clBtnShadow,    // fsPopup
    clBtnShadow,    // fsFlatBold
};

const TEdgeColors SunkenEdgeColors{clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight};
const TEdgeColors RaisedEdgeColors{cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow};
const TEdgeColors PressedButtonEdgeColors{clBtnText, clBtnText, clBtnShadow, clBtnShadow};
const TEdgeColors ButtonEdgeColors{clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow};

int FrameWidth(TFrameStyle style) {
  switch (style) {
    case fsFlat:
    case fsStatus:
    case fsPopup:
      return 1;
    case fsGroove:
    case fsBump:
    case fsLowered:
    case fsButtonDown:
    case fsRaised:
    case fsButtonUp:
    case fsFlatBold:
      return 2;
    default:
      return 0;
  }
}

TRect InsetSides(TRect rect, TSides sides, int amount) {
  if (HasSide(sides, sdLeft)) rect.Left += amount;
  if (HasSide(sides, sdTop)) rect.Top += amount;
  if (HasSide(sides, sdRight)) rect.Right -= amount;
  if (HasSide(sides, sdBottom)) rect.Bottom -= amount;
  return rect;
}

TRect CaptionRectFor(int width, int height, unsigned borderWidth, TFrameStyle style) {
  return InsetSides(TRect{0, 0, width, height}, sdAllSides, static_cast<int>(borderWidth) + FrameWidth(style));
}
