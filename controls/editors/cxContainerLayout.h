#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/Colors.h"
#include "framework/Density.h"
#include "framework/DoubleByte.h"
#include "framework/Geometry.h"

// Frame, view-info and layout arithmetic of the edit container and the text editor, kept free
// of drawing so that it can be checked on its own.

enum TcxContainerBorderStyle : std::uint8_t { cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat };

// Look-and-feel kinds as the frame rules see them (same values as the look-and-feel's kind).
enum TcxFrameKind : std::uint8_t { fkFlat, fkStandard, fkUltraFlat };

// Sides of a frame, one bit each (left, top, right, bottom as bits 0 to 3).
using TcxEdgeSet = std::uint8_t;
constexpr TcxEdgeSet kEdgeLeft = 1, kEdgeTop = 2, kEdgeRight = 4, kEdgeBottom = 8;
constexpr TcxEdgeSet kAllEdges = 15;

// State of a container as its view info records it.
using TcxContainerState = std::uint8_t;
constexpr TcxContainerState StateActive = 1, StateDisabled = 2, StateHot = 4, StateNormal = 8;

// Thickness of a border style's lines: 0, 1, 2, 2, 2, 1.
int BorderWidth(TcxContainerBorderStyle style);

// The border style a look-and-feel kind gives when no style sets one.
TcxContainerBorderStyle DefaultBorderStyle(TcxFrameKind kind);

// The border drawn for a style's border at a hot index (0: no hot tracking, 1: idle, 2: hot or
// focused): a flat frame turns 3-D, a single one thick and a missing one flat; an ultra-flat
// border is always drawn as a single line.
TcxContainerBorderStyle MapFrameStyle(TcxContainerBorderStyle style, int hotIndex);

// Border thickness on each side, as a rectangle of four widths (Left, Top, Right, Bottom).
// Hot tracking or a transparent border keep it at 2 so that nothing moves with the hot state;
// a shadow adds 3 on the right and at the bottom unless the frame is themed.
TRect BorderExtent(TcxContainerBorderStyle frameStyle, bool hotTrack, bool transparentBorder, bool shadow,
                   bool themed);

// r moved in by the four widths of `extent`.
TRect ReduceBy(const TRect& r, const TRect& extent);
// r moved out by `width` on each side in `edges`.
TRect WidenOnEdges(const TRect& r, int width, TcxEdgeSet edges);

// Where the mouse makes the container hot: the whole control when themed, otherwise the border's
// outer edge (the extent minus what the frame does not cover).
TRect HotArea(const TRect& outer, const TRect& extent, int frameWidth, TcxEdgeSet edges, bool themed);

// Everything the view info is computed from.
struct TcxContainerViewParams {
  int Width = 0, Height = 0;
  bool Enabled = true;
  bool Focused = false;
  bool DesignTime = false;
  bool UseTheme = false;
  // The point lies in the hot area and hot tracking is allowed.
  bool Hot = false;
  TcxContainerBorderStyle BorderStyle = cbsFlat;  // the style's own border style
  TColor BorderColor = clWindowFrame;
  TColor StyleColor = clWindow;
  TColor ThemeDisabledColor = clBtnFace;  // the theme's fill colour for the disabled state
  TColor ControlColor = clWindow;
  TcxEdgeSet Edges = kAllEdges;
  bool HotTrack = true;
  bool Shadow = false;
  bool TransparentBorder = true;
  // Extent 2 on every side also when themed (editors).
  bool ThemedExtentIsTwo = false;
};

// The record the container paints from.
struct TcxContainerViewFields {
  TColor BackColor = clWindow;
  TColor FrameColor = clWindowFrame;
  TRect FrameInner;
  TcxContainerBorderStyle FrameStyle = cbsNone;
  int FrameWidth = 0;
  TRect OuterRect;
  TRect ContentRect;
  TcxContainerState State = StateNormal;
  TcxEdgeSet FrameEdges = kAllEdges;
  bool UseTheme = false;
  int ThemePart = 0, ThemeState = 0;
  std::uint8_t ThemeClass = 0;
  bool DrawShadow = false;
  int HotIndex = 0;
};

// Border extent for the given parameters (the frame style at hot index 0 decides without hot
// tracking or a transparent border).
TRect ContainerBorderExtent(const TcxContainerViewParams& p);

// The container's view info: state, hot index, frame style, rectangles and colours.
TcxContainerViewFields CalculateContainerView(const TcxContainerViewParams& p);

// Themed state number: 5 focused, 2 hot, 1 otherwise, 4 disabled.
int ContainerThemeState(TcxContainerState state);

// The rectangle the border lines are drawn around (before the shadow): FrameInner widened by the
// frame width on the left and top, and on the right and bottom only where those sides are framed.
TRect FrameOuter(const TcxContainerViewFields& v);

// Shadow bands below and right of r: the two rectangles filled in the shadow colour and the two
// excluded from the clip after each.
struct TcxShadowBands {
  TRect BottomFill, BottomExclude, RightFill, RightExclude;
};
TcxShadowBands ShadowBands(const TRect& r);

// The container window's region: the frame's outer rectangle, joined with itself moved 3 right
// and 3 down when a shadow is drawn; nothing when themed.
std::vector<TRect> ContainerRegionRects(const TRect& outer, const TRect& extent, int frameWidth, TcxEdgeSet edges,
                                        bool drawShadow, bool themed);

// The part of a child at `child` (parent coordinates) that lies inside `client`, in the child's
// own coordinates; nothing when the whole child does.
std::optional<TRect> ChildClipRect(const TRect& child, const TRect& client);

// Height of a single-line editor's text with its margin: the text height and 4 pixels at 96 dots
// per inch (none for a font without height). On a denser screen the margin and the frame's
// extents `frames` (top and bottom together) grow as one with the layout and, the frame's lines
// keeping their pixels, the margin takes all of it: the editor stays as tall as the controls laid
// out beside it.
int TextEditContentHeight(int textHeight, int frames, const TDensity& density);
// Height of an auto-sized single-line editor: the top and bottom extents and the content height.
int TextEditAutoHeight(int textHeight, int topExtent, int bottomExtent, const TDensity& density);

enum TcxEditVertAlignment : std::uint8_t { taTopJustify, taBottomJustify, taVCenter };

// Where the inner edit sits in `content`: one pixel in from the left, as wide as the rest, `height`
// high (the content height), placed vertically by the alignment one pixel lower at 96 dots per
// inch, more on a denser screen as the frame above grows with the layout.
TRect InnerEditBounds(const TRect& content, int height, TcxEditVertAlignment vert, const TDensity& density);

// Text case conversion of the text editor: only the Latin letters a to z and A to Z change; a
// double-byte character (its lead byte as `isLeadByte` tells) keeps its trail byte unchanged.
enum TcxCharCase : std::uint8_t { ccNormal, ccUpperCase, ccLowerCase };
std::string ConvertCharCase(std::string text, TcxCharCase charCase, const TLeadBytePredicate& isLeadByte);

// WM_GETTEXT into a buffer of `size` characters: at most size - 1 characters and a terminating
// zero; returns the count copied. Nothing is copied into a buffer smaller than 1.
int CopyTextToBuffer(const std::string& text, char* buffer, int size);

// The first item of `items` that begins with `prefix` (case-insensitive for Latin letters), or
// nothing; an empty prefix matches nothing.
std::optional<std::string> FindCompletion(const std::vector<std::string>& items, const std::string& prefix);
