#include "controls/banner/GradientLabel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/banner/GradientBands.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0);

// A borderless form on screen whose client area is w x h in the given colour.
std::unique_ptr<TForm> MakeForm(int w, int h, TColor color) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetBorderStyle(bsNone);
  form->SetBounds(40, 40, w, h);
  form->SetColor(color);
  return form;
}

TGradientLabel* AddLabel(TForm& form, const TRect& bounds) {
  auto* label = new TGradientLabel(&form);
  label->SetParent(&form);
  label->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  return label;
}

// Shown without activation (activation costs Wine a wait for a window manager) and above every
// other window, so that what is read back from the screen is this form's own paint.
void ShowForm(TForm& form) {
  SetWindowPos(form.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// What the screen shows after the window's own paint has run.
void CaptureScreen(TForm& form, TBitmap& out) {
  ShowForm(form);
  InvalidateRect(form.Handle(), nullptr, TRUE);
  UpdateWindow(form.Handle());
  out.SetSize(form.Width(), form.Height());
  const gdi::WindowDC screen(form.Handle());
  BitBlt(out.Canvas().Handle(), 0, 0, form.Width(), form.Height(), screen.Get(), 0, 0, SRCCOPY);
}

// The form's paint cycle run into a bitmap: the erase that BeginPaint would ask for, then the
// paint with the bitmap's context passed in. Nothing else on the desktop can get in the way.
void Capture(TForm& form, TBitmap& out) {
  form.HandleNeeded();
  out.SetSize(form.Width(), form.Height());
  const auto dc = reinterpret_cast<WPARAM>(out.Canvas().Handle());
  form.Perform(WM_ERASEBKGND, dc);
  form.Perform(WM_PAINT, dc);
}

std::string Hex(COLORREF c) {
  char buf[16];
  wsprintfA(buf, "%02X,%02X,%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return buf;
}

// Colour of each column of a left-to-right band gradient over `width` pixels.
std::vector<COLORREF> GradientColumns(TColor from, TColor to, int width) {
  std::vector<COLORREF> columns(static_cast<std::size_t>(width));
  for (const auto& band : banner::PlanBands(ColorToRGB(from), ColorToRGB(to), banner::BandCount(width), width))
    for (int x = band.Start; x < band.End; ++x) columns[static_cast<std::size_t>(x)] = band.Color;
  return columns;
}

// Every pixel of rows [top, bottom) of the label at `origin` against expected(x, y).
void ExpectRows(TBitmap& shot, TPoint origin, int width, int top, int bottom,
                const std::function<COLORREF(int x, int y)>& expected) {
  int mismatches = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF got = shot.Pixel(origin.X + x, origin.Y + y);
      const COLORREF want = expected(x, y);
      if (got != want && ++mismatches <= 5) ADD_FAILURE() << "at " << x << "," << y << ": " << Hex(got) << " want " << Hex(want);
    }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace

TEST(GradientLabel, Defaults) {
  TGradientLabel label(nullptr);
  EXPECT_STREQ(label.ClassName(), "TGradientLabel");
  EXPECT_EQ(label.ColorTo(), clWhite);
  EXPECT_EQ(label.EllipsType(), etNone);
  EXPECT_EQ(label.GradientType(), gtFullHorizontal);
  EXPECT_EQ(label.Indent(), 0);
  EXPECT_EQ(label.LineWidth(), 2);
  EXPECT_FALSE(label.TransparentText());
  EXPECT_EQ(label.VAlignment(), vaTop);
  EXPECT_FALSE(label.AutoSize());
  EXPECT_EQ(label.Width(), 65);
  EXPECT_EQ(label.Height(), 17);
  EXPECT_EQ(label.Caption(), "");
  // Without visual styles (no manifest) the label paints its background and is opaque.
  EXPECT_EQ(label.Transparent(), ThemeServicesEnabled());
  EXPECT_EQ(label.IsOpaque(), !label.Transparent());
  label.SetTransparent(true);
  EXPECT_FALSE(label.IsOpaque());
}

TEST(GradientLabel, SettersRepaintOnlyOnChange) {
  auto form = MakeForm(120, 60, clWhite);
  TGradientLabel* label = AddLabel(*form, Bounds(10, 20, 50, 17));
  ShowForm(*form);
  UpdateWindow(form->Handle());
  // Each setter once with the value it already has, then with a new one.
  const std::vector<std::pair<std::string, std::function<void(bool change)>>> setters = {
      {"ColorTo", [&](bool c) { label->SetColorTo(c ? clSkyBlue : clWhite); }},
      {"EllipsType", [&](bool c) { label->SetEllipsType(c ? etPathEllips : etNone); }},
      {"GradientType", [&](bool c) { label->SetGradientType(c ? gtCenterLine : gtFullHorizontal); }},
      {"Indent", [&](bool c) { label->SetIndent(c ? 4 : 0); }},
      {"LineWidth", [&](bool c) { label->SetLineWidth(c ? 5 : 2); }},
      {"TransparentText", [&](bool c) { label->SetTransparentText(c); }},
      {"VAlignment", [&](bool c) { label->SetVAlignment(c ? vaBottom : vaTop); }},
  };
  for (const auto& [name, set] : setters) {
    SCOPED_TRACE(name);
    ValidateRect(form->Handle(), nullptr);
    set(false);
    RECT r;
    EXPECT_FALSE(GetUpdateRect(form->Handle(), &r, FALSE));
    set(true);
    ASSERT_TRUE(GetUpdateRect(form->Handle(), &r, FALSE));
    EXPECT_EQ((TRect{r.left, r.top, r.right, r.bottom}), Bounds(10, 20, 50, 17));
  }
  EXPECT_EQ(label->ColorTo(), clSkyBlue);
  EXPECT_EQ(label->EllipsType(), etPathEllips);
  EXPECT_EQ(label->GradientType(), gtCenterLine);
  EXPECT_EQ(label->Indent(), 4);
  EXPECT_EQ(label->LineWidth(), 5);
  EXPECT_TRUE(label->TransparentText());
  EXPECT_EQ(label->VAlignment(), vaBottom);
}

TEST(GradientLabel, MainWindowBanner) {
  // 538 x 40 at (2, 15), sky blue fading down to a white window colour: 134 bands of one row.
  auto form = MakeForm(542, 60, clWhite);
  TGradientLabel* label = AddLabel(*form, Bounds(2, 15, 538, 40));
  label->SetColor(clSkyBlue);
  label->SetColorTo(clWhite);
  label->SetGradientType(gtFullVertical);
  label->SetVAlignment(vaCenter);
  TBitmap shot;
  CaptureScreen(*form, shot);

  EXPECT_EQ(Hex(shot.Pixel(2, 15)), Hex(RGB(167, 202, 240)));  // band 1 over band 0
  EXPECT_EQ(Hex(shot.Pixel(539, 54)), Hex(RGB(254, 254, 255)));  // band 132; band 133 falls outside
  std::vector<COLORREF> rows(40);
  for (const auto& band : banner::PlanBands(ColorToRGB(clSkyBlue), ColorToRGB(clWhite), 134, 40))
    for (int y = band.Start; y < band.End; ++y) rows[static_cast<std::size_t>(y)] = band.Color;
  ExpectRows(shot, {2, 15}, 538, 0, 40, [&](int, int y) { return rows[static_cast<std::size_t>(y)]; });
  // Nothing spills onto the form around it.
  ExpectRows(shot, {0, 0}, 542, 14, 15, [](int, int) { return RGB(255, 255, 255); });
  ExpectRows(shot, {0, 0}, 542, 55, 56, [](int, int) { return RGB(255, 255, 255); });
  EXPECT_EQ(shot.Pixel(1, 30), RGB(255, 255, 255));
  EXPECT_EQ(shot.Pixel(540, 30), RGB(255, 255, 255));
}

TEST(GradientLabel, NarrowerThanFourPixelsIsOneBandOfTheStartColour) {
  auto form = MakeForm(20, 20, clWhite);
  TGradientLabel* across = AddLabel(*form, Bounds(0, 0, 3, 10));
  across->SetColor(clSkyBlue);
  across->SetColorTo(clBlack);
  TGradientLabel* down = AddLabel(*form, Bounds(10, 0, 3, 10));
  down->SetColor(clSkyBlue);
  down->SetColorTo(clBlack);
  down->SetGradientType(gtFullVertical);
  TBitmap shot;
  Capture(*form, shot);
  ExpectRows(shot, {0, 0}, 3, 0, 10, [](int, int) { return ColorToRGB(clSkyBlue); });
  ExpectRows(shot, {10, 0}, 3, 0, 10, [](int, int) { return ColorToRGB(clSkyBlue); });
}

TEST(GradientLabel, LineTypesOnPlainBackground) {
  // Transparent False: the background is plain Color; the 2-pixel line runs left to right, and
  // with clNone as ColorTo towards the white that clNone's low bytes hold.
  const TColor from = RGB(0, 0, 128);
  struct Case {
    TGradientType type;
    TColor to;
    COLORREF towards;  // the colour the line runs to, written out
    int lineTop;       // of an 11-pixel high label; -1 for no line
  };
  for (const Case& c : {Case{gtTopLine, clWhite, RGB(255, 255, 255), 0},
                        Case{gtCenterLine, RGB(255, 0, 0), RGB(255, 0, 0), 5},
                        Case{gtBottomLine, clNone, RGB(255, 255, 255), 9},
                        Case{gtFullHorizontal, clNone, RGB(255, 255, 255), -1}}) {
    SCOPED_TRACE(static_cast<int>(c.type));
    auto form = MakeForm(120, 20, clWhite);
    TGradientLabel* label = AddLabel(*form, Bounds(4, 3, 100, 11));
    label->SetColor(from);
    label->SetColorTo(c.to);
    label->SetGradientType(c.type);
    TBitmap shot;
    Capture(*form, shot);
    const auto line = GradientColumns(from, static_cast<TColor>(c.towards), 100);
    ExpectRows(shot, {4, 3}, 100, 0, 11, [&](int x, int y) {
      return c.lineTop >= 0 && (y == c.lineTop || y == c.lineTop + 1) ? line[static_cast<std::size_t>(x)] : ColorToRGB(from);
    });
  }
}

TEST(GradientLabel, TransparentPaintsNoBackground) {
  auto form = MakeForm(120, 40, static_cast<TColor>(kGreen));
  TGradientLabel* full = AddLabel(*form, Bounds(0, 0, 100, 11));
  full->SetTransparent(true);
  full->SetColor(clBlack);
  TGradientLabel* line = AddLabel(*form, Bounds(0, 20, 100, 11));
  line->SetTransparent(true);
  line->SetColor(clBlack);
  line->SetGradientType(gtCenterLine);
  TBitmap shot;
  Capture(*form, shot);
  ExpectRows(shot, {0, 0}, 100, 0, 11, [](int, int) { return kGreen; });
  const auto columns = GradientColumns(clBlack, clWhite, 100);
  ExpectRows(shot, {0, 20}, 100, 0, 11,
             [&](int x, int y) { return y == 5 || y == 6 ? columns[static_cast<std::size_t>(x)] : kGreen; });
}

TEST(GradientLabel, TransparentTextLeavesAGapBehindTheCaption) {
  const std::string caption = "Gap here";
  for (TAlignment alignment : {taLeftJustify, taRightJustify, taCenter}) {
    SCOPED_TRACE(alignment);
    auto form = MakeForm(220, 40, static_cast<TColor>(kGreen));
    TGradientLabel* label = AddLabel(*form, Bounds(10, 5, 200, 30));
    label->SetTransparent(true);
    label->SetColor(clBlack);
    label->SetGradientType(gtBottomLine);
    label->SetTransparentText(true);
    label->SetAlignment(alignment);
    label->SetIndent(10);
    label->SetCaption(caption);

    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas().Font().Assign(label->Font());
    TRect r{0, 0, 200, 30};
    measure.Canvas().DrawText(caption, r, DT_CALCRECT);
    const int tw = r.Width();
    ASSERT_GT(tw, 20);
    const int gapStart = alignment == taLeftJustify ? 10 : alignment == taRightJustify ? 190 - tw : (200 - tw) / 2;

    TBitmap shot;
    Capture(*form, shot);
    const auto columns = GradientColumns(clBlack, clWhite, 200);
    ExpectRows(shot, {10, 5}, 200, 28, 30, [&](int x, int) {
      return x >= gapStart && x < gapStart + tw ? kGreen : columns[static_cast<std::size_t>(x)];
    });
    // The caption itself stands where the gap is.
    bool inked = false;
    for (int y = 5; y < 25; ++y) inked = inked || shot.Pixel(10 + gapStart + tw / 2, y) != kGreen;
    EXPECT_TRUE(inked);
    // Empty caption: no gap.
    label->SetCaption("");
    Capture(*form, shot);
    ExpectRows(shot, {10, 5}, 200, 28, 30, [&](int x, int) { return columns[static_cast<std::size_t>(x)]; });
  }
}

TEST(GradientLabel, TransparentTextChangesNothingForTheFullGradients) {
  for (TGradientType type : {gtFullHorizontal, gtFullVertical}) {
    SCOPED_TRACE(type);
    auto form = MakeForm(220, 40, static_cast<TColor>(kGreen));
    TGradientLabel* label = AddLabel(*form, Bounds(10, 5, 200, 30));
    label->SetGradientType(type);
    label->SetColor(clBlack);
    label->SetCaption("No gap here");
    TBitmap plain, transparentText;
    Capture(*form, plain);
    label->SetTransparentText(true);
    Capture(*form, transparentText);
    ExpectRows(transparentText, {0, 0}, 220, 0, 40, [&](int x, int y) { return plain.Pixel(x, y); });
  }
}

TEST(GradientLabel, LineGapMatchesTheCaptionAsDrawn) {
  // Literal ampersands, word breaks and an ellipsis each make the drawn caption narrower or wider
  // than the bare text: the gap follows the drawn caption.
  struct Case {
    const char* name;
    std::string caption;
    std::function<void(TGradientLabel&)> set;
    UINT flags;
  };
  const Case cases[] = {
      {"ShowAccelChar False", "&&Gap &here", [](TGradientLabel& l) { l.SetShowAccelChar(false); },
       DT_SINGLELINE | DT_NOPREFIX},
      {"WordWrap True", "one two three four five six seven eight", [](TGradientLabel& l) { l.SetWordWrap(true); },
       DT_WORDBREAK},
      {"end ellipsis", "a caption far too long to fit into the label's width at all",
       [](TGradientLabel& l) { l.SetEllipsType(etEndEllips); }, DT_SINGLELINE | DT_END_ELLIPSIS},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto form = MakeForm(160, 70, static_cast<TColor>(kGreen));
    TGradientLabel* label = AddLabel(*form, Bounds(10, 5, 140, 60));
    label->SetTransparent(true);
    label->SetColor(clBlack);
    label->SetGradientType(gtBottomLine);
    label->SetTransparentText(true);
    label->SetIndent(10);
    c.set(*label);
    label->SetCaption(c.caption);

    TBitmap measure;
    measure.SetSize(1, 1);
    measure.Canvas().Font().Assign(label->Font());
    TRect bare{0, 0, 0, 0};
    measure.Canvas().DrawText(c.caption, bare, DT_CALCRECT);
    TRect drawn{10, 0, 140, 60};
    measure.Canvas().DrawText(c.caption, drawn, DT_CALCRECT | c.flags);
    const int tw = std::min(drawn.Width(), 130);
    ASSERT_NE(tw, std::min(bare.Width(), 130)) << "the case must tell the two measures apart";

    TBitmap shot;
    Capture(*form, shot);
    const auto columns = GradientColumns(clBlack, clWhite, 140);
    ExpectRows(shot, {10, 5}, 140, 58, 60, [&](int x, int) {
      return x >= 10 && x < 10 + tw ? kGreen : columns[static_cast<std::size_t>(x)];
    });
    // The caption's ink lies over the gap.
    int inkLeft = 140, inkRight = -1;
    for (int y = 0; y < 56; ++y)
      for (int x = 0; x < 140; ++x)
        if (shot.Pixel(10 + x, 5 + y) != kGreen) inkLeft = std::min(inkLeft, x), inkRight = std::max(inkRight, x);
    EXPECT_GE(inkLeft, 10);
    EXPECT_LT(inkRight, 10 + tw);
    EXPECT_GT(inkRight, 10 + tw - 6);
  }
}

TEST(GradientLabel, EmbossStaysInsideTheLabelAfterTheLineGap) {
  // The gap's clip is undone by restoring the clip the parent set, not by dropping all clipping:
  // the embossed caption's highlight, one pixel right of the text, must not reach the form.
  auto form = MakeForm(100, 30, static_cast<TColor>(kGreen));
  TGradientLabel* label = AddLabel(*form, Bounds(10, 5, 40, 20));
  label->SetColor(clBlack);
  label->SetGradientType(gtTopLine);
  label->SetTransparentText(true);
  label->SetCaption("WWWWWWWWWWWWWWWW");
  label->SetEnabled(false);
  TBitmap shot;
  Capture(*form, shot);
  ExpectRows(shot, {50, 0}, 50, 0, 30, [](int, int) { return kGreen; });
}

TEST(GradientLabel, RepeatedPaintsHoldNoMoreGdiObjects) {
  auto form = MakeForm(200, 40, clWhite);
  TGradientLabel* full = AddLabel(*form, Bounds(0, 0, 200, 20));
  full->SetCaption("Full");
  full->SetGradientType(gtFullVertical);
  full->SetColor(clSkyBlue);
  TGradientLabel* line = AddLabel(*form, Bounds(0, 20, 200, 20));
  line->SetCaption("Line");
  line->SetGradientType(gtCenterLine);
  line->SetTransparentText(true);
  line->SetEnabled(false);
  TBitmap shot;
  Capture(*form, shot);  // fonts and brushes are made on first use
  // Wine reports no system count (0 throughout); the owners' count covers what we make.
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const long ownedBefore = gdi::LiveObjects();
  for (int i = 0; i < 20; ++i) Capture(*form, shot);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
  EXPECT_EQ(gdi::LiveObjects(), ownedBefore);
}

namespace {

// The label's caption against DrawTextA run by hand on the same background, font and rectangle.
struct CaptionCase {
  std::string name;
  std::function<void(TGradientLabel&)> setup;
  TRect textRect;  // where the caption should go, in label coordinates
  UINT format;
};

void ExpectCaption(const CaptionCase& c) {
  SCOPED_TRACE(c.name);
  constexpr TColor kBack = 0x00C08040;
  auto form = MakeForm(130, 50, clWhite);
  TGradientLabel* label = AddLabel(*form, Bounds(5, 5, 120, 40));
  label->SetColor(kBack);
  label->SetColorTo(clNone);
  label->Font().SetColor(RGB(255, 0, 0));
  c.setup(*label);
  TBitmap shot;
  Capture(*form, shot);

  TBitmap want;
  want.SetSize(120, 40);
  TCanvas& canvas = want.Canvas();
  canvas.Brush().SetColor(kBack);
  canvas.FillRect({0, 0, 120, 40});
  canvas.Font().Assign(label->Font());
  canvas.Brush().SetStyle(bsClear);
  TRect r = c.textRect;
  const std::string text = label->Caption();
  if (label->Enabled()) {
    canvas.DrawText(text, r, c.format);
  } else {
    TRect shifted{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(text, shifted, c.format);
    canvas.Font().SetColor(clBtnShadow);
    canvas.DrawText(text, r, c.format);
  }
  ExpectRows(shot, {5, 5}, 120, 0, 40, [&](int x, int y) { return want.Pixel(x, y); });

  // The comparison means something only if the caption shows in the colours it should.
  auto count = [&](COLORREF colour) {
    int n = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 120; ++x) n += want.Pixel(x, y) == colour;
    return n;
  };
  if (label->Enabled()) {
    EXPECT_GT(count(RGB(255, 0, 0)), 10);
  } else {
    EXPECT_GT(count(ColorToRGB(clBtnShadow)), 10);
    EXPECT_GT(count(ColorToRGB(clBtnHighlight)), 10);
  }
}

}  // namespace

TEST(GradientLabel, CaptionFormat) {
  const std::vector<CaptionCase> cases = {
      {"banner: left, vertically centred", [](TGradientLabel& l) { l.SetCaption("Title"); l.SetVAlignment(vaCenter); },
       {0, 0, 120, 40}, DT_LEFT | DT_SINGLELINE | DT_VCENTER},
      {"right with indent, bottom",
       [](TGradientLabel& l) {
         l.SetCaption("Right");
         l.SetAlignment(taRightJustify);
         l.SetIndent(10);
         l.SetVAlignment(vaBottom);
       },
       {0, 0, 110, 40}, DT_RIGHT | DT_SINGLELINE | DT_BOTTOM},
      {"centred ignores indent, layout centre",
       [](TGradientLabel& l) {
         l.SetCaption("Mid");
         l.SetAlignment(taCenter);
         l.SetIndent(30);
         l.SetLayout(tlCenter);
       },
       {0, 0, 120, 40}, DT_CENTER | DT_SINGLELINE | DT_VCENTER},
      {"end ellipsis, literal ampersand",
       [](TGradientLabel& l) {
         l.SetCaption("A && B &and a caption far too long to fit");
         l.SetEllipsType(etEndEllips);
         l.SetShowAccelChar(false);
         l.SetIndent(3);
       },
       {3, 0, 120, 40}, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX},
      {"word wrap starts at the top",
       [](TGradientLabel& l) {
         l.SetCaption("several words that wrap onto more lines");
         l.SetWordWrap(true);
         l.SetVAlignment(vaBottom);
       },
       {0, 0, 120, 40}, DT_WORDBREAK},
      {"disabled is embossed",
       [](TGradientLabel& l) {
         l.SetCaption("&Off");
         l.SetEnabled(false);
       },
       {0, 0, 120, 40}, DT_SINGLELINE},
  };
  for (const auto& c : cases) ExpectCaption(c);
}
