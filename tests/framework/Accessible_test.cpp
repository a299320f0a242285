#include <gtest/gtest.h>

#include "framework/Accessible.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/FormTest.h"
#include "tests/support/Input.h"
#include "tests/support/Reader.h"

// The accessible objects the framework makes of its windows, read in-process as a screen reader
// reads them: a group box with a windowless label, an edit and a memo on a form.
namespace {

using testing_support::Accessible;
using testing_support::EventRecorder;
using testing_support::PumpUntil;

struct AccessibleFixture : testing_support::FormTest {
  void SetUp() override {
    MakeForm(100, 100, 320, 200);
    group = new TGroupBox(form);
    group->SetParent(form);
    group->SetBounds(0, 0, 300, 80);
    group->SetCaption("&Options && more");
    label = new TLabel(form);
    label->SetParent(group);
    label->SetBounds(10, 20, 100, 17);
    label->SetAutoSize(false);
    label->SetCaption("&Size");
    edit = new TCustomEdit(form);
    edit->SetParent(group);
    edit->SetBounds(120, 20, 100, 21);
    edit->SetText("abc");
    memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(10, 90, 200, 60);
    memo->SetText("first line");
    testing_support::ShowInFront(*form);
  }

  testing_support::ComApartment com;
  TGroupBox* group = nullptr;
  TLabel* label = nullptr;
  TCustomEdit* edit = nullptr;
  TMemo* memo = nullptr;
};

}  // namespace

using AccessibleObjects = AccessibleFixture;

TEST_F(AccessibleObjects, OnlyTheClientAreaOfAControlThatSaysSomethingIsAnsweredWhateverTheWidthOfTheId) {
  // The object number as a 32-bit value, however lParam came to be widened.
  const auto zeroExtended = static_cast<LPARAM>(static_cast<DWORD>(OBJID_CLIENT));
  const auto signExtended = static_cast<LPARAM>(OBJID_CLIENT);
  EXPECT_NE(SendMessageA(group->Handle(), WM_GETOBJECT, 0, zeroExtended), 0);
  EXPECT_NE(SendMessageA(group->Handle(), WM_GETOBJECT, 0, signExtended), 0);
  EXPECT_EQ(SendMessageA(group->Handle(), WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_WINDOW)), 0);
  // A form says nothing of itself and has no windowless child: the system's object answers.
  EXPECT_EQ(SendMessageA(form->Handle(), WM_GETOBJECT, 0, zeroExtended), 0);
}

TEST_F(AccessibleObjects, WindowlessChildrenAreChildrenOfTheirParentsObjectWithPlaceAndHitTest) {
  Accessible object = Accessible::FromWindow(group->Handle());
  ASSERT_TRUE(object);
  EXPECT_EQ(object.Role(), ROLE_SYSTEM_GROUPING);
  EXPECT_EQ(object.Name(), L"Options & more");
  ASSERT_EQ(object.ChildCount(), 2);  // the label, then the edit's window
  EXPECT_EQ(object.Role(1), ROLE_SYSTEM_STATICTEXT);
  EXPECT_EQ(object.Name(1), L"Size");
  EXPECT_EQ(object.State(1), STATE_SYSTEM_READONLY);
  EXPECT_FALSE(object.Child(1));
  EXPECT_TRUE(object.Child(2));
  EXPECT_EQ(object.Role(3), -1);

  // Navigation: the first child is the label, the edit's window follows it, nothing precedes it.
  auto navigate = [&](long direction, long from, VARIANT& to) {
    VARIANT start{};
    start.vt = VT_I4;
    start.lVal = from;
    return object.Get()->accNavigate(direction, start, &to);
  };
  VARIANT to{};
  EXPECT_EQ(navigate(NAVDIR_FIRSTCHILD, CHILDID_SELF, to), S_OK);
  EXPECT_TRUE(to.vt == VT_I4 && to.lVal == 1);
  EXPECT_EQ(navigate(NAVDIR_NEXT, 1, to), S_OK);
  EXPECT_TRUE(to.vt == VT_DISPATCH && to.pdispVal);
  VariantClear(&to);
  EXPECT_EQ(navigate(NAVDIR_PREVIOUS, 1, to), S_FALSE);

  const TPoint corner = group->ClientToScreen({10, 20});
  const RECT r = object.Location(1);
  EXPECT_EQ(r.left, corner.X);
  EXPECT_EQ(r.top, corner.Y);
  EXPECT_EQ(r.right - r.left, 100);
  EXPECT_EQ(r.bottom - r.top, 17);
  EXPECT_EQ(object.HitTest({corner.X + 5, corner.Y + 5}), 1);
  const TPoint inEdit = group->ClientToScreen({130, 25});
  Accessible window;
  EXPECT_EQ(object.HitTest({inEdit.X, inEdit.Y}, &window), -1);
  EXPECT_TRUE(window);
  const TPoint onFrame = group->ClientToScreen({250, 60});
  EXPECT_EQ(object.HitTest({onFrame.X, onFrame.Y}), CHILDID_SELF);

  label->SetEnabled(false);
  label->SetVisible(false);
  EXPECT_EQ(object.State(1), STATE_SYSTEM_READONLY | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_INVISIBLE);
}

TEST_F(AccessibleObjects, EditsAndMemosAreEditableTextsHoldingTheirText) {
  Accessible box = Accessible::FromWindow(edit->Handle());
  ASSERT_TRUE(box);
  EXPECT_EQ(box.Role(), ROLE_SYSTEM_TEXT);
  EXPECT_EQ(box.Value(), L"abc");
  memo->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return memo->Focused(); }));
  EXPECT_EQ(box.State(), STATE_SYSTEM_FOCUSABLE);
  edit->SetAccessibleName("Width");
  EXPECT_EQ(box.Name(), L"Width");
  edit->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));
  EXPECT_EQ(box.State(), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
  edit->SetReadOnly(true);
  edit->SetEnabled(false);
  EXPECT_EQ(box.State(), STATE_SYSTEM_READONLY | STATE_SYSTEM_UNAVAILABLE);
  edit->SetPasswordChar('*');
  HRESULT result = S_OK;
  EXPECT_EQ(box.Value(CHILDID_SELF, &result), L"");
  EXPECT_EQ(result, DISP_E_MEMBERNOTFOUND);

  Accessible lines = Accessible::FromWindow(memo->Handle());
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines.Role(), ROLE_SYSTEM_TEXT);
  memo->SetText("\xC6\xF0\xC3\xFB\r\nab");  // 起名, from the program's code page
  EXPECT_EQ(lines.Value(), L"\u8D77\u540D\r\nab");
  memo->SetReadOnly(true);
  EXPECT_EQ(lines.State(), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_READONLY);
}

TEST_F(AccessibleObjects, ReadersHearOfNewNamesValuesAndStates) {
  EventRecorder events(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_VALUECHANGE, GetCurrentProcessId());
  label->SetCaption("Height");
  edit->SetText("xyz");
  memo->SetText("other");
  group->SetEnabled(false);
  // Out of context, the events arrive while this thread handles its messages.
  EXPECT_TRUE(PumpUntil([&] {
    return events.Has(EVENT_OBJECT_NAMECHANGE, group->Handle(), 1) &&
           events.Has(EVENT_OBJECT_VALUECHANGE, edit->Handle()) &&
           events.Has(EVENT_OBJECT_VALUECHANGE, memo->Handle()) &&
           events.Has(EVENT_OBJECT_STATECHANGE, group->Handle());
  }));
  // A text typed into the memo is a new value too.
  events.Clear();
  SendMessageA(memo->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("typed"));
  EXPECT_TRUE(PumpUntil([&] { return events.Has(EVENT_OBJECT_VALUECHANGE, memo->Handle()); }));
}

// The controls outlive their windows here: an object left connected would still answer.
TEST_F(AccessibleObjects, AReaderHoldingTheObjectOfAWindowGoneIsToldItIsDisconnected) {
  Accessible box = Accessible::FromWindow(edit->Handle());
  ASSERT_TRUE(box);
  edit->SetAlignment(taRightJustify);  // a style only a new window takes
  ASSERT_TRUE(edit->HandleAllocated());
  long count = 0;
  EXPECT_EQ(box.Get()->get_accChildCount(&count), RPC_E_DISCONNECTED);
  EXPECT_EQ(Accessible::FromWindow(edit->Handle()).Value(), L"abc");  // the new window's own

  Accessible object = Accessible::FromWindow(group->Handle());
  ASSERT_TRUE(object);
  group->SetParent(nullptr);
  ASSERT_FALSE(group->HandleAllocated());
  EXPECT_EQ(object.Get()->get_accChildCount(&count), RPC_E_DISCONNECTED);
  EXPECT_EQ(object.Role(1), -1);
}
