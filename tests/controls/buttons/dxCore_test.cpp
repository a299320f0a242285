#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/buttons/dxCore.h"
#include "framework/Application.h"
#include "tests/controls/buttons/ButtonFixture.h"
#include "tests/support/Input.h"

using namespace button_tests;

namespace {

// A family control that paints itself plain and lets a test choose its triggers.
class Probe : public TdxCustomStyleControl {
 public:
  using TdxCustomStyleControl::TdxCustomStyleControl;
  const char* ClassName() const override { return "TdxProbe"; }
  using TdxCustomControl::SetRedrawTriggers;
  void Paint() override {
    Canvas().Brush().SetColor(clWhite);
    Canvas().FillRect(ClientRect());
  }
};

struct CoreFixture : ButtonFixture {
  void SetUp() override {
    ButtonFixture::SetUp();
    probe = testing_support::PlaceOn<Probe>(*form, 200, 10, 60, 30);
    probe->SetCaption("Probe");
    Application->ProcessMessages();
    TakeRepaint(*probe);
  }
  Probe* probe = nullptr;
};

}  // namespace

using DxCore = CoreFixture;

TEST_F(DxCore, CarriesTheFamilyVersionAndTheDefaultTriggers) {
  EXPECT_EQ(probe->RedrawTriggers(), rtTextChanged | rtEnabledChanged | rtFocusChanged | rtMouseDown | rtMouseEnter |
                                         rtMouseLeave | rtMouseUp | rtParentColorChanged);
  TdxStyleManager manager(nullptr);
  probe->SetVersion("9");
  for (const std::string& version : {probe->Version(), manager.Version()}) {
    ASSERT_GT(version.size(), 5u);
    EXPECT_EQ(version.substr(version.size() - 5), "2.0.1");
  }
  EXPECT_TRUE(probe->IsOpaque() && (probe->ControlStyle() & csReplicatable) && probe->DoubleBuffered());
}

TEST_F(DxCore, TheTriggersDecideWhichNotificationsRepaint) {
  probe->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(probe->VisualState() & vsHot);
  EXPECT_TRUE(TakeRepaint(*probe)) << "enter";
  SendMessageA(probe->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
  EXPECT_FALSE(TakeRepaint(*probe)) << "move";
  probe->SetBounds(190, 12, 50, 20);  // moved and made smaller: nothing newly exposed
  EXPECT_FALSE(TakeRepaint(*probe)) << "resize";
  probe->Perform(CM_MOUSELEAVE);
  EXPECT_FALSE(probe->VisualState() & vsHot);
  EXPECT_TRUE(TakeRepaint(*probe)) << "leave";
  probe->SetEnabled(false);
  EXPECT_TRUE(TakeRepaint(*probe)) << "disabled";
  probe->SetEnabled(true);
  EXPECT_TRUE(TakeRepaint(*probe)) << "enabled";
  probe->SetCaption("Other");
  EXPECT_TRUE(TakeRepaint(*probe)) << "text";

  probe->SetRedrawTriggers(rtMouseMove | rtResized | rtPositionChanged);
  probe->Perform(CM_MOUSEENTER);
  EXPECT_FALSE(TakeRepaint(*probe)) << "enter, not a trigger now";
  SendMessageA(probe->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
  EXPECT_TRUE(TakeRepaint(*probe)) << "move";
  probe->SetBounds(185, 12, 50, 20);
  EXPECT_TRUE(TakeRepaint(*probe)) << "position";
  probe->SetBounds(185, 12, 40, 18);
  EXPECT_TRUE(TakeRepaint(*probe)) << "resize";
}

TEST_F(DxCore, NothingRepaintsWhileLockedAndUnlockingRepaintsOnce) {
  probe->LockRedraw();
  ASSERT_TRUE(probe->RedrawLocked());
  probe->Perform(CM_MOUSEENTER);
  probe->Perform(CM_MOUSELEAVE);
  probe->SetEnabled(false);
  probe->SetEnabled(true);
  probe->SetCaption("Locked");
  probe->Style().SetTheme(OfficeXP);
  EXPECT_FALSE(TakeRepaint(*probe));
  probe->UnlockRedraw();
  EXPECT_FALSE(probe->RedrawLocked());
  EXPECT_TRUE(TakeRepaint(*probe));
}

TEST_F(DxCore, MouseEnterAndLeaveFireAfterTheStateChanged) {
  std::vector<std::string> log;
  probe->OnMouseEnter = [&](TObject* s) { log.push_back((static_cast<Probe*>(s)->VisualState() & vsHot) ? "in hot" : "in cold"); };
  probe->OnMouseLeave = [&](TObject* s) { log.push_back((static_cast<Probe*>(s)->VisualState() & vsHot) ? "out hot" : "out cold"); };
  probe->Perform(CM_MOUSEENTER);
  probe->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(log, (std::vector<std::string>{"in hot", "out cold"}));
}

TEST_F(DxCore, OnlyTheLeftButtonPressesAndAnyReleaseEndsThePress) {
  SendMessageA(probe->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  EXPECT_FALSE(probe->Clicking());
  EXPECT_FALSE(probe->VisualState() & vsPressed);
  SendMessageA(probe->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));

  SendMessageA(probe->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(probe->Clicking());
  EXPECT_TRUE(probe->VisualState() & vsPressed);
  EXPECT_TRUE(probe->Focused());
  EXPECT_TRUE(TakeRepaint(*probe));
  // The right button released while the left still holds: the press ends all the same.
  SendMessageA(probe->Handle(), WM_RBUTTONUP, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_FALSE(probe->Clicking());
  EXPECT_FALSE(probe->VisualState() & vsPressed);
  SendMessageA(probe->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST_F(DxCore, LosingTheFocusEndsAPressOfSpaceOrMouse) {
  Focus(button);
  Post(button->Handle(), WM_KEYDOWN, VK_SPACE);
  ASSERT_TRUE(button->VisualState() & vsPressed);
  Focus(other);
  EXPECT_EQ(button->VisualState() & (vsPressed | vsFocused), 0);
  Post(button->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_EQ(clicks, 0) << "the press ended with the focus";

  Press(button);
  ASSERT_TRUE(button->VisualState() & vsPressed);
  Focus(other);
  EXPECT_FALSE(button->VisualState() & vsPressed);
  ReleaseCapture();
}

TEST_F(DxCore, FocusInFamilyFollowsTheFormsActiveControl) {
  Focus(button);
  EXPECT_TRUE(button->FocusInFamily());
  EXPECT_TRUE(second->FocusInFamily()) << "any member of the family counts";
  EXPECT_TRUE(button->VisualState() & vsFocused);
  EXPECT_FALSE(second->VisualState() & vsFocused);
  Focus(other);
  EXPECT_FALSE(button->FocusInFamily());
  EXPECT_FALSE(second->FocusInFamily());

  // Disabling the focused button hands the focus to the form: no ring stays behind.
  Focus(button);
  button->SetEnabled(false);
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), form->Handle());
  EXPECT_FALSE(button->VisualState() & vsFocused);
  EXPECT_FALSE(second->FocusInFamily());
  button->SetEnabled(true);
  Focus(second);
  EXPECT_TRUE(second->VisualState() & vsFocused);

  TdxButton loose(nullptr);  // no form: the form step is skipped
  loose.Perform(CM_FOCUSCHANGED);
  EXPECT_FALSE(loose.FocusInFamily());
  loose.Click();
}

TEST_F(DxCore, AClickHandsTheModalResultToTheFormEvenWhenZero) {
  button->SetModalResult(mrOk);
  button->Click();
  EXPECT_EQ(form->ModalResult(), mrOk);
  button->SetModalResult(mrNone);
  button->Click();
  EXPECT_EQ(form->ModalResult(), mrNone);
  EXPECT_EQ(clicks, 2);
}

// Pressing on one button, dragging onto the other and releasing there: the first lets go, the
// second lights at once and hears of the mouse, as it would have without the capture.
TEST_F(DxCore, DraggingFromOneButtonOntoAnotherLightsTheSecondOnRelease) {
  int entered = 0;
  second->OnMouseEnter = [&](TObject*) { ++entered; };
  ASSERT_TRUE(testing_support::HoverOnto(*button));
  testing_support::MouseButtonAt(button->ClientToScreen({30, 10}), true);
  ASSERT_TRUE(testing_support::PumpUntil([&] { return button->Clicking(); }, 10000));
  ASSERT_TRUE(testing_support::HoverOnto(*second));
  EXPECT_FALSE(second->VisualState() & vsHot) << "the capture keeps the mouse-entered from it";
  EXPECT_FALSE(button->VisualState() & vsHot);
  EXPECT_TRUE(button->VisualState() & vsPressed);
  EXPECT_EQ(entered, 0);

  testing_support::MouseButtonAt(second->ClientToScreen({30, 10}), false);
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !button->Clicking(); }, 10000));
  EXPECT_FALSE(button->VisualState() & vsPressed);
  EXPECT_TRUE(second->VisualState() & vsHot);
  EXPECT_EQ(entered, 1);
  EXPECT_TRUE(second->IsLit(true));
  Application->Idle();
  EXPECT_EQ(entered, 1) << "no second mouse-entered from the idle step";
  EXPECT_EQ(clicks + secondClicks, 0);
}

// ---------------------------------------------------------------------------------------------
// Styles

TEST_F(DxCore, StyleChangesRepaintTheirControlOnlyWhenTheyChangeSomething) {
  EXPECT_EQ(probe->Style().Owner(), probe);
  EXPECT_EQ(probe->Style().Theme(), WindowsXP);
  EXPECT_TRUE(probe->Style().UseStyleManager());
  probe->Style().SetTheme(WindowsXP);
  probe->Style().SetUseStyleManager(true);
  EXPECT_FALSE(TakeRepaint(*probe));
  probe->Style().SetTheme(OfficeXP);
  EXPECT_TRUE(TakeRepaint(*probe));
  probe->Style().SetUseStyleManager(false);
  EXPECT_TRUE(TakeRepaint(*probe));
}

TEST_F(DxCore, AManagerRepaintsItsControlsOnANewThemeOnly) {
  auto* manager = new TdxStyleManager(form);
  int changes = 0;
  manager->OnThemeChanged = [&](TObject* sender) {
    EXPECT_EQ(sender, manager);
    ++changes;
  };
  probe->SetStyleManager(manager);
  button->SetStyleManager(manager);
  button->SetStyleManager(manager);  // once only
  ASSERT_EQ(manager->ControlCount(), 2);
  EXPECT_EQ(manager->Controls(0), probe);
  TakeRepaint(*probe);
  TakeRepaint(*button);

  manager->SetTheme(WindowsXP);
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(TakeRepaint(*probe));
  manager->SetTheme(OfficeXP);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(TakeRepaint(*probe));
  EXPECT_TRUE(TakeRepaint(*button));
  EXPECT_FALSE(TakeRepaint(*second)) << "not registered";

  manager->RegisterControls({second, probe});
  manager->UnregisterControls({button, second});
  ASSERT_EQ(manager->ControlCount(), 1);
  EXPECT_EQ(manager->Controls(0), probe);

  // Going, the manager repaints its controls once more and they forget it.
  delete manager;
  EXPECT_TRUE(TakeRepaint(*probe));
  EXPECT_EQ(probe->StyleManager(), nullptr);
  EXPECT_EQ(button->StyleManager(), nullptr);
}

TEST_F(DxCore, AControlMovedBetweenManagersIsOnlyInTheNewOnesListAndLeavesBothWhenItGoes) {
  auto* a = new TdxStyleManager(form);
  auto* b = new TdxStyleManager(form);
  probe->SetStyleManager(a);
  TakeRepaint(*probe);
  probe->SetStyleManager(b);
  EXPECT_TRUE(TakeRepaint(*probe));
  EXPECT_EQ(a->ControlCount(), 0);
  ASSERT_EQ(b->ControlCount(), 1);
  EXPECT_EQ(probe->StyleManager(), b);

  // Another manager going leaves the control's own alone.
  delete a;
  EXPECT_EQ(probe->StyleManager(), b);

  delete probe;
  probe = nullptr;
  EXPECT_EQ(b->ControlCount(), 0);
  b->RedrawControls();
  delete b;
}
