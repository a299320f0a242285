#include "controls/status/RzCommon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/controls/status/PixelArt.h"

using pixelart::Compare;

namespace {

using Picture = std::vector<std::string>;

// Draws a frame style on a one-pixel margin of background and compares the whole bitmap.
struct FrameCase {
  TFrameStyle style;
  TSides sides;
  Picture inner;  // the frame's own rectangle
  TRect inside;   // returned rectangle, in the frame rectangle's coordinates
};

std::string Check(const FrameCase& c) {
  const int w = static_cast<int>(c.inner[0].size()), h = static_cast<int>(c.inner.size());
  TBitmap bitmap;
  pixelart::Clear(bitmap, w + 2, h + 2);
  const TRect got = DrawFrameStyleSides(bitmap.Canvas(), TRect{1, 1, w + 1, h + 1}, c.style, c.sides);
  Picture whole{std::string(w + 2, '.')};
  for (const auto& row : c.inner) whole.push_back("." + row + ".");
  whole.push_back(std::string(w + 2, '.'));
  std::string diff = Compare(bitmap, 0, 0, whole);
  const TRect want{c.inside.Left + 1, c.inside.Top + 1, c.inside.Right + 1, c.inside.Bottom + 1};
  if (!(got == want)) diff += "returned rectangle differs\n";
  return diff;
}

constexpr TSides Sides(std::initializer_list<TSide> list) {
  TSides s = 0;
  for (TSide side : list) s |= SideSet(side);
  return s;
}

}  // namespace

TEST(DrawFrameStyle, EveryStyleOnAllSides) {
  const std::vector<FrameCase> cases = {
      {fsFlat, sdAllSides, {"DDDD", "D..D", "D..D", "DDDD"}, {1, 1, 3, 3}},
      {fsStatus, sdAllSides, {"SSSH", "S..H", "S..H", "HHHH"}, {1, 1, 3, 3}},
      {fsPopup, sdAllSides, {"HHHS", "H..S", "H..S", "SSSS"}, {1, 1, 3, 3}},
      {fsGroove, sdAllSides, {"SSSSSH", "SHHHSH", "SH..SH", "SH..SH", "SSSSSH", "HHHHHH"}, {2, 2, 4, 4}},
      {fsBump, sdAllSides, {"HHHHHS", "HSSSHS", "HS..HS", "HS..HS", "HHHHHS", "SSSSSS"}, {2, 2, 4, 4}},
      {fsLowered, sdAllSides, {"SSSSSH", "SDDDLH", "SD..LH", "SD..LH", "SLLLLH", "HHHHHH"}, {2, 2, 4, 4}},
      {fsRaised, sdAllSides, {"LLLLLD", "LHHHSD", "LH..SD", "LH..SD", "LSSSSD", "DDDDDD"}, {2, 2, 4, 4}},
      {fsButtonDown, sdAllSides, {"TTTTTT", "TSSSST", "TS..ST", "TS..ST", "TSSSST", "TTTTTT"}, {2, 2, 4, 4}},
      {fsButtonUp, sdAllSides, {"HHHHHD", "HLLLSD", "HL..SD", "HL..SD", "HSSSSD", "DDDDDD"}, {2, 2, 4, 4}},
      {fsFlatBold, sdAllSides, {"SSSSSS", "SSSSSS", "SS..SS", "SS..SS", "SSSSSS", "SSSSSS"}, {2, 2, 4, 4}},
      {fsNone, sdAllSides, {"....", "....", "...."}, {0, 0, 4, 3}},
      {fsFlatRounded, sdAllSides, {"....", "....", "...."}, {0, 0, 4, 3}},
  };
  for (const auto& c : cases) EXPECT_EQ(Check(c), "") << "style " << c.style;
}

TEST(DrawFrameStyle, SideSubsetsKeepTheirCornerPixels) {
  const std::vector<FrameCase> cases = {
      // Etched ends on the open sides: the outer and inner lines swap colours at the cut.
      {fsGroove, Sides({sdTop, sdRight}), {"SSSSSH", "HHHHSH", "....SH", "....SH", "....SH", "....SH"}, {0, 2, 4, 6}},
      {fsBump, Sides({sdLeft, sdTop}), {"HHHHHH", "HSSSSS", "HS....", "HS....", "HS....", "HS...."}, {2, 2, 6, 6}},
      {fsGroove, Sides({sdLeft, sdBottom}), {"SH....", "SH....", "SH....", "SH....", "SSSSSS", "HHHHHH"}, {2, 0, 6, 4}},
      {fsBump, Sides({sdRight}), {"....HS", "....HS", "....HS", "....HS", "....HS", "....HS"}, {0, 0, 4, 6}},
      {fsRaised, Sides({sdRight, sdBottom}), {"....SD", "....SD", "....SD", "....SD", "SSSSSD", "DDDDDD"}, {0, 0, 4, 4}},
      {fsLowered, Sides({sdLeft, sdTop}), {"SSSSSS", "SDDDDD", "SD....", "SD....", "SD....", "SD...."}, {2, 2, 6, 6}},
      {fsStatus, Sides({sdLeft, sdBottom}), {"S...", "S...", "S...", "HHHH"}, {1, 0, 4, 3}},
      {fsFlatBold, Sides({sdTop}), {"SSSS", "SSSS", "....", "...."}, {0, 2, 4, 4}},
      {fsFlat, 0, {"....", "...."}, {0, 0, 4, 2}},
  };
  for (const auto& c : cases) EXPECT_EQ(Check(c), "") << "style " << c.style << " sides " << c.sides;
}

TEST(DrawEdgeLines, NoneSkipsLinesButStillInsets) {
  TBitmap bitmap;
  pixelart::Clear(bitmap, 4, 4);
  const TRect inside = DrawEdgeLines(bitmap.Canvas(), TRect{0, 0, 4, 4}, clNone, clBtnShadow, sdAllSides);
  EXPECT_EQ(inside, (TRect{1, 1, 3, 3}));
  EXPECT_EQ(Compare(bitmap, 0, 0, {"...S", "...S", "...S", "SSSS"}), "");
}

TEST(DrawEdgeRings, CountZeroOnlySetsThePenWidth) {
  TBitmap bitmap;
  pixelart::Clear(bitmap, 4, 4);
  bitmap.Canvas().Pen().SetWidth(3);
  EXPECT_EQ(DrawEdgeRings(bitmap.Canvas(), TRect{0, 0, 4, 4}, clBtnShadow, clBtnShadow, 0, sdAllSides),
            (TRect{0, 0, 4, 4}));
  EXPECT_EQ(bitmap.Canvas().Pen().Width(), 1);
  EXPECT_EQ(Compare(bitmap, 0, 0, {"....", "....", "....", "...."}), "");
  EXPECT_EQ(DrawEdgeRings(bitmap.Canvas(), TRect{0, 0, 4, 4}, clBtnShadow, clBtnShadow, -2, sdAllSides),
            (TRect{0, 0, 4, 4}));
}

TEST(Luminance, SystemColoursResolveNow) {
  const COLORREF shadow = ColorToRGB(clBtnShadow);
  const THslColor hsl = HslFromColor(clBtnShadow);
  EXPECT_EQ(hsl, HslFromColor(static_cast<TColor>(shadow)));
  EXPECT_EQ(ShiftLuminance(clBtnShadow, 0), clBtnShadow);
  EXPECT_EQ(ShiftLuminance(clBtnShadow, 30), RaiseLuminance(static_cast<TColor>(shadow), 30));
  EXPECT_EQ(ShiftLuminance(clBtnShadow, -30), LowerLuminance(static_cast<TColor>(shadow), 30));
}
