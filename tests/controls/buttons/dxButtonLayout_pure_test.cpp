#include <gtest/gtest.h>

#include "controls/buttons/dxButtonLayout.h"

namespace {
// A 90 x 50 button, a 16 x 12 glyph, spacing 3; the caption measures 30 x 13 from where it starts.
constexpr int W = 90, H = 50, GW = 16, GH = 12, S = 3, TW = 30, TH = 13;
TRect Measured(const TRect& room) { return TRect{room.Left, room.Top, room.Left + TW, room.Top + TH}; }
}  // namespace

TEST(ButtonLayout, GlyphAndCaptionAreCentredTogetherInEveryLayout) {
  struct Case {
    TdxLayout layout;
    TRect caption;
    TPoint glyph;
  };
  // Across: 16 + 3 + 30 = 49 wide, (90 - 49) div 2 = 20 from the left; down: 13 high, 18 from the top.
  // Up and down: 12 + 3 + 13 = 28 high, 11 from the top; the glyph at (90 - 16) div 2 = 37.
  const Case cases[] = {
      {blGlyphLeft, {39, 18, 69, 31}, {20, 19}},
      {blGlyphRight, {20, 18, 50, 31}, {53, 19}},
      {blGlyphTop, {30, 26, 60, 39}, {37, 11}},
      {blGlyphBottom, {30, 11, 60, 24}, {37, 27}},
  };
  for (const Case& c : cases) {
    bool right = false;
    const TRect room = GlyphRoom(W, H, c.layout, GW, GH, S, right);
    EXPECT_EQ(right, c.layout == blGlyphRight) << c.layout;
    const TRect caption = CentreCaption(Measured(room), W, H, 0);
    EXPECT_EQ(caption, c.caption) << c.layout;
    EXPECT_EQ(GlyphOrigin(caption, c.layout, W, H, GW, GH, S, 0), c.glyph) << c.layout;
  }
}

TEST(ButtonLayout, RightGlyphRoomIsWideEnoughToWrapAndTheCaptionEndsBeforeTheGlyph) {
  bool right = false;
  const TRect room = GlyphRoom(W, H, blGlyphRight, GW, GH, S, right);
  EXPECT_EQ(room, (TRect{-19, 0, 52, H}));  // W - (gw + s) wide for wrapping
  const TRect caption = CentreCaption(Measured(room), W, H, 0);
  EXPECT_EQ(GlyphOrigin(caption, blGlyphRight, W, H, GW, GH, S, 0).X - caption.Right, S);
}

TEST(ButtonLayout, PressedMovesEverythingOnePixelAndOversizeCaptionsCentreTowardsZero) {
  bool right = false;
  const TRect caption = CentreCaption(Measured(GlyphRoom(W, H, blGlyphTop, GW, GH, S, right)), W, H, 1);
  EXPECT_EQ(caption, (TRect{31, 27, 61, 40}));
  EXPECT_EQ(GlyphOrigin(caption, blGlyphTop, W, H, GW, GH, S, 1), (TPoint{38, 12}));
  // 101 wide in a 90 wide button: -11 div 2 is -5, not -6.
  EXPECT_EQ(CentreCaption(TRect{0, 0, 101, 13}, W, 21, 0), (TRect{-5, 4, 96, 17}));
}
