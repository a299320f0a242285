#include "controls/buttons/dxGradient.h"

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

std::vector<std::uint32_t> VerticalGradientRows(const std::vector<std::uint32_t>& colors, int height,
                                                const TRandomInt& random) {
  if (height <= 0 || colors.empty()) return {};
  std::vector<std::uint32_t> rows(static_cast<std::size_t>(height), colors.front());
  const int bands = static_cast<int>(colors.size());
  auto paint = [&](int y, std::uint32_t color) {
    if (y >= 0 && y < height) rows[static_cast<std::size_t>(y)] = color;
  };
  for (int i = 0; i < bands; ++i) {
    const int y0 = MulDivRound(i, height, bands);
    const int y1 = MulDivRound(i + 1, height, bands);
    // Each band is filled y1 rows deep from its start; the next band paints over the excess.
    for (int y = y0; y < y0 + y1; ++y) paint(y, colors[static_cast<std::size_t>(i)]);
    if (i == 0) continue;
    for (int j = 0; j <= height / (bands - 1); ++j) paint(y0 + random(j), colors[static_cast<std::size_t>(i - 1)]);
  }
  return rows;
}
