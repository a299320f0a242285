#pragma once

// Rectangle in pixels; right and bottom are exclusive.
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr bool operator==(const TRect&) const = default;
};

struct TPoint {
  int X = 0, Y = 0;
  constexpr bool operator==(const TPoint&) const = default;
};

struct TSize {
  int cx = 0, cy = 0;
  constexpr bool operator==(const TSize&) const = default;
};

constexpr TRect Bounds(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

constexpr TRect Intersect(const TRect& a, const TRect& b) {
  TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top, a.Right < b.Right ? a.Right : b.Right,
          a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
  if (r.IsEmpty()) return {};
  return r;
}

// a * b / c rounded to the nearest integer, halves away from zero, as the platform's MulDiv.
int MulDivRound(int a, int b, int c);
