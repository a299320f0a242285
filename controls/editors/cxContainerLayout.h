#pragma once
#include <cstdint>
#include <optional>

#include "controls/editors/cxLookAndFeels.h"
#include "framework/Geometry.h"

// Frame and layout arithmetic of the edit boxes, kept free of drawing.

enum TcxContainerBorderStyle : std::uint8_t { cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat };

// Border extent on every side while hot tracking is on: the same for every frame, so that nothing
// inside moves when the frame changes with the hot state.
constexpr int kHotTrackBorderExtent = 2;

// The border style a look-and-feel kind gives when the style sets none.
TcxContainerBorderStyle DefaultBorderStyle(TcxLookAndFeelKind kind);

// The border drawn for a style's border: while the box is hot (mouse over it) or focused a flat
// frame turns 3-D, a single one thick and a missing one flat; an ultra-flat border is always
// drawn as a single line (in a colour that follows the state).
TcxContainerBorderStyle FrameStyleFor(TcxContainerBorderStyle style, bool hotOrFocused);

// Thickness of a border style's lines.
int BorderWidth(TcxContainerBorderStyle style);

// Height of an auto-sized single-line editor: the border extents plus the text height and a
// margin of 4 (no margin for a font without height).
int TextEditAutoHeight(int textHeight, int borderExtent);

// Where the inner edit sits in the editor, `content` being the area inside the border: one pixel
// in from its left and top edges, as wide as the rest of it and text height + 4 high.
TRect InnerEditBounds(const TRect& content, int textHeight);

// The part of the inner edit at `inner` that lies inside `content`, in the inner edit's own
// coordinates; nothing when the whole of it does.
std::optional<TRect> InnerEditClip(const TRect& inner, const TRect& content);
