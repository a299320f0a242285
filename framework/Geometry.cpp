#include "framework/Geometry.h"

#include <cstdint>

int MulDivRound(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t p = static_cast<std::int64_t>(a) * b;
  const std::int64_t half = (c < 0 ? -c : c) / 2;
  const bool negative = (p < 0) != (c < 0);
  const std::int64_t mag = ((p < 0 ? -p : p) + half) / (c < 0 ? -c : c);
  return static_cast<int>(negative ? -mag : mag);
}
