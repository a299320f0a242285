#include "framework/WordBreak.h"

#include <algorithm>

namespace wordbreak {
namespace {

bool In(char32_t c, std::u32string_view set) { return set.find(c) != std::u32string_view::npos; }

// Wide (East Asian) letters and marks: between two of them, or one and another letter, a row may break.
bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6);
}

// Marks that never begin a row.
bool IsClosing(char32_t c) {
  return In(c, U")]},.:;!?%'\"" U"\u3001\u3002\uFF0C\uFF0E\uFF1A\uFF1B\uFF01\uFF1F\uFF09\uFF3D\uFF5D\uFF05"
               U"\u3009\u300B\u300D\u300F\u3011\u3015\u3017\u3019\u301B\u2019\u201D\u2026\u2025\u30FB\u30FC\u3005");
}

// Marks that never end a row.
bool IsOpening(char32_t c) {
  return In(c, U"([{" U"\uFF08\uFF3B\uFF5B\u3008\u300A\u300C\u300E\u3010\u3014\u3016\u3018\u301A\u2018\u201C\uFF04");
}

bool IsWordStart(std::u32string_view text, int i) {
  return i == 0 || (IsSeparator(text[i - 1]) && !IsSeparator(text[i]));
}

int Clamp(std::u32string_view text, int index) { return std::clamp(index, 0, static_cast<int>(text.size())); }

}  // namespace

bool IsSeparator(char32_t c) { return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == U'\u3000'; }

bool CanBreakBetween(char32_t a, char32_t b) {
  return (IsWide(a) || IsWide(b)) && !IsClosing(b) && !IsOpening(a);
}

int Left(std::u32string_view text, int index) {
  index = Clamp(text, index);
  if (index == 0) return 0;
  for (int i = index - 1; i > 0; --i)
    if (IsWordStart(text, i)) return i;
  // No word starts before the index: the first word runs into it or ends at it.
  const auto firstSeparator = std::find_if(text.begin(), text.end(), IsSeparator) - text.begin();
  if (firstSeparator <= index) return 0;
  for (int i = index - 1; i > 0; --i)
    if (CanBreakBetween(text[i - 1], text[i])) return i;
  return 0;
}

int Right(std::u32string_view text, int index) {
  const int size = static_cast<int>(text.size());
  for (int i = std::max(Clamp(text, index), 1); i < size; ++i)
    if (IsWordStart(text, i)) return i;
  return size;
}

std::pair<int, int> WordAt(std::u32string_view text, int index) {
  const int size = static_cast<int>(text.size());
  if (index < 0 || index >= size || IsSeparator(text[index])) return {index, index};
  int first = index, last = index + 1;
  while (first > 0 && !IsSeparator(text[first - 1])) --first;
  while (last < size && !IsSeparator(text[last])) ++last;
  return {first, last};
}

}  // namespace wordbreak
