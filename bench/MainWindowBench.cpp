// Benchmarks of the real main window, run inside a normal message loop:
//   1. the start click with the opening entries and with nine 1,000-character entries, against
//      the floor of the same result-box work done with bare messages;
//   2. the idle cost of the scrolling usage hint over a period (default 60 seconds).
// Usage: bench_mainwindow [--runs N] [--long-runs N] [--seconds S]
//   --runs: runs of each step with the opening entries (default 50);
//   --long-runs: runs with the long entries (default 3: under Wine each takes about half a minute in
//     the EDIT control's word wrap, which is slow on long paragraphs);
//   --seconds: the idle period (default 60; 0 skips it).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Exception.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Handles.h"
#include "naming/CombineNames.h"
#include "ui/Texts.h"
#include "ui/Uname.h"

namespace {

double Seconds(LONGLONG ticks) {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  return static_cast<double>(ticks) / static_cast<double>(frequency);
}

LONGLONG Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t.QuadPart;
}

// Paints whatever the step left invalid anywhere in the window, so that the figure includes the
// result box's repaint.
void Repaint(TForm& form) { RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

// Median milliseconds of a step over runs; pending messages (marquee ticks, paints) are handled
// before each run, outside the measurement.
double MedianMs(int runs, TForm& form, const std::function<void()>& step) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    Application->ProcessMessages();
    const LONGLONG start = Now();
    step();
    Repaint(form);
    ms.push_back(Seconds(Now() - start) * 1000.0);
  }
  std::nth_element(ms.begin(), ms.begin() + runs / 2, ms.end());
  return ms[runs / 2];
}

struct ClickFigures {
  double click, floor;
};

// The start click against one WM_SETTEXT of its final text after clearing the box the same way:
// the window work of the click without the program's own code.
ClickFigures MeasureClick(TForm1& form, int runs) {
  naming::Entries entries;
  for (std::size_t i = 0; i < entries.size(); ++i) entries[i] = form.cxTextEdit[i]->Text();
  const std::string expected = naming::CombineNames(entries);
  ClickFigures f{};
  f.click = MedianMs(runs, form, [&] { form.dxButton3->Click(); });
  if (form.na->Text() != expected) throw Exception("the start click did not give the combined names");
  const HWND box = form.na->Handle();
  f.floor = MedianMs(runs, form, [&] {
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(expected.c_str()));
  });
  if (form.na->Text() != expected) throw Exception("the floor did not set the combined names");
  std::printf("  result: %zu bytes; click %.3f ms, floor %.3f ms, click/floor %.2f\n", expected.size(), f.click,
              f.floor, f.click / f.floor);
  return f;
}

void BenchStartClick(int runs, int longRuns) {
  auto form = std::make_unique<TForm1>(nullptr);
  form->Show();
  Repaint(*form);
  Application->ProcessMessages();

  // The first click also makes the result box's font bold; the runs below measure later clicks.
  LONGLONG start = Now();
  form->dxButton3->Click();
  Repaint(*form);
  std::printf("start click, medians, each run including the window's repaint:\n");
  std::printf("  first click (makes the result box bold): %.3f ms\n", Seconds(Now() - start) * 1000.0);

  std::printf("(a) opening entries, %d runs\n", runs);
  const ClickFigures a = MeasureClick(*form, runs);
  std::printf("  (a) under one frame (16 ms): %s\n", a.click < 16.0 ? "yes" : "NO");

  std::printf("(b) nine entries of 1,000 characters each, %d runs\n", longRuns);
  for (int i = 0; i < 9; ++i) {
    std::string text;
    for (int n = 0; n < 1000; ++n) text += texts::kEntries[i];
    form->cxTextEdit[i]->SetText(text);
    if (form->cxTextEdit[i]->Text() != text) throw Exception("an entry box did not take 1,000 characters");
  }
  const ClickFigures b = MeasureClick(*form, longRuns);
  std::printf("  (b) click/floor at most 1.2: %s\n", b.click / b.floor <= 1.2 ? "yes" : "NO");
}

double FileTimeSeconds(const FILETIME& t) {
  return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
}

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) throw Exception("GetProcessTimes failed");
  return FileTimeSeconds(kernel) + FileTimeSeconds(user);
}

// The program's main window, shown as the program shows it, left to its message loop.
void BenchIdle(double seconds) {
  Application->CreateForm(Form1);
  ShowWindow(Application->Handle(), SW_SHOWNA);
  Form1->Show();
  Application->ProcessMessages();

  // Each marquee tick is counted and timed through a wrapper around the pane's own handler.
  TTimer& timer = Form1->RzMarqueeStatus1->ScrollTimer();
  long ticks = 0;
  LONGLONG tickTime = 0;
  TNotifyEvent tick = timer.OnTimer();
  timer.SetOnTimer([&](TObject* sender) {
    const LONGLONG start = Now();
    tick(sender);
    tickTime += Now() - start;
    ++ticks;
  });
  // The whole dispatch of each marquee WM_TIMER, the device context's release included.
  LONGLONG dispatchTime = 0;
  long dispatched = 0;

  const long gdiStart = gdi::LiveObjects();
  const double cpuStart = ProcessCpuSeconds();
  const LONGLONG start = Now();
  while (Seconds(Now() - start) < seconds) {
    MSG next;
    const bool isTick = PeekMessageA(&next, nullptr, 0, 0, PM_NOREMOVE) && next.message == WM_TIMER &&
                        next.hwnd == timer.WindowHandle();
    const LONGLONG before = Now();
    Application->HandleMessage();
    if (isTick) {
      dispatchTime += Now() - before;
      ++dispatched;
    }
  }
  const double wall = Seconds(Now() - start);
  const double cpu = ProcessCpuSeconds() - cpuStart;
  const long gdiEnd = gdi::LiveObjects();

  std::printf("marquee idle cost, main window in its message loop for %.1f s:\n", wall);
  std::printf("  process CPU time (user + kernel): %.3f s = %.2f %% of one core\n", cpu, 100.0 * cpu / wall);
  std::printf("  marquee ticks: %ld (%.1f per second, 10 expected)\n", ticks, ticks / wall);
  if (ticks > 0) std::printf("  mean tick handler: %.3f ms\n", Seconds(tickTime) * 1000.0 / ticks);
  if (dispatched > 0) {
    std::printf("  mean WM_TIMER dispatch (%ld): %.3f ms\n", dispatched, Seconds(dispatchTime) * 1000.0 / dispatched);
  }
  std::printf("  live GDI objects: %ld at start, %ld at end\n", gdiStart, gdiEnd);
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 50;
  int longRuns = 3;
  double seconds = 60;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    else if (std::strcmp(argv[i], "--long-runs") == 0) longRuns = std::max(1, std::atoi(argv[i + 1]));
    else if (std::strcmp(argv[i], "--seconds") == 0) seconds = std::atof(argv[i + 1]);
  }
  try {
    TApplication application;
    Application->SetTitle(std::string(kMakerAddress) + texts::kTitleSuffix);
#ifdef NDEBUG
    std::printf("optimised build\n");
#else
    std::printf("debug build (unoptimised)\n");
#endif
    BenchStartClick(runs, longRuns);
    std::fflush(stdout);
    if (seconds > 0) BenchIdle(seconds);
  } catch (const std::exception& e) {
    std::printf("benchmark failed: %s\n", e.what());
    return 1;
  }
  return 0;
}
