#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/editors/cxTextEdit.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/controls/lookandfeel/UxThemeStandIn.h"
#include "tests/support/FormTest.h"
#include "tests/support/Input.h"

namespace {

using testing_support::MovePointer;
using testing_support::PumpUntil;

// A style owned by a plain component (no container), counting its change notices.
struct CountedStyle {
  explicit CountedStyle(TComponent* owner = nullptr) : style(owner, false) {
    style.OnChanged = [this](TcxContainerStyle*) { ++changes; };
  }
  TcxCustomEditStyle style;
  int changes = 0;
};

}  // namespace

TEST(CxContainerStyle, UnassignedDefaultsFollowTheLookAndFeel) {
  CountedStyle s;
  s.style.LookAndFeel().SetKind(lfFlat);
  EXPECT_EQ(s.style.AssignedValues(), 0u);
  EXPECT_EQ(s.style.BorderStyle(), cbsFlat);
  EXPECT_TRUE(s.style.HotTrack());
  EXPECT_TRUE(s.style.TransparentBorder());
  EXPECT_FALSE(s.style.Shadow());
  EXPECT_EQ(s.style.Edges(), kAllEdges);
  EXPECT_EQ(s.style.BorderColor(), clWindowFrame);
  EXPECT_EQ(s.style.Color(), clWindow);
  EXPECT_EQ(s.style.ButtonStyle(), btsDefault);
  s.style.LookAndFeel().SetKind(lfStandard);
  EXPECT_EQ(s.style.BorderStyle(), cbs3D);
  s.style.LookAndFeel().Reset();
  EXPECT_EQ(s.style.BorderStyle(), cbsUltraFlat);
  EXPECT_GE(s.changes, 2);  // each effective change of the look-and-feel is a change of the style
}

TEST(CxContainerStyle, SettingTheCurrentValueStillAssignsItAndValuesAreNamed) {
  CountedStyle s;
  s.style.LookAndFeel().SetKind(lfFlat);
  s.changes = 0;
  s.style.SetBorderStyle(cbsFlat);
  EXPECT_TRUE(s.style.AssignedValues() & (1u << svBorderStyle));
  EXPECT_TRUE(s.style.IsValueStored(svBorderStyle));
  EXPECT_EQ(s.changes, 1);
  s.style.SetBorderStyle(cbsFlat);  // assigned and equal: nothing
  EXPECT_EQ(s.changes, 1);
  // So is the font: a font equal to the style's becomes its own.
  TFont same;
  same.Assign(s.style.Font());
  s.style.SetFont(same);
  EXPECT_TRUE(s.style.AssignedValues() & (1u << svFont));
  EXPECT_EQ(s.changes, 2);
  s.style.SetFont(same);
  EXPECT_EQ(s.changes, 2);
  s.style.LookAndFeel().SetKind(lfStandard);
  EXPECT_EQ(s.style.BorderStyle(), cbsFlat);  // its own value wins

  EXPECT_EQ(s.style.ValueCount(), 11);
  EXPECT_STREQ(s.style.ValueName(0), "BorderColor");
  EXPECT_STREQ(s.style.ValueName(7), "TransparentBorder");
  EXPECT_STREQ(s.style.ValueName(10), "PopupBorderStyle");
  TcxContainerStyle plain(nullptr, false);
  EXPECT_EQ(plain.ValueCount(), 8);

  // An editor never writes its button and popup values.
  TcxTextEdit edit(nullptr);
  edit.Style().SetButtonStyle(btsFlat);
  edit.Style().SetShadow(true);
  EXPECT_FALSE(edit.Style().IsValueStored(svButtonStyle));
  EXPECT_TRUE(edit.Style().IsValueStored(svShadow));
}

TEST(CxContainerStyle, HeldChangesComeAsOneAndFontChangesAssignTheFont) {
  CountedStyle s;
  s.style.ReleaseChanges();  // not held: nothing
  s.style.HoldChanges();
  s.style.HoldChanges();
  s.style.SetColor(clWhite);
  s.style.SetShadow(true);
  s.style.ReleaseChanges();
  EXPECT_EQ(s.changes, 0);
  s.style.ReleaseChanges();
  EXPECT_EQ(s.changes, 1);

  s.style.Font().SetHeight(-20);
  EXPECT_TRUE(s.style.AssignedValues() & (1u << svFont));
  EXPECT_EQ(s.changes, 2);

  s.style.SetAssignedValues(0);
  EXPECT_EQ(s.style.Color(), clWindow);
  s.style.SetColor(0x112233);
  s.style.SetEdges(kEdgeLeft);
  CountedStyle copy;
  copy.style.TakeValuesFrom(s.style);
  EXPECT_EQ(copy.changes, 1);
  EXPECT_EQ(copy.style.Color(), 0x112233);
  EXPECT_EQ(copy.style.Edges(), kEdgeLeft);
  EXPECT_EQ(copy.style.AssignedValues(), s.style.AssignedValues());
  EXPECT_EQ(copy.style.Font().Height(), -20);
  copy.style.RestoreDefaults();
  EXPECT_EQ(copy.style.AssignedValues(), 0u);
  EXPECT_EQ(copy.style.Edges(), kAllEdges);
}

TEST(CxContainerStyle, DirectAccessAnswersFixedValuesAndNeverNotifies) {
  TcxContainerStyle style(nullptr, true);
  int changes = 0;
  style.OnChanged = [&](TcxContainerStyle*) { ++changes; };
  EXPECT_EQ(style.BorderColor(), clDefault);
  EXPECT_EQ(style.Edges(), 0);
  EXPECT_FALSE(style.Shadow());
  EXPECT_TRUE(style.TransparentBorder());
  EXPECT_EQ(style.AssignedValues(), 0xFFu);
  style.SetHotTrack(false);
  EXPECT_FALSE(style.HotTrack());
  style.SetColor(clWhite);
  EXPECT_EQ(style.Color(), clWhite);
  EXPECT_EQ(changes, 0);
}

TEST(CxStyleController, ListenersFallBackToItAndFollowItsLookAndFeel) {
  TcxEditStyleController controller(nullptr);
  CountedStyle a, b;
  std::vector<TcxContainerStyle*> told;
  controller.OnStyleChanged = [&](TObject*, TcxContainerStyle* style) { told.push_back(style); };
  a.style.SetStyleController(&controller);
  b.style.SetStyleController(&controller);
  b.style.SetBorderColor(clWhite);
  a.changes = b.changes = 0;

  controller.Style().SetBorderColor(0x0000FF);
  EXPECT_EQ(a.style.BorderColor(), 0x0000FF);
  EXPECT_EQ(b.style.BorderColor(), clWhite);  // its own
  EXPECT_TRUE(a.style.IsValueAssigned(svBorderColor));
  EXPECT_FALSE(a.style.AssignedValues() & (1u << svBorderColor));
  EXPECT_EQ((std::vector<TcxContainerStyle*>{&controller.Style(), &a.style, &b.style}), told);
  EXPECT_EQ(a.changes, 1);

  // The controller's font reaches a style without one, and does not count as its own.
  controller.Style().Font().SetHeight(-30);
  EXPECT_EQ(a.style.Font().Height(), -30);
  EXPECT_FALSE(a.style.AssignedValues() & (1u << svFont));

  controller.Style().LookAndFeel().SetKind(lfStandard);
  EXPECT_EQ(a.style.BorderStyle(), cbs3D);
  EXPECT_EQ(a.style.LookAndFeel().Kind(), lfStandard);
}

TEST(CxStyleController, EveryUnassignedValueComesFromTheControllerAndAnOwnOneWins) {
  TcxEditStyleController controller(nullptr);
  CountedStyle follower, own;
  follower.style.SetStyleController(&controller);
  own.style.SetStyleController(&controller);
  // Values unlike every default.
  own.style.SetColor(0x102030);
  own.style.SetEdges(kEdgeTop);
  own.style.SetHotTrack(true);
  own.style.SetShadow(false);
  own.style.SetTransparentBorder(true);
  own.style.SetBorderStyle(cbsThick);
  own.style.SetButtonStyle(btsSimple);
  TcxContainerStyle& c = controller.Style();
  c.SetColor(0x00C0FF);
  c.SetEdges(kEdgeLeft | kEdgeBottom);
  c.SetHotTrack(false);
  c.SetShadow(true);
  c.SetTransparentBorder(false);
  c.SetBorderStyle(cbsSingle);
  static_cast<TcxCustomEditStyle&>(c).SetButtonStyle(btsFlat);

  EXPECT_EQ(follower.style.Color(), 0x00C0FF);
  EXPECT_EQ(follower.style.Edges(), kEdgeLeft | kEdgeBottom);
  EXPECT_FALSE(follower.style.HotTrack());
  EXPECT_TRUE(follower.style.Shadow());
  EXPECT_FALSE(follower.style.TransparentBorder());
  EXPECT_EQ(follower.style.BorderStyle(), cbsSingle);
  EXPECT_EQ(follower.style.ButtonStyle(), btsFlat);
  EXPECT_EQ(follower.style.AssignedValues(), 0u);

  EXPECT_EQ(own.style.Color(), 0x102030);
  EXPECT_EQ(own.style.Edges(), kEdgeTop);
  EXPECT_TRUE(own.style.HotTrack());
  EXPECT_FALSE(own.style.Shadow());
  EXPECT_TRUE(own.style.TransparentBorder());
  EXPECT_EQ(own.style.BorderStyle(), cbsThick);
  EXPECT_EQ(own.style.ButtonStyle(), btsSimple);
}

TEST(CxStyleController, CyclesAreRefusedAndAGoneControllerIsDropped) {
  auto* controller = new TcxEditStyleController(nullptr);
  // The controller's own style may not use the controller.
  controller->Style().SetStyleController(controller);
  EXPECT_EQ(controller->Style().StyleController(), nullptr);
  // Nor may a style owned by a component below it.
  auto* owned = new TcxTextEdit(controller);  // freed with the controller
  owned->Style().SetStyleController(controller);
  EXPECT_EQ(owned->Style().StyleController(), nullptr);

  CountedStyle s;
  s.style.SetStyleController(controller);
  EXPECT_EQ(controller->Listeners().size(), 1u);
  s.changes = 0;
  s.style.SetStyleController(controller);  // the same: nothing
  EXPECT_EQ(s.changes, 0);
  delete controller;
  EXPECT_EQ(s.style.StyleController(), nullptr);
  EXPECT_EQ(s.style.LookAndFeel().Master(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// The container on a form

namespace {

struct ContainerFixture : testing_support::FormTest {
  void SetUp() override {
    MakeForm(100, 100, 320, 160);
    form->Font().SetName("\xCB\xCE\xCC\xE5");
    form->Font().SetHeight(-13);
    box = testing_support::PlaceOn<TcxTextEdit>(*form, 16, 20, 33, 21);
    box->Style().LookAndFeel().SetKind(lfFlat);
    memo = testing_support::PlaceOn<TMemo>(*form, 16, 60, 200, 60);
    testing_support::ShowInFront(*form);
  }

  TcxTextEdit* box = nullptr;
  TMemo* memo = nullptr;
};

}  // namespace

using CxContainer = ContainerFixture;

TEST_F(CxContainer, ColourAndFontGoBothWaysBetweenControlAndStyle) {
  box->SetColor(0x00E0E0);
  EXPECT_EQ(box->Style().Color(), 0x00E0E0);
  EXPECT_TRUE(box->Style().AssignedValues() & (1u << svColor));
  box->Style().SetColor(0x00C0C0);
  EXPECT_EQ(box->Color(), 0x00C0C0);
  EXPECT_FALSE(box->ParentColor());

  // The parent's colour through ParentColor clears the assigned bit again.
  box->SetParentColor(true);
  EXPECT_EQ(box->Color(), form->Color());
  EXPECT_EQ(box->Style().Color(), form->Color());
  EXPECT_FALSE(box->Style().AssignedValues() & (1u << svColor));

  // A font that comes from the parent never counts as assigned; the box keeps following it.
  form->Font().SetHeight(-16);
  EXPECT_EQ(box->Style().Font().Height(), -16);
  EXPECT_FALSE(box->Style().AssignedValues() & (1u << svFont));
  EXPECT_TRUE(box->ParentFont());
  EXPECT_EQ(box->InnerEdit()->Font().Height(), -16);
}

TEST_F(CxContainer, ExtentOneWithoutHotTrackingAndTheHostedControlMovesWhenItComesOn) {
  box->Style().SetBorderStyle(cbsSingle);
  box->Style().SetTransparentBorder(false);
  box->Style().SetHotTrack(false);
  EXPECT_EQ(box->GetBorderExtent(), (TRect{1, 1, 1, 1}));
  EXPECT_EQ(box->Height(), 1 + 13 + 4 + 1);
  const int left = box->InnerEdit()->Left();
  EXPECT_EQ(left, 2);
  box->Style().SetHotTrack(true);
  EXPECT_EQ(box->GetBorderExtent(), (TRect{2, 2, 2, 2}));
  EXPECT_EQ(box->InnerEdit()->Left(), left + 1);
  EXPECT_EQ(box->Height(), 21);
  // The hot area reaches out to the frame drawn now: one pixel in while idle, the whole box
  // while the focus draws the thick frame. The pointer, wherever an earlier test left it (or a
  // late report of it puts it), is away from the box: idle is then the frame the box comes to.
  MovePointer(memo->ClientToScreen({100, 30}));
  memo->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return box->ViewInfo().FrameWidth == 1; }));
  EXPECT_EQ(box->GetHotArea(), (TRect{1, 1, box->Width() - 1, box->Height() - 1}));
  box->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return box->ViewInfo().FrameWidth == 2; }));
  EXPECT_EQ(box->GetHotArea(), (TRect{0, 0, box->Width(), box->Height()}));

  // A shadow adds 3 on the right and at the bottom, and the region takes the shadow in.
  box->Style().SetShadow(true);
  EXPECT_EQ(box->GetBorderExtent(), (TRect{2, 2, 5, 5}));
  RECT region{};
  ASSERT_NE(GetWindowRgnBox(box->Handle(), &region), ERROR);
  EXPECT_EQ(region.right, box->Width());
  EXPECT_EQ(region.bottom, box->Height());
}

TEST_F(CxContainer, DisabledPaintsButtonFaceAndShadowText) {
  // A grey of its own for disabled text, told apart from the shadow colour the text must have.
  testing_support::SystemColour grey(COLOR_GRAYTEXT, RGB(255, 0, 0));
  box->SetText("ab");
  box->SetEnabled(false);
  EXPECT_EQ(box->ViewInfo().BackColor, clBtnFace);
  EXPECT_EQ(box->InnerEdit()->Color(), clBtnFace);
  EXPECT_EQ(box->InnerEdit()->Font().Color(), clBtnShadow);
  EXPECT_FALSE(box->InnerEdit()->Enabled());
  ::SetFocus(box->InnerEdit()->Handle());
  EXPECT_NE(GetFocus(), box->InnerEdit()->Handle());
  TBitmap bitmap;
  bitmap.SetSize(box->Width(), box->Height());
  box->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), 0);
  EXPECT_EQ(bitmap.Pixel(2, 2), ColorToRGB(clBtnFace));
  // On the screen the text itself is in the shadow colour, on the face colour. (The bottom row
  // of the text's window is the frame's: clipped away.)
  HWND inner = box->InnerEdit()->Handle();
  RedrawWindow(inner, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const std::vector<COLORREF> pixels = testing_support::ClientPixels(inner);
  const std::size_t shown = pixels.size() - static_cast<std::size_t>(box->InnerEdit()->Width());
  const auto count = [&](TColor colour) {
    return static_cast<std::size_t>(std::count(pixels.begin(), pixels.begin() + shown, ColorToRGB(colour)));
  };
  EXPECT_GT(count(clBtnShadow), 10u);
  EXPECT_EQ(count(clBtnShadow) + count(clBtnFace), shown);
  box->SetEnabled(true);
  EXPECT_EQ(box->InnerEdit()->Font().Color(), clWindowText);
}

TEST_F(CxContainer, NoLightWhileAButtonIsHeldAndLightAfterItsRelease) {
  memo->SetFocus();
  MovePointer(box->ClientToScreen({10, 10}));
  HWND inner = box->InnerEdit()->Handle();
  // Pressed outside and dragged in: not hot.
  SendMessageA(inner, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(7, 7));
  EXPECT_FALSE(box->IsHot());
  // Released there and moved: hot at once, without leaving and coming back.
  SendMessageA(inner, WM_MOUSEMOVE, 0, MAKELPARAM(8, 7));
  EXPECT_TRUE(box->IsHot());
  EXPECT_EQ(box->ViewInfo().FrameStyle, cbs3D);
}

TEST_F(CxContainer, HoverWatchBringsTheIdleFrameBackAtItsFirstTickOutside) {
  memo->SetFocus();
  Application->ProcessMessages();
  int leaves = 0;
  box->OnMouseLeave = [&](TObject*) { ++leaves; };
  MovePointer(box->InnerEdit()->ClientToScreen({5, 5}));
  // The move's message may come while the window system still reports the pointer where it was:
  // the box lights, and the watch's next tick ends it. The box hears of a move there again until
  // it stays lit.
  ASSERT_TRUE(PumpUntil([&] {
    if (!box->IsHot()) SendMessageA(box->InnerEdit()->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    return box->IsHot();
  }));
  ASSERT_EQ(HoverWatchList().size(), 1u);
  EXPECT_EQ(HoverWatchList()[0]->Interval(), 10u);

  // Away without any idle step: only the watch's timer can notice. Its ticks with the pointer
  // outside the box are counted, not the time, which a busy machine stretches (and a pointer
  // event of the way there, reported late, may put the pointer back over the box for a while).
  const TPoint corner = box->ClientToScreen({0, 0});
  const TRect onScreen = Bounds(corner.X, corner.Y, box->Width(), box->Height());
  int ticksOutside = 0;
  TTimer& watch = *HoverWatchList()[0];
  watch.SetOnTimer([&, tick = watch.OnTimer()](TObject* sender) {
    POINT p;
    if (GetCursorPos(&p) && !onScreen.Contains(p.x, p.y)) ++ticksOutside;
    const TNotifyEvent original = tick;  // the watch, and this handler, may end in it
    original(sender);
  });
  MovePointer(memo->ClientToScreen({100, 30}));
  // No idle step runs here: without the watch's timer nothing would bring the idle frame back.
  ASSERT_TRUE(PumpUntil([&] { return !box->IsHot() && HoverWatchList().empty(); }));
  // The first tick outside does it. (The pointer event may light the box once more.)
  EXPECT_LE(ticksOutside, 1);
  EXPECT_GE(leaves, 1);
  const int seen = leaves;
  EXPECT_EQ(box->ViewInfo().FrameStyle, cbsFlat);
  // The application's hover detection, catching up, tells of the same leave once more: no event.
  Application->Idle();
  box->Perform(CM_MOUSELEAVE);
  EXPECT_EQ(leaves, seen);
}

TEST_F(CxContainer, TheHoverWatchSeesAPointerJustBesideOrBelowTheBox) {
  memo->SetFocus();
  Application->ProcessMessages();
  const TRect screen = [&] {
    const TPoint topLeft = box->ClientToScreen({0, 0});
    return TRect{topLeft.X, topLeft.Y, topLeft.X + box->Width(), topLeft.Y + box->Height()};
  }();
  // Just outside each side: the pixel right of the last column, below the last row, left of
  // the first column and above the first row.
  const TPoint outside[] = {{screen.Right, screen.Top + 5},
                            {screen.Left + 5, screen.Bottom},
                            {screen.Left - 1, screen.Top + 5},
                            {screen.Left + 5, screen.Top - 1}};
  int n = 0;
  for (const TPoint& p : outside) {
    // Onto the text (a new point each time: a pointer event may be lost on a busy machine,
    // and the box lights only at a move).
    for (int attempt = 0; attempt < 3 && !box->IsHot(); ++attempt) {
      MovePointer(box->InnerEdit()->ClientToScreen({5 + n, 5 + attempt}));
      PumpUntil([&] { return box->IsHot(); }, 3000);
    }
    ASSERT_TRUE(box->IsHot()) << n;
    ++n;
    // Without an idle step only the watch can notice the pointer leaving.
    MovePointer(p);
    EXPECT_TRUE(PumpUntil([&] { return !box->IsHot() && HoverWatchList().empty(); }, 5000))
        << p.X << "," << p.Y;
  }
}

TEST_F(CxContainer, TheWatchOfADestroyedBoxEndsWithIt) {
  MovePointer(box->ClientToScreen({5, 5}));
  SendMessageA(box->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(HoverWatchList().size(), 1u);
  delete box;
  EXPECT_TRUE(HoverWatchList().empty());
  testing_support::Pump(30);
}

TEST_F(CxContainer, APlainContainerPaintsFromItsStyleOrThemeAndMovesOnWithTab) {
  auto* plain = testing_support::PlaceOn<TcxContainer>(*form, 100, 20, 40, 30);
  EXPECT_EQ(plain->HostedControl(), nullptr);
  EXPECT_TRUE(plain->TabStop());
  EXPECT_EQ(plain->Color(), clWindow);
  // Unassigned, under the root's ultra-flat look: a single line one pixel in.
  EXPECT_EQ(plain->Style().BorderStyle(), cbsUltraFlat);
  EXPECT_EQ(plain->ViewInfo().FrameStyle, cbsSingle);
  EXPECT_EQ(plain->ClientRect(), (TRect{2, 2, 38, 28}));
  TBitmap bitmap;
  bitmap.SetSize(40, 30);
  plain->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), 0);
  EXPECT_EQ(bitmap.Pixel(1, 1), ColorToRGB(clBtnShadow));
  EXPECT_EQ(bitmap.Pixel(38, 28), ColorToRGB(clBtnShadow));
  EXPECT_EQ(bitmap.Pixel(2, 2), ColorToRGB(clWindow));

  // It takes Tab itself (its key handlers see it) and moves the focus on, back with Shift; not
  // with Ctrl.
  std::vector<WORD> keys;
  plain->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { keys.push_back(key); };
  plain->SetFocus();
  ASSERT_EQ(GetFocus(), plain->Handle());
  testing_support::PressKey(VK_TAB);
  EXPECT_EQ(keys, std::vector<WORD>{VK_TAB});
  EXPECT_EQ(GetFocus(), box->InnerEdit()->Handle());  // round to the first
  plain->SetFocus();
  testing_support::PressKey(VK_TAB, true);
  EXPECT_EQ(GetFocus(), memo->Handle());
  plain->SetFocus();
  {
    testing_support::HeldKeys ctrl{VK_CONTROL};
    testing_support::Post(plain->Handle(), WM_KEYDOWN, VK_TAB);
  }
  EXPECT_EQ(GetFocus(), plain->Handle());

  // Native style asked for where visual styles are not in use changes nothing.
  plain->Style().LookAndFeel().SetNativeStyle(true);
  EXPECT_EQ(plain->ViewInfo().UseTheme, ThemesAvailable(TdxThemedObjectTypes{totEdit}));

  // Themed: the theme's frame, the background colour in its content, and the theme's edit
  // background again around ContentRect.
  {
    // The edit frame red, its content one pixel in.
    uxtheme_tests::UxThemeStandIn themed;
    themed.fake.contentMargins = RECT{1, 1, 1, 1};
    themed.fake.background = RGB(255, 0, 0);
    themed.Start();
    plain->Style().SetColor(0x00FFFF);
    plain->RefreshState();
    ASSERT_TRUE(plain->ViewInfo().UseTheme);
    ASSERT_EQ(plain->ViewInfo().ContentRect, (TRect{2, 2, 38, 28}));
    plain->Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), 0);
  }
  EXPECT_EQ(bitmap.Pixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(bitmap.Pixel(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(bitmap.Pixel(38, 20), RGB(255, 0, 0));
  EXPECT_EQ(bitmap.Pixel(2, 2), ColorToRGB(0x00FFFF));
  EXPECT_EQ(bitmap.Pixel(37, 27), ColorToRGB(0x00FFFF));
  delete plain;
}
