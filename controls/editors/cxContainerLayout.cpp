#include "controls/editors/cxContainerLayout.h"

#include <cstring>

int BorderWidth(TcxContainerBorderStyle style) {
  static constexpr int kWidths[] = {0, 1, 2, 2, 2, 1};
  return kWidths[style];
}

TcxContainerBorderStyle DefaultBorderStyle(TcxFrameKind kind) {
  switch (kind) {
    case fkFlat:
      return cbsFlat;
    case fkStandard:
      return cbs3D;
    case fkUltraFlat:
      break;
  }
  return cbsUltraFlat;
}

TcxContainerBorderStyle MapFrameStyle(TcxContainerBorderStyle style, int hotIndex) {
  static constexpr TcxContainerBorderStyle kIdle[] = {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsSingle};
  static constexpr TcxContainerBorderStyle kHot[] = {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsSingle};
  return hotIndex == 2 ? kHot[style] : kIdle[style];
}

TRect BorderExtent(TcxContainerBorderStyle frameStyle, bool hotTrack, bool transparentBorder, bool shadow,
                   bool themed) {
  const int w = (hotTrack || transparentBorder) ? 2 : BorderWidth(frameStyle);
  TRect r{w, w, w, w};
  if (shadow && !themed) {
    r.Right += 3;
    r.Bottom += 3;
  }
  return r;
}

TRect ReduceBy(const TRect& r, const TRect& e) {
  return TRect{r.Left + e.Left, r.Top + e.Top, r.Right - e.Right, r.Bottom - e.Bottom};
}

TRect WidenOnEdges(const TRect& r, int width, TcxEdgeSet edges) {
  TRect o = r;
  if (edges & kEdgeLeft) o.Left -= width;
  if (edges & kEdgeTop) o.Top -= width;
  if (edges & kEdgeRight) o.Right += width;
  if (edges & kEdgeBottom) o.Bottom += width;
  return o;
}

TRect HotArea(const TRect& outer, const TRect& extent, int frameWidth, TcxEdgeSet edges, bool themed) {
  if (themed) return outer;
  return WidenOnEdges(ReduceBy(outer, extent), frameWidth, edges);
}

TRect ContainerBorderExtent(const TcxContainerViewParams& p) {
  if (p.UseTheme && p.ThemedExtentIsTwo) return TRect{2, 2, 2, 2};
  const int hotIndex = p.HotTrack ? 1 : 0;
  return BorderExtent(MapFrameStyle(p.BorderStyle, hotIndex), p.HotTrack, p.TransparentBorder, p.Shadow,
                      p.UseTheme);
}

int ContainerThemeState(TcxContainerState state) {
  if (state & StateDisabled) return 4;
  if (state & StateActive) return 5;
  if (state & StateHot) return 2;
  return 1;
}

TcxContainerViewFields CalculateContainerView(const TcxContainerViewParams& p) {
  TcxContainerViewFields v;
  v.OuterRect = TRect{0, 0, p.Width, p.Height};
  v.UseTheme = p.UseTheme;
  v.DrawShadow = p.Shadow && !p.UseTheme;
  if (!p.Enabled) {
    v.State = StateDisabled;
  } else if (p.DesignTime) {
    v.State = StateNormal;
  } else {
    v.State = p.Focused ? StateActive : StateNormal;
    if (p.Hot) v.State |= StateHot;
  }
  if (!p.HotTrack) {
    v.HotIndex = 0;
  } else {
    v.HotIndex = (v.State & (StateActive | StateHot)) ? 2 : 1;
  }
  v.FrameStyle = MapFrameStyle(p.BorderStyle, v.HotIndex);
  v.FrameInner = ReduceBy(v.OuterRect, ContainerBorderExtent(p));
  v.FrameWidth = BorderWidth(v.FrameStyle);
  v.FrameEdges = p.Edges;
  if (p.BorderStyle == cbsUltraFlat) {
    if (p.DesignTime) {
      v.FrameColor = p.Enabled ? clHighlight : clBtnShadow;
    } else {
      const bool lit = (v.State & StateActive) || ((v.State & StateHot) && p.HotTrack);
      v.FrameColor = lit ? clHighlight : clBtnShadow;
    }
  } else {
    v.FrameColor = p.BorderColor;
  }
  v.ContentRect = v.FrameInner;
  if (p.UseTheme) {
    v.ThemeClass = 3;
    v.ThemePart = 1;
    v.ThemeState = ContainerThemeState(v.State);
    v.BackColor = p.Enabled ? p.ControlColor : p.ThemeDisabledColor;
  } else {
    v.BackColor = p.Enabled ? p.StyleColor : clBtnFace;
  }
  return v;
}

TRect FrameOuter(const TcxContainerViewFields& v) {
  TRect r = v.FrameInner;
  r.Left -= v.FrameWidth;
  r.Top -= v.FrameWidth;
  if (v.FrameEdges & kEdgeRight) r.Right += v.FrameWidth;
  if (v.FrameEdges & kEdgeBottom) r.Bottom += v.FrameWidth;
  return r;
}

TcxShadowBands ShadowBands(const TRect& r) {
  return TcxShadowBands{TRect{r.Left + 3, r.Bottom, r.Right, r.Bottom + 3},
                        TRect{r.Left, r.Bottom, r.Right, r.Bottom + 3},
                        TRect{r.Right, r.Top + 3, r.Right + 3, r.Bottom + 3},
                        TRect{r.Right, r.Top, r.Right + 3, r.Bottom + 3}};
}

std::vector<TRect> ContainerRegionRects(const TRect& outer, const TRect& extent, int frameWidth, TcxEdgeSet edges,
                                        bool drawShadow, bool themed) {
  if (themed) return {};
  const TRect v = WidenOnEdges(ReduceBy(outer, extent), frameWidth, edges);
  std::vector<TRect> rects{v};
  if (drawShadow) rects.push_back(TRect{v.Left + 3, v.Top + 3, v.Right + 3, v.Bottom + 3});
  return rects;
}

std::optional<TRect> ChildClipRect(const TRect& child, const TRect& client) {
  const TRect full{0, 0, child.Width(), child.Height()};
  TRect clip = full;
  if (child.Left < client.Left) clip.Left += client.Left - child.Left;
  if (child.Top < client.Top) clip.Top += client.Top - child.Top;
  if (child.Right > client.Right) clip.Right -= child.Right - client.Right;
  if (child.Bottom > client.Bottom) clip.Bottom -= child.Bottom - client.Bottom;
  if (clip == full) return std::nullopt;
  return clip;
}

int TextEditContentHeight(int textHeight, int frames, const TDensity& density) {
  if (textHeight <= 0) return 0;
  return textHeight + density.Scale(frames + 4) - frames;
}

int TextEditAutoHeight(int textHeight, int topExtent, int bottomExtent, const TDensity& density) {
  return topExtent + bottomExtent + TextEditContentHeight(textHeight, topExtent + bottomExtent, density);
}

TRect InnerEditBounds(const TRect& cr, int h, TcxEditVertAlignment vert, const TDensity& density) {
  const int gap = density.Scale(cr.Top + 1) - cr.Top;
  int top = cr.Top + gap;
  if (vert == taBottomJustify) top = cr.Bottom - h + gap;
  if (vert == taVCenter) top = cr.Top + (cr.Bottom - cr.Top - h) / 2 + gap;
  return Bounds(cr.Left + 1, top, cr.Right - cr.Left - 1, h);
}

std::string ConvertCharCase(std::string text, TcxCharCase charCase, const TLeadBytePredicate& isLeadByte) {
  if (charCase == ccNormal) return text;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    // A lead byte of a double-byte character takes its trail byte with it unchanged.
    if (isLeadByte(c) && i + 1 < text.size()) {
      ++i;
      continue;
    }
    if (charCase == ccUpperCase && c >= 'a' && c <= 'z') text[i] = static_cast<char>(c - 'a' + 'A');
    if (charCase == ccLowerCase && c >= 'A' && c <= 'Z') text[i] = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

int CopyTextToBuffer(const std::string& text, char* buffer, int size) {
  if (size < 1 || !buffer) return 0;
  const int n = static_cast<int>(text.size()) < size - 1 ? static_cast<int>(text.size()) : size - 1;
  std::memcpy(buffer, text.data(), static_cast<std::size_t>(n));
  buffer[n] = '\0';
  return n;
}

namespace {
char LowerLatin(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

std::optional<std::string> FindCompletion(const std::vector<std::string>& items, const std::string& prefix) {
  if (prefix.empty()) return std::nullopt;
  for (const std::string& item : items) {
    if (item.size() < prefix.size()) continue;
    bool match = true;
    for (std::size_t i = 0; i < prefix.size() && match; ++i) match = LowerLatin(item[i]) == LowerLatin(prefix[i]);
    if (match) return item;
  }
  return std::nullopt;
}
