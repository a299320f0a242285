#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/buttons/dxButtons.h"
#include "controls/editors/cxTextEdit.h"
#include "controls/status/RzStatus.h"
#include "framework/Application.h"
#include "framework/Menus.h"
#include "tests/support/FormTest.h"
#include "tests/support/Input.h"
#include "tests/support/Popups.h"

using testing_support::MenuWatcher;
using testing_support::ShownTooltip;

namespace {

// The three families side by side: an entry box, a push button and a status pane, each with the
// framework's hint, popup menu and OnContextPopup.
struct ControlSurface : testing_support::FormTest {
  void SetUp() override {
    MakeForm(100, 100, 400, 160);
    box = testing_support::PlaceOn<TcxTextEdit>(*form, 16, 20, 80, 21);
    button = testing_support::PlaceOn<TdxButton>(*form, 120, 20, 73, 21);
    pane = testing_support::PlaceOn<TRzStatusPane>(*form, 220, 20, 120, 21);
    menu = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    item->SetCaption("&Open");
    item->OnClick = [this](TObject*) { opened.push_back(menu->PopupComponent()); };
    menu->Items().Add(item);
    testing_support::ShowInFront(*form);
  }

  static bool IdleUntil(const std::function<bool()>& condition) {
    return testing_support::PumpUntil([&] {
      Application->Idle();
      return condition();
    }, 8000);
  }
  bool OpenedFor(std::vector<TComponent*> expected) {
    return testing_support::PumpUntil([&] { return opened == expected; }, 8000);
  }

  TcxTextEdit* box = nullptr;
  TdxButton* button = nullptr;
  TRzStatusPane* pane = nullptr;
  TPopupMenu* menu = nullptr;
  std::vector<TComponent*> opened;
};

}  // namespace

TEST_F(ControlSurface, EveryFamilyShowsItsHintWhereThePointerRests) {
  // The entry box's inner edit has no hint of its own and follows the box's ShowHint.
  box->SetHint("Box");
  box->SetShowHint(true);
  EXPECT_TRUE(box->InnerEdit()->ShowHint());
  ASSERT_TRUE(testing_support::HoverOnto(*box->InnerEdit()));
  EXPECT_TRUE(IdleUntil([] { return ShownTooltip() == "Box"; }));

  button->SetHint("Button");
  button->SetShowHint(true);
  ASSERT_TRUE(testing_support::HoverOnto(*button));
  EXPECT_TRUE(IdleUntil([] { return ShownTooltip() == "Button"; }));

  pane->SetHint("Pane");
  pane->SetShowHint(true);
  ASSERT_TRUE(testing_support::HoverOnto(*pane));
  EXPECT_TRUE(IdleUntil([] { return ShownTooltip() == "Pane"; }));
}

TEST_F(ControlSurface, EveryFamilyShowsItsPopupMenuOnARightClick) {
  box->SetPopupMenu(menu);
  button->SetPopupMenu(menu);
  pane->SetPopupMenu(menu);
  std::vector<TPoint> asked;
  box->OnContextPopup = [&](TObject* sender, TPoint pos, bool&) {
    EXPECT_EQ(sender, box);
    asked.push_back(pos);
  };
  {
    MenuWatcher watcher{{'O'}};
    testing_support::ClickAt(box->ClientToScreen({30, 10}), mbRight);  // over the inner edit
    ASSERT_TRUE(OpenedFor({box}));
  }
  EXPECT_EQ(asked, (std::vector<TPoint>{{30, 10}}));  // in the box's coordinates
  {
    MenuWatcher watcher{{'O'}};
    testing_support::Click(*button, mbRight);
    ASSERT_TRUE(OpenedFor({box, button}));
  }
  {
    MenuWatcher watcher{{'O'}};
    testing_support::Click(*pane, mbRight);
    ASSERT_TRUE(OpenedFor({box, button, pane}));
  }
  // From the keyboard in the entry box: below the box's inner edit.
  box->SetFocus();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return GetFocus() == box->InnerEdit()->Handle(); }));
  MenuWatcher watcher{{'O'}};
  testing_support::PressKey(VK_F10, true);
  ASSERT_TRUE(OpenedFor({box, button, pane, box}));
  EXPECT_EQ(watcher.MenuRect().top, box->InnerEdit()->ClientToScreen({0, box->InnerEdit()->Height()}).Y);
  EXPECT_EQ(asked.back(), (TPoint{-1, -1}));
}

TEST_F(ControlSurface, TheEntryBoxKeepsItsEditsMenuWithoutOneOfItsOwn) {
  form->SetPopupMenu(menu);  // the form's is not the box's
  int asked = 0;
  box->OnContextPopup = [&](TObject*, TPoint, bool&) { ++asked; };
  MenuWatcher watcher{{VK_ESCAPE}};
  testing_support::Click(*box, mbRight);
  ASSERT_TRUE(testing_support::PumpUntil([&] { return watcher.MenusSeen() == 1; }, 8000));
  EXPECT_EQ(asked, 1);
  EXPECT_GT(watcher.Items().size(), 3u);  // the edit's own: undo, cut, copy, paste ...
  EXPECT_NE(watcher.Items().front().caption, "&Open");
  EXPECT_TRUE(opened.empty());
}
