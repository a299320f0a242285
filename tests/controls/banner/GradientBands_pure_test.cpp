#include "controls/banner/GradientBands.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

using banner::Band;
using banner::BandCount;
using banner::CaptionGap;
using banner::CaptionSide;
using banner::Gap;
using banner::PlanBands;

namespace banner {
void PrintTo(const Band& b, std::ostream* os) {
  *os << "{0x" << std::hex << b.Color << std::dec << ", " << b.Start << ", " << b.End << "}";
}
void PrintTo(const Gap& g, std::ostream* os) { *os << "[" << g.Start << ", " << g.End << ")"; }
}  // namespace banner

namespace {

constexpr std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) | (static_cast<std::uint32_t>(b) << 16);
}
constexpr std::uint32_t kSkyBlue = Rgb(0xA6, 0xCA, 0xF0);
constexpr std::uint32_t kWhite = Rgb(255, 255, 255);

// What ends up at each pixel after painting the bands in order; nullopt where none lands.
std::vector<std::optional<std::uint32_t>> Paint(const std::vector<Band>& bands, int extent) {
  std::vector<std::optional<std::uint32_t>> out(static_cast<std::size_t>(extent));
  for (const Band& b : bands)
    for (int p = b.Start; p < b.End; ++p) out[static_cast<std::size_t>(p)] = b.Color;
  return out;
}

}  // namespace

TEST(PlanBands, MainWindowBanner) {
  // 538 x 40, top to bottom: 134 bands of one row, four bands to every three rows.
  const int n = BandCount(538);
  ASSERT_EQ(n, 134);
  const auto bands = PlanBands(kSkyBlue, kWhite, n, 40);
  ASSERT_EQ(bands.size(), 134u);
  EXPECT_EQ(bands[0], (Band{kSkyBlue, 0, 1}));
  EXPECT_EQ(bands[1], (Band{Rgb(167, 202, 240), 0, 1}));
  EXPECT_EQ(bands[132], (Band{Rgb(254, 254, 255), 39, 40}));
  EXPECT_EQ(bands[133], (Band{Rgb(254, 255, 255), 40, 40}));  // starts past the bottom

  const auto rows = Paint(bands, 40);
  for (const auto& row : rows) ASSERT_TRUE(row.has_value());
  EXPECT_EQ(*rows[0], Rgb(167, 202, 240));  // band 1 paints over band 0
  EXPECT_EQ(*rows[39], Rgb(254, 254, 255));
  for (std::size_t i = 0; i < bands.size(); ++i) EXPECT_LE(bands[i].End, 40) << "band " << i;
}

TEST(PlanBands, ColoursStepWithHalvesToEven) {
  // Red 0 -> 5 over 2 bands: step 2.5, band 1 is round(2.5) = 2; 1 -> 4 over 2: 1.5 rounds to 2.
  auto b = PlanBands(Rgb(0, 1, 0), Rgb(5, 4, 0), 2, 2);
  ASSERT_EQ(b.size(), 2u);
  EXPECT_EQ(b[1].Color, Rgb(2, 3, 0));
  // Falling channels: 10 -> 5 over 2 bands is -2.5, rounds to -2.
  b = PlanBands(Rgb(10, 0, 0), Rgb(5, 0, 0), 2, 2);
  EXPECT_EQ(b[1].Color, Rgb(8, 0, 0));
  // The last band stays one step short of the end colour.
  b = PlanBands(Rgb(0, 0, 0), Rgb(0, 0, 200), 4, 8);
  EXPECT_EQ(b.back().Color, Rgb(0, 0, 150));
}

TEST(PlanBands, OverlappingBandsAndFarEdge) {
  // 10 pixels in 4 bands: spacing 2.5, thickness 3; offsets 0, 2 (2.5 to even), 5, 8 (7.5 to even).
  const auto b = PlanBands(kSkyBlue, kWhite, 4, 10);
  ASSERT_EQ(b.size(), 4u);
  EXPECT_EQ(b[0].Start, 0);
  EXPECT_EQ(b[0].End, 3);
  EXPECT_EQ(b[1].Start, 2);
  EXPECT_EQ(b[2].Start, 5);
  EXPECT_EQ(b[3].Start, 8);
  EXPECT_EQ(b[3].End, 10);  // cut at the far edge
  const auto px = Paint(b, 10);
  EXPECT_EQ(*px[2], b[1].Color);  // the later band wins the shared column
  EXPECT_EQ(*px[7], b[2].Color);
}

TEST(PlanBands, ExactSpacingStillOverlapsByOne) {
  // 8 pixels in 2 bands: each band is 5 wide, so band 0 keeps only columns 0..3.
  const auto px = Paint(PlanBands(Rgb(0, 0, 0), Rgb(100, 0, 0), 2, 8), 8);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(*px[x], Rgb(0, 0, 0)) << x;
  for (int x = 4; x < 8; ++x) EXPECT_EQ(*px[x], Rgb(50, 0, 0)) << x;
}

TEST(PlanBands, NarrowAndEmpty) {
  // Fewer than 4 pixels: one band of the start colour over the whole extent.
  for (int w = 0; w < 4; ++w) {
    ASSERT_EQ(BandCount(w), 1);
    const auto b = PlanBands(kSkyBlue, kWhite, BandCount(w), w);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0], (Band{kSkyBlue, 0, w}));
  }
  EXPECT_EQ(PlanBands(kSkyBlue, kWhite, 0, 7), PlanBands(kSkyBlue, kWhite, 1, 7));
  EXPECT_EQ(BandCount(7), 1);
  EXPECT_EQ(BandCount(8), 2);
  EXPECT_EQ(BandCount(539), 134);
  EXPECT_TRUE(PlanBands(kSkyBlue, kWhite, -3, 10).empty());
}

TEST(PlanBands, SixteenBitCounterAndOffsets) {
  // Offsets are kept modulo 65536: band 1 of 2 over 200000 pixels starts at 100000 - 65536.
  const auto b = PlanBands(kSkyBlue, kWhite, 2, 200000);
  ASSERT_EQ(b.size(), 2u);
  EXPECT_EQ(b[1].Start, 34464);
  EXPECT_EQ(b[1].End, 34464 + 100001);
  // The counter wraps: 65537 bands run as band 0 only.
  EXPECT_EQ(PlanBands(kSkyBlue, kWhite, 65537, 300000).size(), 1u);
  EXPECT_EQ(PlanBands(kSkyBlue, kWhite, 65536, 300000).size(), 65536u);
}

TEST(CaptionGap, EachSideWithIndent) {
  // A 100-pixel line, a 30-pixel caption, indent 10.
  EXPECT_EQ(CaptionGap(CaptionSide::Left, 0, 100, 30, 10), (Gap{10, 40}));
  EXPECT_EQ(CaptionGap(CaptionSide::Right, 0, 100, 30, 10), (Gap{60, 90}));
  EXPECT_EQ(CaptionGap(CaptionSide::Center, 0, 100, 30, 10), (Gap{35, 65}));  // indent ignored
  // Odd room: (101 - 30) / 2 = 35 toward zero; and a caption wider than the line.
  EXPECT_EQ(CaptionGap(CaptionSide::Center, 0, 101, 30, 0), (Gap{35, 65}));
  EXPECT_EQ(CaptionGap(CaptionSide::Center, 0, 20, 31, 0), (Gap{-5, 26}));
  // Offset lines and an empty caption (no gap at all).
  EXPECT_EQ(CaptionGap(CaptionSide::Right, 5, 105, 0, 0), (Gap{105, 105}));
  EXPECT_EQ(CaptionGap(CaptionSide::Left, 5, 105, 0, 3), (Gap{8, 8}));
}
