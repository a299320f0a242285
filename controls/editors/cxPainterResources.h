#pragma once
#include <windows.h>
#include <commctrl.h>

#include "controls/editors/cxLookAndFeelPainters.h"
#include "framework/Handles.h"

// What the painter files share: the module's process-wide images and patterns, and small helpers.

inline RECT cxToRECT(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

// The screen's device context for measurements.
struct TcxScreenDC {
  gdi::WindowDC dc{nullptr};
  HDC Get() const { return dc.Get(); }
};

// The direction of a scroll bar's arrow button.
TcxArrowDirection cxScrollArrowDirection(bool horizontal, TcxScrollBarPart part);

// The module's images and patterns are there from its start to its end; before and after, these
// give none, and nothing is drawn in their place.

// The radio-button images of every painter style, state and check, and the index of one.
HIMAGELIST cxRadioImages();
int cxRadioImageIndex(PainterStyle style, PainterButtonState state, bool checked);
// The indicator images, kind ikEdit first.
HIMAGELIST cxIndicatorImages();
// The 8 by 8 checkerboard of a page area in the current system colours.
HBITMAP cxPagePattern(bool pressed);
