#include <gtest/gtest.h>

#include <cstdio>

#include "controls/lookandfeel/cxLookAndFeelPainters.h"
#include "tests/support/GdiTrace.h"

namespace {

// Every kind of element from every painter, the themed ones included where the system has
// visual styles.
void PaintEverything(TcxCanvas& c) {
  const TcxCustomLookAndFeelPainter* painters[] = {
      &TcxStandardLookAndFeelPainter::Instance(), &TcxFlatLookAndFeelPainter::Instance(),
      &TcxUltraFlatLookAndFeelPainter::Instance(), &TcxWinXPLookAndFeelPainter::Instance()};
  TcxPainterText text;
  text.Text = "Name";
  TcxTabArgs tab;
  tab.Text.Text = "Tab";
  for (const TcxCustomLookAndFeelPainter* p : painters) {
    gdi::SavedState saved(c.Handle());
    p->PaintEditBorder(c, TRect{0, 0, 33, 21});
    for (int s = pbsDefault; s <= pbsDisabled; ++s) {
      const auto state = static_cast<PainterButtonState>(s);
      p->PaintButton(c, TRect{40, 0, 100, 22}, "&Go", state);
      p->PaintCheckBox(c, TRect{0, 30, 13, 43}, s % 2 == 0, state);
      p->PaintRadioButton(c, 20, 30, s % 2 == 0, state, s == pbsNormal, clBtnFace);
      p->PaintArrowButton(c, TRect{40, 30, 56, 46}, true, adLeft, state);
      p->PaintCloseButton(c, TRect{60, 30, 75, 45}, state);
      p->PaintFilterButton(c, TRect{80, 30, 96, 44}, state, s == pbsHot);
      p->PaintScrollBarPart(c, s % 2 == 0, static_cast<TcxScrollBarPart>(1 + s % 5), state, TRect{0, 50, 40, 66});
      p->PaintHeader(c, TRect{0, 70, 60, 90}, cxBordersAll, state, text);
    }
    p->PaintSortMark(c, TRect{50, 75, 58, 82}, true);
    p->PaintIndicatorHeader(c, TRect{60, 70, 74, 90}, text, ikEdit);
    p->PaintFooterArea(c, TRect{0, 95, 60, 111}, text);
    p->PaintTab(c, TRect{0, 115, 40, 133}, tab);
    p->PaintTabsRoot(c, TRect{0, 133, 80, 140}, false, {bTop});
    p->PaintTabPane(c, TRect{0, 140, 80, 160}, cxBordersAll, clBtnFace);
    p->PaintSmallToggle(c, TRect{100, 0, 109, 9}, clWindow, false);
    p->PaintTreeToggle(c, TRect{110, 0, 122, 12}, clWindow, true);
  }
}

}  // namespace

// Painting every element forty times, and rebuilding the radio-button images on system
// colour changes, leaves the GDI object count where it was.
TEST(PainterSoakBody, PaintEverything) {
  if (!IsGdiTraceChild()) GTEST_SKIP() << "runs inside PainterSoak.PaintingKeepsTheGdiCountFlat";
  cxLookAndFeelPaintersInitialize();
  TBitmap bitmap;
  bitmap.SetSize(130, 160);
  TcxCanvas canvas(bitmap.Canvas());
  PaintEverything(canvas);  // warm-up: fonts and brushes are made once
  const long owned = gdi::LiveObjects();
  GdiMark("begin");
  for (int i = 0; i < 40; ++i) PaintEverything(canvas);
  GdiMark("painted");
  for (int i = 0; i < 20; ++i) SendMessageA(cxSystemColorListener(), WM_SYSCOLORCHANGE, 0, 0);
  PaintEverything(canvas);
  GdiMark("end");
  EXPECT_EQ(gdi::LiveObjects(), owned);
  cxLookAndFeelPaintersFinalize();
}

TEST(PainterSoak, PaintingKeepsTheGdiCountFlat) {
  const GdiTrace trace = RunGdiTraced("PainterSoakBody.PaintEverything");
  ASSERT_TRUE(trace.passed) << trace.output;
  EXPECT_EQ(trace.marks.at("painted"), trace.marks.at("begin"));
  EXPECT_EQ(trace.marks.at("end"), trace.marks.at("begin"));
  std::printf("[ figures  ] painters, live GDI objects (Wine): %ld at start, %ld after painting, %ld at the end\n",
              trace.marks.at("begin"), trace.marks.at("painted"), trace.marks.at("end"));
}
