#pragma once
#include <cstdint>
#include <vector>

// The platform-free arithmetic of the gradient label: where each colour band of a band gradient
// goes, how many bands a label uses, and where a line leaves a gap for its caption.
namespace banner {

// One band: its colour (0x00BBGGRR) over [Start, End) along the gradient's direction, counted
// from the start of the painted rectangle. End is never below Start; an empty band draws nothing.
struct Band {
  std::uint32_t Color = 0;
  int Start = 0;
  int End = 0;
  bool operator==(const Band&) const = default;
};

// Bands of a gradient from `from` to `to` (0x00BBGGRR each) over `extent` pixels, in the order
// they are to be painted: a later band covers an earlier one where they overlap. A band count
// of 0 means 1. The band counter is 16 bits wide and offsets are kept modulo 65536, so extremely
// long gradients wrap rather than grow without bound.
std::vector<Band> PlanBands(std::uint32_t from, std::uint32_t to, int bandCount, int extent);

// Bands a label of this width paints: one per 4 pixels, at least one.
int BandCount(int width);

// Which side of the line the caption sits on (the label's horizontal alignment).
enum class CaptionSide { Left, Right, Center };

// The part of a line [x0, x1) left out behind a caption of width `textWidth`: the line is drawn
// over [x0, Start) and [End, x1). Halves round toward zero.
struct Gap {
  int Start = 0;
  int End = 0;
  bool operator==(const Gap&) const = default;
};
Gap CaptionGap(CaptionSide side, int x0, int x1, int textWidth, int indent);

}  // namespace banner
