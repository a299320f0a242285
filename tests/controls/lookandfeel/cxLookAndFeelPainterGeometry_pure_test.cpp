#include <gtest/gtest.h>

#include "controls/lookandfeel/cxLookAndFeelPainterGeometry.h"
#include "framework/Colors.h"

namespace {

// The classic scheme's button face, highlight and window colours.
const std::uint32_t kFace = MakeRgb(212, 208, 200);
const std::uint32_t kHighlight = MakeRgb(10, 36, 106);
const std::uint32_t kWindow = MakeRgb(255, 255, 255);

}  // namespace

TEST(CxUltraFlatBlend, HotAndPressedFacesOfTheClassicScheme) {
  EXPECT_EQ(cxUltraFlatBlend(kFace, kHighlight, kWindow, cxUltraFlatHotWeights), MakeRgb(183, 191, 212));
  EXPECT_EQ(cxUltraFlatBlend(kFace, kHighlight, kWindow, cxUltraFlatPressedWeights), MakeRgb(136, 147, 177));
}

TEST(CxUltraFlatBlend, EachProductRoundsAsMulDivAndTheSumIsClamped) {
  // 75 * -2 % = -1.5 rounds away from zero to -2; 255 * 72 % = 183.6 to 184.
  EXPECT_EQ(RedOf(cxUltraFlatBlend(MakeRgb(75, 0, 0), 0, kWindow, cxUltraFlatHotWeights)), 182);
  EXPECT_EQ(cxUltraFlatBlend(kFace, kHighlight, kWindow, TcxBlendWeights{50, 50, 50}), MakeRgb(239, 250, 255));
  EXPECT_EQ(cxUltraFlatBlend(kFace, kHighlight, kWindow, TcxBlendWeights{-100, 0, 0}), 0u);
}

TEST(CxUltraFlatBlend, ABlackOrWhiteFaceIsReplacedByTheHighlight) {
  const std::uint32_t expected = MakeRgb(107, 123, 164);
  EXPECT_EQ(cxUltraFlatBlend(MakeRgb(0, 0, 0), kHighlight, kWindow, cxUltraFlatPressedWeights), expected);
  EXPECT_EQ(cxUltraFlatBlend(MakeRgb(255, 255, 255), kHighlight, kWindow, cxUltraFlatPressedWeights), expected);
  EXPECT_EQ(cxUltraFlatBlend(kHighlight, kHighlight, kWindow, cxUltraFlatPressedWeights), expected);
  // Only the face: a black window stays black.
  EXPECT_EQ(BlueOf(cxUltraFlatBlend(kFace, kHighlight, 0, TcxBlendWeights{0, 0, 100})), 0);
}

TEST(CxToggleSign, PlusWhenCollapsedAndMinusWhenExpanded) {
  const TcxToggleSign plus = cxToggleSign(TRect{1, 1, 10, 10}, false);
  EXPECT_EQ(plus.Horizontal, (TRect{3, 5, 8, 6}));
  EXPECT_EQ(plus.Vertical, (TRect{5, 3, 6, 8}));
  const TcxToggleSign minus = cxToggleSign(TRect{1, 1, 10, 10}, true);
  EXPECT_EQ(minus.Horizontal, plus.Horizontal);
  EXPECT_TRUE(minus.Vertical.IsEmpty());
  // An even width: the centre is the right one of the middle two; h = (12 - 4) div 2 = 4.
  const TcxToggleSign wide = cxToggleSign(TRect{0, 0, 12, 12}, false);
  EXPECT_EQ(wide.Horizontal, (TRect{2, 6, 11, 7}));
  EXPECT_EQ(wide.Vertical, (TRect{6, 2, 7, 11}));
}

TEST(CxArrows, DropArrowIsHalfTheWidthMadeOddAndCentred) {
  // 16 wide: w = 8 made odd = 9, height 9 div 2 + 1 = 5.
  EXPECT_EQ(cxDropArrowPoints(TRect{0, 0, 16, 10}), (std::vector<TPoint>{{3, 2}, {11, 2}, {7, 6}}));
  // 14 wide: w = 7 already odd, height 4.
  EXPECT_EQ(cxDropArrowPoints(TRect{10, 0, 24, 8}), (std::vector<TPoint>{{13, 2}, {19, 2}, {16, 5}}));
}

TEST(CxArrows, ArrowsPointEveryWayFromTheSameCentre) {
  const TRect r{0, 0, 16, 16};
  EXPECT_EQ(cxArrowPoints(r, adDown), (std::vector<TPoint>{{3, 5}, {11, 5}, {7, 9}}));
  EXPECT_EQ(cxArrowPoints(r, adUp), (std::vector<TPoint>{{3, 9}, {11, 9}, {7, 5}}));
  EXPECT_EQ(cxArrowPoints(r, adRight), (std::vector<TPoint>{{5, 3}, {5, 11}, {9, 7}}));
  EXPECT_EQ(cxArrowPoints(r, adLeft), (std::vector<TPoint>{{9, 3}, {9, 11}, {5, 7}}));
  // The shorter side decides: 17 by 8 gives a base of 5.
  const auto flat = cxArrowPoints(TRect{0, 0, 17, 8}, adDown);
  EXPECT_EQ(flat[1].X - flat[0].X + 1, 5);
}

TEST(CxCheckMark, ThreeStrokesOneRowApartCentredInTheBox) {
  const auto strokes = cxCheckMarkStrokes(TRect{2, 2, 11, 11});
  ASSERT_EQ(strokes.size(), 3u);
  EXPECT_EQ(strokes[0], (std::vector<TPoint>{{3, 5}, {5, 7}, {10, 2}}));
  for (int k = 1; k < 3; ++k)
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(strokes[k][i].X, strokes[0][i].X);
      EXPECT_EQ(strokes[k][i].Y, strokes[0][i].Y + k);
    }
}

TEST(CxSortMark, AscendingIsLitFromTheRightAndBelowDescendingFromTheRight) {
  const TcxSortMarkLines up = cxSortMarkLines(10, 20, TSize{8, 7}, true);
  ASSERT_EQ(up.Shadow.size(), 1u);
  EXPECT_EQ(up.Shadow[0].first, (TPoint{13, 20}));
  EXPECT_EQ(up.Shadow[0].second, (TPoint{10, 26}));
  ASSERT_EQ(up.Highlight.size(), 2u);
  EXPECT_EQ(up.Highlight[1].first, (TPoint{10, 26}));
  EXPECT_EQ(up.Highlight[1].second, (TPoint{18, 26}));
  const TcxSortMarkLines down = cxSortMarkLines(0, 0, TSize{8, 7}, false);
  EXPECT_EQ(down.Shadow.size(), 2u);
  EXPECT_EQ(down.Highlight.size(), 1u);
  EXPECT_EQ(down.Highlight[0].first, (TPoint{7, 0}));
}

TEST(CxButtonCaption, OddHeightsLoseTheLastRowAndSmallOnesMoveUp) {
  EXPECT_EQ(cxButtonCaptionBounds(TRect{0, 0, 40, 21}, false, 1), (TRect{0, 0, 40, 20}));
  EXPECT_EQ(cxButtonCaptionBounds(TRect{0, 0, 40, 16}, false, 1), (TRect{0, -1, 40, 16}));
  EXPECT_EQ(cxButtonCaptionBounds(TRect{0, 0, 40, 20}, false, 1), (TRect{0, 0, 40, 20}));
  EXPECT_EQ(cxButtonCaptionBounds(TRect{0, 0, 40, 17}, false, 1), (TRect{0, -1, 40, 16}));
  EXPECT_EQ(cxButtonCaptionBounds(TRect{0, 0, 40, 18}, true, 1), (TRect{1, 1, 41, 19}));
  EXPECT_EQ(cxButtonCaptionBounds(TRect{0, 0, 40, 18}, true, 0), (TRect{0, 0, 40, 18}));
}

TEST(CxPainterArithmetic, CheckerboardHeadersAndInsets) {
  EXPECT_FALSE(cxCheckerboardFirst(0, 0));
  EXPECT_TRUE(cxCheckerboardFirst(1, 0));
  EXPECT_TRUE(cxCheckerboardFirst(0, 7));
  EXPECT_FALSE(cxCheckerboardFirst(3, 5));
  EXPECT_EQ(cxHeaderHeight(13, 1), 19);
  EXPECT_EQ(cxHeaderWidth(30, 2, true, false), 36);
  EXPECT_EQ(cxHeaderWidth(30, 2, false, true), 32);
  EXPECT_EQ(cxHeaderWidth(30, 2, true, true), 34);
  EXPECT_EQ(cxInflate(TRect{0, 0, 10, 8}, 2), (TRect{2, 2, 8, 6}));
}

TEST(CxRadioImage, RingsAreClosedAndSplitAlongTheDiagonal) {
  int outer = 0, inner = 0, dots = 0;
  for (int y = 0; y < cxRadioSize; ++y)
    for (int x = 0; x < cxRadioSize; ++x) {
      const TcxRadioPixel p = cxRadioPixel(x, y, true);
      // Mirrored across the centre, a ring pixel stays a ring pixel of the other half.
      const TcxRadioPixel m = cxRadioPixel(cxRadioSize - 1 - x, cxRadioSize - 1 - y, true);
      if (p == rpOuterLeftTop) {
        EXPECT_EQ(m, rpOuterRightBottom) << x << "," << y;
      }
      if (p == rpInnerLeftTop) {
        EXPECT_EQ(m, rpInnerRightBottom) << x << "," << y;
      }
      outer += p == rpOuterLeftTop || p == rpOuterRightBottom;
      inner += p == rpInnerLeftTop || p == rpInnerRightBottom;
      dots += p == rpDot;
      if (cxRadioPixel(x, y, false) == rpDot) ADD_FAILURE() << "dot while unchecked";
    }
  EXPECT_EQ(outer, 32);
  EXPECT_EQ(inner, 28);
  EXPECT_EQ(dots, 12);
  EXPECT_EQ(cxRadioPixel(0, 0, true), rpOutside);
  EXPECT_EQ(cxRadioPixel(4, 0, true), rpOuterLeftTop);
  EXPECT_EQ(cxRadioPixel(11, 5, true), rpOuterRightBottom);
  EXPECT_EQ(cxRadioPixel(-1, 5, true), rpOutside);
}

TEST(CxIndicatorImages, EveryKindHasASquarePicture) {
  for (int k = ikArrow; k <= ikMultiArrow; ++k) {
    const auto& picture = cxIndicatorPicture(static_cast<TcxIndicatorKind>(k));
    ASSERT_EQ(picture.size(), static_cast<std::size_t>(cxIndicatorImageSize)) << k;
    int set = 0;
    for (const auto& row : picture) {
      EXPECT_EQ(row.size(), static_cast<std::size_t>(cxIndicatorImageSize)) << k;
      for (char c : row) set += c == 'X';
    }
    EXPECT_GT(set, 0) << k;
  }
}
