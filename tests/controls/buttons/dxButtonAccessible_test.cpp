#include <gtest/gtest.h>

#include "tests/controls/buttons/ButtonFixture.h"
#include "tests/support/Reader.h"

// The push button as a screen reader knows it: its role, name, states and default action.
using namespace button_tests;

namespace {
using testing_support::Accessible;
using testing_support::EventRecorder;
using testing_support::PumpUntil;

struct ButtonAccessibleFixture : ButtonFixture {
  testing_support::ComApartment com;
};
}  // namespace

using ButtonAccessible = ButtonAccessibleFixture;

TEST_F(ButtonAccessible, APushButtonNamedByItsCaptionPressedWhileHeldDown) {
  button->SetCaption("&Save && close");
  Accessible object = Accessible::FromWindow(button->Handle());
  ASSERT_TRUE(object);
  EXPECT_EQ(object.Role(), ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_EQ(object.Name(), L"Save & close");
  EXPECT_EQ(object.DefaultAction(), L"Press");
  button->SetShowAccelChar(false);
  EXPECT_EQ(object.Name(), L"&Save && close");
  Focus(other);
  EXPECT_EQ(object.State(), STATE_SYSTEM_FOCUSABLE);

  EventRecorder events(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_NAMECHANGE, GetCurrentProcessId());
  Press(button);
  EXPECT_EQ(object.State(), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_PRESSED);
  EXPECT_TRUE(PumpUntil([&] { return events.Has(EVENT_OBJECT_STATECHANGE, button->Handle()); }));
  events.Clear();
  Release(button);
  EXPECT_EQ(object.State(), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
  button->SetCaption("Go");
  EXPECT_TRUE(PumpUntil([&] {
    return events.Has(EVENT_OBJECT_STATECHANGE, button->Handle()) && events.Has(EVENT_OBJECT_NAMECHANGE, button->Handle());
  }));
}

TEST_F(ButtonAccessible, TheDefaultActionClicksOnTheButtonsThreadAndADisabledButtonRefusesIt) {
  Accessible object = Accessible::FromWindow(button->Handle());
  ASSERT_TRUE(object);
  EXPECT_EQ(object.DoDefaultAction(), S_OK);
  // The click comes once the reader's call has returned.
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));

  button->SetEnabled(false);
  EXPECT_EQ(object.State(), STATE_SYSTEM_UNAVAILABLE);
  EXPECT_EQ(object.DoDefaultAction(), E_FAIL);
  // Asked while enabled, disabled before the click came: no click either.
  button->SetEnabled(true);
  EXPECT_EQ(object.DoDefaultAction(), S_OK);
  button->SetEnabled(false);
  testing_support::Pump(200);
  EXPECT_EQ(clicks, 1);
}
