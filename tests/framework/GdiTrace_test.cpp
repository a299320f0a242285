// The GDI trace helper itself: a test that leaks shows a growing count, one that does not a
// flat one. The soak tests rely on both answers being right.
#include "tests/support/GdiTrace.h"

#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr int kCycles = 1000;

TEST(GdiTraceChild, CreatesAndDeletesPens) {
  if (!IsGdiTraceChild()) GTEST_SKIP() << "runs inside GdiTrace.FlatWhenEveryObjectIsDeleted";
  GdiMark("begin");
  for (int i = 0; i < kCycles; ++i) {
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(i % 256, 0, 0));
    ASSERT_TRUE(DeleteObject(pen));
  }
  GdiMark("end");
}

TEST(GdiTraceChild, KeepsPens) {
  if (!IsGdiTraceChild()) GTEST_SKIP() << "runs inside GdiTrace.GrowsWhenObjectsLeak";
  std::vector<HPEN> kept;
  GdiMark("begin");
  for (int i = 0; i < kCycles; ++i) kept.push_back(CreatePen(PS_SOLID, 1, RGB(i % 256, 0, 0)));
  GdiMark("end");
  for (HPEN pen : kept) DeleteObject(pen);
}

TEST(GdiTraceChild, Fails) {
  if (!IsGdiTraceChild()) GTEST_SKIP() << "runs inside GdiTrace.ReportsAFailingChild";
  GdiMark("begin");
  ADD_FAILURE() << "deliberate failure in the traced child";
}

TEST(GdiTrace, FlatWhenEveryObjectIsDeleted) {
  const GdiTrace trace = RunGdiTraced("GdiTraceChild.CreatesAndDeletesPens");
  ASSERT_TRUE(trace.passed) << "exit code " << trace.exitCode << "\n" << trace.output;
  ASSERT_EQ(trace.marks.count("begin"), 1u);
  ASSERT_EQ(trace.marks.count("end"), 1u);
  EXPECT_GT(trace.marks.at("begin"), 0) << "no gdi trace lines seen before the mark";
  EXPECT_EQ(trace.marks.at("end"), trace.marks.at("begin"));
}

TEST(GdiTrace, GrowsWhenObjectsLeak) {
  const GdiTrace trace = RunGdiTraced("GdiTraceChild.KeepsPens");
  ASSERT_TRUE(trace.passed) << "exit code " << trace.exitCode << "\n" << trace.output;
  EXPECT_EQ(trace.marks.at("end") - trace.marks.at("begin"), kCycles);
}

TEST(GdiTrace, ReportsAFailingChild) {
  const GdiTrace trace = RunGdiTraced("GdiTraceChild.Fails");
  EXPECT_FALSE(trace.passed);
  EXPECT_NE(trace.output.find("deliberate failure"), std::string::npos) << trace.output;
}

}  // namespace
