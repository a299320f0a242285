#include <gtest/gtest.h>

#include <string>

#include "controls/status/RzStatus.h"
#include "framework/Forms.h"
#include "tests/controls/status/StatusTestSupport.h"
#include "tests/support/Input.h"
#include "tests/support/Reader.h"

namespace {

using Marquee = BitmapPane<TRzMarqueeStatus>;

constexpr COLORREF kFill = RGB(240, 240, 200);
const std::string kCaption = "Velmora marquee Ig";

// The main window's pane: 361 by 25, border 1, flat frame; caption area (2, 2, 359, 23).
void SetUpLikeTheMainWindow(TRzMarqueeStatus& marquee) {
  marquee.SetBounds(0, 59, 361, 25);
  marquee.SetFillColor(static_cast<TColor>(kFill));
  marquee.SetCaption(kCaption);
}

// Pixels of the caption area (pane columns 2..358, rows 2..22) that differ from the caption
// picture placed with its left edge at pane column `textLeft`, seen only through pane columns
// 4..358 and rows 4..22 (the clip, buffer columns and rows 2 on), fill colour elsewhere.
int CaptionAreaDifferences(TBitmap& pane, TextPicture& text, int textLeft) {
  const int textTop = 2 + (21 - text.Height) / 2;
  int differing = 0;
  for (int y = 2; y < 23; ++y)
    for (int x = 2; x < 359; ++x) {
      const int qx = x - textLeft, qy = y - textTop;
      const bool shown = x >= 4 && y >= 4 && qx >= 0 && qy >= 0 && qx < text.Width && qy < text.Height;
      if (pane.Pixel(x, y) != (shown ? text.bitmap.Pixel(qx, qy) : kFill)) ++differing;
    }
  return differing;
}

void Ticks(TRzMarqueeStatus& marquee, int count) {
  for (int i = 0; i < count; ++i) marquee.Tick();
}

}  // namespace

TEST(Marquee, ScrollsFromConstruction) {
  TRzMarqueeStatus marquee(nullptr);
  EXPECT_EQ(marquee.ScrollType(), stRightToLeft);
  EXPECT_TRUE(marquee.Scrolling());
  EXPECT_EQ(marquee.ScrollSize(), 1);
  EXPECT_EQ(marquee.ScrollDelay(), 100);
  EXPECT_EQ(marquee.ScrollPosition(), 0);
  EXPECT_EQ(marquee.WrapLimit(), 100);
  EXPECT_TRUE(marquee.ScrollTimer().Running());
  EXPECT_EQ(marquee.ScrollTimer().Interval(), 100u);
}

TEST(Marquee, CaptionAreaRightToLeft) {
  Marquee marquee(nullptr);
  SetUpLikeTheMainWindow(marquee);
  TextPicture text(marquee.Font(), kCaption, ColorToRGB(marquee.Font().Color()), kFill);
  ASSERT_EQ(marquee.WrapLimit(), text.Width + 361);
  TBitmap bitmap;
  marquee.PaintInto(bitmap);
  EXPECT_EQ(CaptionAreaDifferences(bitmap, text, 363), 0) << "position 0: nothing shows";

  // The ticks draw the caption area alone: a mark on the frame stays.
  bitmap.Canvas().SetPixel(1, 10, static_cast<TColor>(RGB(255, 0, 255)));
  marquee.AttachTo(bitmap);
  int position = 0;
  for (int target : {4, 5, 6, 120, 361, 361 + text.Width - 3, 361 + text.Width - 2}) {
    Ticks(marquee, target - position);
    position = target;
    ASSERT_EQ(marquee.ScrollPosition(), position);
    EXPECT_EQ(CaptionAreaDifferences(bitmap, text, 2 + 361 - position), 0) << "position " << position;
  }
  EXPECT_EQ(bitmap.Pixel(1, 10), RGB(255, 0, 255));
  // Painted at the limit, then back to 0.
  Ticks(marquee, 2);
  EXPECT_EQ(marquee.ScrollPosition(), 0);
  EXPECT_EQ(CaptionAreaDifferences(bitmap, text, 2 - text.Width), 0);
  marquee.Detach();
}

TEST(Marquee, CaptionAreaLeftToRight) {
  Marquee marquee(nullptr);
  SetUpLikeTheMainWindow(marquee);
  marquee.SetScrollType(stLeftToRight);
  TextPicture text(marquee.Font(), kCaption, ColorToRGB(marquee.Font().Color()), kFill);
  TBitmap bitmap;
  marquee.PaintInto(bitmap);
  EXPECT_EQ(CaptionAreaDifferences(bitmap, text, 2 - text.Width), 0);
  marquee.AttachTo(bitmap);
  int position = 0;
  for (int target : {1, 3, text.Width, text.Width + 200, 361 + text.Width - 1}) {
    Ticks(marquee, target - position);
    position = target;
    EXPECT_EQ(CaptionAreaDifferences(bitmap, text, 2 + position - text.Width), 0) << "position " << position;
  }
  Ticks(marquee, 1);
  EXPECT_EQ(marquee.ScrollPosition(), 0) << "gone on the right at the limit";
  marquee.Detach();
}

// A new caption or font repaints the whole pane, frame too, with the text where it has got to.
TEST(Marquee, CaptionOrFontChangeRepaintsTheWholePaneAtTheCurrentPosition) {
  HostForm form;
  auto* marquee = new Marquee(&form);
  marquee->SetParent(&form);
  SetUpLikeTheMainWindow(*marquee);
  marquee->Hide();  // the ticks below only move the position
  Ticks(*marquee, 150);
  marquee->Show();
  SetWindowPos(form.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  const RECT pane{0, 59, 361, 84};
  for (int change = 0; change < 2; ++change) {
    SCOPED_TRACE(change);
    UpdateWindow(form.Handle());
    if (change == 0) {
      marquee->SetCaption(kCaption + " more");
    } else {
      marquee->Font().SetHeight(-15);
    }
    RECT pending{};
    GetUpdateRect(form.Handle(), &pending, FALSE);
    EXPECT_TRUE(pending.left <= pane.left && pending.top <= pane.top && pending.right >= pane.right &&
                pending.bottom >= pane.bottom);
    EXPECT_EQ(marquee->ScrollPosition(), 150);
    TextPicture text(marquee->Font(), marquee->Caption(), ColorToRGB(marquee->Font().Color()), kFill);
    TBitmap bitmap;
    marquee->PaintInto(bitmap);
    EXPECT_EQ(CaptionAreaDifferences(bitmap, text, 2 + 361 - 150), 0);
  }
}

TEST(Marquee, StillCaptionWithoutDirection) {
  Marquee marquee(nullptr);
  SetUpLikeTheMainWindow(marquee);
  marquee.SetScrollType(stNone);
  EXPECT_FALSE(marquee.ScrollTimer().Enabled());
  TextPicture text(marquee.Font(), kCaption, ColorToRGB(marquee.Font().Color()), kFill);
  TBitmap bitmap;
  marquee.PaintInto(bitmap);
  // As a status pane: left-aligned at x = 5, centred in the caption area.
  const int y = 2 + (21 - text.Height) / 2;
  EXPECT_EQ(FindInk(bitmap, TRect{2, 2, 359, 23}, kFill).Left, 5 + text.Ink.Left);
  EXPECT_EQ(FindInk(bitmap, TRect{2, 2, 359, 23}, kFill).Top, y + text.Ink.Top);

  marquee.SetScrolling(false);
  marquee.SetScrollType(stRightToLeft);
  EXPECT_TRUE(marquee.ScrollTimer().Enabled()) << "a direction runs the timer whatever Scrolling holds";
  EXPECT_FALSE(marquee.Scrolling());
}

// Ticks of a hidden pane move the position without drawing, so these need no window.
TEST(Marquee, WrapLimitFollowsCaptionFontAndWidth) {
  TRzMarqueeStatus marquee(nullptr);
  marquee.Hide();
  EXPECT_EQ(marquee.WrapLimit(), 100) << "empty caption: the pane's width";
  marquee.SetCaption(kCaption);
  const int width = MeasureText(marquee.Font(), kCaption).cx;
  EXPECT_EQ(marquee.WrapLimit(), width + 100);

  Ticks(marquee, 30);
  marquee.SetWidth(250);
  EXPECT_EQ(marquee.WrapLimit(), width + 250);
  EXPECT_EQ(marquee.ScrollPosition(), 30) << "resizing keeps the position";

  marquee.Font().SetHeight(-20);
  EXPECT_EQ(marquee.WrapLimit(), MeasureText(marquee.Font(), kCaption).cx + 250);
  EXPECT_GT(marquee.WrapLimit(), width + 250);
}

TEST(Marquee, EmptyCaptionCyclesThroughTheWidth) {
  Marquee marquee(nullptr);
  marquee.SetFillColor(static_cast<TColor>(kFill));
  TBitmap bitmap;
  marquee.PaintInto(bitmap);
  marquee.AttachTo(bitmap);
  Ticks(marquee, 99);
  EXPECT_EQ(marquee.ScrollPosition(), 99);
  Ticks(marquee, 1);
  EXPECT_EQ(marquee.ScrollPosition(), 0);
  EXPECT_TRUE(FindInk(bitmap, marquee.GetCaptionRect(), kFill).Empty());
  marquee.Detach();
}

TEST(Marquee, ScrollSizeAndDelay) {
  TRzMarqueeStatus marquee(nullptr);
  marquee.Hide();
  marquee.SetScrollSize(0);
  EXPECT_EQ(marquee.ScrollSize(), 1);
  marquee.SetScrollSize(7);
  // Empty caption: wrap limit 100; 14 ticks reach 98, the 15th overshoots to 105 and wraps.
  Ticks(marquee, 14);
  EXPECT_EQ(marquee.ScrollPosition(), 98);
  Ticks(marquee, 1);
  EXPECT_EQ(marquee.ScrollPosition(), 0);

  marquee.SetScrollDelay(0);
  EXPECT_FALSE(marquee.ScrollTimer().Running());
  EXPECT_TRUE(marquee.Scrolling());
  marquee.SetScrollDelay(40);
  EXPECT_TRUE(marquee.ScrollTimer().Running());
  EXPECT_EQ(marquee.ScrollTimer().Interval(), 40u);
}

TEST(Marquee, StoppingReturnsToTheStart) {
  TRzMarqueeStatus marquee(nullptr);
  marquee.Hide();
  Ticks(marquee, 12);
  marquee.SetScrolling(false);
  EXPECT_EQ(marquee.ScrollPosition(), 0);
  EXPECT_FALSE(marquee.ScrollTimer().Running());
  Ticks(marquee, 5);
  EXPECT_EQ(marquee.ScrollPosition(), 0) << "a late tick after the timer stopped is ignored";
  marquee.SetScrolling(true);
  EXPECT_TRUE(marquee.ScrollTimer().Running());
}

TEST(Marquee, TickWithoutParentIsReportedAndTheTimerGoesOn) {
  ErrorBoxCatcher errors;
  TRzMarqueeStatus marquee(nullptr);
  marquee.SetName("RzMarqueeStatus1");
  const HWND timerWindow = marquee.ScrollTimer().WindowHandle();
  SendMessageA(timerWindow, WM_TIMER, 1, 0);
  SendMessageA(timerWindow, WM_TIMER, 1, 0);
  EXPECT_EQ(errors.Messages(),
            "Control 'RzMarqueeStatus1' has no parent window.\nControl 'RzMarqueeStatus1' has no parent window.\n");
  EXPECT_TRUE(marquee.ScrollTimer().Running());
  EXPECT_EQ(marquee.ScrollPosition(), 2);
}

TEST(Marquee, ReadersGetTheWholeCaptionAsStaticTextAndHearOfANewOne) {
  testing_support::ComApartment com;
  TForm form(nullptr);
  form.SetBounds(100, 100, 400, 120);
  auto* marquee = new TRzMarqueeStatus(&form);
  marquee->SetParent(&form);
  SetUpLikeTheMainWindow(*marquee);
  marquee->SetCaption(kCaption + " and far more than the strip shows at any one time");
  testing_support::ShowInFront(form);
  testing_support::Accessible object = testing_support::Accessible::FromWindow(form.Handle());
  ASSERT_TRUE(object);
  ASSERT_EQ(object.ChildCount(), 1);
  EXPECT_EQ(object.Role(1), ROLE_SYSTEM_STATICTEXT);
  EXPECT_EQ(object.Name(1), L"Velmora marquee Ig and far more than the strip shows at any one time");
  EXPECT_EQ(object.State(1), STATE_SYSTEM_READONLY);
  Ticks(*marquee, 40);
  EXPECT_EQ(object.Name(1), L"Velmora marquee Ig and far more than the strip shows at any one time");
  testing_support::EventRecorder events(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, GetCurrentProcessId());
  marquee->SetCaption("new");
  EXPECT_TRUE(testing_support::PumpUntil([&] { return events.Has(EVENT_OBJECT_NAMECHANGE, form.Handle(), 1); }));
}
