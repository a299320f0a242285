#include "controls/buttons/dxGradient.h"

#include <algorithm>
#include <cmath>

#include "framework/Colors.h"
#include "framework/Geometry.h"

std::vector<std::uint32_t> GradientBandColors(std::uint32_t start, std::uint32_t end, int bands) {
  if (bands < 1) return {};
  if (bands == 1) return {start};
  const double steps = bands - 1;
  const double dr = (RedOf(end) - RedOf(start)) / steps;
  const double dg = (GreenOf(end) - GreenOf(start)) / steps;
  const double db = (BlueOf(end) - BlueOf(start)) / steps;
  std::vector<std::uint32_t> colors;
  colors.reserve(static_cast<std::size_t>(bands));
  // nearbyint rounds halves to even in the default rounding mode.
  auto channel = [](int from, double step, int i) { return from + static_cast<int>(std::nearbyint(i * step)); };
  for (int i = 0; i < bands; ++i)
    colors.push_back(MakeRgb(channel(RedOf(start), dr, i), channel(GreenOf(start), dg, i),
                             channel(BlueOf(start), db, i)));
  return colors;
}

std::vector<std::uint32_t> BandedGradientLine(const std::vector<std::uint32_t>& colors, int length, bool dithered,
                                              const TRandomInt& random) {
  if (length <= 0 || colors.empty()) return {};
  std::vector<std::uint32_t> line(static_cast<std::size_t>(length), colors.front());
  const int bands = static_cast<int>(colors.size());
  auto paint = [&](int at, std::uint32_t color) {
    if (at >= 0 && at < length) line[static_cast<std::size_t>(at)] = color;
  };
  for (int i = 0; i < bands; ++i) {
    const int start = MulDivRound(i, length, bands);
    const int depth = MulDivRound(i + 1, length, bands);
    // Each band is filled `depth` pixels from its start; the next band paints over the excess.
    for (int at = start; at < std::min(length, start + depth); ++at) paint(at, colors[static_cast<std::size_t>(i)]);
    if (i == 0 || !dithered) continue;
    for (int j = 0; j <= length / (bands - 1); ++j) paint(start + random(j), colors[static_cast<std::size_t>(i - 1)]);
  }
  return line;
}

std::uint32_t GrayGlyphColor(std::uint32_t rgb) {
  int g = (RedOf(rgb) + GreenOf(rgb) + BlueOf(rgb)) / 3 + 100;
  if (g > 255) g = 255;
  return MakeRgb(g, g, g);
}
