#include <gtest/gtest.h>

#include <memory>

#include "framework/Application.h"
#include "tests/support/Input.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/Uname.h"

using namespace testing_support;

namespace {

int g_shellCalls = 0;
HINSTANCE WINAPI CountingShell(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) {
  ++g_shellCalls;
  return reinterpret_cast<HINSTANCE>(33);  // success
}

struct MainWindowButtons : MainWindowTest {
  void Prepare(TForm1& f) override {
    g_shellCalls = 0;
    f.shellExecute = CountingShell;
  }
  TPoint Centre(TControl& c) { return c.ClientToScreen({c.Width() / 2, c.Height() / 2}); }
};

}  // namespace

// Pressing 访问我们, dragging onto 关闭窗口 and releasing there clicks neither; 关闭窗口 lights at
// once and hears of the mouse, and moving on over it keeps it lit.
TEST_F(MainWindowButtons, DraggingFromVisitUsOntoCloseWindowLightsCloseWindow) {
  TdxButton& visit = *form->dxButton2;
  TdxButton& close = *form->dxButton1;
  int entered = 0;
  close.OnMouseEnter = [&](TObject*) { ++entered; };
  ASSERT_TRUE(HoverOnto(visit));
  MouseButtonAt(Centre(visit), true);
  ASSERT_TRUE(visit.Clicking());
  ASSERT_TRUE(HoverOnto(close));
  MouseButtonAt(Centre(close), false);
  EXPECT_FALSE(visit.VisualState() & vsPressed);
  EXPECT_TRUE(close.IsLit(true));
  EXPECT_EQ(entered, 1);
  MovePointer(close.ClientToScreen({10, 10}));
  Application->Idle();
  EXPECT_TRUE(close.VisualState() & vsHot);
  EXPECT_EQ(entered, 1);
  EXPECT_EQ(g_shellCalls, 0);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

// A key released while the mouse holds 访问我们 down clicks it; the mouse release must not open
// the browser a second time.
TEST_F(MainWindowButtons, VisitUsOpensTheBrowserOncePerPress) {
  TdxButton& visit = *form->dxButton2;
  ASSERT_TRUE(HoverOnto(visit));
  MouseButtonAt(Centre(visit), true);
  PressKey(VK_SHIFT);
  EXPECT_EQ(g_shellCalls, 1);
  MouseButtonAt(Centre(visit), false);
  EXPECT_EQ(g_shellCalls, 1);
  Click(visit);
  EXPECT_EQ(g_shellCalls, 2);
}

// Space holds 访问我们 down, the pointer elsewhere, and Enter clicks it: one click, and the press
// ends as a release of space would, without the hot ring; releasing the keys clicks no more.
TEST_F(MainWindowButtons, EnterWhileSpaceHoldsVisitUsClicksOnceAndLeavesNoHotRing) {
  TdxButton& visit = *form->dxButton2;
  ASSERT_TRUE(HoverOnto(*form->na));
  ASSERT_TRUE(visit.Focused());
  Post(visit.Handle(), WM_KEYDOWN, VK_SPACE);
  ASSERT_TRUE(visit.VisualState() & vsPressed);
  Post(visit.Handle(), WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(g_shellCalls, 1);
  EXPECT_EQ(visit.VisualState() & (vsHot | vsPressed), 0);
  Post(visit.Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
  Post(visit.Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
  EXPECT_EQ(g_shellCalls, 1);
  form->dxButton1->SetFocus();
  EXPECT_EQ(visit.VisualState() & (vsHot | vsPressed | vsFocused), 0);
}

// The pointer jumps from 关闭窗口 onto an entry box and presses there before any idle step: the
// press gives the box's text the capture, which holds the button's mouse-left back. The button
// goes dark once the capture ends.
TEST_F(MainWindowButtons, AButtonLeftForAPressOnAnEntryBoxGoesDarkWhenTheCaptureEnds) {
  TdxButton& close = *form->dxButton1;
  TcxTextEdit& box = *form->cxTextEdit[0];
  ASSERT_TRUE(HoverOnto(close));
  ASSERT_TRUE(close.VisualState() & vsHot);
  MovePointer(Centre(box));
  MouseButtonAt(Centre(box), true);
  Application->Idle();
  ASSERT_NE(GetCapture(), nullptr);
  EXPECT_TRUE(close.VisualState() & vsHot);  // held back under the capture
  MouseButtonAt(Centre(box), false);
  EXPECT_TRUE(PumpUntil([&] {
    Application->Idle();
    return !(close.VisualState() & vsHot);
  }));
  EXPECT_FALSE(close.IsLit(true));
}
