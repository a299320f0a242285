#pragma once
#include <cstdint>
#include <functional>
#include <vector>

// Banded gradients of the push buttons, worked out without drawing. Colours are 0x00BBGGRR with
// system colours already resolved.

// The colours of `bands` bands from `start` to `end`: band i is start + round(i * step) in each
// channel, step = (end - start) / (bands - 1), rounded to nearest with halves to even.
std::vector<std::uint32_t> GradientBandColors(std::uint32_t start, std::uint32_t end, int bands);

// Draws an integer from 0 to j - 1 (0 when j is 0).
using TRandomInt = std::function<int(int j)>;

// The colours along one line, `length` pixels, of a gradient made of `colors` as bands: a column
// of a top-to-bottom gradient, a row of a left-to-right one. Band i covers MulDiv(i, length, n)
// onwards; with `dithered`, every band after the first starts with up to length div (n - 1)
// pixels in the previous band's colour, so the steps do not show as hard lines.
std::vector<std::uint32_t> BandedGradientLine(const std::vector<std::uint32_t>& colors, int length, bool dithered,
                                              const TRandomInt& random);

// A glyph pixel of a disabled button: grey, brightened by 100 (at most white).
std::uint32_t GrayGlyphColor(std::uint32_t rgb);
