#pragma once
#include <cstdint>

#include "framework/Colors.h"

// Colour arithmetic of the status panes: hue, saturation and luminance on a 0 to 240 scale,
// and luminance shifts. No platform calls: system colours are resolved by the caller's lookup
// (GetSysColor on Windows, a table in tests).

// Red, green and blue (0x00BBGGRR) of the system colour with this index.
using TSysColorResolver = std::uint32_t (*)(int index);

struct THslColor {
  std::uint8_t Hue = 0;
  std::uint8_t Saturation = 0;
  std::uint8_t Luminance = 0;
  constexpr bool operator==(const THslColor&) const = default;
};

// Nearest integer, halves to the even neighbour.
double RoundHalfEven(double value);

THslColor HslFromColor(TColor color, TSysColorResolver resolve);
// The hue is divided by 239 on the way back, so hues do not quite round-trip (blue comes
// back with a little red). Luminance above 240 is allowed and saturates the components;
// saturation above 240 drives a component below 0, which stays 0.
TColor ColorFromHsl(std::uint8_t hue, std::uint8_t saturation, std::uint8_t luminance);

TColor LowerLuminance(TColor color, std::uint8_t amount, TSysColorResolver resolve);
// The ceiling is 255, not 240: ColorFromHsl clamps what lies above.
TColor RaiseLuminance(TColor color, std::uint8_t amount, TSysColorResolver resolve);
// Negative darkens, positive lightens, each by the low 8 bits of the amount; 0 returns the
// colour itself (a system colour stays one).
TColor ShiftLuminance(TColor color, std::int32_t amount, TSysColorResolver resolve);
