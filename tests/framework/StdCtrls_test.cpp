#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/FormTest.h"
#include "tests/support/Input.h"

namespace {

using testing_support::Post;

struct EditFixture : testing_support::FormTest {
  void SetUp() override {
    MakeForm(100, 100, 300, 200);
    first = testing_support::PlaceOn<TCustomEdit>(*form, 10, 10, 120, 21);
    second = testing_support::PlaceOn<TCustomEdit>(*form, 10, 40, 120, 21);
    testing_support::ShowInFront(*form);
  }

  TCustomEdit* first = nullptr;
  TCustomEdit* second = nullptr;
};

}  // namespace

using CustomEdit = EditFixture;

TEST_F(CustomEdit, KeyEventsSeeEveryKeyAndAZeroKeyStaysOutOfTheText) {
  first->SetFocus();
  std::vector<std::string> log;
  first->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    log.push_back("down " + std::to_string(key));
    if (key == VK_DELETE) key = 0;
  };
  first->OnKeyPress = [&](TObject*, char& key) {
    log.push_back(std::string("press ") + key);
    if (key == 'b') key = 0;
  };
  first->OnKeyUp = [&](TObject*, WORD& key, TShiftState) { log.push_back("up " + std::to_string(key)); };
  Post(first->Handle(), WM_CHAR, 'a');
  Post(first->Handle(), WM_CHAR, 'b');
  Post(first->Handle(), WM_KEYDOWN, VK_HOME);
  Post(first->Handle(), WM_KEYDOWN, VK_DELETE);
  Post(first->Handle(), WM_KEYUP, VK_DELETE);
  EXPECT_EQ(first->Text(), "a");
  EXPECT_EQ(log, (std::vector<std::string>{"press a", "press b", "down 36", "down 46", "up 46"}));
}

TEST_F(CustomEdit, SettingsReachTheWindowAndThoseMadeAtCreationKeepTheText) {
  int changes = 0;
  first->OnChange = [&](TObject*) { ++changes; };
  first->SetText("abc");
  EXPECT_EQ(changes, 1);
  first->SetMaxLength(-3);
  EXPECT_EQ(first->MaxLength(), 0);
  first->SetMaxLength(5);
  EXPECT_EQ(SendMessageA(first->Handle(), EM_GETLIMITTEXT, 0, 0), 5);
  first->SetPasswordChar('*');
  EXPECT_EQ(SendMessageA(first->Handle(), EM_GETPASSWORDCHAR, 0, 0), '*');
  first->SetReadOnly(true);
  EXPECT_TRUE(GetWindowLongPtrA(first->Handle(), GWL_STYLE) & ES_READONLY);

  first->SetAlignment(taRightJustify);  // made anew
  EXPECT_TRUE(GetWindowLongPtrA(first->Handle(), GWL_STYLE) & ES_RIGHT);
  EXPECT_EQ(first->Text(), "abc");
  EXPECT_EQ(SendMessageA(first->Handle(), EM_GETLIMITTEXT, 0, 0), 5);
  first->SetCharCase(ecUpperCase);
  EXPECT_TRUE(GetWindowLongPtrA(first->Handle(), GWL_STYLE) & ES_UPPERCASE);
  first->SetHideSelection(false);
  EXPECT_TRUE(GetWindowLongPtrA(first->Handle(), GWL_STYLE) & ES_NOHIDESEL);
}

TEST_F(CustomEdit, SelectionCountsBytesOfDoubleByteText) {
  const std::string text = "x\xC7\xEB" "yz";  // x, one Chinese character, y, z
  first->SetText(text);
  first->Select(1, 2);
  EXPECT_EQ(first->SelStart(), 1);
  EXPECT_EQ(first->SelLength(), 2);
  EXPECT_EQ(first->SelText(), "\xC7\xEB");
  first->SetSelStart(3);
  first->SetSelLength(2);
  EXPECT_EQ(first->SelText(), "yz");
  first->SelectAll();
  EXPECT_EQ(first->SelLength(), static_cast<int>(text.size()));
}

TEST_F(CustomEdit, AutoSelectWhenTabbedIntoButNotWhenTheWindowComesBack) {
  second->SetText("hello");
  first->SetFocus();
  second->SetFocus();
  EXPECT_EQ(second->SelLength(), 5);
  second->Select(2, 0);
  // The form is activated again: its active control gets the focus back as it was.
  SendMessageA(form->Handle(), WM_ACTIVATE, WA_INACTIVE, 0);
  first->SetFocus();
  form->SetActiveControl(second);
  SetFocus(nullptr);
  SendMessageA(form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), second->Handle());
  EXPECT_EQ(second->SelLength(), 0);
  second->SetAutoSelect(false);
  first->SetFocus();
  second->SetFocus();
  EXPECT_EQ(second->SelLength(), 0);
}
