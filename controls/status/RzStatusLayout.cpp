#include "controls/status/RzStatusLayout.h"

int AutoWidthFor(bool captionEmpty, int defaultWidth, unsigned borderWidth, int textWidth, int captionOffset) {
  if (captionEmpty) return defaultWidth;
  return 2 * static_cast<int>(borderWidth) + textWidth + captionOffset + 6;
}

int MarqueeWrapLimit(int captionWidth, int paneWidth) { return captionWidth + paneWidth; }

int MarqueeTextLeft(TRzScrollType type, int paneWidth, int position, int captionWidth) {
  if (type == stLeftToRight) return position - captionWidth;
  return paneWidth - position;
}

unsigned short StoredScrollSize(unsigned short size) { return size == 0 ? 1 : size; }
