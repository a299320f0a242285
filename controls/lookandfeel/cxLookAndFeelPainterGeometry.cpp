#include "controls/lookandfeel/cxLookAndFeelPainterGeometry.h"

#include <algorithm>

#include "framework/Colors.h"

std::uint32_t cxUltraFlatBlend(std::uint32_t face, std::uint32_t highlight, std::uint32_t window,
                               TcxBlendWeights w) {
  if ((face & 0xFFFFFF) == 0 || (face & 0xFFFFFF) == 0xFFFFFF) face = highlight;
  auto channel = [&](int (*of)(std::uint32_t)) {
    const int sum = MulDivRound(of(face), w.Face, 100) + MulDivRound(of(highlight), w.Highlight, 100) +
                    MulDivRound(of(window), w.Window, 100);
    return std::clamp(sum, 0, 255);
  };
  return MakeRgb(channel([](std::uint32_t c) { return RedOf(c); }), channel([](std::uint32_t c) { return GreenOf(c); }),
                 channel([](std::uint32_t c) { return BlueOf(c); }));
}

TcxToggleSign cxToggleSign(const TRect& r, bool expanded) {
  const int c = (r.Left + r.Right) / 2;
  const int m = (r.Top + r.Bottom) / 2;
  const int h = (r.Width() - 4) / 2;
  TcxToggleSign sign;
  sign.Horizontal = TRect{c - h, m, c + h + 1, m + 1};
  if (!expanded) sign.Vertical = TRect{c, m - h, c + 1, m + h + 1};
  return sign;
}

namespace {

int OddUp(int n) { return n % 2 == 0 ? n + 1 : n; }

// A triangle with an odd base of `base` pixels pointing in d, its bounds centred on (cx, cy).
std::vector<TPoint> Triangle(int cx, int cy, int base, TcxArrowDirection d) {
  const int depth = base / 2 + 1;
  const int half = base / 2;
  switch (d) {
    case adDown: {
      const int top = cy - depth / 2;
      return {{cx - half, top}, {cx + half, top}, {cx, top + depth - 1}};
    }
    case adUp: {
      const int bottom = cy - depth / 2 + depth - 1;
      return {{cx - half, bottom}, {cx + half, bottom}, {cx, bottom - depth + 1}};
    }
    case adRight: {
      const int left = cx - depth / 2;
      return {{left, cy - half}, {left, cy + half}, {left + depth - 1, cy}};
    }
    case adLeft: {
      const int right = cx - depth / 2 + depth - 1;
      return {{right, cy - half}, {right, cy + half}, {right - depth + 1, cy}};
    }
  }
  return {};
}

}  // namespace

std::vector<TPoint> cxDropArrowPoints(const TRect& r) {
  const int w = OddUp(r.Width() / 2);
  const int h = w / 2 + 1;
  const int left = r.Left + (r.Width() - w) / 2;
  const int top = r.Top + (r.Height() - h) / 2;
  return {{left, top}, {left + w - 1, top}, {left + w / 2, top + h - 1}};
}

std::vector<TPoint> cxArrowPoints(const TRect& r, TcxArrowDirection direction) {
  const int base = OddUp(std::min(r.Width(), r.Height()) / 2);
  const int cx = r.Left + (r.Width() - 1) / 2;
  const int cy = r.Top + (r.Height() - 1) / 2;
  return Triangle(cx, cy, base, direction);
}

std::vector<std::vector<TPoint>> cxCheckMarkStrokes(const TRect& r) {
  // A tick 7 pixels wide and 5 high, three strokes deep.
  const int x = r.Left + (r.Width() - 7) / 2;
  const int y = r.Top + (r.Height() - 7) / 2;
  std::vector<std::vector<TPoint>> strokes;
  for (int k = 0; k < 3; ++k) strokes.push_back({{x, y + 2 + k}, {x + 2, y + 4 + k}, {x + 7, y - 1 + k}});
  return strokes;
}

TcxSortMarkLines cxSortMarkLines(int left, int top, TSize size, bool ascending) {
  const int right = left + size.cx - 1, bottom = top + size.cy - 1;
  const int midLeft = left + (size.cx - 1) / 2, midRight = left + size.cx / 2;
  TcxSortMarkLines lines;
  if (ascending) {
    // Lit from the top left: the left slope in shadow, the right slope and the base lit.
    lines.Shadow = {{{midLeft, top}, {left, bottom}}};
    lines.Highlight = {{{midRight, top}, {right, bottom}}, {{left, bottom}, {right + 1, bottom}}};
  } else {
    lines.Shadow = {{{left, top}, {right + 1, top}}, {{left, top}, {midLeft, bottom}}};
    lines.Highlight = {{{right, top}, {midRight, bottom}}};
  }
  return lines;
}

TRect cxButtonCaptionBounds(TRect r, bool pressed, int pressedShift) {
  if (r.Height() % 2 != 0) --r.Bottom;
  if (r.Height() < 18) --r.Top;
  if (pressed) r = TRect{r.Left + pressedShift, r.Top + pressedShift, r.Right + pressedShift, r.Bottom + pressedShift};
  return r;
}

TcxRadioPixel cxRadioPixel(int x, int y, bool checked) {
  // o outer ring, i inner ring, f face; the dot is a rounded 4 by 4 square in the middle.
  static const char* const kPicture[cxRadioSize] = {
      "....oooo....", "..ooiiiioo..", ".oiiffffiio.", ".oiffffffio.", "oiffffffffio", "oiffffffffio",
      "oiffffffffio", "oiffffffffio", ".oiffffffio.", ".oiiffffiio.", "..ooiiiioo..", "....oooo...."};
  if (x < 0 || y < 0 || x >= cxRadioSize || y >= cxRadioSize) return rpOutside;
  const bool leftTop = x + y < cxRadioSize - 1;
  switch (kPicture[y][x]) {
    case 'o': return leftTop ? rpOuterLeftTop : rpOuterRightBottom;
    case 'i': return leftTop ? rpInnerLeftTop : rpInnerRightBottom;
    case 'f': {
      const bool inDot = x >= 4 && x <= 7 && y >= 4 && y <= 7 && !((x == 4 || x == 7) && (y == 4 || y == 7));
      return checked && inDot ? rpDot : rpFace;
    }
    default: return rpOutside;
  }
}

const std::vector<std::string>& cxIndicatorPicture(TcxIndicatorKind kind) {
  static const std::vector<std::string> kPictures[] = {
      {},
      {".........", "..X......", "..XX.....", "..XXX....", "..XXXX...", "..XXX....", "..XX.....", "..X......",
       "........."},
      {".........", "..XX.XX..", "....X....", "....X....", "....X....", "....X....", "....X....", "..XX.XX..",
       "........."},
      {".........", "....X....", ".X..X..X.", "..X.X.X..", "...XXX...", "..X.X.X..", ".X..X..X.", "....X....",
       "........."},
      {".........", ".........", ".........", "...XXX...", "...XXX...", "...XXX...", ".........", ".........",
       "........."},
      {".........", ".X.......", ".XX......", ".XXX..XX.", ".XXXX.XX.", ".XXX.....", ".XX......", ".X.......",
       "........."},
  };
  return kPictures[kind];
}
