#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Exception.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "tests/support/FormTest.h"
#include "tests/support/Input.h"
#include "tests/support/Popups.h"

using testing_support::MenuWatcher;

namespace {

// A focusable windowed control on the window system's default handling.
class Box : public TCustomControl {
 public:
  explicit Box(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
  const char* ClassName() const override { return "TMenuTestBox"; }
};

// A windowless control.
class Spot : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
};

struct PopupMenus : testing_support::FormTest {
  void SetUp() override {
    MakeForm(120, 120, 360, 220);
    box = new Box(form);
    box->SetBounds(20, 20, 120, 40);
    box->SetParent(form);
    menu = new TPopupMenu(form);
    alpha = AddItem("&Alpha");
    AddItem("-");
    beta = AddItem("&Beta");
    beta->SetChecked(true);
    gamma = AddItem("&Gamma");
    gamma->SetEnabled(false);
    AddItem("&Hidden")->SetVisible(false);
    box->SetPopupMenu(menu);
    testing_support::ShowInFront(*form);
  }

  TMenuItem* AddItem(const std::string& caption, TMenuItem* parent = nullptr) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    item->OnClick = [this, caption](TObject*) { chosen.push_back(caption); };
    (parent ? *parent : menu->Items()).Add(item);
    return item;
  }
  static std::vector<std::string> Captions(const MenuWatcher& watcher) {
    std::vector<std::string> captions;
    for (const auto& item : watcher.Items()) captions.push_back(item.caption);
    return captions;
  }
  // Waits until the menu came and went and the expected items were chosen.
  bool ChosenAre(const std::vector<std::string>& expected) {
    return testing_support::PumpUntil([&] { return chosen == expected; }, 8000);
  }

  Box* box = nullptr;
  TPopupMenu* menu = nullptr;
  TMenuItem *alpha = nullptr, *beta = nullptr, *gamma = nullptr;
  std::vector<std::string> chosen;
};

}  // namespace

TEST_F(PopupMenus, RightClickShowsTheMenuAtThePointerAndRunsTheChosenItem) {
  std::vector<TPoint> asked;
  box->OnContextPopup = [&](TObject*, TPoint pos, bool& handled) {
    asked.push_back(pos);
    EXPECT_FALSE(handled);
  };
  int popups = 0;
  menu->OnPopup = [&](TObject*) {
    ++popups;
    EXPECT_EQ(menu->PopupComponent(), box);
  };
  MenuWatcher watcher{{'B'}};
  const TPoint at = box->ClientToScreen({10, 12});
  testing_support::ClickAt(at, mbRight);
  ASSERT_TRUE(ChosenAre({"&Beta"}));
  EXPECT_EQ(watcher.MenusSeen(), 1);
  EXPECT_FALSE(watcher.ClosedByForce());
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(asked, (std::vector<TPoint>{{10, 12}}));
  // Separators are lines, hidden items are left out; the state shows.
  EXPECT_EQ(Captions(watcher), (std::vector<std::string>{"&Alpha", "-", "&Beta", "&Gamma"}));
  ASSERT_EQ(watcher.Items().size(), 4u);
  EXPECT_FALSE(watcher.Items()[0].state & (MF_GRAYED | MF_CHECKED));
  EXPECT_TRUE(watcher.Items()[2].state & MF_CHECKED);
  EXPECT_TRUE(watcher.Items()[3].state & MF_GRAYED);
  EXPECT_EQ(watcher.MenuRect().left, at.X);
  EXPECT_EQ(watcher.MenuRect().top, at.Y);
  EXPECT_EQ(menu->PopupComponent(), box);
}

TEST_F(PopupMenus, ContextMenuKeysShowTheMenuBelowTheFocusedControl) {
  std::vector<TPoint> asked;
  box->OnContextPopup = [&](TObject*, TPoint pos, bool&) { asked.push_back(pos); };
  box->SetFocus();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return box->Focused(); }));
  const TPoint below = box->ClientToScreen({0, box->Height()});
  {
    MenuWatcher watcher{{VK_DOWN}, {VK_RETURN}};  // the first item
    testing_support::PressKey(VK_F10, true);
    ASSERT_TRUE(ChosenAre({"&Alpha"}));
    EXPECT_EQ(watcher.MenusSeen(), 1);
    EXPECT_EQ(watcher.MenuRect().left, below.X);
    EXPECT_EQ(watcher.MenuRect().top, below.Y);
  }
  {
    MenuWatcher watcher{{VK_DOWN}, {VK_DOWN}, {VK_RETURN}};  // past the line to the second
    testing_support::PressKey(VK_APPS);
    ASSERT_TRUE(ChosenAre({"&Alpha", "&Beta"}));
    EXPECT_EQ(watcher.MenusSeen(), 1);
  }
  // The keyboard asks with no point.
  EXPECT_EQ(asked, (std::vector<TPoint>{{-1, -1}, {-1, -1}}));
}

TEST_F(PopupMenus, DisabledItemsAndEscapeChooseNothingAndSubmenusOpen) {
  TMenuItem* more = AddItem("&More");
  AddItem("&Xray", more);
  {
    MenuWatcher watcher{{'G'}, {VK_ESCAPE}};
    testing_support::Click(*box, mbRight);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return watcher.MenusSeen() == 1; }));
    EXPECT_FALSE(watcher.ClosedByForce());
  }
  {
    MenuWatcher watcher{{'M'}, {'X'}};
    testing_support::Click(*box, mbRight);
    ASSERT_TRUE(ChosenAre({"&Xray"}));
    EXPECT_TRUE(watcher.Items().back().state & MF_POPUP);
  }
}

TEST_F(PopupMenus, AHandledRequestKeepsTheMenuAway) {
  int asked = 0;
  box->OnContextPopup = [&](TObject*, TPoint, bool& handled) {
    ++asked;
    handled = true;
  };
  MenuWatcher watcher{{VK_ESCAPE}};
  testing_support::Click(*box, mbRight);
  // The menu would have shown, and been answered, before the request's handling returned.
  ASSERT_TRUE(testing_support::PumpUntil([&] { return asked == 1; }));
  EXPECT_EQ(watcher.MenusSeen(), 0);
  EXPECT_TRUE(chosen.empty());
}

TEST_F(PopupMenus, WindowlessChildrenHaveTheirOwnAndOthersShowTheirParentsMenu) {
  auto* spot = new Spot(form);
  spot->SetBounds(200, 20, 60, 30);
  spot->SetParent(form);
  auto* spotMenu = new TPopupMenu(form);
  auto* here = new TMenuItem(form);
  here->SetCaption("&Here");
  here->OnClick = [&](TObject*) { chosen.push_back("here"); };
  spotMenu->Items().Add(here);
  spot->SetPopupMenu(spotMenu);
  {
    MenuWatcher watcher{{'H'}};
    testing_support::Click(*spot, mbRight);
    ASSERT_TRUE(ChosenAre({"here"}));
    EXPECT_EQ(spotMenu->PopupComponent(), spot);
  }
  // A control without a menu leaves the request to its parent.
  auto* plain = new Box(form);
  plain->SetBounds(20, 100, 80, 30);
  plain->SetParent(form);
  form->SetPopupMenu(menu);
  {
    MenuWatcher watcher{{'A'}};
    testing_support::Click(*plain, mbRight);
    ASSERT_TRUE(ChosenAre({"here", "&Alpha"}));
    EXPECT_EQ(menu->PopupComponent(), form);
  }
  // A menu that does not pop up by itself stays away.
  menu->SetAutoPopup(false);
  int asked = 0;
  plain->OnContextPopup = [&](TObject*, TPoint, bool&) { ++asked; };
  MenuWatcher watcher{{VK_ESCAPE}};
  testing_support::Click(*plain, mbRight);
  ASSERT_TRUE(testing_support::PumpUntil([&] { return asked == 1; }));
  EXPECT_EQ(watcher.MenusSeen(), 0);
}

TEST_F(PopupMenus, TheEditKeepsItsOwnMenuUntilGivenOne) {
  auto* edit = new TCustomEdit(form);
  edit->SetBounds(20, 100, 150, 24);
  edit->SetParent(form);
  form->SetPopupMenu(menu);  // not the edit's: its own menu wins
  {
    MenuWatcher watcher{{VK_ESCAPE}};
    testing_support::Click(*edit, mbRight);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return watcher.MenusSeen() == 1; }));
    EXPECT_GT(watcher.Items().size(), 3u);
    EXPECT_NE(Captions(watcher).front(), "&Alpha");
  }
  edit->SetPopupMenu(menu);
  MenuWatcher watcher{{'A'}};
  testing_support::Click(*edit, mbRight);
  ASSERT_TRUE(ChosenAre({"&Alpha"}));
  EXPECT_EQ(Captions(watcher).front(), "&Alpha");
}

TEST_F(PopupMenus, AMenuGoingIsForgottenByItsControls) {
  form->SetPopupMenu(menu);
  menu->SetPopupComponent(box);
  delete menu;
  EXPECT_EQ(box->PopupMenu(), nullptr);
  EXPECT_EQ(form->PopupMenu(), nullptr);
  int asked = 0;
  box->OnContextPopup = [&](TObject*, TPoint, bool&) { ++asked; };
  testing_support::Click(*box, mbRight);
  ASSERT_TRUE(testing_support::PumpUntil([&] { return asked == 1; }));

  // And the control it was shown for going is forgotten by the menu.
  auto* other = new TPopupMenu(form);
  auto* gone = new Box(form);
  other->SetPopupComponent(gone);
  gone->SetPopupMenu(other);
  delete gone;
  EXPECT_EQ(other->PopupComponent(), nullptr);
}

TEST(MenuItems, BelongToOneParentAndGoWithIt) {
  TMenuItem root(nullptr), other(nullptr);
  auto* a = new TMenuItem(nullptr);
  auto* b = new TMenuItem(nullptr);
  auto* c = new TMenuItem(nullptr);
  root.Add(a);
  root.Add(b);
  root.Insert(0, c);
  EXPECT_EQ(root.IndexOf(c), 0);
  EXPECT_EQ(root.IndexOf(b), 2);
  other.Add(c);  // moves
  EXPECT_EQ(root.Count(), 2);
  EXPECT_EQ(c->Parent(), &other);
  delete a;  // leaves its parent
  EXPECT_EQ(root.Count(), 1);
  EXPECT_EQ(root.Items(0), b);
  b->Add(new TMenuItem(nullptr));
  EXPECT_THROW(b->Items(0)->Add(&root), Exception);
  // `other` destroys c, root destroys b and b's item.
}
