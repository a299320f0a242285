#pragma once
// Live GDI object counts of a test, read from Wine's gdi trace channel.
//
// Under Wine GetGuiResources answers 0, but with WINEDEBUG=+gdi Wine prints a line for every
// GDI object it allocates or frees, ending in "N/65536", N being the process's live count. A
// soak test re-runs one of its tests in a child process with that channel on; the traced test
// calls GdiMark("begin") and GdiMark("end") around its work, and the parent compares the
// counts at the two marks:
//
//   TEST(Soak, PaintBody) {
//     if (!IsGdiTraceChild()) GTEST_SKIP() << "runs inside Soak.Paint";
//     GdiMark("begin"); ...work...; GdiMark("end");
//   }
//   TEST(Soak, Paint) {
//     const GdiTrace trace = RunGdiTraced("Soak.PaintBody");
//     ASSERT_TRUE(trace.passed) << trace.output;
//     EXPECT_EQ(trace.marks.at("end"), trace.marks.at("begin"));
//   }
#include <map>
#include <string>

struct GdiTrace {
  std::map<std::string, long> marks;  // live GDI objects at each mark
  int exitCode = -1;                  // the child's exit code
  bool passed = false;                // exit code 0, ran to the end, no failure reported
  std::string output;                 // the child's own output, for failure messages
};

// True in the child process that RunGdiTraced started.
bool IsGdiTraceChild();

// Records the live GDI object count under the label (child only).
void GdiMark(const char* label);

// Runs the one test `testName` ("Suite.Name") of this executable in a child process with
// Wine's gdi trace on and returns the counts at its marks. Throws std::runtime_error when the
// child cannot be started or does not end within `timeoutMs`.
GdiTrace RunGdiTraced(const std::string& testName, unsigned long timeoutMs = 300000);
