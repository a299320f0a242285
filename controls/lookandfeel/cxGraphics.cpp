#include "controls/lookandfeel/cxGraphics.h"

void TcxCanvas::FillRect(const TRect& r) { canvas_->FillRect(r); }

void TcxCanvas::SetBrushColor(TColor color) {
  if (Brush().Color() != color || Brush().Style() != bsSolid) Brush().SetColor(color);
}

void TcxCanvas::FrameSides(const TRect& r, TColor color, TcxBorders sides, int width) {
  if (color != clDefault) SetBrushColor(color);
  if (sides.Contains(bLeft)) FillRect(TRect{r.Left, r.Top, r.Left + width, r.Bottom});
  if (sides.Contains(bRight)) FillRect(TRect{r.Right - width, r.Top, r.Right, r.Bottom});
  if (sides.Contains(bTop)) FillRect(TRect{r.Left, r.Top, r.Right, r.Top + width});
  if (sides.Contains(bBottom)) FillRect(TRect{r.Left, r.Bottom - width, r.Right, r.Bottom});
}

void TcxCanvas::FrameTwoTone(const TRect& r, TColor leftTopColor, TColor rightBottomColor, TcxBorders sides,
                             int width) {
  if (sides.Contains(bLeft)) FrameSides(r, leftTopColor, {bLeft}, width);
  if (sides.Contains(bTop)) FrameSides(r, leftTopColor, {bTop}, width);
  if (sides.Contains(bRight)) FrameSides(r, rightBottomColor, {bRight}, width);
  if (sides.Contains(bBottom)) FrameSides(r, rightBottomColor, {bBottom}, width);
}

TcxEdgeColors cxEdgeColors(bool sunken, bool outer) {
  if (sunken) return outer ? TcxEdgeColors{clBtnShadow, clBtnHighlight} : TcxEdgeColors{cl3DDkShadow, cl3DLight};
  return outer ? TcxEdgeColors{cl3DLight, cl3DDkShadow} : TcxEdgeColors{clBtnHighlight, clBtnShadow};
}

void TcxCanvas::DrawEdge(const TRect& r, bool sunken, bool outer, TcxBorders sides) {
  const TcxEdgeColors colors = cxEdgeColors(sunken, outer);
  FrameTwoTone(r, colors.LeftTop, colors.RightBottom, sides, 1);
}

void TcxCanvas::DrawFocusRect(const TRect& r) {
  SetBrushColor(clWhite);
  Font().SetColor(clBlack);
  SetTextColor(Handle(), ColorToRGB(clBlack));
  canvas_->DrawFocusRect(r);
}
