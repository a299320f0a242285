#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Graphics.h"

// Pixel pictures for drawing tests: one string per row, one letter per pixel.
//   '.' background   D cl3DDkShadow   S clBtnShadow   H clBtnHighlight   L cl3DLight
//   T clBtnText      any other letter: as given to Expect() in `extra`
namespace pixelart {

constexpr COLORREF kBackground = RGB(1, 2, 3);

inline COLORREF ColorOf(char c, COLORREF extraColor) {
  switch (c) {
    case '.': return kBackground;
    case 'D': return ColorToRGB(cl3DDkShadow);
    case 'S': return ColorToRGB(clBtnShadow);
    case 'H': return ColorToRGB(clBtnHighlight);
    case 'L': return ColorToRGB(cl3DLight);
    case 'T': return ColorToRGB(clBtnText);
    default: return extraColor;
  }
}

// The bitmap's pixels from (x0, y0) against the picture; lists the differing pixels.
inline std::string Compare(TBitmap& bitmap, int x0, int y0, const std::vector<std::string>& rows,
                           COLORREF extraColor = 0) {
  std::string diff;
  for (int y = 0; y < static_cast<int>(rows.size()); ++y)
    for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
      const COLORREF want = ColorOf(rows[y][x], extraColor), got = bitmap.Pixel(x0 + x, y0 + y);
      if (want != got) {
        char line[96];
        wsprintfA(line, "(%d,%d) '%c' want %06lX got %06lX\n", x, y, rows[y][x], want, got);
        diff += line;
      }
    }
  return diff;
}

// A bitmap of the given size filled with the background colour.
inline void Clear(TBitmap& bitmap, int width, int height) {
  bitmap.SetSize(width, height);
  bitmap.Canvas().Brush().SetColor(static_cast<TColor>(kBackground));
  bitmap.Canvas().FillRect(TRect{0, 0, width, height});
}

}  // namespace pixelart
