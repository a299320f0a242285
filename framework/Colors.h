#pragma once
#include <cstdint>

// A colour value: 0x00BBGGRR for plain colours; high byte 0xFF and an operating-system colour
// index in the low byte for system colours, which are looked up each time they are used.
using TColor = std::int32_t;

constexpr TColor SysColor(int index) { return static_cast<TColor>(0xFF000000u | static_cast<std::uint32_t>(index)); }

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clScrollBar = SysColor(0);
constexpr TColor clWindow = SysColor(5);
constexpr TColor clWindowFrame = SysColor(6);
constexpr TColor clWindowText = SysColor(8);
constexpr TColor clHighlight = SysColor(13);
constexpr TColor clHighlightText = SysColor(14);
constexpr TColor clBtnFace = SysColor(15);
constexpr TColor clBtnShadow = SysColor(16);
constexpr TColor clGrayText = SysColor(17);
constexpr TColor clBtnText = SysColor(18);
constexpr TColor clBtnHighlight = SysColor(20);
constexpr TColor cl3DDkShadow = SysColor(21);
constexpr TColor cl3DLight = SysColor(22);

constexpr bool IsSysColor(TColor c) { return (static_cast<std::uint32_t>(c) & 0xFF000000u) == 0xFF000000u; }

// Red, green and blue as 0x00BBGGRR. System colours are resolved by `sysColor(index)`;
// any other value is taken by its low three bytes.
template <class SysColorLookup>
std::uint32_t ColorToRgbWith(TColor c, SysColorLookup sysColor) {
  if (IsSysColor(c)) return static_cast<std::uint32_t>(sysColor(static_cast<int>(c & 0xFF))) & 0xFFFFFFu;
  return static_cast<std::uint32_t>(c) & 0xFFFFFFu;
}

constexpr int RedOf(std::uint32_t rgb) { return static_cast<int>(rgb & 0xFF); }
constexpr int GreenOf(std::uint32_t rgb) { return static_cast<int>((rgb >> 8) & 0xFF); }
constexpr int BlueOf(std::uint32_t rgb) { return static_cast<int>((rgb >> 16) & 0xFF); }
constexpr std::uint32_t MakeRgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r & 0xFF) | (static_cast<std::uint32_t>(g & 0xFF) << 8) |
         (static_cast<std::uint32_t>(b & 0xFF) << 16);
}
