#pragma once
#include "framework/Geometry.h"

// Where the glyph sits against the caption.
enum TdxLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Where a push button puts its caption and glyph, worked out without drawing. The caption is
// measured in the rectangle that GlyphRoom leaves, then centred by CentreCaption; the glyph goes
// where GlyphOrigin says. Glyph, spacing and caption come out centred together.

// The rectangle of a w x h button left for the caption beside a glyph of gw x gh pixels at
// `spacing` from it. For a glyph on the right the caption is right-aligned (`alignRight`).
TRect GlyphRoom(int w, int h, TdxLayout layout, int gw, int gh, int spacing, bool& alignRight);

// The measured caption rectangle moved to the middle of the button, and `pressed` pixels further
// right and down.
TRect CentreCaption(const TRect& measured, int w, int h, int pressed);

// The glyph's top-left corner next to the centred caption.
TPoint GlyphOrigin(const TRect& caption, TdxLayout layout, int w, int h, int gw, int gh, int spacing, int pressed);
