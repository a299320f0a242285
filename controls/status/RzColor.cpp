#include "controls/status/RzColor.h"

#include <algorithm>
#include <cmath>

double RoundHalfEven(double value) {
  const double down = std::floor(value);
  const double fraction = value - down;
  if (fraction < 0.5) return down;
  if (fraction > 0.5) return down + 1;
  return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

namespace {

std::uint8_t ToByte(double scaled) { return static_cast<std::uint8_t>(RoundHalfEven(scaled)); }

}  // namespace

THslColor HslFromColor(TColor color, TSysColorResolver resolve) {
  const std::uint32_t rgb = ColorToRgbWith(color, resolve);
  const double r = RedOf(rgb) / 255.0, g = GreenOf(rgb) / 255.0, b = BlueOf(rgb) / 255.0;
  const double max = std::max({r, g, b});
  const double min = std::min({r, g, b});
  const double l = (max + min) / 2;
  double h = 0, s = 0;
  if (max != min) {
    const double d = max - min;
    s = l < 0.5 ? d / (max + min) : d / (2 - max - min);
    if (r == max)
      h = (g - b) / d;
    else if (g == max)
      h = 2 + (b - r) / d;
    else
      h = 4 + (r - g) / d;
    h /= 6;
    if (h < 0) h += 1;
  }
  return {ToByte(h * 240), ToByte(s * 240), ToByte(l * 240)};
}

TColor ColorFromHsl(std::uint8_t hue, std::uint8_t saturation, std::uint8_t luminance) {
  double h = hue / 239.0;
  const double s = saturation / 240.0, l = luminance / 240.0;
  const double m2 = l < 0.5 ? l * (1 + s) : (l + s) - l * s;
  double red = 0, green = 0, blue = 0;
  if (m2 > 0) {
    const double m1 = 2 * l - m2;
    const double v = (m2 - m1) / m2;
    h *= 6;
    const int sextant = static_cast<int>(h);
    const double vsf = m2 * v * (h - sextant);
    const double mid1 = m1 + vsf, mid2 = m2 - vsf;
    switch (sextant) {
      case 1: red = mid2, green = m2, blue = m1; break;
      case 2: red = m1, green = m2, blue = mid1; break;
      case 3: red = m1, green = mid2, blue = m2; break;
      case 4: red = mid1, green = m1, blue = m2; break;
      case 5: red = m2, green = m1, blue = mid2; break;
      default: red = m2, green = mid1, blue = m1; break;  // 0, and a hue of 239 or more
    }
  }
  // Above 1 cuts to 1. Below 0 (a saturation above 240 makes m1 negative) cuts to 0, rather than
  // wrapping round to a bright value.
  auto component = [](double c) { return static_cast<int>(RoundHalfEven(std::clamp(c, 0.0, 1.0) * 255)); };
  return static_cast<TColor>(MakeRgb(component(red), component(green), component(blue)));
}

TColor LowerLuminance(TColor color, std::uint8_t amount, TSysColorResolver resolve) {
  const THslColor hsl = HslFromColor(color, resolve);
  return ColorFromHsl(hsl.Hue, hsl.Saturation, static_cast<std::uint8_t>(std::max(hsl.Luminance - amount, 0)));
}

TColor RaiseLuminance(TColor color, std::uint8_t amount, TSysColorResolver resolve) {
  const THslColor hsl = HslFromColor(color, resolve);
  return ColorFromHsl(hsl.Hue, hsl.Saturation, static_cast<std::uint8_t>(std::min(hsl.Luminance + amount, 255)));
}

TColor ShiftLuminance(TColor color, std::int32_t amount, TSysColorResolver resolve) {
  // Negated in unsigned arithmetic so that the most negative amount is well defined.
  if (amount < 0)
    return LowerLuminance(color, static_cast<std::uint8_t>(0u - static_cast<std::uint32_t>(amount)), resolve);
  if (amount > 0) return RaiseLuminance(color, static_cast<std::uint8_t>(amount), resolve);
  return color;
}
