// The form's focus tracking with plain framework controls: a disabled control gives up the
// focus, and OnEnter and OnExit follow the focus within the form.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/FormTest.h"
#include "tests/support/Input.h"

namespace {

constexpr DWORD kPatience = 10000;  // ms

// A plain windowed control that takes the focus and logs what it hears of it.
class Plain : public TCustomControl {
 public:
  Plain(TWinControl* parent, const std::string& name, std::vector<std::string>* log, int left)
      : TCustomControl(parent), log_(log) {
    SetName(name);
    SetParent(parent);
    SetBounds(left, 10, 40, 20);
    SetTabStop(true);
    OnEnter = [this](TObject* sender) {
      EXPECT_EQ(sender, this);
      log_->push_back("enter " + Name());
    };
    OnExit = [this](TObject*) { log_->push_back("exit " + Name()); };
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_FOCUSCHANGED) focusChanges.push_back(reinterpret_cast<TControl*>(m.LParam));
    TCustomControl::WndProc(m);
  }
  std::vector<TControl*> focusChanges;

 private:
  std::vector<std::string>* log_;
};

// a, then a group box holding c and d, then b.
struct FocusFixture : testing_support::FormTest {
  void SetUp() override {
    MakeForm(100, 100, 320, 120);
    a = new Plain(form, "a", &log, 10);
    box = new TGroupBox(form);
    box->SetName("box");
    box->SetParent(form);
    box->SetBounds(60, 0, 150, 60);
    box->OnEnter = [this](TObject*) { log.push_back("enter box"); };
    box->OnExit = [this](TObject*) { log.push_back("exit box"); };
    c = new Plain(box, "c", &log, 10);
    d = new Plain(box, "d", &log, 60);
    b = new Plain(form, "b", &log, 240);
    testing_support::ShowInFront(*form);
    ASSERT_TRUE(testing_support::PumpUntil([this] { return GetForegroundWindow() == form->Handle(); }, kPatience));
  }
  void Focus(TWinControl* control) {
    control->SetFocus();
    Application->ProcessMessages();
    ASSERT_TRUE(control->Focused());
  }
  std::vector<std::string> Take() { return std::exchange(log, {}); }

  std::vector<std::string> log;
  Plain *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr;
  TGroupBox* box = nullptr;
};

using Strings = std::vector<std::string>;

}  // namespace

using FocusTracking = FocusFixture;

// Disabled while focused, a control hands the focus to its form: the form's controls hear that
// none of them has it, and the control's window is disabled. Disabling a container of the
// focused control does the same.
TEST_F(FocusTracking, ADisabledControlGivesUpTheFocusItHoldsOrContains) {
  Focus(a);
  b->focusChanges.clear();
  a->SetEnabled(false);
  EXPECT_EQ(GetFocus(), form->Handle());
  EXPECT_EQ(form->ActiveControl(), nullptr);
  EXPECT_FALSE(IsWindowEnabled(a->Handle()));
  EXPECT_EQ(b->focusChanges, std::vector<TControl*>{form});
  a->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(a->Handle()));
  EXPECT_EQ(GetFocus(), form->Handle()) << "enabling takes nothing back";

  // Disabling a control that has not the focus leaves the focus alone.
  Focus(c);
  b->SetEnabled(false);
  EXPECT_TRUE(c->Focused());
  b->SetEnabled(true);

  Take();
  box->SetEnabled(false);
  EXPECT_EQ(GetFocus(), form->Handle());
  EXPECT_EQ(form->ActiveControl(), nullptr);
  EXPECT_EQ(Take(), (Strings{"exit c", "exit box"}));
  box->SetEnabled(true);
}

// The controls the focus leaves hear OnExit, innermost first; those it enters hear OnEnter,
// outermost first; a container the focus stays inside hears nothing. The window losing and
// regaining the activation moves the focus within the form nowhere.
TEST_F(FocusTracking, EnterAndExitFollowTheFocusWithinTheForm) {
  Focus(a);
  Take();
  Focus(c);
  EXPECT_EQ(Take(), (Strings{"exit a", "enter box", "enter c"}));
  Focus(d);
  EXPECT_EQ(Take(), (Strings{"exit c", "enter d"}));
  form->Perform(CM_DIALOGKEY, VK_TAB);
  ASSERT_TRUE(b->Focused());
  EXPECT_EQ(Take(), (Strings{"exit d", "exit box", "enter b"}));
  {
    testing_support::HeldKeys shift{VK_SHIFT};  // Shift+Tab goes back into the box
    form->Perform(CM_DIALOGKEY, VK_TAB);
  }
  EXPECT_TRUE(d->Focused());
  EXPECT_EQ(Take(), (Strings{"exit b", "enter box", "enter d"}));
  form->Perform(CM_DIALOGKEY, VK_TAB);
  ASSERT_TRUE(b->Focused());
  Take();

  TForm elsewhere(nullptr);
  elsewhere.SetBounds(500, 350, 200, 100);
  testing_support::ShowInFront(elsewhere);
  ASSERT_TRUE(testing_support::PumpUntil([&] { return GetForegroundWindow() == elsewhere.Handle(); }, kPatience));
  SetForegroundWindow(form->Handle());
  ASSERT_TRUE(testing_support::PumpUntil([&] { return b->Focused(); }, kPatience));
  EXPECT_EQ(Take(), Strings{});

  // A handler that moves the focus on: the controls it passed over hear nothing, and every
  // control hears of the focus entering it before it hears of it leaving.
  b->OnExit = [this](TObject*) {
    log.push_back("exit b");
    a->SetFocus();
  };
  c->SetFocus();
  Application->ProcessMessages();
  EXPECT_TRUE(a->Focused());
  EXPECT_EQ(Take(), (Strings{"exit b", "enter a"}));
}

// The framework's record of the focus window answers as the system does wherever the focus goes:
// between our controls, to windows of ours the framework does not own (and on among them), to
// none, and away from a focused control that is destroyed.
TEST_F(FocusTracking, TheFocusWindowIsKnownWithoutAskingAndAlwaysRight) {
  auto agrees = [] { return FocusedWindow() == ::GetFocus(); };
  for (TWinControl* control : std::initializer_list<TWinControl*>{a, c, d, b, a}) {
    Focus(control);
    EXPECT_EQ(FocusedWindow(), control->Handle());
    EXPECT_TRUE(agrees());
  }
  HWND first = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 70, 40, 20, form->Handle(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  HWND second = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 60, 70, 40, 20, form->Handle(), nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(first && second);
  ::SetFocus(first);
  EXPECT_EQ(FocusedWindow(), first);
  ::SetFocus(second);  // no window of the framework hears of this move
  EXPECT_EQ(FocusedWindow(), second);
  ::SetFocus(b->Handle());
  EXPECT_EQ(FocusedWindow(), b->Handle());
  ::SetFocus(nullptr);
  EXPECT_EQ(FocusedWindow(), nullptr);
  EXPECT_TRUE(agrees());
  Focus(d);
  delete d;
  d = nullptr;
  EXPECT_TRUE(agrees());
  DestroyWindow(first);
  DestroyWindow(second);
}
