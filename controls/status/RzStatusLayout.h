#pragma once

// Arithmetic of the status panes' caption placement; no platform calls.

enum TRzScrollType { stNone, stRightToLeft, stLeftToRight };

// Width of an automatically sized pane: the default width without a caption, otherwise the
// caption's width plus the border on both sides, the offset and 6 pixels of frame and margin.
int AutoWidthFor(bool captionEmpty, int defaultWidth, unsigned borderWidth, int textWidth, int captionOffset);

// Scroll position at which a marquee starts over: once the caption has travelled its own
// width plus the pane's width it has left the caption area whichever way it runs.
int MarqueeWrapLimit(int captionWidth, int paneWidth);

// Left edge of the marquee's text in caption-buffer columns (stNone has no scrolled position;
// it is treated as right to left).
int MarqueeTextLeft(TRzScrollType type, int paneWidth, int position, int captionWidth);

// Scroll size as stored: never 0, so that the marquee always moves.
unsigned short StoredScrollSize(unsigned short size);
