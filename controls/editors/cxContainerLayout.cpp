#include "controls/editors/cxContainerLayout.h"

TcxContainerBorderStyle DefaultBorderStyle(TcxLookAndFeelKind kind) {
  switch (kind) {
    case lfFlat:
      return cbsFlat;
    case lfStandard:
      return cbs3D;
    case lfUltraFlat:
      break;
  }
  return cbsUltraFlat;
}

TcxContainerBorderStyle FrameStyleFor(TcxContainerBorderStyle style, bool hotOrFocused) {
  if (style == cbsUltraFlat) return cbsSingle;
  if (!hotOrFocused) return style;
  switch (style) {
    case cbsNone:
      return cbsFlat;
    case cbsSingle:
      return cbsThick;
    case cbsFlat:
      return cbs3D;
    default:
      return style;
  }
}

int BorderWidth(TcxContainerBorderStyle style) {
  static constexpr int kWidths[] = {0, 1, 2, 2, 2, 1};
  return kWidths[style];
}

int TextEditAutoHeight(int textHeight, int borderExtent) {
  return 2 * borderExtent + textHeight + (textHeight > 0 ? 4 : 0);
}

TRect InnerEditBounds(const TRect& content, int textHeight) {
  return Bounds(content.Left + 1, content.Top + 1, content.Width() - 1, textHeight + 4);
}

std::optional<TRect> InnerEditClip(const TRect& inner, const TRect& content) {
  TRect clip{0, 0, inner.Width(), inner.Height()};
  if (inner.Left < content.Left) clip.Left += content.Left - inner.Left;
  if (inner.Top < content.Top) clip.Top += content.Top - inner.Top;
  if (inner.Right > content.Right) clip.Right -= inner.Right - content.Right;
  if (inner.Bottom > content.Bottom) clip.Bottom -= inner.Bottom - content.Bottom;
  if (clip == TRect{0, 0, inner.Width(), inner.Height()}) return std::nullopt;
  return clip;
}
