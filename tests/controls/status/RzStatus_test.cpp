#include "controls/status/RzStatus.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "tests/controls/status/StatusTestSupport.h"
#include "tests/support/Input.h"

namespace {

using Pane = BitmapPane<TRzStatusPane>;

constexpr COLORREF kPaneColor = RGB(10, 200, 30);
constexpr COLORREF kFill = RGB(250, 240, 0);

COLORREF Rgb(TColor c) { return ColorToRGB(c); }

// Pixels of the pane's caption area that differ from the picture placed with its origin at
// (x, y); the picture's background counts as fill.
int Differences(TBitmap& pane, const TRect& area, TextPicture& picture, int x, int y, COLORREF fill) {
  int differing = 0;
  for (int py = area.Top; py < area.Bottom; ++py)
    for (int px = area.Left; px < area.Right; ++px) {
      const int qx = px - x, qy = py - y;
      const bool inside = qx >= 0 && qy >= 0 && qx < picture.Width && qy < picture.Height;
      const COLORREF want = inside ? picture.bitmap.Pixel(qx, qy) : fill;
      if (pane.Pixel(px, py) != want) ++differing;
    }
  return differing;
}

}  // namespace

TEST(StatusPane, DefaultsFromConstruction) {
  TRzStatusPane pane(nullptr);
  EXPECT_EQ(pane.Width(), 100);
  EXPECT_EQ(pane.Height(), 20);
  EXPECT_EQ(pane.Alignment(), taLeftJustify);
  EXPECT_FALSE(pane.AutoSize());
  EXPECT_EQ(pane.DefaultWidth(), 40);
  EXPECT_EQ(pane.BlinkColor(), clHighlight);
  EXPECT_EQ(pane.BorderWidth(), 1u);
  EXPECT_EQ(pane.CaptionOffset(), 2);
  EXPECT_EQ(pane.FlatColor(), clBtnShadow);
  EXPECT_EQ(pane.FlatColorAdjustment(), 30);
  EXPECT_EQ(pane.FrameStyle(), fsFlat);
  EXPECT_TRUE(pane.ParentColor());
  EXPECT_TRUE(pane.ParentFillColor());
  EXPECT_EQ(pane.FillColor(), pane.Color());
  EXPECT_EQ(pane.CurrentTextColor(), pane.Font().Color());
  EXPECT_EQ(pane.GetCaptionRect(), (TRect{2, 2, 98, 18}));
}

TEST(StatusPane, DefaultFrameLeavesCornersInThePaneColour) {
  Pane pane(nullptr);
  pane.SetColor(static_cast<TColor>(kPaneColor));
  pane.SetFillColor(static_cast<TColor>(kFill));
  TBitmap bitmap;
  pane.PaintInto(bitmap);

  const COLORREF frame = Rgb(RaiseLuminance(clBtnShadow, 30));
  if (Rgb(clBtnShadow) == RGB(128, 128, 128)) {
    EXPECT_EQ(frame, RGB(159, 159, 159));
  }
  int wrong = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 100; ++x) {
      const bool outer = x == 0 || y == 0 || x == 99 || y == 19;
      const bool ring = !outer && (x == 1 || y == 1 || x == 98 || y == 18);
      const bool corner = ring && (x == 1 || x == 98) && (y == 1 || y == 18);
      const COLORREF want = outer || corner ? kPaneColor : ring ? frame : kFill;
      if (bitmap.Pixel(x, y) != want) ++wrong;
    }
  EXPECT_EQ(wrong, 0);
}

TEST(StatusPane, OtherFramesInsideTheBorder) {
  Pane pane(nullptr);
  pane.SetColor(static_cast<TColor>(kPaneColor));
  pane.SetFillColor(static_cast<TColor>(kFill));
  pane.SetBorderWidth(3);
  pane.SetFrameStyle(fsLowered);
  EXPECT_EQ(pane.GetCaptionRect(), (TRect{5, 5, 95, 15}));
  TBitmap bitmap;
  pane.PaintInto(bitmap);
  EXPECT_EQ(bitmap.Pixel(2, 2), kPaneColor);
  EXPECT_EQ(bitmap.Pixel(3, 3), Rgb(clBtnShadow));
  EXPECT_EQ(bitmap.Pixel(96, 3), Rgb(clBtnHighlight));
  EXPECT_EQ(bitmap.Pixel(4, 4), Rgb(cl3DDkShadow));
  EXPECT_EQ(bitmap.Pixel(95, 15), Rgb(cl3DLight));
  EXPECT_EQ(bitmap.Pixel(5, 5), kFill);
  EXPECT_EQ(bitmap.Pixel(94, 14), kFill);

  // No frame: the caption area starts inside the border alone.
  pane.SetFrameStyle(fsNone);
  EXPECT_EQ(pane.GetCaptionRect(), (TRect{3, 3, 97, 17}));
  pane.SetFrameStyle(fsFlatRounded);
  pane.PaintInto(bitmap);
  EXPECT_EQ(bitmap.Pixel(2, 2), kPaneColor);
  EXPECT_EQ(bitmap.Pixel(3, 3), kFill);
}

TEST(StatusPane, CaptionAlignmentPositions) {
  Pane pane(nullptr);
  pane.SetBounds(0, 0, 120, 20);
  pane.SetColor(static_cast<TColor>(kPaneColor));
  pane.SetFillColor(static_cast<TColor>(kFill));
  pane.SetCaption("Pane Ig");
  TextPicture text(pane.Font(), "Pane Ig", Rgb(pane.Font().Color()), kFill);
  const TRect area = pane.GetCaptionRect();
  const int y = area.Top + (area.Height() - MeasureText(pane.Font(), "Pp").cy) / 2;
  TBitmap bitmap;

  pane.PaintInto(bitmap);
  EXPECT_EQ(Differences(bitmap, area, text, 5, y, kFill), 0) << "left-aligned at x = 5";

  pane.SetAlignment(taRightJustify);
  pane.PaintInto(bitmap);
  EXPECT_EQ(Differences(bitmap, area, text, 120 - 5 - text.Width, y, kFill), 0) << "right edge at Width - 5";

  pane.SetAlignment(taCenter);
  pane.PaintInto(bitmap);
  const InkBounds centred = FindInk(bitmap, area, kFill);
  const int left = centred.Left - text.Ink.Left;
  EXPECT_LE(std::abs(left - (60 - text.Width / 2)), 1) << "centred on column 60";
  pane.SetCaptionOffset(25);
  pane.PaintInto(bitmap);
  EXPECT_EQ(FindInk(bitmap, area, kFill).Left, centred.Left) << "the offset does not move a centred caption";
}

TEST(StatusPane, TallCaptionIsClippedToTheCaptionArea) {
  Pane pane(nullptr);
  pane.SetColor(static_cast<TColor>(kPaneColor));
  pane.SetFillColor(static_cast<TColor>(kFill));
  pane.Font().SetHeight(-30);
  pane.SetCaption("Wg");
  // The caption area 9 pixels less high than the text: the text starts 9 / 2 = 4 pixels above
  // it (the half rounded towards zero, not down to 5), and is not pulled down into it.
  const int textHeight = MeasureText(pane.Font(), "Pp").cy;
  pane.SetBounds(0, 0, 100, textHeight - 9 + 4);
  const TRect area = pane.GetCaptionRect();
  ASSERT_EQ(area.Height(), textHeight - 9);
  const int h = pane.Height();
  TBitmap bitmap;
  pane.PaintInto(bitmap);
  // Border and frame untouched: outer ring in the pane colour, ring as the default frame.
  for (int x = 0; x < 100; ++x) {
    EXPECT_EQ(bitmap.Pixel(x, 0), kPaneColor);
    EXPECT_EQ(bitmap.Pixel(x, h - 1), kPaneColor);
  }
  const COLORREF frame = Rgb(RaiseLuminance(clBtnShadow, 30));
  for (int x = 2; x < 98; ++x) {
    EXPECT_EQ(bitmap.Pixel(x, 1), frame);
    EXPECT_EQ(bitmap.Pixel(x, h - 2), frame);
  }
  TextPicture text(pane.Font(), "Wg", Rgb(pane.Font().Color()), kFill);
  ASSERT_FALSE(FindInk(bitmap, area, kFill).Empty());
  EXPECT_EQ(Differences(bitmap, area, text, 5, area.Top - 4, kFill), 0) << "the text's top 4 pixels above the area";
}

TEST(StatusPane, DisabledCaptionIsEmbossed) {
  Pane pane(nullptr);
  pane.SetColor(static_cast<TColor>(kPaneColor));
  pane.SetFillColor(static_cast<TColor>(RGB(100, 150, 200)));
  pane.SetCaption("IIII");
  pane.SetEnabled(false);
  TBitmap bitmap;
  pane.PaintInto(bitmap);
  int shadow = 0, highlight = 0, text = 0;
  const TRect area = pane.GetCaptionRect();
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) {
      const COLORREF c = bitmap.Pixel(x, y);
      shadow += c == Rgb(clBtnShadow);
      highlight += c == Rgb(clBtnHighlight);
      text += c == Rgb(pane.Font().Color());
    }
  EXPECT_GT(shadow, 0);
  EXPECT_GT(highlight, 0);
  EXPECT_EQ(text, 0);
  // The highlight copy is the shadow copy moved exactly one pixel right and down: drawn alone
  // (the shadow copy in the fill colour), it shows where the shadow copy's ink is, moved so.
  TBitmap single;
  pane.SetEnabled(true);
  pane.Font().SetColor(clBtnShadow);
  pane.PaintInto(single);
  for (int y = area.Top; y + 1 < area.Bottom; ++y)
    for (int x = area.Left; x + 1 < area.Right; ++x)
      if (single.Pixel(x, y) == Rgb(clBtnShadow)) {
        EXPECT_EQ(bitmap.Pixel(x, y), Rgb(clBtnShadow)) << x << "," << y;
        if (bitmap.Pixel(x + 1, y + 1) != Rgb(clBtnShadow)) {
          EXPECT_EQ(bitmap.Pixel(x + 1, y + 1), Rgb(clBtnHighlight)) << x + 1 << "," << y + 1;
        }
      }
  for (int y = area.Top + 1; y < area.Bottom; ++y)
    for (int x = area.Left + 1; x < area.Right; ++x)
      if (bitmap.Pixel(x, y) == Rgb(clBtnHighlight)) {
        EXPECT_EQ(single.Pixel(x - 1, y - 1), Rgb(clBtnShadow)) << x << "," << y;
      }
}

TEST(StatusPane, AutoWidthFollowsTheCaption) {
  TRzStatusPane pane(nullptr);
  pane.SetAutoSize(true);
  EXPECT_EQ(pane.Width(), 40) << "empty caption: DefaultWidth";
  pane.SetDefaultWidth(55);
  EXPECT_EQ(pane.Width(), 55);

  const std::string caption = "Status\tpane &text";
  pane.SetCaption(caption);
  TBitmap measure;
  measure.Canvas().Font().Assign(pane.Font());
  TRect r{0, 0, 55, 20};
  measure.Canvas().DrawText(caption, r, DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
  EXPECT_EQ(pane.Width(), r.Width() + 10);

  pane.SetCaptionOffset(7);
  EXPECT_EQ(pane.Width(), r.Width() + 15);
  pane.SetBorderWidth(4);
  EXPECT_EQ(pane.Width(), r.Width() + 15) << "the border width does not rerun it";
  pane.SetFrameStyle(fsGroove);
  EXPECT_EQ(pane.Width(), r.Width() + 15);
  pane.Font().SetHeight(-20);
  EXPECT_GT(pane.Width(), r.Width() + 15) << "a font change does";
  pane.SetCaption("");
  EXPECT_EQ(pane.Width(), 55);

  pane.SetAutoSize(false);
  pane.SetCaption("A much longer caption than before");
  EXPECT_EQ(pane.Width(), 55);
}

TEST(StatusPane, FillColourFollowsColourUntilSet) {
  HostForm form;
  TRzStatusPane pane(nullptr);
  pane.SetParent(&form);
  EXPECT_EQ(pane.Color(), form.Color()) << "the parent's colour is passed on";
  EXPECT_EQ(pane.FillColor(), form.Color());

  pane.SetColor(static_cast<TColor>(kPaneColor));
  EXPECT_EQ(pane.FillColor(), static_cast<TColor>(kPaneColor));

  pane.SetFillColor(static_cast<TColor>(kFill));
  EXPECT_FALSE(pane.ParentFillColor());
  pane.SetColor(clBtnFace);
  EXPECT_EQ(pane.FillColor(), static_cast<TColor>(kFill));

  pane.SetParentFillColor(true);
  EXPECT_EQ(pane.FillColor(), clBtnFace);
  pane.SetParentColor(true);
  EXPECT_EQ(pane.FillColor(), form.Color());
}

// While its form is read in, a pane holds back what depends on the final settings: the caption
// colour from the font, the automatic width, the fill colour taken from Color. The end of the
// reading settles them.
TEST(StatusPane, LoadingHoldsBackFontColourWidthAndFillUntilItEnds) {
  HostForm form;
  form.SetLoading(true);
  auto* pane = new TRzStatusPane(&form);
  pane->SetParent(&form);
  pane->SetFillColor(static_cast<TColor>(kFill));
  pane->SetAutoSize(true);
  pane->SetCaption("Loaded later");
  pane->Font().SetColor(static_cast<TColor>(RGB(1, 2, 3)));
  pane->SetParentFillColor(true);
  EXPECT_EQ(pane->Width(), 100);
  EXPECT_NE(pane->CurrentTextColor(), static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(pane->FillColor(), static_cast<TColor>(kFill));

  form.SetLoading(false);
  EXPECT_EQ(pane->Width(), MeasureText(pane->Font(), "Loaded later").cx + 10);
  EXPECT_EQ(pane->CurrentTextColor(), static_cast<TColor>(RGB(1, 2, 3)));
  pane->Font().SetColor(static_cast<TColor>(RGB(4, 5, 6)));
  EXPECT_EQ(pane->CurrentTextColor(), static_cast<TColor>(RGB(4, 5, 6))) << "followed again";
  pane->SetParentFillColor(false);
  pane->SetParentFillColor(true);
  EXPECT_EQ(pane->FillColor(), pane->Color());
}

// A frame controller read in with its panes applies its settings to all of them at the end, and
// hot tracking switched on while loading keeps the sides read in.
TEST(FrameController, LoadingAppliesTheSettingsAtItsEndAndKeepsTheSidesReadIn) {
  HostForm form;
  form.SetLoading(true);
  auto* controller = new TRzFrameController(&form);
  auto* pane = new TRzStatusPane(&form);
  controller->SetFrameStyle(fsGroove);
  controller->SetFrameSides(SideSet(sdTop));
  controller->SetFrameHotTrack(true);
  EXPECT_TRUE(controller->FrameVisible());
  EXPECT_EQ(controller->FrameSides(), SideSet(sdTop));
  pane->SetFrameController(controller);
  pane->SetFrameStyle(fsFlat);  // the pane's own stored value, read after the link
  EXPECT_EQ(pane->FrameStyle(), fsFlat);
  form.SetLoading(false);
  EXPECT_EQ(pane->FrameStyle(), fsGroove);
}

TEST(BlinkList, OneListWhileAnyPaneExists) {
  ASSERT_EQ(BlinkingControlsList, nullptr);
  {
    auto first = std::make_unique<TRzStatusPane>(nullptr);
    TRzStatusPane second(nullptr);
    ASSERT_NE(BlinkingControlsList, nullptr);
    EXPECT_EQ(BlinkingControlsList->Count(), 2);
    EXPECT_TRUE(BlinkingControlsList->Timer().Running());
    EXPECT_EQ(BlinkingControlsList->Timer().Interval(), 500u);

    first->SetBlinkIntervalOn(300);
    first->SetBlinkIntervalOff(700);
    EXPECT_EQ(second.BlinkIntervalOn(), 300);
    EXPECT_EQ(second.BlinkIntervalOff(), 700);
    EXPECT_EQ(BlinkingControlsList->Timer().Interval(), 500u) << "takes effect at the next tick";
    first.reset();
    EXPECT_EQ(BlinkingControlsList->Count(), 1);
  }
  EXPECT_EQ(BlinkingControlsList, nullptr);
  TRzStatusPane again(nullptr);
  EXPECT_EQ(again.BlinkIntervalOn(), 500) << "a new list starts over";
}

TEST(BlinkList, PhasesTickByTick) {
  TRzStatusPane blinking(nullptr), still(nullptr);
  blinking.Font().SetColor(clWindowText);
  blinking.SetBlinkColor(clHighlight);
  blinking.SetBlinking(true);
  blinking.SetBlinkIntervalOn(200);
  blinking.SetBlinkIntervalOff(600);
  EXPECT_EQ(blinking.CurrentTextColor(), clWindowText) << "turning it on waits for a tick";

  TRzBlinkingControlsList& list = *BlinkingControlsList;
  EXPECT_EQ(list.Phase(), 1);
  list.Tick();  // first tick: off-phase, which lasts the off interval
  EXPECT_EQ(list.Phase(), 0);
  EXPECT_EQ(list.Timer().Interval(), 600u);
  EXPECT_EQ(blinking.CurrentTextColor(), clWindowText);
  list.Tick();
  EXPECT_EQ(list.Phase(), 1);
  EXPECT_EQ(list.Timer().Interval(), 200u);
  EXPECT_EQ(blinking.CurrentTextColor(), clHighlight);
  EXPECT_EQ(still.CurrentTextColor(), still.Font().Color());

  // A font change while blinking is remembered but waits for the off-phase.
  blinking.Font().SetColor(static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(blinking.CurrentTextColor(), clHighlight);
  list.Tick();
  EXPECT_EQ(blinking.CurrentTextColor(), static_cast<TColor>(RGB(1, 2, 3)));
  list.Tick();
  EXPECT_EQ(blinking.CurrentTextColor(), clHighlight);
  blinking.SetBlinking(false);
  EXPECT_EQ(blinking.CurrentTextColor(), static_cast<TColor>(RGB(1, 2, 3))) << "restored at once";
  list.Tick();
  list.Tick();
  EXPECT_EQ(blinking.CurrentTextColor(), static_cast<TColor>(RGB(1, 2, 3)));
  EXPECT_EQ(blinking.Perform(CM_BLINKQUERY), 0);
}

TEST(FrameController, InvisibleFrameLeavesPanesUntouched) {
  TRzFrameController controller(nullptr);
  controller.SetFrameStyle(fsGroove);
  controller.SetColor(static_cast<TColor>(kFill));
  controller.SetFrameColor(clBtnText);
  EXPECT_FALSE(controller.FrameVisible());

  TRzStatusPane pane(nullptr);
  pane.SetFrameController(&controller);
  EXPECT_EQ(controller.FramedControlCount(), 1);
  EXPECT_EQ(pane.FrameStyle(), fsFlat);
  EXPECT_EQ(pane.FlatColor(), clBtnShadow);
  EXPECT_EQ(pane.FlatColorAdjustment(), 30);
  EXPECT_TRUE(pane.ParentFillColor());

  controller.SetFrameVisible(true);
  EXPECT_EQ(pane.FrameStyle(), fsGroove);
  EXPECT_EQ(pane.FlatColor(), clBtnText);
  EXPECT_EQ(pane.FlatColorAdjustment(), 0);
  EXPECT_EQ(pane.FillColor(), static_cast<TColor>(kFill));
  EXPECT_FALSE(pane.ParentFillColor());
  EXPECT_FALSE(pane.ParentColor());

  // Every setter applies the settings again, the settings component's too; an equal value does not.
  pane.SetFrameStyle(fsFlat);
  TComponent settings(nullptr);
  controller.SetRegIniFile(&settings);
  EXPECT_EQ(pane.FrameStyle(), fsGroove);
  pane.SetFrameStyle(fsFlat);
  controller.SetRegIniFile(&settings);
  EXPECT_EQ(pane.FrameStyle(), fsFlat);
  controller.SetRegIniFile(nullptr);

  // Suspended updates are applied once on resuming.
  controller.SuspendFrameUpdates();
  controller.SetFrameStyle(fsBump);
  EXPECT_EQ(pane.FrameStyle(), fsGroove);
  controller.ResumeFrameUpdates();
  EXPECT_EQ(pane.FrameStyle(), fsBump);

  pane.SetFrameController(nullptr);
  EXPECT_EQ(controller.FramedControlCount(), 0);
  controller.SetFrameStyle(fsRaised);
  EXPECT_EQ(pane.FrameStyle(), fsBump);
}

TEST(FrameController, PanesForgetADestroyedController) {
  TRzStatusPane pane(nullptr);
  {
    TRzFrameController controller(nullptr);
    pane.SetFrameController(&controller);
    EXPECT_EQ(pane.FrameController(), &controller);
  }
  EXPECT_EQ(pane.FrameController(), nullptr);
}

TEST(FrameController, SettingsThatMoveOthers) {
  TRzFrameController controller(nullptr);
  controller.SetParentColor(true);
  controller.SetColor(clBtnFace);
  EXPECT_EQ(controller.FocusColor(), clBtnFace) << "focus colour equal to the colour moves with it";
  EXPECT_FALSE(controller.ParentColor());
  controller.SetFocusColor(clWindow);
  controller.SetColor(clWhite);
  EXPECT_EQ(controller.FocusColor(), clWindow);

  controller.SetFrameSides(SideSet(sdTop));
  controller.SetFrameHotTrack(true);
  EXPECT_TRUE(controller.FrameVisible());
  EXPECT_EQ(controller.FrameSides(), sdAllSides);

  TRzFrameController copy(nullptr);
  TRzStatusPane pane(nullptr);
  pane.SetFrameController(&copy);
  copy.Assign(controller);
  EXPECT_EQ(copy.Color(), clWhite);
  EXPECT_TRUE(copy.FrameHotTrack());
  EXPECT_EQ(pane.FillColor(), clWhite) << "applied when the copy is complete";
}

// The application's hint, the long part of the hint of the control under the pointer, reaches a
// pane with AutoHint as a hint action; a pane without AutoHint keeps its caption.
TEST(StatusPane, AutoHintShowsTheApplicationsHint) {
  TForm form(nullptr);
  form.SetBounds(140, 140, 400, 200);
  auto* shower = new TRzStatusPane(&form);
  shower->SetParent(&form);
  shower->SetBounds(0, 130, 200, 20);
  shower->SetAutoHint(true);
  auto* keeper = new TRzStatusPane(&form);
  keeper->SetParent(&form);
  keeper->SetBounds(200, 130, 150, 20);
  keeper->SetCaption("Kept");
  auto* hinted = new TMemo(&form);
  hinted->SetParent(&form);
  hinted->SetBounds(10, 10, 150, 60);
  hinted->SetHint("Save|Writes the file");
  testing_support::ShowInFront(form);

  ASSERT_TRUE(testing_support::HoverOnto(*hinted));
  EXPECT_EQ(Application->Hint(), "Writes the file");
  EXPECT_EQ(shower->Caption(), "Writes the file");
  EXPECT_EQ(keeper->Caption(), "Kept");
  hinted->SetHint("No bar");  // a change under the resting pointer
  EXPECT_EQ(shower->Caption(), "No bar");
  ASSERT_TRUE(testing_support::HoverAt(form, {300, 40}));
  EXPECT_EQ(shower->Caption(), "");
}

// A double click on the pane reaches it through its parent's window as the framework's double
// click, before the mouse-down that carries the double-click marker.
TEST(StatusPane, DoubleClickRaisesTheFrameworksEventBeforeTheMouseDown) {
  HostForm form;
  auto* pane = new TRzStatusPane(&form);
  pane->SetParent(&form);
  pane->SetBounds(20, 30, 100, 20);
  std::vector<std::string> log;
  pane->OnDblClick = [&](TObject* sender) {
    EXPECT_EQ(sender, pane);
    log.push_back("double");
  };
  pane->OnMouseDown = [&](TObject*, TMouseButton, TShiftState shift, int x, int y) {
    log.push_back((shift & ssDouble) ? "down double" : "down");
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 6);
  };
  SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 36));
  SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(25, 36));
  SendMessageA(form.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(25, 36));
  SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(25, 36));
  EXPECT_EQ(log, (std::vector<std::string>{"down", "double", "down double"}));
}
