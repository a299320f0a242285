#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "framework/Application.h"
#include "framework/Hints.h"
#include "tests/support/FormTest.h"
#include "tests/support/Input.h"
#include "tests/support/Popups.h"

using testing_support::ShownTooltip;

namespace {

class Panel : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  const char* ClassName() const override { return "THintTestPanel"; }
};

class Spot : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
};

struct Hints : testing_support::FormTest {
  void SetUp() override {
    MakeForm(140, 140, 400, 240);
    panel = new Panel(form);
    panel->SetBounds(10, 10, 250, 150);
    panel->SetParent(form);
    box = new Panel(form);
    box->SetBounds(10, 10, 100, 40);
    box->SetParent(panel);
    spot = new Spot(form);
    spot->SetBounds(130, 10, 100, 40);
    spot->SetParent(panel);
    testing_support::ShowInFront(*form);
    // A hint stays until something takes it away.
    THintController::SetHintHidePause(600000);
  }
  void TearDown() override {
    FormTest::TearDown();
    THintController::RestoreSystemPauses();
  }

  // Runs idle steps (hover detection) until the condition holds; generous for a busy machine.
  static bool IdleUntil(const std::function<bool()>& condition) {
    return testing_support::PumpUntil([&] {
      Application->Idle();
      return condition();
    }, 8000);
  }
  static bool Shows(const std::string& text) {
    return IdleUntil([&] { return ShownTooltip() == text; });
  }
  static bool ShowsNone() {
    return IdleUntil([] { return !ShownTooltip(); });
  }
  // Over an empty part of the form, outside the panel, until hover detection has seen it there.
  void LeaveToTheForm() { ASSERT_TRUE(testing_support::HoverAt(*form, {330, 200})); }

  Panel* panel = nullptr;
  Panel* box = nullptr;
  Spot* spot = nullptr;
};

}  // namespace

TEST_F(Hints, TheHintShowsOnceThePointerRestsAndGoesWhenItLeaves) {
  box->SetHint("Save|Writes the file to disk");
  box->SetShowHint(true);
  ASSERT_TRUE(testing_support::HoverOnto(*box));
  // Not at once: after the system's pause.
  EXPECT_FALSE(ShownTooltip());
  ASSERT_TRUE(Shows("Save"));  // the part before "|"
  RECT tip;
  GetWindowRect(HintController()->HintWindow()->Handle(), &tip);
  POINT pointer;
  GetCursorPos(&pointer);
  EXPECT_GT(tip.top, pointer.y);  // below the pointer, not under it
  EXPECT_EQ(Application->MouseControl(), box);

  LeaveToTheForm();
  EXPECT_TRUE(ShowsNone());
}

TEST_F(Hints, AClickOrAKeyPressHidesTheHint) {
  box->SetHint("Box");
  box->SetShowHint(true);
  ASSERT_TRUE(testing_support::HoverOnto(*box));
  ASSERT_TRUE(Shows("Box"));
  testing_support::Click(*box);
  EXPECT_TRUE(ShowsNone());

  // Back once the pointer has come again.
  // Not to the pixel it left: under Wine on a bare X server a pointer moved away and straight
  // back to the same pixel is put back where it was a moment later.
  LeaveToTheForm();
  ASSERT_TRUE(testing_support::HoverAt(*box, {20, 10}));
  ASSERT_TRUE(Shows("Box"));
  testing_support::PressKey(VK_SHIFT);
  EXPECT_TRUE(ShowsNone());
}

TEST_F(Hints, AHintGoesAfterItsHidePauseOrWithItsShowHint) {
  box->SetHint("Box");
  box->SetShowHint(true);
  THintController::SetHintHidePause(200);
  ASSERT_TRUE(testing_support::HoverOnto(*box));
  ASSERT_TRUE(Shows("Box"));
  EXPECT_TRUE(ShowsNone());
  EXPECT_EQ(Application->MouseControl(), box);

  THintController::SetHintHidePause(600000);
  LeaveToTheForm();
  ASSERT_TRUE(testing_support::HoverAt(*box, {20, 10}));
  ASSERT_TRUE(Shows("Box"));
  box->SetShowHint(false);
  EXPECT_FALSE(ShownTooltip());
}

TEST_F(Hints, AControlWithoutAHintShowsItsParentsAndFollowsItsShowHint) {
  panel->SetHint("Panel");
  ASSERT_TRUE(testing_support::HoverOnto(*spot));
  EXPECT_TRUE(spot->ParentShowHint());
  EXPECT_FALSE(spot->ShowHint());
  EXPECT_TRUE(HintController() == nullptr || !HintController()->Waiting());

  // Turned on while the pointer rests over the child: the parent's hint shows there.
  panel->SetShowHint(true);
  EXPECT_TRUE(spot->ShowHint());
  EXPECT_TRUE(spot->ParentShowHint());
  ASSERT_TRUE(Shows("Panel"));
  // A changed text shows at once; ShowHint turned off takes the hint away.
  panel->SetHint("Panel 2");
  EXPECT_EQ(ShownTooltip(), "Panel 2");
  panel->SetShowHint(false);
  EXPECT_FALSE(ShownTooltip());
  EXPECT_FALSE(spot->ShowHint());
}

TEST_F(Hints, ParentShowHintFollowsTheParentUntilShowHintIsSet) {
  Panel* inner = new Panel(form);
  inner->SetParent(box);  // a grandchild of the panel
  panel->SetShowHint(true);
  EXPECT_TRUE(box->ShowHint());
  EXPECT_TRUE(inner->ShowHint());
  EXPECT_TRUE(spot->ShowHint());

  spot->SetShowHint(true);  // its value already: nothing changes
  EXPECT_TRUE(spot->ParentShowHint());
  box->SetShowHint(false);
  EXPECT_FALSE(box->ParentShowHint());
  EXPECT_FALSE(inner->ShowHint());  // follows its own parent
  EXPECT_TRUE(inner->ParentShowHint());

  panel->SetShowHint(false);
  panel->SetShowHint(true);
  EXPECT_FALSE(box->ShowHint());  // no longer following
  EXPECT_TRUE(spot->ShowHint());
  box->SetParentShowHint(true);  // follows again, at once
  EXPECT_TRUE(box->ShowHint());
  EXPECT_TRUE(inner->ShowHint());

  auto* late = new Spot(form);
  EXPECT_FALSE(late->ShowHint());
  late->SetParent(panel);  // takes its new parent's
  EXPECT_TRUE(late->ShowHint());
  auto* own = new Spot(form);
  own->SetShowHint(false);
  own->SetParentShowHint(false);
  own->SetParent(panel);
  EXPECT_FALSE(own->ShowHint());
}

TEST_F(Hints, AControlGoingTakesItsHintAlong) {
  box->SetHint("Going");
  box->SetShowHint(true);
  ASSERT_TRUE(testing_support::HoverOnto(*box));
  ASSERT_TRUE(Shows("Going"));
  delete box;
  EXPECT_FALSE(ShownTooltip());
  EXPECT_TRUE(IdleUntil([&] { return Application->MouseControl() == panel; }));
}
