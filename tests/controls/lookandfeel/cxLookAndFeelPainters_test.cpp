#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "controls/lookandfeel/cxLookAndFeelPainters.h"
#include "controls/lookandfeel/dxThemeManager.h"
#include "tests/controls/lookandfeel/UxThemeStandIn.h"
#include "tests/controls/status/PixelArt.h"

namespace {

using pixelart::kBackground;
using uxtheme_tests::UxThemeStandIn;

const TcxCustomLookAndFeelPainter& Flat() { return TcxFlatLookAndFeelPainter::Instance(); }
const TcxCustomLookAndFeelPainter& Standard() { return TcxStandardLookAndFeelPainter::Instance(); }
const TcxCustomLookAndFeelPainter& UltraFlat() { return TcxUltraFlatLookAndFeelPainter::Instance(); }
const TcxCustomLookAndFeelPainter& Native() { return TcxWinXPLookAndFeelPainter::Instance(); }

COLORREF Rgb(TColor c) { return ColorToRGB(c); }

// A memory bitmap in the background colour with a cx canvas over it, and the painters' images
// for the test's length.
struct PainterFixture : testing::Test {
  void SetUp() override {
    cxLookAndFeelPaintersInitialize();
    Clear(40, 30);
  }
  void TearDown() override { cxLookAndFeelPaintersFinalize(); }
  void Clear(int w, int h) { pixelart::Clear(bitmap, w, h); }
  COLORREF At(int x, int y) { return bitmap.Pixel(x, y); }
  std::string Compare(int x0, int y0, const std::vector<std::string>& rows, COLORREF extra = 0) {
    return pixelart::Compare(bitmap, x0, y0, rows, extra);
  }
  TBitmap bitmap;
  TcxCanvas canvas{bitmap.Canvas()};
};

}  // namespace

using CxPainter = PainterFixture;

TEST(CxPainterChoice, ANewLookAndFeelHasTheUltraFlatPainterAndKindChoosesTheOthers) {
  TcxLookAndFeel lf;
  EXPECT_EQ(lf.Painter(), &UltraFlat());
  lf.SetKind(lfFlat);
  EXPECT_EQ(lf.Painter(), &Flat());
  lf.SetKind(lfStandard);
  EXPECT_EQ(lf.Painter(), &Standard());
  EXPECT_EQ(UltraFlat().Style(), psUltraFlat);
  EXPECT_EQ(Flat().Style(), psFlat);
  EXPECT_EQ(Standard().Style(), psStandard);
  EXPECT_EQ(Native().Style(), psNative);
  EXPECT_EQ(TcxCustomLookAndFeelPainter::Instance().Style(), psStandard);
}

TEST(CxPainterChoice, NativeStyleChoosesTheNativePainterOnlyWithVisualStyles) {
  TcxLookAndFeel lf;
  lf.SetKind(lfFlat);
  lf.SetNativeStyle(true);
  {
    UxThemeStandIn none;
    none.fake.hasLibrary = false;
    none.Start();
    EXPECT_EQ(lf.Painter(), &Flat());
  }
  {
    UxThemeStandIn themed;
    themed.Start();
    EXPECT_EQ(lf.Painter(), &Native());
    EXPECT_TRUE(lf.Painter()->UsesThemes());
    themed.fake.themeActive = FALSE;
    SendMessageA(dxThemeChangeReceiver(), WM_THEMECHANGED, 0, 0);
    EXPECT_EQ(lf.Painter(), &Flat());
  }
}

TEST(CxPainterMetrics, TheDifferencesBetweenThePainters) {
  const TcxCustomLookAndFeelPainter& base = TcxCustomLookAndFeelPainter::Instance();
  struct Row {
    const TcxCustomLookAndFeelPainter* p;
    int edge, frameDefault, frameOther, content, shift, toggle;
    bool hover;
  } rows[] = {{&base, 0, 0, 0, 0, 0, 0, false},
              {&Standard(), 2, 3, 2, 1, 1, 12, false},
              {&Flat(), 1, 2, 1, 1, 1, 11, false},
              {&UltraFlat(), 1, 2, 1, 2, 0, 11, true}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.p->Style());
    EXPECT_EQ(r.p->EditBorderWidth(), r.edge);
    EXPECT_EQ(r.p->ButtonFrameWidth(pbsDefault), r.frameDefault);
    EXPECT_EQ(r.p->ButtonFrameWidth(pbsHot), r.frameOther);
    EXPECT_EQ(r.p->ButtonContentOffset(), r.content);
    EXPECT_EQ(r.p->ButtonPressedShift(), r.shift);
    EXPECT_EQ(r.p->TreeToggleSize(), r.toggle);
    EXPECT_EQ(r.p->TracksButtonHover(), r.hover);
  }
  EXPECT_EQ(UltraFlat().ButtonGlyphColor(pbsPressed), clHighlightText);
  EXPECT_EQ(Flat().ButtonGlyphColor(pbsPressed), clBtnText);
  EXPECT_EQ(Flat().ButtonGlyphColor(pbsDisabled), clBtnShadow);
  EXPECT_EQ(UltraFlat().ButtonGlyphState(pbsPressed), pbsNormal);
  EXPECT_EQ(Flat().ButtonGlyphState(pbsPressed), pbsPressed);
  EXPECT_EQ(base.DefaultHyperlinkTextColor(), 0xFF0000);
  EXPECT_EQ(base.DefaultGroupByBoxLineColor(), clBtnShadow);
  EXPECT_EQ(Flat().ContentInset(), 1);
  EXPECT_EQ(UltraFlat().SeparatorSize(), 2);
  EXPECT_EQ(Flat().ContentBounds(TRect{0, 0, 20, 20}), (TRect{1, 1, 19, 19}));
  EXPECT_EQ(Flat().ContentBoundsInner(TRect{0, 0, 20, 20}), (TRect{3, 3, 17, 17}));
  EXPECT_EQ(Flat().HeaderHeight(13), 19);
  EXPECT_EQ(Flat().SortMarkSize(), (TSize{8, 7}));
  EXPECT_EQ(UltraFlat().FilterDropDownButtonSize(), (TSize{15, 14}));

  TBitmap b;
  b.SetSize(4, 4);
  TcxCanvas c(b.Canvas());
  TRect focus;
  EXPECT_FALSE(Flat().ButtonFocusBounds(c, TRect{0, 0, 20, 20}, focus));
  EXPECT_EQ(focus, (TRect{4, 4, 16, 16}));
  EXPECT_FALSE(UltraFlat().ButtonFocusBounds(c, TRect{0, 0, 20, 20}, focus));
  EXPECT_EQ(focus, (TRect{3, 3, 17, 17}));
  EXPECT_TRUE(Flat().ButtonFocusBounds(c, TRect{0, 0, 8, 20}, focus));
  EXPECT_EQ(focus, (TRect{0, 0, 8, 20}));
}

TEST(CxPainterMetrics, UltraFlatFacesAreTheBlendsMappedToTheScreen) {
  const std::uint32_t hot = cxUltraFlatBlend(Rgb(clBtnFace), Rgb(clHighlight), Rgb(clWindow), cxUltraFlatHotWeights);
  gdi::WindowDC screen(nullptr);
  EXPECT_EQ(UltraFlat().ButtonFaceColor(pbsHot), static_cast<TColor>(GetNearestColor(screen.Get(), hot)));
  EXPECT_EQ(UltraFlat().ButtonFaceColor(pbsPressed), cxUltraFlatBlendColor(cxUltraFlatPressedWeights));
  EXPECT_EQ(UltraFlat().ButtonFaceColor(pbsNormal), clBtnFace);
  EXPECT_EQ(Flat().ButtonFaceColor(pbsHot), clBtnFace);
}

TEST_F(CxPainter, FlatEditBorderOnAnEntryBoxLeavesTheInsideAlone) {
  Flat().PaintEditBorder(canvas, TRect{0, 0, 33, 21});
  EXPECT_EQ(At(0, 10), Rgb(clBtnShadow));
  EXPECT_EQ(At(10, 0), Rgb(clBtnShadow));
  EXPECT_EQ(At(32, 10), Rgb(clBtnHighlight));
  EXPECT_EQ(At(10, 20), Rgb(clBtnHighlight));
  EXPECT_EQ(At(32, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(At(0, 20), Rgb(clBtnHighlight));
  EXPECT_EQ(At(1, 1), kBackground);
  EXPECT_EQ(At(31, 19), kBackground);
}

TEST_F(CxPainter, StandardAndUltraFlatEditBorders) {
  Standard().PaintEditBorder(canvas, TRect{0, 0, 6, 6});
  EXPECT_EQ(Compare(0, 0, {"SSSSSH", "SDDDLH", "SD..LH", "SD..LH", "SLLLLH", "HHHHHH"}), "");
  Clear(40, 30);
  UltraFlat().PaintEditBorder(canvas, TRect{0, 0, 5, 4});
  EXPECT_EQ(Compare(0, 0, {"SSSSS", "S...S", "S...S", "SSSSS"}), "");
}

TEST_F(CxPainter, FlatButtonFramesDefaultIsBlackOutsideRaisedInsideAndPressedIsOneSunkenPixel) {
  Flat().PaintButtonFrame(canvas, TRect{0, 0, 6, 6}, pbsDefault);
  EXPECT_EQ(Compare(0, 0, {"KKKKKK", "KHHHSK", "KH..SK", "KH..SK", "KSSSSK", "KKKKKK"}, Rgb(clBlack)), "");
  Clear(40, 30);
  Flat().PaintButtonFrame(canvas, TRect{0, 0, 5, 5}, pbsPressed);
  EXPECT_EQ(Compare(0, 0, {"SSSSH", "S...H", "S...H", "S...H", "HHHHH"}), "");
  Clear(40, 30);
  Flat().PaintButtonFrame(canvas, TRect{0, 0, 4, 4}, pbsHot);
  EXPECT_EQ(Compare(0, 0, {"HHHS", "H..S", "H..S", "SSSS"}), "");
}

TEST_F(CxPainter, StandardAndUltraFlatButtonFrames) {
  Standard().PaintButtonFrame(canvas, TRect{0, 0, 6, 6}, pbsNormal);
  EXPECT_EQ(Compare(0, 0, {"HHHHHD", "HLLLSD", "HL..SD", "HL..SD", "HSSSSD", "DDDDDD"}), "");
  Clear(40, 30);
  Standard().PaintButtonFrame(canvas, TRect{0, 0, 5, 5}, pbsPressed);
  EXPECT_EQ(Compare(0, 0, {"KKKKK", "KSSSK", "KS.SK", "KSSSK", "KKKKK"}, Rgb(clBlack)), "");
  Clear(40, 30);
  UltraFlat().PaintButtonFrame(canvas, TRect{0, 0, 5, 5}, pbsDefault);
  EXPECT_EQ(Compare(0, 0, {"WWWWW", "WWWWW", "WW.WW", "WWWWW", "WWWWW"}, Rgb(clWindowFrame)), "");
  UltraFlat().PaintButtonFrame(canvas, TRect{10, 0, 13, 3}, pbsNormal);
  EXPECT_EQ(Compare(10, 0, {"TTT", "T.T", "TTT"}), "");
  UltraFlat().PaintButtonFrame(canvas, TRect{20, 0, 23, 3}, pbsHot);
  EXPECT_EQ(Compare(20, 0, {"XXX", "X.X", "XXX"}, Rgb(clHighlight)), "");
}

TEST_F(CxPainter, PaintButtonFillsTheFaceAndCentresTheCaption) {
  Clear(60, 24);
  Flat().PaintButton(canvas, TRect{0, 0, 60, 24}, "W", pbsNormal);
  EXPECT_EQ(At(0, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(At(1, 1), Rgb(clBtnFace));
  EXPECT_EQ(canvas.Brush().Style(), bsSolid);
  int textPixels = 0, left = 60, right = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 60; ++x)
      if (At(x, y) == Rgb(clBtnText)) {
        ++textPixels;
        left = std::min(left, x);
        right = std::max(right, x);
      }
  EXPECT_GT(textPixels, 5);
  EXPECT_LE(std::abs((left + right) / 2 - 30), 2);  // centred

  Clear(60, 24);
  Flat().PaintButton(canvas, TRect{0, 0, 60, 24}, "W", pbsDisabled, false, clWindow, clDefault);
  int shadow = 0, light = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 60; ++x) {
      shadow += At(x, y) == Rgb(clBtnShadow);
      light += At(x, y) == Rgb(clBtnHighlight);
    }
  EXPECT_GT(shadow, 5);  // embossed
  EXPECT_GT(light, 0);
  EXPECT_EQ(At(0, 0), Rgb(clWindow));  // no frame, the face colour given
}

TEST_F(CxPainter, ToggleSignsAndTheFlatTreeToggle) {
  Flat().PaintToggleSign(canvas, TRect{0, 0, 9, 9}, clBtnText, false);
  EXPECT_EQ(Compare(0, 0, {".........", ".........", "....T....", "....T....", "..TTTTT..", "....T....",
                           "....T....", ".........", "........."}),
            "");
  Clear(40, 30);
  {
    gdi::SavedState saved(canvas.Handle());
    Flat().PaintTreeToggle(canvas, TRect{0, 0, 11, 11}, clWindow, true);
    canvas.SetBrushColor(clHighlight);
    canvas.FillRect(TRect{0, 0, 20, 20});  // the toggle is kept out of later drawing
  }
  EXPECT_EQ(Compare(0, 0,
                    {"HHHHHHHHHHS", "HWWWWWWWWWS", "HWWWWWWWWWS", "HWWWWWWWWWS", "HWWWWWWWWWS", "HWWTTTTTWWS",
                     "HWWWWWWWWWS", "HWWWWWWWWWS", "HWWWWWWWWWS", "HWWWWWWWWWS", "SSSSSSSSSSS"},
                    Rgb(clWindow)),
            "");
  EXPECT_EQ(At(12, 5), Rgb(clHighlight));

  Clear(40, 30);
  canvas.SetBrushColor(clBtnShadow);
  Standard().PaintSmallToggle(canvas, TRect{0, 0, 9, 9}, clWindow, false);
  EXPECT_EQ(Compare(0, 0, {"SSSSSSSSS", "SWWWWWWWS", "SWWWWWWWS", "SWWWTWWWS", "SWWTTTWWS", "SWWWTWWWS",
                           "SWWWWWWWS", "SWWWWWWWS", "SSSSSSSSS"},
                    Rgb(clWindow)),
            "");
}

TEST_F(CxPainter, ArrowsAndDropArrows) {
  Flat().PaintDropArrow(canvas, TRect{0, 0, 12, 6}, clBtnText);
  EXPECT_EQ(Compare(0, 0, {"............", "..TTTTTTT...", "...TTTTT....", "....TTT.....", ".....T......",
                           "............"}),
            "");
  Clear(40, 30);
  Flat().PaintArrow(canvas, TRect{0, 0, 8, 8}, clBtnText, adRight);
  EXPECT_EQ(Compare(0, 0, {"........", "..T.....", "..TT....", "..TTT...", "..TT....", "..T.....", "........"}), "");
  Clear(40, 30);
  Flat().PaintButtonArrow(canvas, TRect{0, 0, 8, 8}, adUp, pbsDisabled);
  EXPECT_EQ(Compare(0, 0, {"........", "........", "...S....", "..SSS...", ".SSSSS..", "..HHHHH.", "........"}), "");
  // An arrow button's arrow is in the glyph colour alone: no emboss, no pressed shift.
  for (const auto& [state, arrow] : {std::pair{pbsDisabled, 'S'}, std::pair{pbsPressed, 'T'}}) {
    Clear(40, 30);
    Flat().PaintArrowButton(canvas, TRect{0, 0, 8, 8}, false, adUp, state);
    std::vector<std::string> picture{"FFFFFFFF", "FFFFFFFF", "FFFAFFFF", "FFAAAFFF", "FAAAAAFF", "FFFFFFFF", "FFFFFFFF"};
    for (std::string& row : picture) std::replace(row.begin(), row.end(), 'A', arrow);
    EXPECT_EQ(Compare(0, 0, picture, Rgb(clBtnFace)), "") << state;
  }
}

TEST_F(CxPainter, CheckBoxesFrameFaceAndTick) {
  Flat().PaintCheckBox(canvas, TRect{0, 0, 13, 13}, true, pbsNormal);
  EXPECT_EQ(At(0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(At(12, 12), Rgb(clBtnHighlight));
  EXPECT_EQ(At(1, 1), Rgb(clWindow));  // the face colour as a frame
  EXPECT_EQ(At(2, 2), Rgb(clWindow));
  EXPECT_EQ(At(3, 5), Rgb(clBtnText));  // the tick
  EXPECT_EQ(At(5, 7), Rgb(clBtnText));
  EXPECT_EQ(At(9, 3), Rgb(clBtnText));
  Clear(40, 30);
  Standard().PaintCheckBox(canvas, TRect{0, 0, 13, 13}, false, pbsDisabled);
  EXPECT_EQ(At(1, 1), Rgb(cl3DDkShadow));
  EXPECT_EQ(At(5, 7), Rgb(clBtnFace));
  Clear(40, 30);
  UltraFlat().PaintCheckBox(canvas, TRect{0, 0, 13, 13}, false, pbsHot);
  EXPECT_EQ(At(0, 0), Rgb(clHighlight));
}

TEST_F(CxPainter, RadioButtonsComeFromTheCachedImagesAndAreRebuiltOnAColourChange) {
  Standard().PaintRadioButton(canvas, 2, 2, true, pbsNormal, false, clDefault);
  EXPECT_EQ(At(2, 2), kBackground);  // transparent corner
  EXPECT_EQ(At(2 + 4, 2), Rgb(clBtnShadow));
  EXPECT_EQ(At(2 + 11, 2 + 6), Rgb(clBtnHighlight));
  EXPECT_EQ(At(2 + 4, 2 + 1), Rgb(cl3DDkShadow));
  EXPECT_EQ(At(2 + 3, 2 + 3), Rgb(clWindow));
  EXPECT_EQ(At(2 + 5, 2 + 5), Rgb(clWindowText));
  UltraFlat().PaintRadioButton(canvas, 20, 2, false, pbsNormal, true, clBtnFace);
  EXPECT_EQ(At(20, 2), Rgb(clBtnFace));
  EXPECT_EQ(At(24, 2), Rgb(clHighlight));  // focused looks hot
  EXPECT_EQ(At(25, 7), Rgb(UltraFlat().ButtonFaceColor(pbsHot)));

  const int builds = cxRadioImagesBuildCount();
  ASSERT_TRUE(IsWindow(cxSystemColorListener()));
  SendMessageA(cxSystemColorListener(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(cxRadioImagesBuildCount(), builds + 1);
  SendMessageA(cxSystemColorListener(), CM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(cxRadioImagesBuildCount(), builds + 2);

  // After the module's end nothing is made again: no images are drawn and no listener comes back.
  cxLookAndFeelPaintersFinalize();
  Clear(40, 30);
  Standard().PaintRadioButton(canvas, 2, 2, true, pbsNormal, false, clDefault);
  Flat().PaintIndicatorItem(canvas, TRect{20, 0, 33, 13}, TcxPainterText{}, ikArrow);
  Flat().PaintScrollBarPart(canvas, true, sbpPageUp, pbsNormal, TRect{0, 20, 16, 28});
  EXPECT_EQ(At(2 + 4, 2), kBackground);
  EXPECT_EQ(At(2 + 5, 2 + 5), kBackground);
  EXPECT_EQ(At(20 + 4, 3), Rgb(clBtnFace));  // the section without its arrow
  EXPECT_EQ(At(1, 21), kBackground);
  EXPECT_EQ(cxSystemColorListener(), nullptr);
  EXPECT_EQ(cxRadioImagesBuildCount(), 0);
}

TEST_F(CxPainter, FlatHeaderFrameSortMarkAndIndicator) {
  Flat().PaintHeaderBorder(canvas, TRect{0, 0, 6, 6}, cxBordersAll);
  EXPECT_EQ(Compare(0, 0, {"HHHHHH", "F....F", "H....S", "H....S", "F....F", "SSSSSS"}, Rgb(clBtnFace)), "");

  Clear(40, 30);
  Flat().PaintSortMark(canvas, TRect{0, 0, 8, 7}, true);
  EXPECT_EQ(At(3, 0), Rgb(clBtnShadow));
  EXPECT_EQ(At(4, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(At(0, 6), Rgb(clBtnHighlight));
  EXPECT_EQ(At(7, 6), Rgb(clBtnHighlight));

  Clear(40, 30);
  TcxPainterText none;
  Flat().PaintIndicatorItem(canvas, TRect{0, 0, 13, 13}, none, ikArrow);
  // The arrow picture (column 2 of the 9 by 9 image) lands at (2 + 2, 2 + 1); white is left out.
  EXPECT_EQ(At(4, 3), Rgb(clBlack));
  EXPECT_EQ(At(5, 3), Rgb(clBtnFace));
  EXPECT_EQ(At(0, 0), Rgb(clBtnHighlight));

  TcxPainterText caption;
  caption.Text = "Name";
  Clear(40, 30);
  Flat().PaintHeader(canvas, TRect{0, 0, 40, 20}, cxBordersAll, pbsNormal, caption);
  int text = 0;
  for (int x = 2; x < 38; ++x)
    for (int y = 2; y < 18; ++y) text += At(x, y) == Rgb(clBtnText);
  EXPECT_GT(text, 5);
  const int w = canvas.TextExtent("Name").cx;
  EXPECT_EQ(Flat().HeaderWidth(canvas, {bLeft}, "Name", nullptr), w + 5);
  EXPECT_EQ(UltraFlat().HeaderWidth(canvas, cxBordersAll, "Name", nullptr), w + 4 - 1);  // only the right side
  EXPECT_EQ(UltraFlat().HeaderContentBounds(TRect{0, 0, 20, 10}, cxBordersAll), (TRect{0, 0, 19, 9}));

  Clear(40, 30);
  Flat().PaintHeaderPressed(canvas, TRect{0, 0, 2, 2});
  EXPECT_EQ(At(0, 0), kBackground ^ 0xFFFFFF);
}

TEST_F(CxPainter, ScrollBarPageAreasAreCheckerboardsAndDisabledThumbsNothing) {
  Flat().PaintScrollBarPart(canvas, true, sbpPageUp, pbsNormal, TRect{0, 0, 16, 16});
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      ASSERT_EQ(At(x, y), Rgb(cxCheckerboardFirst(x, y) ? clBtnHighlight : clBtnFace)) << x << "," << y;
  Flat().PaintScrollBarPart(canvas, true, sbpPageDown, pbsPressed, TRect{16, 0, 24, 8});
  EXPECT_EQ(At(17, 0), Rgb(cl3DDkShadow));
  EXPECT_EQ(At(16, 0), Rgb(clBlack));
  EXPECT_EQ(canvas.Brush().Style(), bsSolid);

  Clear(40, 30);
  Flat().PaintScrollBarPart(canvas, false, sbpThumbnail, pbsDisabled, TRect{0, 0, 16, 16});
  Flat().PaintScrollBarPart(canvas, false, sbpLineUp, pbsNormal, TRect{20, 0, 20, 16});
  EXPECT_EQ(At(5, 5), kBackground);
  EXPECT_EQ(At(20, 5), kBackground);

  // An arrow button: the button, then the arrow inside its frame; hot looks normal here.
  Flat().PaintScrollBarPart(canvas, false, sbpLineDown, pbsHot, TRect{0, 0, 16, 16});
  EXPECT_EQ(At(0, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(At(15, 15), Rgb(clBtnShadow));
  EXPECT_EQ(At(2, 2), Rgb(clBtnFace));
  EXPECT_EQ(At(7, 8), Rgb(clBtnText));
  // Ultra-flat draws hot parts hot.
  UltraFlat().PaintScrollBarPart(canvas, false, sbpThumbnail, pbsHot, TRect{20, 0, 36, 16});
  EXPECT_EQ(At(20, 0), Rgb(clHighlight));
}

TEST_F(CxPainter, FramesFilterAndCloseButtonsTabsAndFooter) {
  Flat().PaintRaisedFrame(canvas, TRect{0, 0, 3, 3});
  EXPECT_EQ(Compare(0, 0, {"HHS", "H.S", "SSS"}), "");
  Standard().PaintSunkenFrame(canvas, TRect{10, 0, 15, 5});
  EXPECT_EQ(Compare(10, 0, {"SSSSH", "SDDLH", "SD.LH", "SLLLH", "HHHHH"}), "");

  Clear(40, 30);
  Flat().PaintFilterButton(canvas, TRect{0, 0, 16, 14}, pbsNormal, true);
  EXPECT_EQ(At(0, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(At(7, 6), 0xFF0000u);  // the active arrow in blue
  Flat().PaintFilterButton(canvas, TRect{20, 0, 36, 14}, pbsPressed, false);
  EXPECT_EQ(At(20, 0), Rgb(clBtnShadow));
  EXPECT_EQ(At(27, 6), Rgb(clBtnText));

  Clear(40, 30);
  Flat().PaintCloseButton(canvas, TRect{0, 0, 15, 15}, pbsNormal);
  EXPECT_EQ(At(0, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(At(4, 4), Rgb(clBtnText));  // a 6 by 6 cross, a pixel thicker to the right
  EXPECT_EQ(At(9, 9), Rgb(clBtnText));
  EXPECT_EQ(At(4, 9), Rgb(clBtnText));
  EXPECT_EQ(At(10, 9), Rgb(clBtnText));
  EXPECT_EQ(At(7, 2), Rgb(clBtnFace));

  Clear(40, 30);
  Flat().PaintTabsRoot(canvas, TRect{0, 0, 10, 10}, false, {bTop});
  EXPECT_EQ(At(5, 0), Rgb(clBtnHighlight));
  EXPECT_EQ(At(0, 5), kBackground);
  TcxTabArgs tab;
  Flat().PaintTab(canvas, TRect{20, 0, 30, 8}, tab);
  EXPECT_EQ(At(20, 3), Rgb(clBtnHighlight));
  EXPECT_EQ(At(29, 3), Rgb(clBtnShadow));
  EXPECT_EQ(At(25, 7), Rgb(clBtnFace));  // open towards the page

  Clear(40, 30);
  TcxPainterText sum;
  sum.Text = "12";
  Flat().PaintFooterArea(canvas, TRect{0, 0, 30, 16}, sum);
  EXPECT_EQ(At(0, 0), Rgb(clBtnShadow));
  EXPECT_EQ(At(29, 15), Rgb(clBtnHighlight));
  EXPECT_EQ(At(1, 1), Rgb(clBtnFace));

  Clear(40, 30);
  UltraFlat().PaintRowButton(canvas, TRect{0, 0, 10, 10}, clDefault, 0, 2, pbsNormal);
  UltraFlat().PaintRowButton(canvas, TRect{10, 0, 20, 10}, clDefault, 1, 2, pbsNormal);
  EXPECT_EQ(At(9, 5), Rgb(clBtnFace));  // neighbours share the line
  EXPECT_EQ(At(10, 5), Rgb(clBtnShadow));
  EXPECT_EQ(At(19, 5), Rgb(clBtnShadow));
}

TEST_F(CxPainter, TheNativePainterFallsBackToTheStandardOneWhereThemesDoNotDraw) {
  {
    UxThemeStandIn none;
    none.fake.hasLibrary = false;
    none.Start();
    EXPECT_EQ(Native().EditBorderWidth(), 2);
    EXPECT_EQ(Native().ButtonFrameWidth(pbsNormal), 2);
    EXPECT_EQ(Native().TreeToggleSize(), 12);
    EXPECT_EQ(Native().FilterDropDownButtonSize(), (TSize{16, 14}));
    EXPECT_EQ(Native().CheckBorderSize(), 2);
    Native().PaintEditBorder(canvas, TRect{0, 0, 6, 6});
    EXPECT_EQ(Compare(0, 0, {"SSSSSH", "SDDDLH", "SD..LH", "SD..LH", "SLLLLH", "HHHHHH"}), "");
    Native().PaintButtonFrame(canvas, TRect{10, 0, 16, 6}, pbsNormal);
    EXPECT_EQ(Compare(10, 0, {"HHHHHD", "HLLLSD", "HL..SD", "HL..SD", "HSSSSD", "DDDDDD"}), "");
  }
  {
    // Themes open, but this library draws nothing: still drawn, as the standard painter does.
    UxThemeStandIn themed;
    themed.Start();
    Clear(40, 30);
    EXPECT_EQ(Native().EditBorderWidth(), 1);
    Native().PaintCheckBox(canvas, TRect{0, 0, 13, 13}, true, pbsNormal);
    EXPECT_EQ(At(5, 7), Rgb(clBtnText));
    Native().PaintScrollBarPart(canvas, true, sbpPageUp, pbsNormal, TRect{20, 0, 28, 8});
    EXPECT_EQ(At(21, 0), Rgb(clBtnHighlight));
  }
}

TEST_F(CxPainter, TheNativePainterDrawsThroughTheSystemsVisualStyles) {
  uxtheme_tests::SystemThemeService started;
  if (!ThemesAvailable()) GTEST_SKIP() << "no visual styles active";
  ASSERT_NE(OpenTheme(totButton), nullptr);
  EXPECT_EQ(Native().CheckBorderSize(), 0);
  Native().PaintButton(canvas, TRect{0, 0, 30, 20}, "", pbsNormal);
  Native().PaintScrollBarPart(canvas, true, sbpLineUp, pbsNormal, TRect{32, 0, 40, 8});
  int painted = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) painted += At(x, y) != kBackground;
  EXPECT_GT(painted, 500);
  const int edge = Native().EditBorderWidth();
  EXPECT_EQ(edge, OpenTheme(totListView) ? 1 : 2);
}
