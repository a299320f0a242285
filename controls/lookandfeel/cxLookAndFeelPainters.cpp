#include "controls/lookandfeel/cxLookAndFeelPainters.h"

#include <algorithm>
#include <cstdint>

#include "controls/lookandfeel/dxThemeManager.h"
#include "framework/CommonControls.h"

namespace {

TRect Offset(const TRect& r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

}  // namespace

// ---------------------------------------------------------------------------------------------
// Choosing a painter

const TcxCustomLookAndFeelPainter* cxPainterOfKind(TcxLookAndFeelKind kind) {
  switch (kind) {
    case lfFlat: return &TcxFlatLookAndFeelPainter::Instance();
    case lfStandard: return &TcxStandardLookAndFeelPainter::Instance();
    case lfUltraFlat: break;
  }
  return &TcxUltraFlatLookAndFeelPainter::Instance();
}

const TcxCustomLookAndFeelPainter* TcxLookAndFeel::Painter() const {
  if (NativeStyle() && ThemesAvailable()) return &TcxWinXPLookAndFeelPainter::Instance();
  return cxPainterOfKind(Kind());
}

const TcxCustomLookAndFeelPainter& TcxCustomLookAndFeelPainter::Instance() {
  static const TcxCustomLookAndFeelPainter painter;
  return painter;
}
const TcxStandardLookAndFeelPainter& TcxStandardLookAndFeelPainter::Instance() {
  static const TcxStandardLookAndFeelPainter painter;
  return painter;
}
const TcxFlatLookAndFeelPainter& TcxFlatLookAndFeelPainter::Instance() {
  static const TcxFlatLookAndFeelPainter painter;
  return painter;
}
const TcxUltraFlatLookAndFeelPainter& TcxUltraFlatLookAndFeelPainter::Instance() {
  static const TcxUltraFlatLookAndFeelPainter painter;
  return painter;
}
const TcxWinXPLookAndFeelPainter& TcxWinXPLookAndFeelPainter::Instance() {
  static const TcxWinXPLookAndFeelPainter painter;
  return painter;
}

// ---------------------------------------------------------------------------------------------
// TcxCustomLookAndFeelPainter

void TcxCustomLookAndFeelPainter::PaintText(TcxCanvas& canvas, const TcxPainterText& text,
                                            TColor defaultColor) const {
  TFont saved;
  saved.Assign(canvas.Font());
  if (text.Font) canvas.Font().Assign(*text.Font);
  canvas.Font().SetColor(text.Color == clDefault ? defaultColor : text.Color);
  canvas.Brush().SetStyle(bsClear);
  canvas.DrawText(text.Text, text.Bounds, text.Format);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Font().Assign(saved);
}

void TcxCustomLookAndFeelPainter::PaintDropArrow(TcxCanvas& canvas, const TRect& r, TColor color) const {
  canvas.SetBrushColor(color);
  canvas.Pen().SetColor(color);
  canvas.Polygon(cxDropArrowPoints(r));
}

void TcxCustomLookAndFeelPainter::PaintTextArea(TcxCanvas& canvas, const TRect& r,
                                                const TcxPaintBackgroundEvent& background, TColor color,
                                                const TcxPainterText& text) const {
  if (!background || !background(canvas, r)) {
    canvas.SetBrushColor(color);
    canvas.FillRect(r);
  }
  if (text.Text.empty()) return;
  TcxPainterText t = text;
  if (t.Bounds.IsEmpty()) t.Bounds = r;
  PaintText(canvas, t, DefaultContentTextColor());
}

void TcxCustomLookAndFeelPainter::PaintArrow(TcxCanvas& canvas, const TRect& r, TColor color,
                                             TcxArrowDirection direction) const {
  canvas.SetBrushColor(color);
  canvas.Pen().SetColor(color);
  canvas.Polygon(cxArrowPoints(r, direction));
}

void TcxCustomLookAndFeelPainter::PaintArrowButton(TcxCanvas& canvas, const TRect& r, bool withButton,
                                                   TcxArrowDirection direction, PainterButtonState state) const {
  TRect inner = r;
  if (withButton) {
    PaintButtonBody(canvas, r, state);
    inner = cxInflate(r, ButtonFrameWidth(state));
  } else {
    canvas.SetBrushColor(ButtonFaceColor(state));
    canvas.FillRect(r);
  }
  // The state is in the colour only: neither embossed when disabled nor shifted when pressed.
  PaintArrow(canvas, inner, ButtonGlyphColor(state), direction);
}

void TcxCustomLookAndFeelPainter::PaintButtonBody(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const {
  canvas.SetBrushColor(ButtonFaceColor(state));
  canvas.FillRect(r);
  PaintButtonFrame(canvas, r, state);
}

void TcxCustomLookAndFeelPainter::PaintButtonArrow(TcxCanvas& canvas, const TRect& r, TcxArrowDirection direction,
                                                   PainterButtonState state) const {
  TRect at = r;
  if (state == pbsPressed) at = Offset(at, ButtonPressedShift(), ButtonPressedShift());
  if (state == pbsDisabled) {
    PaintArrow(canvas, Offset(at, 1, 1), clBtnHighlight, direction);
    PaintArrow(canvas, at, clBtnShadow, direction);
    return;
  }
  PaintArrow(canvas, at, ButtonGlyphColor(state), direction);
}

bool TcxCustomLookAndFeelPainter::ButtonFocusBounds(TcxCanvas&, const TRect& r, TRect& focus) const {
  focus = cxInflate(r, 4);
  if (!focus.IsEmpty()) return false;
  focus = r;
  return true;
}

TColor TcxCustomLookAndFeelPainter::ButtonGlyphColor(PainterButtonState state) const {
  return state == pbsDisabled ? clBtnShadow : clBtnText;
}

void TcxCustomLookAndFeelPainter::PaintButton(TcxCanvas& canvas, const TRect& bounds, const std::string& caption,
                                              PainterButtonState state, bool withFrame, TColor faceColor,
                                              TColor textColor) const {
  TRect r = bounds;
  if (withFrame) {
    PaintButtonFrame(canvas, r, state);
    r = cxInflate(r, ButtonFrameWidth(state));
  }
  canvas.SetBrushColor(faceColor == clDefault ? ButtonFaceColor(state) : faceColor);
  canvas.FillRect(r);
  canvas.Font().SetColor(textColor == clDefault ? ButtonGlyphColor(state) : textColor);
  canvas.Brush().SetStyle(bsClear);
  r = cxButtonCaptionBounds(r, state == pbsPressed, ButtonPressedShift());
  if (!caption.empty()) {
    // An ampersand marks the accelerator.
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (state == pbsDisabled) {
      DrawEmbossedText(canvas.Canvas(), caption, r, format);
    } else {
      canvas.DrawText(caption, r, format);
    }
  }
  canvas.Brush().SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::PaintRowButton(TcxCanvas& canvas, const TRect& r, TColor, int, int,
                                                 PainterButtonState state) const {
  PaintButton(canvas, r, "", state, true, clDefault, clDefault);
}

void TcxCustomLookAndFeelPainter::PaintSmallToggle(TcxCanvas& canvas, const TRect& r, TColor color,
                                                   bool expanded) const {
  canvas.FrameSides(r, clDefault, cxBordersAll, 1);
  const TRect inner = cxInflate(r, 1);
  if (color != clDefault) {
    canvas.SetBrushColor(color);
    canvas.FillRect(inner);
  }
  PaintToggleSign(canvas, inner, clBtnText, expanded);
}

void TcxCustomLookAndFeelPainter::PaintToggleSign(TcxCanvas& canvas, const TRect& r, TColor color,
                                                  bool expanded) const {
  const TcxToggleSign sign = cxToggleSign(r, expanded);
  canvas.SetBrushColor(color);
  canvas.FillRect(sign.Horizontal);
  if (!sign.Vertical.IsEmpty()) canvas.FillRect(sign.Vertical);
}

TColor TcxCustomLookAndFeelPainter::CheckFaceColor(PainterButtonState state) const {
  return state == pbsPressed || state == pbsDisabled ? clBtnFace : clWindow;
}

void TcxCustomLookAndFeelPainter::PaintCheckMark(TcxCanvas& canvas, const TRect& r, TColor color, bool checked,
                                                 PainterButtonState state) const {
  canvas.SetBrushColor(CheckFaceColor(state));
  canvas.FillRect(r);
  if (!checked) return;
  canvas.Pen().SetColor(color);
  for (const auto& stroke : cxCheckMarkStrokes(r)) {
    canvas.MoveTo(stroke[0].X, stroke[0].Y);
    canvas.LineTo(stroke[1].X, stroke[1].Y);
    canvas.LineTo(stroke[2].X, stroke[2].Y);
  }
}

void TcxCustomLookAndFeelPainter::PaintCheckBox(TcxCanvas& canvas, const TRect& r, bool checked,
                                                PainterButtonState state) const {
  PaintCheckFrame(canvas, r, state);
  PaintCheckMark(canvas, cxInflate(r, CheckBorderSize()), state == pbsDisabled ? clGrayText : clBtnText, checked,
                 state);
}

void TcxCustomLookAndFeelPainter::PaintRadioButton(TcxCanvas& canvas, int x, int y, bool checked,
                                                   PainterButtonState state, bool focused, TColor color) const {
  if (color != clDefault) {
    canvas.SetBrushColor(color);
    canvas.FillRect(Bounds(x, y, cxRadioSize, cxRadioSize));
  }
  // A focused button looks hot where the painter tracks hover.
  if (focused && TracksButtonHover() && (state == pbsNormal || state == pbsDefault)) state = pbsHot;
  if (HIMAGELIST images = cxRadioImages())
    commctrl::ImageList_Draw(images, cxRadioImageIndex(Style(), state, checked), canvas.Handle(), x, y,
                             ILD_TRANSPARENT);
}

void TcxCustomLookAndFeelPainter::PaintHeader(TcxCanvas& canvas, const TRect& r, TcxBorders sides,
                                              PainterButtonState state, const TcxPainterText& text,
                                              TColor color) const {
  PaintHeaderBackground(canvas, r, state, color);
  PaintHeaderBorder(canvas, r, sides);
  if (text.Text.empty()) return;
  TcxPainterText t = text;
  if (t.Bounds.IsEmpty()) t.Bounds = HeaderTextBounds(HeaderContentBounds(r, sides), false);
  PaintText(canvas, t, HeaderTextColor(state));
}

void TcxCustomLookAndFeelPainter::PaintHeaderBackground(TcxCanvas& canvas, const TRect& r, PainterButtonState,
                                                        TColor color) const {
  canvas.SetBrushColor(color == clDefault ? DefaultHeaderColor() : color);
  canvas.FillRect(r);
}

TRect TcxCustomLookAndFeelPainter::HeaderContentBounds(const TRect& r, TcxBorders sides) const {
  const TcxBorders framed = HeaderBorders(sides);
  const int w = HeaderBorderSize();
  TRect c = r;
  if (framed.Contains(bLeft)) c.Left += w;
  if (framed.Contains(bTop)) c.Top += w;
  if (framed.Contains(bRight)) c.Right -= w;
  if (framed.Contains(bBottom)) c.Bottom -= w;
  return c;
}

int TcxCustomLookAndFeelPainter::HeaderWidth(TcxCanvas& canvas, TcxBorders sides, const std::string& text,
                                             TFont* font) const {
  TFont saved;
  saved.Assign(canvas.Font());
  if (font) canvas.Font().Assign(*font);
  const int textWidth = canvas.TextExtent(text).cx;
  canvas.Font().Assign(saved);
  const TcxBorders framed = HeaderBorders(sides);
  return cxHeaderWidth(textWidth, HeaderBorderSize(), framed.Contains(bLeft), framed.Contains(bRight));
}

TColor TcxCustomLookAndFeelPainter::HeaderTextColor(PainterButtonState state) const {
  return state == pbsDisabled ? clBtnShadow : DefaultHeaderTextColor();
}

void TcxCustomLookAndFeelPainter::PaintHeaderPressed(TcxCanvas& canvas, const TRect& r) const {
  RECT rc = cxToRECT(r);
  InvertRect(canvas.Handle(), &rc);
}

TRect TcxCustomLookAndFeelPainter::SortMarkBounds(const TRect& content) const {
  const TSize s = SortMarkSize();
  const int top = content.Top + (content.Height() - s.cy) / 2;
  return Bounds(content.Right - s.cx, top, s.cx, s.cy);
}

TRect TcxCustomLookAndFeelPainter::HeaderTextBounds(const TRect& content, bool withSortMark) const {
  TRect t = content;
  const int mark = SortMarkSize().cx;
  if (withSortMark && mark > 0) t.Right = std::max(t.Left, content.Right - mark - 4);
  return t;
}

void TcxCustomLookAndFeelPainter::PaintFooterArea(TcxCanvas& canvas, const TRect& r,
                                                  const TcxPainterText& text) const {
  PaintSunkenFrame(canvas, r);
  const TRect inside = cxInflate(r, 1);
  TcxPainterText t = text;
  if (t.Color == clDefault) t.Color = DefaultFooterTextColor();
  PaintTextArea(canvas, inside, nullptr, DefaultFooterColor(), t);
}

void TcxCustomLookAndFeelPainter::PaintCloseButton(TcxCanvas& canvas, const TRect& r,
                                                   PainterButtonState state) const {
  PaintButtonFrame(canvas, r, state);
  const TRect face = cxInflate(r, ButtonFrameWidth(state));
  canvas.SetBrushColor(ButtonFaceColor(state));
  canvas.FillRect(face);
  // A cross two pixels thick, 3 pixels off the face's edges.
  const TRect c = cxInflate(face, 3);
  if (c.Width() < 3 || c.Height() < 3) return;
  canvas.Pen().SetColor(ButtonGlyphColor(state));
  const int size = std::min(c.Width(), c.Height()) - 1;
  for (int dx = 0; dx < 2; ++dx) {
    canvas.MoveTo(c.Left + dx, c.Top);
    canvas.LineTo(c.Left + dx + size, c.Top + size);
    canvas.MoveTo(c.Left + dx, c.Top + size - 1);
    canvas.LineTo(c.Left + dx + size, c.Top - 1);
  }
}

void TcxCustomLookAndFeelPainter::PaintIndicatorHeader(TcxCanvas& canvas, const TRect& r,
                                                       const TcxPainterText& text, TcxIndicatorKind kind) const {
  PaintHeader(canvas, r, cxBordersAll, pbsNormal, text);
  if (kind == ikNone) return;
  const int x = r.Left + (r.Width() - cxIndicatorImageSize) / 2;
  const int y = r.Top + (r.Height() - cxIndicatorImageSize) / 2;
  if (HIMAGELIST images = cxIndicatorImages())
    commctrl::ImageList_Draw(images, kind - 1, canvas.Handle(), x, y,
                             IndicatorImagesMasked() ? ILD_TRANSPARENT : ILD_NORMAL);
}

void TcxCustomLookAndFeelPainter::PaintIndicatorItem(TcxCanvas& canvas, const TRect& r, const TcxPainterText& text,
                                                     TcxIndicatorKind kind) const {
  TcxCustomLookAndFeelPainter::PaintIndicatorHeader(canvas, r, text, kind);
}

void TcxCustomLookAndFeelPainter::PaintClassicScrollBarPart(TcxCanvas& canvas, bool horizontal,
                                                            TcxScrollBarPart part, PainterButtonState state,
                                                            const TRect& r, bool hotAsNormal) const {
  if (r.IsEmpty() || part == sbpNone || (part == sbpThumbnail && state == pbsDisabled)) return;
  if (hotAsNormal && state == pbsHot) state = pbsNormal;
  if (part == sbpPageUp || part == sbpPageDown) {
    HBITMAP checkerboard = cxPagePattern(state == pbsPressed);
    if (!checkerboard) return;
    gdi::Brush pattern(CreatePatternBrush(checkerboard));
    RECT rc = cxToRECT(r);
    ::FillRect(canvas.Handle(), &rc, pattern.Get());
    canvas.Brush().SetStyle(bsSolid);
    return;
  }
  PaintButton(canvas, r, "", state, true, clDefault, clDefault);
  if (part == sbpThumbnail) return;
  PaintButtonArrow(canvas, cxInflate(r, ButtonFrameWidth(pbsNormal)), cxScrollArrowDirection(horizontal, part), state);
}

void TcxCustomLookAndFeelPainter::PaintTabText(TcxCanvas& canvas, const TcxTabArgs& tab, const TRect& inner) const {
  if (tab.Text.Text.empty()) return;
  TcxPainterText t = tab.Text;
  if (t.Bounds.IsEmpty()) t.Bounds = inner;
  t.Format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  PaintText(canvas, t, DefaultTabTextColor());
}

