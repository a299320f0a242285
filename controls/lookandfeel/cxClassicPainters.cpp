// The painters without visual styles: standard (raised and sunken in two tones), flat (one tone)
// and ultra-flat (single lines).
#include "controls/lookandfeel/cxLookAndFeelPainters.h"

// ---------------------------------------------------------------------------------------------
// TcxStandardLookAndFeelPainter

void TcxStandardLookAndFeelPainter::PaintEditBorder(TcxCanvas& canvas, const TRect& r) const {
  canvas.FrameTwoTone(r, clBtnShadow, clBtnHighlight);
  canvas.FrameTwoTone(cxInflate(r, 1), cl3DDkShadow, cl3DLight);
}

void TcxStandardLookAndFeelPainter::PaintButtonFrame(TcxCanvas& canvas, const TRect& bounds,
                                                     PainterButtonState state) const {
  TRect r = bounds;
  if (state == pbsPressed) {
    canvas.FrameSides(r, clBlack);
    canvas.FrameTwoTone(cxInflate(r, 1), clBtnShadow, clBtnShadow);
    return;
  }
  if (state == pbsDefault) {
    canvas.FrameSides(r, clBlack);
    r = cxInflate(r, 1);
  }
  canvas.FrameTwoTone(r, clBtnHighlight, cl3DDkShadow);
  canvas.FrameTwoTone(cxInflate(r, 1), cl3DLight, clBtnShadow);
}

void TcxStandardLookAndFeelPainter::PaintTreeToggle(TcxCanvas& canvas, const TRect& r, TColor color,
                                                    bool expanded) const {
  PaintButton(canvas, r, "", pbsNormal, true, color, clDefault);
  PaintToggleSign(canvas, cxInflate(r, ButtonFrameWidth(pbsNormal)), clBtnText, expanded);
  canvas.ExcludeClipRect(r);
}

void TcxStandardLookAndFeelPainter::PaintCheckFrame(TcxCanvas& canvas, const TRect& r, PainterButtonState) const {
  canvas.DrawEdge(r, true, true);
  canvas.DrawEdge(cxInflate(r, 1), true, false);
}

void TcxStandardLookAndFeelPainter::PaintHeaderBorder(TcxCanvas& canvas, const TRect& r, TcxBorders sides) const {
  canvas.DrawEdge(r, false, true, sides);
  canvas.DrawEdge(cxInflate(r, 1), false, false, sides);
}

namespace {
void PaintSortMarkLines(TcxCanvas& canvas, const TRect& r, TSize size, bool ascending) {
  const TcxSortMarkLines lines = cxSortMarkLines(r.Left, r.Top, size, ascending);
  canvas.Pen().SetColor(clBtnShadow);
  for (const auto& [from, to] : lines.Shadow) {
    canvas.MoveTo(from.X, from.Y);
    canvas.LineTo(to.X, to.Y);
  }
  canvas.Pen().SetColor(clBtnHighlight);
  for (const auto& [from, to] : lines.Highlight) {
    canvas.MoveTo(from.X, from.Y);
    canvas.LineTo(to.X, to.Y);
  }
}
}  // namespace

void TcxStandardLookAndFeelPainter::PaintSortMark(TcxCanvas& canvas, const TRect& r, bool ascending) const {
  PaintSortMarkLines(canvas, r, SortMarkSize(), ascending);
}

void TcxStandardLookAndFeelPainter::PaintRaisedFrame(TcxCanvas& canvas, const TRect& r) const {
  canvas.DrawEdge(r, false, true);
  canvas.DrawEdge(cxInflate(r, 1), false, false);
}

void TcxStandardLookAndFeelPainter::PaintSunkenFrame(TcxCanvas& canvas, const TRect& r) const {
  canvas.DrawEdge(r, true, true);
  canvas.DrawEdge(cxInflate(r, 1), true, false);
}

void TcxStandardLookAndFeelPainter::PaintFilterButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state,
                                                      bool active) const {
  if (state == pbsPressed) {
    PaintSunkenFrame(canvas, r);
  } else {
    PaintRaisedFrame(canvas, r);
  }
  const TRect inner = cxInflate(r, 2);
  canvas.SetBrushColor(clBtnFace);
  canvas.FillRect(inner);
  PaintDropArrow(canvas, inner, active ? DefaultHyperlinkTextColor() : clBtnText);
}

namespace {
// The face of a tab inside its frame, which runs on every side but the one open to the page.
TRect PaintTabFace(TcxCanvas& canvas, const TRect& r, const TcxTabArgs& tab, int frameWidth, TColor face,
                   TcxBorders& sides) {
  sides = cxBordersAll;
  sides -= tab.OpenSide;
  TRect inner = r;
  if (sides.Contains(bLeft)) inner.Left += frameWidth;
  if (sides.Contains(bTop)) inner.Top += frameWidth;
  if (sides.Contains(bRight)) inner.Right -= frameWidth;
  if (sides.Contains(bBottom)) inner.Bottom -= frameWidth;
  canvas.SetBrushColor(face);
  canvas.FillRect(inner);
  return inner;
}
}  // namespace

void TcxStandardLookAndFeelPainter::PaintTab(TcxCanvas& canvas, const TRect& r, const TcxTabArgs& tab) const {
  TcxBorders sides;
  const TRect inner = PaintTabFace(canvas, r, tab, 2, DefaultTabColor(), sides);
  canvas.DrawEdge(r, false, true, sides);
  canvas.DrawEdge(cxInflate(r, 1), false, false, sides);
  PaintTabText(canvas, tab, inner);
}

void TcxStandardLookAndFeelPainter::PaintTabsRoot(TcxCanvas& canvas, const TRect& r, bool,
                                                  TcxBorders sides) const {
  canvas.DrawEdge(r, false, true, sides);
  canvas.DrawEdge(cxInflate(r, 1), false, false, sides);
}

void TcxStandardLookAndFeelPainter::PaintScrollBarPart(TcxCanvas& canvas, bool horizontal, TcxScrollBarPart part,
                                                       PainterButtonState state, const TRect& r) const {
  PaintClassicScrollBarPart(canvas, horizontal, part, state, r, true);
}

// ---------------------------------------------------------------------------------------------
// TcxFlatLookAndFeelPainter

void TcxFlatLookAndFeelPainter::PaintEditBorder(TcxCanvas& canvas, const TRect& r) const {
  canvas.DrawEdge(r, true, true, cxBordersAll);
}

void TcxFlatLookAndFeelPainter::PaintButtonFrame(TcxCanvas& canvas, const TRect& bounds,
                                                 PainterButtonState state) const {
  TRect r = bounds;
  if (state == pbsPressed) {
    canvas.FrameTwoTone(r, clBtnShadow, clBtnHighlight, cxBordersAll, 1);
    return;
  }
  if (state == pbsDefault) {
    canvas.FrameSides(r, clBlack, cxBordersAll, 1);
    r = cxInflate(r, 1);
  }
  canvas.FrameTwoTone(r, clBtnHighlight, clBtnShadow, cxBordersAll, 1);
}

void TcxFlatLookAndFeelPainter::PaintTreeToggle(TcxCanvas& canvas, const TRect& r, TColor color,
                                                bool expanded) const {
  PaintButton(canvas, r, "", pbsNormal, true, color, clDefault);
  PaintToggleSign(canvas, cxInflate(r, 1), clBtnText, expanded);
  canvas.ExcludeClipRect(r);
}

void TcxFlatLookAndFeelPainter::PaintCheckFrame(TcxCanvas& canvas, const TRect& r, PainterButtonState state) const {
  canvas.DrawEdge(r, true, true, cxBordersAll);
  canvas.FrameSides(cxInflate(r, 1), CheckFaceColor(state), cxBordersAll, 1);
}

void TcxFlatLookAndFeelPainter::PaintHeaderBorder(TcxCanvas& canvas, const TRect& r, TcxBorders sides) const {
  canvas.DrawEdge(r, false, false, cxBordersAll);
  if (sides.Contains(bLeft)) {
    canvas.SetPixel(r.Left, r.Top + 1, clBtnFace);
    canvas.SetPixel(r.Left, r.Bottom - 2, clBtnFace);
  }
  if (sides.Contains(bRight)) {
    canvas.SetPixel(r.Right - 1, r.Top, clBtnHighlight);
    canvas.SetPixel(r.Right - 1, r.Top + 1, clBtnFace);
    canvas.SetPixel(r.Right - 1, r.Bottom - 2, clBtnFace);
  }
}

void TcxFlatLookAndFeelPainter::PaintSortMark(TcxCanvas& canvas, const TRect& r, bool ascending) const {
  PaintSortMarkLines(canvas, r, SortMarkSize(), ascending);
}

void TcxFlatLookAndFeelPainter::PaintRaisedFrame(TcxCanvas& canvas, const TRect& r) const {
  canvas.DrawEdge(r, false, false, cxBordersAll);
}

void TcxFlatLookAndFeelPainter::PaintSunkenFrame(TcxCanvas& canvas, const TRect& r) const {
  canvas.DrawEdge(r, true, true, cxBordersAll);
}

void TcxFlatLookAndFeelPainter::PaintFilterButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state,
                                                  bool active) const {
  canvas.DrawEdge(r, state == pbsPressed, state == pbsPressed, cxBordersAll);
  const TRect inner = cxInflate(r, 1);
  canvas.SetBrushColor(clBtnFace);
  canvas.FillRect(inner);
  PaintDropArrow(canvas, inner, active ? DefaultHyperlinkTextColor() : clBtnText);
}

void TcxFlatLookAndFeelPainter::PaintTab(TcxCanvas& canvas, const TRect& r, const TcxTabArgs& tab) const {
  TcxBorders sides;
  const TRect inner = PaintTabFace(canvas, r, tab, 1, DefaultTabColor(), sides);
  canvas.DrawEdge(r, false, false, sides);
  PaintTabText(canvas, tab, inner);
}

void TcxFlatLookAndFeelPainter::PaintTabsRoot(TcxCanvas& canvas, const TRect& r, bool, TcxBorders sides) const {
  canvas.DrawEdge(r, false, false, sides);
}

void TcxFlatLookAndFeelPainter::PaintScrollBarPart(TcxCanvas& canvas, bool horizontal, TcxScrollBarPart part,
                                                   PainterButtonState state, const TRect& r) const {
  PaintClassicScrollBarPart(canvas, horizontal, part, state, r, true);
}

// ---------------------------------------------------------------------------------------------
// TcxUltraFlatLookAndFeelPainter

namespace {
// The single line of ultra-flat frames: the highlight while hot or pressed.
TColor UltraFlatLineColor(PainterButtonState state) {
  return state == pbsHot || state == pbsPressed ? clHighlight : clBtnShadow;
}
}  // namespace

void TcxUltraFlatLookAndFeelPainter::PaintEditBorder(TcxCanvas& canvas, const TRect& r) const {
  canvas.FrameSides(r, clBtnShadow, cxBordersAll, 1);
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonFaceColor(PainterButtonState state) const {
  if (state == pbsHot) return cxUltraFlatBlendColor(cxUltraFlatHotWeights);
  if (state == pbsPressed) return cxUltraFlatBlendColor(cxUltraFlatPressedWeights);
  return clBtnFace;
}

bool TcxUltraFlatLookAndFeelPainter::ButtonFocusBounds(TcxCanvas&, const TRect& r, TRect& focus) const {
  focus = cxInflate(r, 3);
  if (!focus.IsEmpty()) return false;
  focus = r;
  return true;
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonGlyphColor(PainterButtonState state) const {
  if (state == pbsPressed) return clHighlightText;
  return TcxCustomLookAndFeelPainter::ButtonGlyphColor(state);
}

void TcxUltraFlatLookAndFeelPainter::PaintRowButton(TcxCanvas& canvas, const TRect& r, TColor color, int index,
                                                    int count, PainterButtonState state) const {
  // Neighbours share their line: all but the last leave out the right one.
  TcxBorders sides = cxBordersAll;
  if (index < count - 1) sides -= bRight;
  canvas.FrameSides(r, UltraFlatLineColor(state), sides, 1);
  TRect face = r;
  face.Left += 1;
  face.Top += 1;
  face.Bottom -= 1;
  if (sides.Contains(bRight)) face.Right -= 1;
  canvas.SetBrushColor(color == clDefault ? ButtonFaceColor(state) : color);
  canvas.FillRect(face);
}

void TcxUltraFlatLookAndFeelPainter::PaintButtonFrame(TcxCanvas& canvas, const TRect& r,
                                                      PainterButtonState state) const {
  switch (state) {
    case pbsDefault:
      canvas.FrameSides(r, clWindowFrame, cxBordersAll, 1);
      canvas.FrameSides(cxInflate(r, 1), clWindowFrame, cxBordersAll, 1);
      break;
    case pbsNormal: canvas.FrameSides(r, clBtnText, cxBordersAll, 1); break;
    default: canvas.FrameSides(r, clHighlight, cxBordersAll, 1); break;
  }
}

void TcxUltraFlatLookAndFeelPainter::PaintTreeToggle(TcxCanvas& canvas, const TRect& r, TColor color,
                                                     bool expanded) const {
  canvas.FrameSides(r, clBtnShadow, cxBordersAll, 1);
  const TRect inner = cxInflate(r, 1);
  canvas.SetBrushColor(color == clDefault ? clWindow : color);
  canvas.FillRect(inner);
  PaintToggleSign(canvas, inner, clBtnText, expanded);
  canvas.ExcludeClipRect(r);
}

void TcxUltraFlatLookAndFeelPainter::PaintCheckFrame(TcxCanvas& canvas, const TRect& r,
                                                     PainterButtonState state) const {
  canvas.FrameSides(r, UltraFlatLineColor(state), cxBordersAll, 1);
  canvas.FrameSides(cxInflate(r, 1), CheckFaceColor(state), cxBordersAll, 1);
}

void TcxUltraFlatLookAndFeelPainter::PaintHeaderBackground(TcxCanvas& canvas, const TRect& r,
                                                           PainterButtonState state, TColor color) const {
  if (color == clDefault && (state == pbsHot || state == pbsPressed)) color = ButtonFaceColor(state);
  TcxCustomLookAndFeelPainter::PaintHeaderBackground(canvas, r, state, color);
}

void TcxUltraFlatLookAndFeelPainter::PaintHeaderBorder(TcxCanvas& canvas, const TRect& r, TcxBorders sides) const {
  canvas.FrameSides(r, clBtnShadow, HeaderBorders(sides), 1);
}

void TcxUltraFlatLookAndFeelPainter::PaintSortMark(TcxCanvas& canvas, const TRect& r, bool ascending) const {
  // A solid triangle, 7 across and 4 deep.
  const int l = r.Left, t = r.Top;
  canvas.SetBrushColor(clBtnShadow);
  canvas.Pen().SetColor(clBtnShadow);
  if (ascending) {
    canvas.Polygon({{l + 3, t}, {l, t + 3}, {l + 6, t + 3}});
  } else {
    canvas.Polygon({{l, t}, {l + 6, t}, {l + 3, t + 3}});
  }
}

void TcxUltraFlatLookAndFeelPainter::PaintRaisedFrame(TcxCanvas& canvas, const TRect& r) const {
  canvas.FrameSides(r, clBtnShadow, cxBordersAll, 1);
}

void TcxUltraFlatLookAndFeelPainter::PaintSunkenFrame(TcxCanvas& canvas, const TRect& r) const {
  canvas.FrameSides(r, clBtnShadow, cxBordersAll, 1);
}

void TcxUltraFlatLookAndFeelPainter::PaintFilterButton(TcxCanvas& canvas, const TRect& r, PainterButtonState state,
                                                       bool active) const {
  canvas.FrameSides(r, UltraFlatLineColor(state), cxBordersAll, 1);
  const TRect inner = cxInflate(r, 1);
  canvas.SetBrushColor(ButtonFaceColor(state));
  canvas.FillRect(inner);
  PaintDropArrow(canvas, inner, active ? DefaultHyperlinkTextColor() : ButtonGlyphColor(state));
}

void TcxUltraFlatLookAndFeelPainter::PaintTab(TcxCanvas& canvas, const TRect& r, const TcxTabArgs& tab) const {
  const TColor face = tab.Hot && !tab.Selected ? ButtonFaceColor(pbsHot) : DefaultTabColor();
  TcxBorders sides;
  const TRect inner = PaintTabFace(canvas, r, tab, 1, face, sides);
  canvas.FrameSides(r, clBtnShadow, sides, 1);
  PaintTabText(canvas, tab, inner);
}

void TcxUltraFlatLookAndFeelPainter::PaintTabsRoot(TcxCanvas& canvas, const TRect& r, bool,
                                                   TcxBorders sides) const {
  canvas.FrameSides(r, clBtnShadow, sides, 1);
}

void TcxUltraFlatLookAndFeelPainter::PaintScrollBarPart(TcxCanvas& canvas, bool horizontal, TcxScrollBarPart part,
                                                        PainterButtonState state, const TRect& r) const {
  PaintClassicScrollBarPart(canvas, horizontal, part, state, r, false);
}
