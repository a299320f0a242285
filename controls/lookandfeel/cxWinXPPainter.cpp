// The native painter: the visual-styles service draws where the theme class it needs opens.
#include "controls/lookandfeel/cxLookAndFeelPainters.h"

#include <vssym32.h>

#include <algorithm>
#include <optional>

#include "controls/lookandfeel/cxPainterResources.h"
#include "controls/lookandfeel/dxThemeManager.h"

namespace {

bool DrawThemed(TcxCanvas& canvas, TdxThemedObjectType type, int part, int state, const TRect& r) {
  HTHEME theme = OpenTheme(type);
  if (!theme || !UxTheme().DrawThemeBackground) return false;
  RECT rc = cxToRECT(r);
  return SUCCEEDED(UxTheme().DrawThemeBackground(theme, canvas.Handle(), part, state, &rc, nullptr));
}

// The class opens and the library can draw it.
bool CanDrawTheme(TdxThemedObjectType type) { return OpenTheme(type) && UxTheme().DrawThemeBackground; }

bool ThemePartSize(TdxThemedObjectType type, int part, int state, TSize& size) {
  HTHEME theme = OpenTheme(type);
  if (!theme || !UxTheme().GetThemePartSize) return false;
  TcxScreenDC screen;
  SIZE s{};
  if (FAILED(UxTheme().GetThemePartSize(theme, screen.Get(), part, state, nullptr, TS_TRUE, &s))) return false;
  size = TSize{s.cx, s.cy};
  return true;
}

bool ThemeColor(TdxThemedObjectType type, int part, int state, int property, TColor& color) {
  HTHEME theme = OpenTheme(type);
  COLORREF c = 0;
  if (!theme || !UxTheme().GetThemeColor || FAILED(UxTheme().GetThemeColor(theme, part, state, property, &c)))
    return false;
  color = static_cast<TColor>(c);
  return true;
}

// Normal, hot, pressed and disabled states of most theme parts are 1 to 4.
int ThemeState(PainterButtonState state) {
  switch (state) {
    case pbsHot: return 2;
    case pbsPressed: return 3;
    case pbsDisabled: return 4;
    default: return 1;
  }
}

int PushButtonState(PainterButtonState state) { return state == pbsDefault ? PBS_DEFAULTED : ThemeState(state); }

int ArrowButtonState(TcxArrowDirection direction, PainterButtonState state) {
  static const int kFirst[] = {ABS_UPNORMAL, ABS_DOWNNORMAL, ABS_LEFTNORMAL, ABS_RIGHTNORMAL};
  return kFirst[direction] + ThemeState(state) - 1;
}

}  // namespace

using Standard = TcxStandardLookAndFeelPainter;

void TcxWinXPLookAndFeelPainter::PaintArrow(TcxCanvas& canvas, const TRect& r, TColor color,
                                            TcxArrowDirection direction) const {
  TcxCustomLookAndFeelPainter::PaintArrow(canvas, r, color, direction);
}

void TcxWinXPLookAndFeelPainter::PaintArrowButton(TcxCanvas& canvas, const TRect& r, bool withButton,
                                                  TcxArrowDirection direction, PainterButtonState state) const {
  if (withButton && DrawThemed(canvas, totScrollBar, SBP_ARROWBTN, ArrowButtonState(direction, state), r)) return;
  Standard::PaintArrowButton(canvas, r, withButton, direction, state);
}

void TcxWinXPLookAndFeelPainter::PaintButtonBody(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const {
  if (DrawThemed(canvas, totButton, BP_PUSHBUTTON, PushButtonState(state), r)) return;
  Standard::PaintButtonBody(canvas, r, state);
}

int TcxWinXPLookAndFeelPainter::EditBorderWidth() const { return OpenTheme(totListView) ? 1 : 2; }

void TcxWinXPLookAndFeelPainter::PaintEditBorder(TcxCanvas& canvas, const TRect& r) const {
  if (OpenTheme(totListView)) {
    gdi::SavedState saved(canvas.Handle());
    canvas.ExcludeClipRect(cxInflate(r, 1));
    if (DrawThemed(canvas, totListView, 5, 0, r)) return;
  }
  Standard::PaintEditBorder(canvas, r);
}

int TcxWinXPLookAndFeelPainter::ButtonFrameWidth(PainterButtonState state) const {
  HTHEME theme = OpenTheme(totButton);
  if (theme && UxTheme().GetThemeBackgroundContentRect) {
    TcxScreenDC screen;
    RECT bounds{0, 0, 100, 100}, content{};
    if (SUCCEEDED(UxTheme().GetThemeBackgroundContentRect(theme, screen.Get(), BP_PUSHBUTTON,
                                                          PushButtonState(state), &bounds, &content)))
      return content.left;
  }
  return 2;
}

TColor TcxWinXPLookAndFeelPainter::ButtonFaceColor(PainterButtonState state) const {
  TColor color;
  if (ThemeColor(totButton, BP_PUSHBUTTON, PushButtonState(state), TMT_FILLCOLOR, color)) return color;
  return Standard::ButtonFaceColor(state);
}

bool TcxWinXPLookAndFeelPainter::ButtonFocusBounds(TcxCanvas& canvas, const TRect& r, TRect& focus) const {
  HTHEME theme = OpenTheme(totButton);
  if (theme && UxTheme().GetThemeBackgroundContentRect) {
    RECT bounds = cxToRECT(r), content{};
    if (SUCCEEDED(UxTheme().GetThemeBackgroundContentRect(theme, canvas.Handle(), BP_PUSHBUTTON, PBS_NORMAL,
                                                          &bounds, &content))) {
      focus = TRect{content.left, content.top, content.right, content.bottom};
      if (!focus.IsEmpty()) return false;
      focus = r;
      return true;
    }
  }
  return Standard::ButtonFocusBounds(canvas, r, focus);
}

TColor TcxWinXPLookAndFeelPainter::ButtonGlyphColor(PainterButtonState state) const {
  TColor color;
  if (ThemeColor(totButton, BP_PUSHBUTTON, PushButtonState(state), TMT_TEXTCOLOR, color)) return color;
  return Standard::ButtonGlyphColor(state);
}

void TcxWinXPLookAndFeelPainter::PaintButton(TcxCanvas& canvas, const TRect& r, const std::string& caption,
                                             PainterButtonState state, bool withFrame, TColor faceColor,
                                             TColor textColor) const {
  if (!withFrame || faceColor != clDefault || !DrawThemed(canvas, totButton, BP_PUSHBUTTON, PushButtonState(state), r)) {
    Standard::PaintButton(canvas, r, caption, state, withFrame, faceColor, textColor);
    return;
  }
  if (caption.empty()) return;
  canvas.Font().SetColor(textColor == clDefault ? ButtonGlyphColor(state) : textColor);
  canvas.Brush().SetStyle(bsClear);
  canvas.DrawText(caption, cxInflate(r, ButtonFrameWidth(state)), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  canvas.Brush().SetStyle(bsSolid);
}

void TcxWinXPLookAndFeelPainter::PaintTreeToggle(TcxCanvas& canvas, const TRect& r, TColor color,
                                                 bool expanded) const {
  if (DrawThemed(canvas, totTreeView, TVP_GLYPH, expanded ? GLPS_OPENED : GLPS_CLOSED, r)) return;
  Standard::PaintTreeToggle(canvas, r, color, expanded);
}

void TcxWinXPLookAndFeelPainter::PaintSmallToggle(TcxCanvas& canvas, const TRect& r, TColor color,
                                                  bool expanded) const {
  if (DrawThemed(canvas, totTreeView, TVP_GLYPH, expanded ? GLPS_OPENED : GLPS_CLOSED, r)) return;
  Standard::PaintSmallToggle(canvas, r, color, expanded);
}

int TcxWinXPLookAndFeelPainter::TreeToggleSize() const {
  TSize size;
  if (ThemePartSize(totTreeView, TVP_GLYPH, GLPS_OPENED, size)) return size.cx;
  return Standard::TreeToggleSize();
}

int TcxWinXPLookAndFeelPainter::CheckButtonSize() const {
  TSize size;
  if (ThemePartSize(totButton, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, size)) return size.cx;
  return Standard::CheckButtonSize();
}

int TcxWinXPLookAndFeelPainter::CheckBorderSize() const {
  // The themed image carries its own frame.
  return CanDrawTheme(totButton) ? 0 : Standard::CheckBorderSize();
}

void TcxWinXPLookAndFeelPainter::PaintCheckMark(TcxCanvas& canvas, const TRect& r, TColor color, bool checked,
                                                PainterButtonState state) const {
  const int first = checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL;
  if (DrawThemed(canvas, totButton, BP_CHECKBOX, first + ThemeState(state) - 1, r)) return;
  Standard::PaintCheckMark(canvas, r, color, checked, state);
}

void TcxWinXPLookAndFeelPainter::PaintCheckFrame(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const {
  if (CanDrawTheme(totButton)) return;  // the themed mark draws the whole box
  Standard::PaintCheckFrame(canvas, r, state);
}

void TcxWinXPLookAndFeelPainter::PaintRadioButton(TcxCanvas& canvas, int x, int y, bool checked,
                                                  PainterButtonState state, bool focused, TColor color) const {
  TSize size{13, 13};
  ThemePartSize(totButton, BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL, size);
  const int first = checked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL;
  if (CanDrawTheme(totButton)) {
    if (color != clDefault) {
      canvas.SetBrushColor(color);
      canvas.FillRect(Bounds(x, y, size.cx, size.cy));
    }
    if (DrawThemed(canvas, totButton, BP_RADIOBUTTON, first + ThemeState(state) - 1, Bounds(x, y, size.cx, size.cy)))
      return;
  }
  Standard::PaintRadioButton(canvas, x, y, checked, state, focused, color);
}

void TcxWinXPLookAndFeelPainter::PaintHeaderBackground(TcxCanvas& canvas, const TRect& r, PainterButtonState state,
                                                       TColor color) const {
  if (color == clDefault && DrawThemed(canvas, totHeader, HP_HEADERITEM, ThemeState(state), r)) return;
  Standard::PaintHeaderBackground(canvas, r, state, color);
}

void TcxWinXPLookAndFeelPainter::PaintHeaderBorder(TcxCanvas& canvas, const TRect& r, TcxBorders sides) const {
  if (CanDrawTheme(totHeader)) return;  // part of the themed background
  Standard::PaintHeaderBorder(canvas, r, sides);
}

int TcxWinXPLookAndFeelPainter::HeaderBorderSize() const {
  return CanDrawTheme(totHeader) ? 1 : Standard::HeaderBorderSize();
}

void TcxWinXPLookAndFeelPainter::PaintSortMark(TcxCanvas& canvas, const TRect& r, bool ascending) const {
  if (DrawThemed(canvas, totHeader, HP_HEADERSORTARROW, ascending ? HSAS_SORTEDUP : HSAS_SORTEDDOWN, r)) return;
  Standard::PaintSortMark(canvas, r, ascending);
}

TSize TcxWinXPLookAndFeelPainter::SortMarkSize() const {
  TSize size;
  if (ThemePartSize(totHeader, HP_HEADERSORTARROW, HSAS_SORTEDUP, size) && size.cx > 0) return size;
  return Standard::SortMarkSize();
}

void TcxWinXPLookAndFeelPainter::PaintFooterArea(TcxCanvas& canvas, const TRect& r,
                                                 const TcxPainterText& text) const {
  if (!DrawThemed(canvas, totHeader, HP_HEADERITEM, HIS_NORMAL, r)) {
    Standard::PaintFooterArea(canvas, r, text);
    return;
  }
  TcxPainterText t = text;
  if (t.Bounds.IsEmpty()) t.Bounds = cxInflate(r, 1);
  PaintText(canvas, t, DefaultFooterTextColor());
}

namespace {
// The margins (left, top, right, bottom) of the themed header item, measured in a 100 by 100
// rectangle; none without the "Header" theme.
std::optional<TRect> HeaderItemMargins() {
  HTHEME theme = OpenTheme(totHeader);
  if (!theme || !UxTheme().GetThemeBackgroundContentRect) return std::nullopt;
  TcxScreenDC screen;
  RECT bounds{0, 0, 100, 100}, content{};
  if (FAILED(UxTheme().GetThemeBackgroundContentRect(theme, screen.Get(), HP_HEADERITEM, HIS_NORMAL, &bounds,
                                                     &content)))
    return std::nullopt;
  return TRect{content.left, content.top, 100 - content.right, 100 - content.bottom};
}
}  // namespace

TcxBorders TcxWinXPLookAndFeelPainter::BorderSides() const {
  const std::optional<TRect> m = HeaderItemMargins();
  if (!m) return Standard::BorderSides();
  TcxBorders sides;
  if (m->Left > 0) sides += bLeft;
  if (m->Top > 0) sides += bTop;
  if (m->Right > 0) sides += bRight;
  if (m->Bottom > 0) sides += bBottom;
  return sides;
}

int TcxWinXPLookAndFeelPainter::BorderSize() const {
  const std::optional<TRect> m = HeaderItemMargins();
  return m ? std::max({m->Left, m->Top, m->Right, m->Bottom}) : Standard::BorderSize();
}

int TcxWinXPLookAndFeelPainter::ContentInset() const {
  const std::optional<TRect> m = HeaderItemMargins();
  return m ? m->Left : Standard::ContentInset();
}

int TcxWinXPLookAndFeelPainter::SeparatorSize() const {
  const std::optional<TRect> m = HeaderItemMargins();
  return m ? m->Bottom : Standard::SeparatorSize();
}

void TcxWinXPLookAndFeelPainter::PaintRaisedFrame(TcxCanvas& canvas, const TRect& r) const {
  HTHEME theme = OpenTheme(totButton);
  RECT rc = cxToRECT(r);
  if (theme && UxTheme().DrawThemeEdge &&
      SUCCEEDED(UxTheme().DrawThemeEdge(theme, canvas.Handle(), BP_PUSHBUTTON, PBS_NORMAL, &rc, EDGE_RAISED,
                                        BF_RECT, nullptr)))
    return;
  Standard::PaintRaisedFrame(canvas, r);
}

void TcxWinXPLookAndFeelPainter::PaintCloseButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const {
  if (DrawThemed(canvas, totWindow, WP_SMALLCLOSEBUTTON, ThemeState(state), r)) return;
  Standard::PaintCloseButton(canvas, r, state);
}

void TcxWinXPLookAndFeelPainter::PaintFilterButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state,
                                                   bool active) const {
  if (DrawThemed(canvas, totComboBox, CP_DROPDOWNBUTTON, ThemeState(state), r)) return;
  Standard::PaintFilterButton(canvas, r, state, active);
}

TSize TcxWinXPLookAndFeelPainter::FilterActivateButtonSize() const {
  TSize size;
  if (ThemePartSize(totButton, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, size)) return size;
  return Standard::FilterActivateButtonSize();
}

TSize TcxWinXPLookAndFeelPainter::FilterDropDownButtonSize() const {
  TSize size;
  if (ThemePartSize(totComboBox, CP_DROPDOWNBUTTON, CBXS_NORMAL, size) && size.cx > 0) return size;
  return Standard::FilterDropDownButtonSize();
}

void TcxWinXPLookAndFeelPainter::PaintTabPane(TcxCanvas& canvas, const TRect& r, TcxBorders sides,
                                              TColor color) const {
  if (DrawThemed(canvas, totTab, TABP_PANE, 0, r)) return;
  Standard::PaintTabPane(canvas, r, sides, color);
}

void TcxWinXPLookAndFeelPainter::PaintTab(TcxCanvas& canvas, const TRect& r, const TcxTabArgs& tab) const {
  const int state = tab.Selected ? TIS_SELECTED : tab.Hot ? TIS_HOT : TIS_NORMAL;
  if (!DrawThemed(canvas, totTab, TABP_TABITEM, state, r)) {
    Standard::PaintTab(canvas, r, tab);
    return;
  }
  PaintTabText(canvas, tab, r);
}

void TcxWinXPLookAndFeelPainter::PaintTabsRoot(TcxCanvas& canvas, const TRect& r, bool vertical,
                                               TcxBorders sides) const {
  if (DrawThemed(canvas, totTab, TABP_PANE, 0, r)) return;
  Standard::PaintTabsRoot(canvas, r, vertical, sides);
}

int TcxWinXPLookAndFeelPainter::TabContentOffset() const { return OpenTheme(totTab) ? 2 : Standard::TabContentOffset(); }
int TcxWinXPLookAndFeelPainter::TabsRootOffset() const { return OpenTheme(totTab) ? 2 : Standard::TabsRootOffset(); }
int TcxWinXPLookAndFeelPainter::TabFrameWidth() const { return OpenTheme(totTab) ? 2 : Standard::TabFrameWidth(); }

void TcxWinXPLookAndFeelPainter::PaintIndicatorHeader(TcxCanvas& canvas, const TRect& r,
                                                      const TcxPainterText& text, TcxIndicatorKind kind) const {
  // The themed section comes through PaintHeaderBackground.
  TcxCustomLookAndFeelPainter::PaintIndicatorHeader(canvas, r, text, kind);
}

void TcxWinXPLookAndFeelPainter::PaintScrollBarPart(TcxCanvas& canvas, bool horizontal, TcxScrollBarPart part,
                                                    PainterButtonState state, const TRect& r) const {
  if (r.IsEmpty() || part == sbpNone) return;
  int themePart = 0, themeState = ThemeState(state);
  switch (part) {
    case sbpLineUp:
    case sbpLineDown:
      themePart = SBP_ARROWBTN;
      themeState = ArrowButtonState(cxScrollArrowDirection(horizontal, part), state);
      break;
    case sbpThumbnail: themePart = horizontal ? SBP_THUMBBTNHORZ : SBP_THUMBBTNVERT; break;
    case sbpPageUp: themePart = horizontal ? SBP_LOWERTRACKHORZ : SBP_LOWERTRACKVERT; break;
    case sbpPageDown: themePart = horizontal ? SBP_UPPERTRACKHORZ : SBP_UPPERTRACKVERT; break;
    case sbpNone: break;
  }
  if (DrawThemed(canvas, totScrollBar, themePart, themeState, r)) return;
  Standard::PaintScrollBarPart(canvas, horizontal, part, state, r);
}
