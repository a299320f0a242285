#include "controls/buttons/dxButtonLayout.h"

TRect GlyphRoom(int w, int h, TdxLayout layout, int gw, int gh, int spacing, bool& alignRight) {
  TRect r{0, 0, w, h};
  alignRight = false;
  switch (layout) {
    case blGlyphLeft: r.Left += gw + spacing; break;
    case blGlyphRight:
      // Measured from here, the caption ends gw + spacing short of where the centring needs it.
      r.Left -= gw + spacing;
      r.Right -= 2 * (gw + spacing);
      alignRight = true;
      break;
    case blGlyphTop: r.Top += gh + spacing; break;
    case blGlyphBottom: r.Top -= gh + spacing; break;
  }
  return r;
}

TRect CentreCaption(const TRect& m, int w, int h, int pressed) {
  // Integer division rounds towards zero, also for a caption larger than the button.
  const int dx = (w - m.Right) / 2 + pressed, dy = (h - m.Bottom) / 2 + pressed;
  return TRect{m.Left + dx, m.Top + dy, m.Right + dx, m.Bottom + dy};
}

TPoint GlyphOrigin(const TRect& c, TdxLayout layout, int w, int h, int gw, int gh, int spacing, int pressed) {
  switch (layout) {
    case blGlyphLeft: return {c.Left - gw - spacing, (h - gh) / 2 + pressed};
    case blGlyphRight: return {c.Right + spacing, (h - gh) / 2 + pressed};
    case blGlyphTop: return {(w - gw) / 2 + pressed, c.Top - gh - spacing};
    case blGlyphBottom: break;
  }
  return {(w - gw) / 2 + pressed, c.Bottom + spacing};
}
