#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/Graphics.h"
#include "framework/Sets.h"

enum TcxBorder : std::uint8_t { bLeft, bTop, bRight, bBottom };
using TcxBorders = TSet<TcxBorder>;
constexpr TcxBorders cxBordersAll{bLeft, bTop, bRight, bBottom};

// The editors library's drawing surface: a framework canvas (borrowed) with the frame primitives
// that the edit frames and the painters are drawn with.
class TcxCanvas {
 public:
  explicit TcxCanvas(TCanvas& canvas) : canvas_(&canvas) {}

  TCanvas& Canvas() const { return *canvas_; }
  HDC Handle() const { return canvas_->Handle(); }
  TBrush& Brush() const { return canvas_->Brush(); }
  TPen& Pen() const { return canvas_->Pen(); }
  TFont& Font() const { return canvas_->Font(); }

  // Fills r with the current brush.
  void FillRect(const TRect& r);
  // Sets the brush colour only when it differs (a brush that is not solid becomes solid).
  void SetBrushColor(TColor color);
  // Strips of `width` pixels inside r along the chosen sides, in the brush colour (set to `color`
  // first unless it is clDefault): left and right full height, then top and bottom full width.
  void FrameSides(const TRect& r, TColor color, TcxBorders sides = cxBordersAll, int width = 1);
  // Strips of `width` pixels inside r along the chosen sides in the order left, top, right,
  // bottom: left and top in `leftTopColor`, right and bottom in `rightBottomColor`. Each runs the
  // full length of its side, so the top-right and bottom-left corners end in rightBottomColor.
  void FrameTwoTone(const TRect& r, TColor leftTopColor, TColor rightBottomColor, TcxBorders sides = cxBordersAll,
                    int width = 1);
  // A one-pixel sunken or raised edge, the outer or the inner line of a 3-D frame.
  void DrawEdge(const TRect& r, bool sunken, bool outer, TcxBorders sides = cxBordersAll);

  void SetPixel(int x, int y, TColor color) { canvas_->SetPixel(x, y, color); }
  void MoveTo(int x, int y) { canvas_->MoveTo(x, y); }
  void LineTo(int x, int y) { canvas_->LineTo(x, y); }
  // Pen outline, brush inside.
  void Polygon(const std::vector<TPoint>& points) { canvas_->Polygon(points); }
  void ExcludeClipRect(const TRect& r) { canvas_->ExcludeClip(r); }
  void IntersectClipRect(const TRect& r) { canvas_->IntersectClip(r); }
  // The dotted focus rectangle, drawn over a white brush with a black font colour.
  void DrawFocusRect(const TRect& r);
  int DrawText(const std::string& text, TRect r, UINT format) { return canvas_->DrawText(text, r, format); }
  TSize TextExtent(const std::string& text) { return canvas_->TextExtent(text); }

 private:
  TCanvas* canvas_;  // borrowed
};

// The colours of DrawEdge: left and top, then right and bottom.
struct TcxEdgeColors {
  TColor LeftTop, RightBottom;
};
TcxEdgeColors cxEdgeColors(bool sunken, bool outer);
