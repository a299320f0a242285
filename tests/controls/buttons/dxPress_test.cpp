// A press never outlives the focus: whichever way the focus goes (Tab, another window of the
// program or of another program, the button or its container disabled, the button destroyed),
// the press and the hot look that space gave end, the face is repainted, and no later key
// release clicks. Driven by real keyboard and mouse input; every step waits for what it checks.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "controls/buttons/dxButtons.h"
#include "framework/Application.h"
#include "framework/StdCtrls.h"
#include "tests/controls/buttons/ButtonFixture.h"
#include "tests/support/ForeignProcess.h"
#include "tests/support/Input.h"

using namespace button_tests;
using testing_support::PumpUntil;

namespace {

constexpr DWORD kPatience = 10000;  // ms: a busy machine may take its time, a fault never ends

struct PressFixture : ButtonFixture {
  void SetUp() override {
    ButtonFixture::SetUp();
    // The pointer rests away from the form, so that hover leaves the buttons cold.
    testing_support::MovePointer({5, 5});
    ASSERT_TRUE(PumpUntil([] {
      Application->Idle();
      return Application->MouseControl() == nullptr;
    }, kPatience));
    ASSERT_TRUE(BringToFront(form->Handle()));
    // Every key release that reaches the form or one of its controls is counted: waiting for
    // the count tells that a release has been handled.
    for (TWinControl* c : std::vector<TWinControl*>{form, button, second, other})
      c->OnKeyUp = [this](TObject*, WORD&, TShiftState) { ++keyUps; };
  }
  void TearDown() override {
    ButtonFixture::TearDown();
    SendKey(VK_SPACE, true);  // never left held for the next test, and heard by no handler
    Application->ProcessMessages();
  }

  // Holds space down on the focused button until it shows pressed.
  void HoldSpace(TdxButton* b) {
    SendKey(VK_SPACE, false);
    ASSERT_TRUE(PumpUntil([b] { return (b->VisualState() & (vsPressed | vsHot)) == (vsPressed | vsHot); }, kPatience));
  }
  // Releases the key and waits until the program has handled the release.
  void ReleaseKey(WORD vk) {
    const int before = keyUps;
    SendKey(vk, true);
    ASSERT_TRUE(PumpUntil([&] { return keyUps > before; }, kPatience));
  }
  // Taps Shift: a key release that would click a button still held down.
  void TapShift() {
    SendKey(VK_SHIFT, false);
    ReleaseKey(VK_SHIFT);
  }
  static bool Released(TdxButton* b) { return (b->VisualState() & (vsPressed | vsHot)) == 0; }

  int keyUps = 0;
};

}  // namespace

using DxPress = PressFixture;

// Held with space, the button loses the focus to another window: of this program (the form is
// deactivated) or of another program (the program is deactivated). Space is let go over that
// window; back on the form, the next key release clicks nothing.
TEST_F(DxPress, AnotherWindowTakingTheActivationEndsASpacePress) {
  const int mid = button->Width() / 2;
  TForm elsewhere(nullptr);
  elsewhere.SetBounds(500, 350, 200, 120);
  elsewhere.Show();
  testing_support::ForeignWindow foreign(Bounds(600, 400, 200, 150), nullptr);
  ASSERT_NE(foreign.Window(), nullptr);

  for (HWND window : {elsewhere.Handle(), foreign.Window()}) {
    SCOPED_TRACE(window == foreign.Window() ? "another program" : "another form");
    ASSERT_TRUE(BringToFront(form->Handle()));
    Focus(button);
    HoldSpace(button);
    EXPECT_EQ(ScreenPixel(*button, mid, 1), kPressedTop);

    ASSERT_TRUE(BringToFront(window));
    EXPECT_TRUE(PumpUntil([&] { return Released(button); }, kPatience));
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(*button, mid, 1) == kFocusTop; }, kPatience))
        << "the face repainted with the ring of the form's focused button";
    SendKey(VK_SPACE, true);  // over the other window

    ASSERT_TRUE(BringToFront(form->Handle()));
    ASSERT_TRUE(PumpUntil([&] { return button->Focused(); }, kPatience));
    TapShift();
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(Released(button));
  }
}

// Tab while space holds the button: the focus moves on, the press and its hot ring go at once.
// Space still held reaches the next button as auto-repeat, which presses nothing there.
TEST_F(DxPress, TabWhileSpaceIsHeldEndsThePressAndItsHotRing) {
  const int mid = button->Width() / 2;
  Focus(button);
  HoldSpace(button);
  SendKey(VK_TAB, false);
  ReleaseKey(VK_TAB);
  ASSERT_TRUE(second->Focused());
  EXPECT_EQ(button->VisualState(), 0);
  EXPECT_EQ(ScreenPixel(*button, mid, 1), kFaceTop) << "no ring left behind";
  EXPECT_EQ(ScreenPixel(*second, mid, 1), kFocusTop);

  // The key is down already: its auto-repeat, as the focused window gets it. Sent as input it
  // would be one only while the window system still counts space as down, and under Wine a
  // change of the focus may have it read the display's keyboard anew, which never saw the
  // injected key go down.
  PostMessageA(second->Handle(), WM_KEYDOWN, VK_SPACE,
               MAKELPARAM(1, MapVirtualKeyA(VK_SPACE, MAPVK_VK_TO_VSC) | KF_REPEAT));
  ReleaseKey(VK_SPACE);
  EXPECT_EQ(clicks + secondClicks, 0);
  EXPECT_EQ(second->VisualState(), vsFocused);

  // With the pointer over the button, the hot look is the mouse's and stays.
  ASSERT_TRUE(testing_support::HoverOnto(*second));
  HoldSpace(second);
  SendKey(VK_SHIFT, false);
  SendKey(VK_TAB, false);
  ReleaseKey(VK_TAB);
  ReleaseKey(VK_SHIFT);
  ASSERT_TRUE(button->Focused());
  EXPECT_EQ(second->VisualState(), vsHot);
  EXPECT_EQ(ScreenPixel(*second, mid, 1), kHotTop);
  ReleaseKey(VK_SPACE);
  EXPECT_EQ(clicks + secondClicks, 0);
}

// Disabled while held, by itself or with the container it sits in: the focus goes to the form
// and the press ends; enabled and focused again, the button does not click on the release.
TEST_F(DxPress, DisablingTheButtonOrItsContainerEndsThePress) {
  auto* box = testing_support::PlaceOn<TGroupBox>(*form, 120, 50, 150, 60);
  auto* inner = new TdxButton(form);
  inner->SetParent(box);
  inner->SetBounds(10, 20, 73, 21);
  int innerClicks = 0;
  inner->OnClick = [&](TObject*) { ++innerClicks; };
  inner->OnKeyUp = [this](TObject*, WORD&, TShiftState) { ++keyUps; };

  struct Case {
    const char* name;
    TdxButton* held;
    TControl* disabled;
  };
  for (const Case& c : {Case{"the button", button, button}, Case{"its container", inner, box}}) {
    SCOPED_TRACE(c.name);
    Focus(c.held);
    HoldSpace(c.held);
    c.disabled->SetEnabled(false);
    EXPECT_TRUE(PumpUntil([&] { return Released(c.held); }, kPatience));
    EXPECT_EQ(GetFocus(), form->Handle());
    c.disabled->SetEnabled(true);
    Focus(c.held);
    ReleaseKey(VK_SPACE);
    EXPECT_EQ(clicks + innerClicks, 0);
  }

  // A mouse press, the same: the capture goes with it, and the release clicks nothing.
  testing_support::MouseButtonAt(button->ClientToScreen({30, 10}), true);
  ASSERT_TRUE(PumpUntil([&] { return button->Clicking(); }, kPatience));
  button->SetEnabled(false);
  EXPECT_FALSE(button->Clicking());
  EXPECT_EQ(GetCapture(), nullptr);
  button->SetEnabled(true);
  testing_support::MouseButtonAt(button->ClientToScreen({30, 10}), false);
  Focus(button);
  TapShift();
  EXPECT_EQ(clicks, 0);
}

// Destroyed while held: nothing is left pressed or captured, no other control clicks, and the
// rest of the form goes on working.
TEST_F(DxPress, DestroyingAHeldButtonLeavesNothingBehind) {
  Focus(button);
  HoldSpace(button);
  delete button;
  button = nullptr;
  ReleaseKey(VK_SPACE);
  EXPECT_EQ(secondClicks, 0);

  testing_support::MouseButtonAt(second->ClientToScreen({30, 10}), true);
  ASSERT_TRUE(PumpUntil([&] { return second->Clicking(); }, kPatience));
  delete second;
  second = nullptr;
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Application->CaptureControl(), nullptr);
  testing_support::MouseButtonAt(form->ClientToScreen({40, 20}), false);
  EXPECT_TRUE(PumpUntil([] {
    Application->Idle();
    return Application->MouseControl() != nullptr;
  }, kPatience));

  auto* last = Add(10, "Last");
  int lastClicks = 0;
  last->OnClick = [&](TObject*) { ++lastClicks; };
  last->OnKeyUp = [this](TObject*, WORD&, TShiftState) { ++keyUps; };
  Focus(last);
  HoldSpace(last);
  ReleaseKey(VK_SPACE);
  EXPECT_EQ(lastClicks, 1);
}

// The family has no key event slots of its own: handlers set through the framework's type run,
// the key-down one with the button already pressed, the key-up one after its click.
TEST_F(DxPress, KeyHandlersSetThroughTheFrameworksTypeRun) {
  static_assert(std::is_same_v<decltype(&TdxButton::OnKeyDown), TKeyEvent TWinControl::*>);
  static_assert(std::is_same_v<decltype(&TdxButton::OnKeyUp), TKeyEvent TWinControl::*>);
  std::vector<std::string> log;
  TWinControl& framework = *button;
  framework.OnKeyDown = [&](TObject* sender, WORD& key, TShiftState) {
    EXPECT_EQ(sender, button);
    if (key == VK_SPACE) log.push_back((button->VisualState() & vsPressed) ? "down, pressed" : "down");
  };
  framework.OnKeyUp = [&](TObject*, WORD& key, TShiftState) {
    if (key == VK_SPACE) log.push_back("up, clicks " + std::to_string(clicks));
    ++keyUps;
  };
  Focus(button);
  HoldSpace(button);
  ReleaseKey(VK_SPACE);
  EXPECT_EQ(log, (std::vector<std::string>{"down, pressed", "up, clicks 1"}));
}

// Focus arriving in a button and leaving it within the form, by clicks and by Tab, raises
// OnEnter and OnExit; the window losing and regaining the activation raises neither.
TEST_F(DxPress, EnterAndExitFollowTheFocusWithinTheForm) {
  std::vector<std::string> log;
  for (TWinControl* c : std::vector<TWinControl*>{button, second, other}) {
    const std::string name = c == other ? "memo" : c->Caption();
    c->OnEnter = [&log, name](TObject*) { log.push_back("enter " + name); };
    c->OnExit = [&log, name](TObject*) { log.push_back("exit " + name); };
  }
  Focus(other);
  log.clear();
  testing_support::Click(*button);
  ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }, kPatience));
  SendKey(VK_TAB, false);
  ReleaseKey(VK_TAB);
  ASSERT_TRUE(second->Focused());
  EXPECT_EQ(log, (std::vector<std::string>{"exit memo", "enter Go", "exit Go", "enter Next"}));

  log.clear();
  TForm elsewhere(nullptr);
  elsewhere.SetBounds(500, 350, 200, 120);
  elsewhere.Show();
  ASSERT_TRUE(BringToFront(elsewhere.Handle()));
  ASSERT_TRUE(BringToFront(form->Handle()));
  ASSERT_TRUE(PumpUntil([&] { return second->Focused(); }, kPatience));
  EXPECT_TRUE(log.empty()) << log.front();

  testing_support::Click(*other);
  ASSERT_TRUE(PumpUntil([&] { return other->Focused(); }, kPatience));
  EXPECT_EQ(log, (std::vector<std::string>{"exit Next", "enter memo"}));
}
