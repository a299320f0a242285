#include <gtest/gtest.h>

#include "controls/buttons/dxGradient.h"
#include "framework/Colors.h"

namespace {
int Never(int) { return 0; }
int Farthest(int j) { return j > 0 ? j - 1 : 0; }
}  // namespace

TEST(GradientBandColors, RunsFromStartToEndRoundingHalvesToEven) {
  const auto face = GradientBandColors(0xFFFFFF, 0xE7EBEF, 64);
  ASSERT_EQ(face.size(), 64u);
  EXPECT_EQ(face.front(), 0xFFFFFFu);
  EXPECT_EQ(face.back(), 0xE7EBEFu);
  // Red 0 -> 1 in steps of 0.5: 0.5 rounds down to 0. Green 0 -> 3 in steps of 1.5: 1.5 rounds up to 2.
  const auto halves = GradientBandColors(MakeRgb(0, 0, 9), MakeRgb(1, 3, 9), 3);
  EXPECT_EQ(halves, (std::vector<std::uint32_t>{MakeRgb(0, 0, 9), MakeRgb(0, 2, 9), MakeRgb(1, 3, 9)}));
  EXPECT_EQ(GradientBandColors(0x123456, 0xFFFFFF, 1), std::vector<std::uint32_t>{0x123456u});
  EXPECT_TRUE(GradientBandColors(0, 0, 0).empty());
}

TEST(BandedGradientLine, ButtonHighFacesStartEachBandWithOneRowOfThePreviousColour) {
  std::vector<std::uint32_t> colors;
  for (int i = 0; i < 64; ++i) colors.push_back(MakeRgb(i, 0, 0));
  // 19 rows: several bands start on one row; the row keeps the colour before the last of them.
  const auto rows = BandedGradientLine(colors, 19, true, Never);
  ASSERT_EQ(rows.size(), 19u);
  EXPECT_EQ(rows.front(), colors[0]);
  EXPECT_EQ(rows.back(), colors[61]);  // bands 59 to 62 start on row 18
  for (std::size_t y = 1; y < rows.size(); ++y) EXPECT_GT(RedOf(rows[y]), RedOf(rows[y - 1])) << y;
}

TEST(BandedGradientLine, TallGradientsDitherDeeperIntoEachBand) {
  std::vector<std::uint32_t> colors;
  for (int i = 0; i < 64; ++i) colors.push_back(MakeRgb(0, i, 0));
  // 200 rows: bands 1, 2, 3 start on rows 3, 6, 9; dither reaches up to 200 div 63 = 3 rows in.
  const auto shallow = BandedGradientLine(colors, 200, true, Never);
  EXPECT_EQ(shallow[3], colors[0]);
  EXPECT_EQ(shallow[4], colors[1]);
  const auto deep = BandedGradientLine(colors, 200, true, Farthest);
  EXPECT_EQ(deep[5], colors[0]);
  EXPECT_EQ(deep[6], colors[1]);
  EXPECT_EQ(deep[8], colors[1]);
  EXPECT_EQ(deep[9], colors[2]);
  EXPECT_TRUE(BandedGradientLine(colors, 0, true, Never).empty());
  // Without dither every band starts clean, whatever the random draw.
  const auto clean = BandedGradientLine(colors, 200, false, Farthest);
  EXPECT_EQ(clean[6], colors[2]);
  EXPECT_EQ(clean[5], colors[1]);
}

TEST(GrayGlyphColor, AveragesTheChannelsAndBrightensBy100UpToWhite) {
  EXPECT_EQ(GrayGlyphColor(MakeRgb(0, 0, 0)), MakeRgb(100, 100, 100));
  EXPECT_EQ(GrayGlyphColor(MakeRgb(10, 20, 32)), MakeRgb(120, 120, 120));  // 62 div 3 = 20
  EXPECT_EQ(GrayGlyphColor(MakeRgb(155, 155, 156)), MakeRgb(255, 255, 255));
  EXPECT_EQ(GrayGlyphColor(MakeRgb(255, 255, 255)), MakeRgb(255, 255, 255));
}
