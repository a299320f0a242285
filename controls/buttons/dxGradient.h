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

// The colour of each row of a top-to-bottom gradient `height` rows high made of `colors` as
// bands. Band i covers rows MulDiv(i, height, n) onwards; every band after the first starts
// with dither rows in the previous band's colour, so the steps do not show as hard lines.
std::vector<std::uint32_t> VerticalGradientRows(const std::vector<std::uint32_t>& colors, int height,
                                                const TRandomInt& random);
