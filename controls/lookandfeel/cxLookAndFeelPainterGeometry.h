#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Geometry.h"

// Colour and shape arithmetic of the look-and-feel painters, kept free of drawing.

enum TcxArrowDirection : std::uint8_t { adUp, adDown, adLeft, adRight };

// Weights in percent of the button face, highlight and window colours in an ultra-flat blend;
// a weight may be negative.
struct TcxBlendWeights {
  int Face, Highlight, Window;
};
constexpr TcxBlendWeights cxUltraFlatHotWeights{-2, 30, 72};
constexpr TcxBlendWeights cxUltraFlatPressedWeights{14, 44, 40};

// The blend of three 0x00BBGGRR colours: per channel the sum of each channel value times its
// weight (each product rounded as MulDiv does), clamped to 0..255. A face colour of pure black or
// white would wash the blend out, so the highlight colour stands in for it.
std::uint32_t cxUltraFlatBlend(std::uint32_t face, std::uint32_t highlight, std::uint32_t window,
                               TcxBlendWeights weights);

// The bars of a plus or minus sign in r: the horizontal bar always, the vertical one unless the
// toggle is expanded (Vertical is empty then).
struct TcxToggleSign {
  TRect Horizontal, Vertical;
};
TcxToggleSign cxToggleSign(const TRect& r, bool expanded);

// The corners of a filled triangle pointing down, centred in r, as wide as half of r made odd,
// and half as high plus one.
std::vector<TPoint> cxDropArrowPoints(const TRect& r);
// The corners of a filled triangle centred in r pointing in `direction`: its base is half of the
// shorter side of r made odd, its depth half the base plus one.
std::vector<TPoint> cxArrowPoints(const TRect& r, TcxArrowDirection direction);

// The three strokes of a check mark centred in r, each a polyline of three points (the last
// point not drawn, as a line ends).
std::vector<std::vector<TPoint>> cxCheckMarkStrokes(const TRect& r);

// The two strokes of a 3-D sort mark of `size` at (left, top): pointing up when ascending.
// Lines in the shadow colour come first, then those in the highlight colour.
struct TcxSortMarkLines {
  std::vector<std::pair<TPoint, TPoint>> Shadow, Highlight;
};
TcxSortMarkLines cxSortMarkLines(int left, int top, TSize size, bool ascending);

// The caption rectangle of a button face r: an odd height loses its last row, and then a height
// under 18 moves the top up one pixel; pressed, it moves by the pressed shift.
TRect cxButtonCaptionBounds(TRect r, bool pressed, int pressedShift);

// The page-area checkerboard: pixel (x, y) takes the first colour when x and y differ in parity.
constexpr bool cxCheckerboardFirst(int x, int y) { return ((x ^ y) & 1) != 0; }

// r moved inwards by n on every side (outwards for negative n).
constexpr TRect cxInflate(const TRect& r, int n) { return {r.Left + n, r.Top + n, r.Right - n, r.Bottom - n}; }

// Header arithmetic: the height for a font height and the frame width; the width for a text
// width, the frame width and whether the left and right sides are framed.
constexpr int cxHeaderHeight(int fontHeight, int frameWidth) { return fontHeight + 4 + 2 * frameWidth; }
constexpr int cxHeaderWidth(int textWidth, int frameWidth, bool leftFramed, bool rightFramed) {
  return textWidth + 4 + (leftFramed ? frameWidth : 0) - (rightFramed ? frameWidth : 0);
}

// The parts of a radio-button image of cxRadioSize square pixels.
constexpr int cxRadioSize = 12;
enum TcxRadioPixel : std::uint8_t {
  rpOutside, rpOuterLeftTop, rpOuterRightBottom, rpInnerLeftTop, rpInnerRightBottom, rpFace, rpDot
};
TcxRadioPixel cxRadioPixel(int x, int y, bool checked);

// The indicator images of a grid's row headers: black where the picture is set, white around.
enum TcxIndicatorKind : std::uint8_t { ikNone, ikArrow, ikEdit, ikInsert, ikMultiDot, ikMultiArrow };
constexpr int cxIndicatorImageSize = 9;
// The picture of a kind (not ikNone): one string a row, 'X' set.
const std::vector<std::string>& cxIndicatorPicture(TcxIndicatorKind kind);
