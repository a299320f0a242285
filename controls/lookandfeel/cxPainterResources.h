#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "controls/lookandfeel/cxLookAndFeelPainterGeometry.h"
#include "framework/Colors.h"
#include "framework/Handles.h"

// What the painter files share: the states and styles the painters draw in, the module's
// process-wide images and patterns with their start and end, and small helpers. The painters
// build on this file; it knows nothing of them.

// The state argument of the button operations.
enum PainterButtonState : std::uint8_t { pbsDefault, pbsNormal, pbsHot, pbsPressed, pbsDisabled };

enum PainterStyle : std::uint8_t { psFlat, psStandard, psUltraFlat, psNative };

// The parts of a scroll bar: the two arrow buttons, the thumb and the two page areas.
enum TcxScrollBarPart : std::uint8_t { sbpNone, sbpLineUp, sbpLineDown, sbpThumbnail, sbpPageUp, sbpPageDown };

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

// The ultra-flat blend of the system's button face, highlight and window colours, mapped to the
// nearest colour of the screen.
TColor cxUltraFlatBlendColor(TcxBlendWeights weights);

// The module's process-wide resources: the page-area patterns and the radio-button and indicator
// image lists, and the hidden window that rebuilds the radio-button images when the system
// colours change. The program starts the module before its first window and ends it after its
// last; a test that draws the images starts and ends it itself. The images are made when first
// drawn; nothing is made after the end, and painters then draw no images or page areas.
void cxLookAndFeelPaintersInitialize();
void cxLookAndFeelPaintersFinalize();
// The hidden window that hears of system colour changes; none before the start.
HWND cxSystemColorListener();
// How many times the radio-button images were built.
int cxRadioImagesBuildCount();
