#include <gtest/gtest.h>

#include "controls/lookandfeel/cxGraphics.h"

namespace {

constexpr COLORREF kBack = RGB(1, 2, 3);

struct CxCanvasFixture : testing::Test {
  void SetUp() override {
    bitmap.SetSize(40, 30);
    bitmap.Canvas().Brush().SetColor(static_cast<TColor>(kBack));
    bitmap.Canvas().FillRect(TRect{0, 0, 40, 30});
  }
  COLORREF At(int x, int y) { return bitmap.Pixel(x, y); }
  TBitmap bitmap;
  TcxCanvas canvas{bitmap.Canvas()};
};

COLORREF Rgb(TColor c) { return ColorToRGB(c); }

}  // namespace

using CxCanvas = CxCanvasFixture;

TEST_F(CxCanvas, DrawEdgeSunkenOuterOnAnEntryBoxRectangle) {
  canvas.DrawEdge(TRect{0, 0, 33, 21}, true, true);
  for (int y = 0; y < 20; ++y) EXPECT_EQ(At(0, y), Rgb(clBtnShadow)) << y;
  for (int x = 0; x < 32; ++x) EXPECT_EQ(At(x, 0), Rgb(clBtnShadow)) << x;
  for (int y = 1; y <= 20; ++y) EXPECT_EQ(At(32, y), Rgb(clBtnHighlight)) << y;
  for (int x = 1; x <= 32; ++x) EXPECT_EQ(At(x, 20), Rgb(clBtnHighlight)) << x;
  EXPECT_EQ(At(32, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(At(0, 20), Rgb(clBtnHighlight));
  EXPECT_EQ(At(1, 1), kBack);  // the inside is left alone
  EXPECT_EQ(At(33, 21), kBack);
}

TEST_F(CxCanvas, DrawEdgeColoursFollowTheFourColourTable) {
  struct Case {
    bool sunken, outer;
    TColor leftTop, rightBottom;
  } cases[] = {{true, true, clBtnShadow, clBtnHighlight},
               {true, false, cl3DDkShadow, cl3DLight},
               {false, true, cl3DLight, cl3DDkShadow},
               {false, false, clBtnHighlight, clBtnShadow}};
  for (const Case& c : cases) {
    canvas.DrawEdge(TRect{2, 2, 12, 10}, c.sunken, c.outer);
    EXPECT_EQ(At(2, 5), Rgb(c.leftTop));
    EXPECT_EQ(At(5, 2), Rgb(c.leftTop));
    EXPECT_EQ(At(11, 5), Rgb(c.rightBottom));
    EXPECT_EQ(At(5, 9), Rgb(c.rightBottom));
  }
  // Chosen sides only.
  SetUp();
  canvas.DrawEdge(TRect{2, 2, 12, 10}, false, false, {bTop, bRight});
  EXPECT_EQ(At(2, 5), kBack);
  EXPECT_EQ(At(5, 9), kBack);
  EXPECT_EQ(At(5, 2), Rgb(clBtnHighlight));
  EXPECT_EQ(At(11, 2), Rgb(clBtnShadow));
}

TEST_F(CxCanvas, FrameSidesDrawsWideStripsAndKeepsTheBrushForClDefault) {
  canvas.FrameSides(TRect{0, 0, 20, 12}, clWindowText, {bLeft, bBottom}, 2);
  EXPECT_EQ(At(1, 0), Rgb(clWindowText));
  EXPECT_EQ(At(2, 0), kBack);
  EXPECT_EQ(At(19, 10), Rgb(clWindowText));
  EXPECT_EQ(At(19, 9), kBack);
  EXPECT_EQ(At(19, 0), kBack);  // no right side

  canvas.SetBrushColor(clHighlight);
  canvas.FrameSides(TRect{20, 12, 30, 20}, clDefault);
  EXPECT_EQ(At(20, 12), Rgb(clHighlight));
  EXPECT_EQ(At(29, 19), Rgb(clHighlight));
  EXPECT_EQ(At(25, 15), kBack);
  EXPECT_EQ(canvas.Brush().Color(), clHighlight);

  canvas.Brush().SetStyle(bsClear);
  canvas.SetBrushColor(clHighlight);  // the same colour, but no longer solid
  EXPECT_EQ(canvas.Brush().Style(), bsSolid);
}

TEST_F(CxCanvas, FrameTwoToneWideRunsEachSideFullLength) {
  canvas.FrameTwoTone(TRect{0, 0, 10, 8}, clBtnShadow, clBtnHighlight, cxBordersAll, 2);
  EXPECT_EQ(At(0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(At(1, 6), Rgb(clBtnHighlight));  // bottom over left
  EXPECT_EQ(At(9, 0), Rgb(clBtnHighlight));  // right over top
  EXPECT_EQ(At(8, 1), Rgb(clBtnHighlight));
  EXPECT_EQ(At(7, 1), Rgb(clBtnShadow));
  EXPECT_EQ(At(2, 2), kBack);
}

TEST_F(CxCanvas, PassThroughPrimitives) {
  canvas.SetPixel(3, 4, clHighlight);
  EXPECT_EQ(At(3, 4), Rgb(clHighlight));

  canvas.Pen().SetColor(clBtnText);
  canvas.MoveTo(0, 10);
  canvas.LineTo(5, 10);
  EXPECT_EQ(At(4, 10), Rgb(clBtnText));
  EXPECT_EQ(At(5, 10), kBack);

  canvas.SetBrushColor(clBtnShadow);
  canvas.Pen().SetColor(clBtnShadow);
  canvas.Polygon({{10, 10}, {16, 10}, {13, 13}});
  EXPECT_EQ(At(13, 11), Rgb(clBtnShadow));
  EXPECT_EQ(At(13, 13), Rgb(clBtnShadow));
  EXPECT_EQ(At(10, 12), kBack);

  canvas.DrawFocusRect(TRect{20, 20, 30, 28});
  int dots = 0;
  for (int x = 20; x < 30; ++x) dots += At(x, 20) != kBack;
  EXPECT_GE(dots, 4);  // dotted
  EXPECT_LE(dots, 6);
  EXPECT_EQ(At(22, 22), kBack);

  SetUp();
  {
    gdi::SavedState saved(canvas.Handle());
    canvas.IntersectClipRect(TRect{0, 0, 10, 10});
    canvas.ExcludeClipRect(TRect{0, 0, 5, 5});
    canvas.SetBrushColor(clHighlight);
    canvas.FillRect(TRect{0, 0, 20, 20});
  }
  EXPECT_EQ(At(2, 2), kBack);
  EXPECT_EQ(At(7, 7), Rgb(clHighlight));
  EXPECT_EQ(At(12, 12), kBack);
}
