#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "controls/status/RzStatus.h"
#include "framework/Application.h"
#include "tests/controls/status/StatusTestSupport.h"
#include "tests/support/GdiTrace.h"

namespace {

// GDI objects of the process as the system counts them (0 where the count is not kept),
// and those held by the framework's owners.
struct GdiCount {
  DWORD System = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  long Owned = gdi::LiveObjects();
  bool operator==(const GdiCount&) const = default;
};

void Deliver(TTimer& timer) { SendMessageA(timer.WindowHandle(), WM_TIMER, 1, 0); }

}  // namespace

// The marquee and a blinking pane on a shown window, their ticks delivered as the system
// delivers them, ten thousand each: the GDI object count stays where it was, both as the
// framework's owners count it and as Wine counts the process's objects (traced run below).
TEST(StatusSoakBody, TicksOnAWindow) {
  if (!IsGdiTraceChild()) GTEST_SKIP() << "runs inside StatusSoak.TicksOnAWindowKeepTheGdiCountFlat";
  ErrorBoxCatcher errors;
  HostForm form;
  TRzMarqueeStatus marquee(nullptr);
  marquee.SetParent(&form);
  marquee.SetBounds(0, 59, 361, 25);
  marquee.SetCaption("Type one character into each of the nine boxes below.");
  TRzStatusPane pane(nullptr);
  pane.SetParent(&form);
  pane.SetBounds(0, 10, 200, 20);
  pane.SetCaption("Blinking");
  pane.SetBlinking(true);
  form.Show();
  Application->ProcessMessages();

  TTimer& blinkTimer = BlinkingControlsList->Timer();
  // Warm-up: the caption buffer, fonts and brushes are made once.
  for (int i = 0; i < 100; ++i) {
    Deliver(marquee.ScrollTimer());
    Deliver(blinkTimer);
  }
  Application->ProcessMessages();
  const GdiCount before;
  GdiMark("begin");
  {
    // The ticks reach the screen: after 100 the text's left edge is at pane column 263.
    gdi::WindowDC dc(form.Handle());
    int ink = 0;
    for (int y = 59 + 4; y < 59 + 23; ++y)
      for (int x = 263; x < 359; ++x) ink += GetPixel(dc.Get(), x, y) != ColorToRGB(marquee.FillColor());
    EXPECT_GT(ink, 0);
  }

  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  constexpr int kTicks = 10000;
  for (int i = 1; i <= kTicks; ++i) {
    Deliver(marquee.ScrollTimer());
    if (i % 1000 == 0) {
      EXPECT_EQ(GdiCount(), before) << "after " << i << " marquee ticks";
    }
  }
  QueryPerformanceCounter(&end);
  GdiMark("marquee");
  for (int i = 1; i <= kTicks; ++i) {
    Deliver(blinkTimer);
    if (i % 1000 == 0) {
      EXPECT_EQ(GdiCount(), before) << "after " << i << " blink ticks";
    }
  }
  Application->ProcessMessages();
  GdiMark("end");
  EXPECT_EQ(GdiCount(), before);
  EXPECT_EQ(errors.Messages(), "");

  const double microseconds = 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) /
                              static_cast<double>(frequency.QuadPart) / kTicks;
  std::printf("[ figures  ] marquee tick %.1f us mean; GDI objects %lu (system), %ld (owned)\n", microseconds,
              before.System, before.Owned);
}

TEST(StatusSoak, TicksOnAWindowKeepTheGdiCountFlat) {
  const GdiTrace trace = RunGdiTraced("StatusSoakBody.TicksOnAWindow");
  ASSERT_TRUE(trace.passed) << trace.output;
  EXPECT_EQ(trace.marks.at("marquee"), trace.marks.at("begin"));
  EXPECT_EQ(trace.marks.at("end"), trace.marks.at("begin"));
  std::printf("[ figures  ] live GDI objects (Wine): %ld at start, %ld after the marquee ticks, %ld at the end\n",
              trace.marks.at("begin"), trace.marks.at("marquee"), trace.marks.at("end"));
  // The child's own figures (time per tick).
  const auto figures = trace.output.find("[ figures  ]");
  if (figures != std::string::npos) {
    const auto lineEnd = trace.output.find('\n', figures);
    std::printf("%s\n", trace.output.substr(figures, lineEnd - figures).c_str());
  }
}
