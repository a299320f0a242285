#include <gtest/gtest.h>

#include <memory>

#include "controls/status/RzCommon.h"
#include "tests/support/GdiTrace.h"
#include "tests/support/Input.h"
#include "ui/Uname.h"

namespace {
void Deliver(TTimer& timer) { SendMessageA(timer.WindowHandle(), WM_TIMER, 1, 0); }
}  // namespace

// The scrolling hint and the shared blink timer tick ten thousand times each on the real main
// window, as the system delivers them; the live GDI object count ends where it began.
TEST(MainWindowSoakBody, Ticks) {
  if (!IsGdiTraceChild()) GTEST_SKIP() << "runs inside MainWindowSoak.TicksLeaveNoObjectBehind";
  auto form = std::make_unique<TForm1>(nullptr);
  form->Show();
  testing_support::Pump(100);
  TTimer& scroll = form->RzMarqueeStatus1->ScrollTimer();
  TTimer& blink = BlinkingControlsList->Timer();
  for (int i = 0; i < 100; ++i) Deliver(scroll);  // the caption buffer is made once
  const long owned = gdi::LiveObjects();
  GdiMark("begin");
  for (int i = 0; i < 10000; ++i) Deliver(scroll);
  GdiMark("marquee");
  for (int i = 0; i < 10000; ++i) Deliver(blink);
  GdiMark("end");
  EXPECT_EQ(gdi::LiveObjects(), owned);
}

TEST(MainWindowSoak, TicksLeaveNoObjectBehind) {
  const GdiTrace trace = RunGdiTraced("MainWindowSoakBody.Ticks");
  ASSERT_TRUE(trace.passed) << trace.output;
  EXPECT_EQ(trace.marks.at("marquee"), trace.marks.at("begin"));
  EXPECT_EQ(trace.marks.at("end"), trace.marks.at("begin"));
}
