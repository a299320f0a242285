#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Application.h"
#include "tests/support/FormTest.h"
#include "tests/support/Input.h"

namespace {

class Panel : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  const char* ClassName() const override { return "TLayoutPanel"; }
};

struct Layout : testing_support::FormTest {
  void SetUp() override {
    MakeForm(100, 100, 400, 300);
  }

  // Resizes the form's window as the user or the window manager would, past the framework.
  void ResizeWindow(int width, int height) {
    SetWindowPos(form->Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Application->ProcessMessages();
  }
  TControl* Windowless(TWinControl* parent, TRect r, TAnchors anchors) {
    auto* c = new TGraphicControl(form);
    c->SetParent(parent);
    c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    c->SetAnchors(anchors);
    return c;
  }
  static TRect WindowRect(TWinControl& c) {
    RECT r;
    GetWindowRect(c.Handle(), &r);
    MapWindowPoints(nullptr, GetParent(c.Handle()), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
  }

};

}  // namespace

TEST_F(Layout, AnchoredChildrenFollowTheParentsClientAreaWithoutDrift) {
  form->HandleNeeded();
  TControl* fixed = Windowless(form, Bounds(10, 10, 50, 20), {akLeft, akTop});
  TControl* right = Windowless(form, Bounds(300, 10, 50, 20), {akTop, akRight});
  TControl* centred = Windowless(form, Bounds(100, 100, 40, 20), {});
  auto* stretched = testing_support::PlaceOn<Panel>(*form, 10, 50, 200, 100);
  stretched->SetAnchors({akLeft, akTop, akRight, akBottom});
  const TRect area = form->ClientRect();

  ResizeWindow(500, 360);  // the client area grows by the same 100 x 60
  ASSERT_EQ(form->ClientRect().Width(), area.Width() + 100);
  EXPECT_EQ(fixed->BoundsRect(), Bounds(10, 10, 50, 20));
  EXPECT_EQ(right->BoundsRect(), Bounds(400, 10, 50, 20));
  EXPECT_EQ(stretched->BoundsRect(), Bounds(10, 50, 300, 160));
  EXPECT_EQ(WindowRect(*stretched), Bounds(10, 50, 300, 160));
  const double sx = (area.Width() + 100.0) / area.Width(), sy = (area.Height() + 60.0) / area.Height();
  EXPECT_NEAR(centred->Left() + 20, 120 * sx, 1.0);
  EXPECT_NEAR(centred->Top() + 10, 110 * sy, 1.0);

  // Through a size that squeezes the stretched child to nothing and back: nothing has drifted.
  ResizeWindow(150, 100);
  EXPECT_EQ(stretched->Width(), 0);
  ResizeWindow(400, 300);
  EXPECT_EQ(right->BoundsRect(), Bounds(300, 10, 50, 20));
  EXPECT_EQ(centred->BoundsRect(), Bounds(100, 100, 40, 20));
  EXPECT_EQ(stretched->BoundsRect(), Bounds(10, 50, 200, 100));
}

TEST_F(Layout, ScalingKeepsAnchoredChildrenInProportion) {
  form->HandleNeeded();
  auto* panel = testing_support::PlaceOn<Panel>(*form, 10, 10, 150, 100);
  panel->HandleNeeded();
  TControl* right = Windowless(panel, Bounds(100, 10, 40, 20), {akTop, akRight});
  TControl* corner = Windowless(panel, Bounds(100, 70, 40, 20), {akRight, akBottom});
  auto* inner = new Panel(form);  // windowed, with a child of its own kept off its right edge
  inner->SetParent(panel);
  inner->SetBounds(10, 40, 60, 30);
  inner->HandleNeeded();
  inner->SetAnchors({akLeft, akTop, akRight});
  TControl* innerRight = Windowless(inner, Bounds(40, 5, 10, 10), {akTop, akRight});

  panel->ChangeScale(2, 1);
  EXPECT_EQ(panel->BoundsRect(), Bounds(20, 20, 300, 200));
  EXPECT_EQ(right->BoundsRect(), Bounds(200, 20, 80, 40));
  EXPECT_EQ(corner->BoundsRect(), Bounds(200, 140, 80, 40));
  EXPECT_EQ(inner->BoundsRect(), Bounds(20, 80, 120, 60));
  EXPECT_EQ(WindowRect(*inner), Bounds(20, 80, 120, 60));
  EXPECT_EQ(innerRight->BoundsRect(), Bounds(80, 10, 20, 20));
  // From then on the scaled distances hold.
  panel->SetWidth(320);
  EXPECT_EQ(right->Left(), 220);
  EXPECT_EQ(inner->Width(), 140);
  EXPECT_EQ(innerRight->Left(), 100);
}

TEST_F(Layout, DistancesAreTakenWhereTheControlWasLastPlaced) {
  // Placed before the form has a window: the distances come from the area the window gets.
  TControl* right = Windowless(form, Bounds(300, 10, 50, 20), {akTop, akRight});
  form->HandleNeeded();
  ResizeWindow(450, 300);
  EXPECT_EQ(right->Left(), 350);

  // Moved by the program: the new place counts from then on.
  right->SetLeft(100);
  ResizeWindow(400, 300);
  EXPECT_EQ(right->Left(), 50);

  // Anchors set later take the distances at that moment.
  TControl* late = Windowless(form, Bounds(10, 200, 50, 20), {akLeft, akTop});
  ResizeWindow(420, 320);
  EXPECT_EQ(late->Top(), 200);
  late->SetAnchors({akLeft, akBottom});
  ResizeWindow(420, 340);
  EXPECT_EQ(late->Top(), 220);
}

TEST_F(Layout, ConstraintsLimitEverySizeChangeAndApplyAtOnce) {
  auto* panel = testing_support::PlaceOn<Panel>(*form, 10, 10, 100, 100);
  form->HandleNeeded();

  panel->Constraints().SetMaxWidth(80);  // applies at once
  EXPECT_EQ(panel->Width(), 80);
  EXPECT_EQ(WindowRect(*panel).Width(), 80);
  panel->Constraints().SetMinWidth(50);
  panel->SetWidth(10);
  EXPECT_EQ(panel->Width(), 50);
  panel->SetWidth(500);
  EXPECT_EQ(panel->Width(), 80);
  panel->Constraints().SetMinHeight(40);
  panel->SetHeight(5);
  EXPECT_EQ(panel->Height(), 40);

  // Sized past the framework, the window still keeps to the limits.
  SetWindowPos(panel->Handle(), nullptr, 0, 0, 300, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(WindowRect(*panel), Bounds(10, 10, 80, 40));
  EXPECT_EQ(panel->BoundsRect(), Bounds(10, 10, 80, 40));

  // Limits that cross: the one set last moves the other.
  panel->Constraints().SetMinWidth(200);
  EXPECT_EQ(panel->Constraints().MaxWidth(), 200);
  EXPECT_EQ(panel->Width(), 200);
  panel->Constraints().SetMaxWidth(60);
  EXPECT_EQ(panel->Constraints().MinWidth(), 60);
  EXPECT_EQ(panel->Width(), 60);

  // A stretched control held by a limit comes back to its own size.
  panel->Constraints().SetMinWidth(0);
  panel->Constraints().SetMaxWidth(250);
  panel->SetWidth(200);
  panel->SetAnchors({akLeft, akTop, akRight});
  const int width = form->Width();
  ResizeWindow(width + 150, 300);
  EXPECT_EQ(panel->Width(), 250);
  ResizeWindow(width, 300);
  EXPECT_EQ(panel->Width(), 200);
}

TEST_F(Layout, ResizeEventsMayRefuseOrChangeASizeBeforeItIsTaken) {
  auto* panel = testing_support::PlaceOn<Panel>(*form, 10, 10, 100, 100);
  form->HandleNeeded();
  std::vector<std::string> log;
  panel->OnCanResize = [&](TObject* sender, int& w, int& h, bool& resize) {
    EXPECT_EQ(sender, panel);
    log.push_back("can " + std::to_string(w) + "x" + std::to_string(h));
    if (w > 300) resize = false;
    if (w == 150) w = 160;
  };
  panel->OnConstrainedResize = [&](TObject*, int& minW, int&, int& maxW, int&) {
    log.push_back("limits");
    if (minW == 0) maxW = 170;
  };

  panel->SetLeft(20);  // no change of size: no question
  EXPECT_TRUE(log.empty());
  panel->SetWidth(150);
  EXPECT_EQ(log, (std::vector<std::string>{"can 150x100", "limits"}));
  EXPECT_EQ(panel->Width(), 160);
  panel->SetWidth(200);
  EXPECT_EQ(panel->Width(), 170);  // the handler's limit for this change
  log.clear();
  panel->SetBounds(30, 30, 400, 400);  // refused: the move still happens
  EXPECT_EQ(log, (std::vector<std::string>{"can 400x400"}));
  EXPECT_EQ(panel->BoundsRect(), Bounds(30, 30, 170, 100));
  EXPECT_EQ(WindowRect(*panel), Bounds(30, 30, 170, 100));

  // The same questions for a size coming from outside.
  log.clear();
  SetWindowPos(panel->Handle(), nullptr, 0, 0, 350, 50, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(log, (std::vector<std::string>{"can 350x50"}));
  EXPECT_EQ(WindowRect(*panel), Bounds(30, 30, 170, 100));
}

TEST_F(Layout, FormKeepsItsLimitsWhenTheUserDragsItsFrame) {
  form->Constraints().SetMinWidth(200);
  form->Constraints().SetMaxHeight(350);
  form->HandleNeeded();
  MINMAXINFO info{};
  SendMessageA(form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 200);
  EXPECT_EQ(info.ptMaxTrackSize.y, 350);
  ResizeWindow(100, 600);
  RECT r;
  GetWindowRect(form->Handle(), &r);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(r.bottom - r.top, 350);
  EXPECT_EQ(form->Width(), 200);
}

TEST_F(Layout, MinimisingAFormIsNoResizeToConstrain) {
  form->Constraints().SetMinWidth(300);
  form->Constraints().SetMinHeight(250);
  int questions = 0;
  form->OnCanResize = [&](TObject*, int&, int&, bool&) { ++questions; };
  testing_support::ShowInFront(*form);
  ShowWindow(form->Handle(), SW_MINIMIZE);
  Application->ProcessMessages();
  ASSERT_TRUE(IsIconic(form->Handle()));
  RECT r;
  GetWindowRect(form->Handle(), &r);
  EXPECT_LT(r.bottom - r.top, 250);
  EXPECT_EQ(questions, 0);
  ShowWindow(form->Handle(), SW_RESTORE);
  Application->ProcessMessages();
  EXPECT_EQ(form->BoundsRect(), Bounds(100, 100, 400, 300));
}
