#include <gtest/gtest.h>

#include <cstdint>

#include "controls/status/RzColor.h"
#include "controls/status/RzFrame.h"
#include "controls/status/RzStatusLayout.h"

namespace {

// A fixed palette for the system colours: index i resolves to grey i * 10.
std::uint32_t TestPalette(int index) { return MakeRgb(index * 10, index * 10, index * 10); }

TColor Rgb(int r, int g, int b) { return static_cast<TColor>(MakeRgb(r, g, b)); }

}  // namespace

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(120.47), 120);
  EXPECT_EQ(RoundHalfEven(159.375), 159);
  EXPECT_EQ(RoundHalfEven(95.625), 96);
}

TEST(HslFromColor, GreyAndPrimaries) {
  EXPECT_EQ(HslFromColor(Rgb(128, 128, 128), TestPalette), (THslColor{0, 0, 120}));
  EXPECT_EQ(HslFromColor(Rgb(255, 0, 0), TestPalette), (THslColor{0, 240, 120}));
  EXPECT_EQ(HslFromColor(Rgb(0, 255, 0), TestPalette), (THslColor{80, 240, 120}));
  EXPECT_EQ(HslFromColor(Rgb(0, 0, 255), TestPalette), (THslColor{160, 240, 120}));
  EXPECT_EQ(HslFromColor(Rgb(255, 255, 255), TestPalette), (THslColor{0, 0, 240}));
  EXPECT_EQ(HslFromColor(Rgb(0, 0, 0), TestPalette), (THslColor{0, 0, 0}));
  // Magenta: the red-is-max branch with a negative hue wrapped round.
  EXPECT_EQ(HslFromColor(Rgb(255, 0, 255), TestPalette), (THslColor{200, 240, 120}));
}

TEST(HslFromColor, SystemColoursGoThroughTheResolver) {
  // clBtnShadow is index 16 -> grey 160 in the test palette.
  EXPECT_EQ(HslFromColor(clBtnShadow, TestPalette), HslFromColor(Rgb(160, 160, 160), TestPalette));
  // The high byte of a plain colour is ignored.
  EXPECT_EQ(HslFromColor(0x00808080, TestPalette), (THslColor{0, 0, 120}));
}

TEST(ColorFromHsl, RoundTripsDivideTheHueBy239) {
  EXPECT_EQ(ColorFromHsl(0, 240, 120), Rgb(255, 0, 0));
  EXPECT_EQ(ColorFromHsl(80, 240, 120), Rgb(0, 255, 2));
  EXPECT_EQ(ColorFromHsl(160, 240, 120), Rgb(4, 0, 255));
  EXPECT_EQ(ColorFromHsl(0, 0, 0), Rgb(0, 0, 0));
  // A hue of 239 or more lands in sextant 6, drawn as sextant 0.
  EXPECT_EQ(ColorFromHsl(239, 240, 120), ColorFromHsl(0, 240, 120));
  // 240 / 239 * 6 is just past 6: sextant 0's formula with a small fraction of green.
  EXPECT_EQ(ColorFromHsl(240, 240, 120), Rgb(255, 6, 0));
  // Luminance above 240 saturates every component.
  EXPECT_EQ(ColorFromHsl(0, 0, 255), Rgb(255, 255, 255));
  EXPECT_EQ(ColorFromHsl(40, 240, 255), Rgb(255, 255, 255));
  // Saturation above 240 drives m1 below 0: those components stay 0 instead of wrapping round.
  EXPECT_EQ(ColorFromHsl(0, 255, 60), Rgb(131, 0, 0));
  EXPECT_EQ(ColorFromHsl(80, 255, 30), Rgb(0, 66, 0));
}

TEST(Luminance, RaiseAndLower) {
  const TColor grey = Rgb(128, 128, 128);
  EXPECT_EQ(RaiseLuminance(grey, 30, TestPalette), Rgb(159, 159, 159));
  EXPECT_EQ(LowerLuminance(grey, 30, TestPalette), Rgb(96, 96, 96));
  EXPECT_EQ(RaiseLuminance(Rgb(0, 0, 0), 30, TestPalette), Rgb(32, 32, 32));
  for (int amount : {1, 30, 200, 255}) {
    EXPECT_EQ(RaiseLuminance(Rgb(255, 255, 255), static_cast<std::uint8_t>(amount), TestPalette),
              Rgb(255, 255, 255));
    EXPECT_EQ(LowerLuminance(Rgb(0, 0, 0), static_cast<std::uint8_t>(amount), TestPalette), Rgb(0, 0, 0));
  }
  // Lowering below 0 stops at black whatever the hue.
  EXPECT_EQ(LowerLuminance(Rgb(255, 0, 0), 200, TestPalette), Rgb(0, 0, 0));
  // The result is always a plain colour, also for a system colour.
  EXPECT_EQ(RaiseLuminance(clBtnShadow, 0, TestPalette), Rgb(160, 160, 160));
}

TEST(Luminance, ShiftTakesTheLowEightBits) {
  const TColor grey = Rgb(128, 128, 128);
  EXPECT_EQ(ShiftLuminance(clBtnShadow, 0, TestPalette), clBtnShadow);
  EXPECT_EQ(ShiftLuminance(grey, 30, TestPalette), Rgb(159, 159, 159));
  EXPECT_EQ(ShiftLuminance(grey, -30, TestPalette), Rgb(96, 96, 96));
  // 256 is a raise by 0: converted through the triple, no longer a system colour.
  EXPECT_EQ(ShiftLuminance(clBtnShadow, 256, TestPalette), Rgb(160, 160, 160));
  EXPECT_EQ(ShiftLuminance(grey, -256, TestPalette), grey);
  EXPECT_EQ(ShiftLuminance(grey, 256 + 30, TestPalette), Rgb(159, 159, 159));
  EXPECT_EQ(ShiftLuminance(grey, INT32_MIN, TestPalette), grey);
}

TEST(FrameGeometry, WidthsAndInsets) {
  EXPECT_EQ(FrameWidth(fsNone), 0);
  EXPECT_EQ(FrameWidth(fsFlatRounded), 0);
  for (TFrameStyle s : {fsFlat, fsStatus, fsPopup}) EXPECT_EQ(FrameWidth(s), 1) << s;
  for (TFrameStyle s : {fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsFlatBold})
    EXPECT_EQ(FrameWidth(s), 2) << s;

  const TRect r{10, 20, 110, 60};
  EXPECT_EQ(InsetSides(r, 0, 2), r);
  EXPECT_EQ(InsetSides(r, sdAllSides, 2), (TRect{12, 22, 108, 58}));
  EXPECT_EQ(InsetSides(r, SideSet(sdLeft) | SideSet(sdBottom), 1), (TRect{11, 20, 110, 59}));

  // The main window's marquee: 361 by 25, border 1, flat.
  EXPECT_EQ(CaptionRectFor(361, 25, 1, fsFlat), (TRect{2, 2, 359, 23}));
  EXPECT_EQ(CaptionRectFor(100, 20, 0, fsNone), (TRect{0, 0, 100, 20}));
  EXPECT_EQ(CaptionRectFor(100, 20, 3, fsGroove), (TRect{5, 5, 95, 15}));
}

TEST(StatusLayout, AutoWidthAndMarqueePositions) {
  EXPECT_EQ(AutoWidthFor(true, 40, 1, 999, 2), 40);
  EXPECT_EQ(AutoWidthFor(false, 40, 1, 57, 2), 57 + 10);
  EXPECT_EQ(AutoWidthFor(false, 40, 4, 57, 0), 57 + 8 + 6);

  EXPECT_EQ(MarqueeWrapLimit(0, 361), 361);
  EXPECT_EQ(MarqueeWrapLimit(1200, 361), 1561);

  // Right to left: the left edge starts at the pane's width and moves left.
  EXPECT_EQ(MarqueeTextLeft(stRightToLeft, 361, 0, 50), 361);
  EXPECT_EQ(MarqueeTextLeft(stRightToLeft, 361, 5, 50), 356);
  // Left to right: the right edge is at the position.
  EXPECT_EQ(MarqueeTextLeft(stLeftToRight, 361, 0, 50), -50);
  EXPECT_EQ(MarqueeTextLeft(stLeftToRight, 361, 70, 50), 20);

  EXPECT_EQ(StoredScrollSize(0), 1);
  EXPECT_EQ(StoredScrollSize(7), 7);
}
