#include "controls/banner/GradientBands.h"

#include <algorithm>
#include <cmath>

namespace banner {

namespace {

// Nearest integer, halves to the even neighbour (the default rounding mode).
long long RoundEven(double v) { return std::llrint(v); }

int Channel(std::uint32_t rgb, int shift) { return static_cast<int>((rgb >> shift) & 0xFF); }

}  // namespace

std::vector<Band> PlanBands(std::uint32_t from, std::uint32_t to, int bandCount, int extent) {
  const int n = bandCount == 0 ? 1 : bandCount;
  if (n < 0) return {};
  const int shifts[3] = {0, 8, 16};
  double steps[3];
  for (int c = 0; c < 3; ++c) steps[c] = static_cast<double>(Channel(to, shifts[c]) - Channel(from, shifts[c])) / n;
  const double spacing = static_cast<double>(extent) / n;
  const int thickness = static_cast<int>(spacing) + 1;

  // The counter is 16 bits: the last band index wraps like it.
  const auto last = static_cast<std::uint16_t>(n - 1);
  std::vector<Band> bands;
  bands.reserve(static_cast<std::size_t>(last) + 1);
  for (std::uint32_t k = 0; k <= last; ++k) {
    const auto i = static_cast<std::uint16_t>(k);
    std::uint32_t color = 0;
    for (int c = 0; c < 3; ++c) {
      const long long v = Channel(from, shifts[c]) + RoundEven(i * steps[c]);
      color |= static_cast<std::uint32_t>(v & 0xFF) << shifts[c];
    }
    const int start = static_cast<int>(RoundEven(i * spacing) & 0xFFFF);
    const int end = std::max(start, static_cast<int>(std::min<long long>(static_cast<long long>(start) + thickness, extent)));
    bands.push_back(Band{color, start, end});
  }
  return bands;
}

int BandCount(int width) { return std::max(width / 4, 1); }

Gap CaptionGap(CaptionSide side, int x0, int x1, int textWidth, int indent) {
  switch (side) {
    case CaptionSide::Left:
      return Gap{x0 + indent, x0 + indent + textWidth};
    case CaptionSide::Right:
      return Gap{x1 - textWidth - indent, x1 - indent};
    case CaptionSide::Center:
      break;
  }
  const int before = (x1 - x0 - textWidth) / 2;
  return Gap{x0 + before, x0 + textWidth + before};
}

}  // namespace banner
