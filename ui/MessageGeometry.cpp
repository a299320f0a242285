#include "ui/MessageGeometry.h"

#include <algorithm>

TDialogUnits DialogUnits(TSize lettersExtent) { return {lettersExtent.cx / 52, lettersExtent.cy}; }

TMessageLayout LayoutMessageBox(TDialogUnits u, int captionWidth, TSize text) {
  TMessageLayout l;
  l.HorzMargin = MulDivRound(8, u.X, 4);
  l.VertMargin = MulDivRound(8, u.Y, 8);
  l.VertSpacing = MulDivRound(10, u.Y, 8);
  l.ButtonHeight = MulDivRound(14, u.Y, 8);
  l.ButtonWidth = std::max(MulDivRound(50, u.X, 4), captionWidth + 8);
  l.ClientWidth = std::max(text.cx, l.ButtonWidth) + 2 * l.HorzMargin;
  l.ClientHeight = text.cy + l.ButtonHeight + l.VertSpacing + 2 * l.VertMargin;
  l.MessageRect = Bounds(l.HorzMargin, l.VertMargin, text.cx, text.cy);
  l.ButtonRect = Bounds((l.ClientWidth - l.ButtonWidth) / 2, text.cy + l.VertMargin + l.VertSpacing, l.ButtonWidth,
                        l.ButtonHeight);
  return l;
}

TRect CenteredWindowRect(TSize screen, int clientWidth, int clientHeight, TSize frameExtra) {
  const int width = clientWidth + frameExtra.cx;
  const int height = clientHeight + frameExtra.cy;
  return Bounds(screen.cx / 2 - width / 2, screen.cy / 2 - height / 2, width, height);
}

std::string MessageSummary(const std::string& caption, const std::string& message,
                           const std::vector<std::string>& buttonCaptions) {
  const std::string lineBreak = "\r\n";
  const std::string divider = std::string(27, '-') + lineBreak;
  std::string buttons;
  for (const std::string& c : buttonCaptions) buttons += c + "   ";
  std::erase(buttons, '&');
  return divider + caption + lineBreak + divider + message + lineBreak + divider + buttons + lineBreak + divider;
}
