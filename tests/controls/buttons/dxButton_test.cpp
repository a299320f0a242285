#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "controls/buttons/dxButtons.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace {

constexpr COLORREF kFrame = 0x733800;
constexpr COLORREF kDisabledFrame = 0xBDC7CE;
constexpr COLORREF kFaceTop = 0xFFFFFF;
constexpr COLORREF kPressedTop = 0xC6CFD6;
constexpr COLORREF kFocusTop = 0xFFE7CE;
constexpr COLORREF kHotTop = 0xCEF3FF;

// "宋体" (the main window's face)
const char* const kSongTi = "\xCB\xCE\xCC\xE5";

struct ButtonFixture : testing::Test {
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 300, 120);
    button = new TdxButton(form);
    button->SetParent(form);
    button->SetBounds(10, 10, 73, 21);
    button->SetCaption("Go");
    button->OnClick = [this](TObject* sender) {
      EXPECT_EQ(sender, button);
      ++clicks;
    };
    other = new TMemo(form);
    other->SetParent(form);
    other->SetBounds(10, 50, 100, 40);
    form->Show();
    SetForegroundWindow(form->Handle());
    Application->ProcessMessages();
  }
  void TearDown() override { delete form; }

  void Post(HWND window, UINT msg, WPARAM w, LPARAM l = 0) {
    PostMessageA(window, msg, w, l);
    Application->ProcessMessages();
  }
  void FocusButton() {
    button->SetFocus();
    Application->ProcessMessages();
    ASSERT_TRUE(button->Focused());
  }

  TForm* form = nullptr;
  TdxButton* button = nullptr;
  TMemo* other = nullptr;
  int clicks = 0;
};

// The button as its paint leaves it.
COLORREF PaintedPixel(TdxButton& button, int x, int y) {
  TBitmap bitmap;
  bitmap.SetSize(button.Width(), button.Height());
  button.Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), 0);
  return bitmap.Pixel(x, y);
}

// Columns holding dark (caption) pixels inside the frame, as [first, last].
std::pair<int, int> CaptionColumns(TdxButton& button) {
  TBitmap bitmap;
  bitmap.SetSize(button.Width(), button.Height());
  button.Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), 0);
  int first = INT_MAX, last = INT_MIN;
  for (int y = 2; y < button.Height() - 2; ++y)
    for (int x = 2; x < button.Width() - 2; ++x) {
      const COLORREF c = bitmap.Pixel(x, y);
      if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
    }
  return {first, last};
}

}  // namespace

using DxButton = ButtonFixture;

TEST_F(DxButton, IsATabStopWindowOfItsOwnClassWithTheDefaultSize) {
  char name[64] = {};
  GetClassNameA(button->Handle(), name, sizeof name);
  EXPECT_STREQ(name, "TdxButton");
  EXPECT_STREQ(button->ClassName(), "TdxButton");
  TdxButton fresh(nullptr);
  EXPECT_EQ(fresh.Width(), 73);
  EXPECT_EQ(fresh.Height(), 21);
  EXPECT_TRUE(fresh.TabStop());
  EXPECT_TRUE(GetWindowLongPtrA(button->Handle(), GWL_STYLE) & WS_TABSTOP);
  // No double clicks: a fast second press is a second click.
  EXPECT_FALSE(GetClassLongPtrA(button->Handle(), GCL_STYLE) & CS_DBLCLKS);
}

TEST_F(DxButton, MouseClicksOnlyWhenReleasedInside) {
  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(button->VisualState() & vsPressed);
  EXPECT_TRUE(button->Focused());  // a press takes the focus
  SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(12, 8));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button->VisualState() & vsPressed);

  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(100, 10));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button->VisualState() & vsPressed);

  // The right button neither presses nor clicks.
  SendMessageA(button->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  EXPECT_FALSE(button->VisualState() & vsPressed);
  SendMessageA(button->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(clicks, 1);
}

TEST_F(DxButton, APressEndsWithoutAClickWhenTheCaptureIsTakenAway) {
  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  ASSERT_TRUE(button->VisualState() & vsPressed);
  ASSERT_EQ(GetCapture(), button->Handle());
  // A failure report releases the capture mid-press.
  Application->SetErrorBoxHandler([](HWND, const std::string&, const std::string&) {});
  Application->HandleException("Broken");
  Application->SetErrorBoxHandler(nullptr);
  EXPECT_FALSE(button->VisualState() & vsPressed);
  SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(clicks, 0);
}

TEST_F(DxButton, SpaceClicksOnReleaseAndEnterClicksOnlyTheFocusedButton) {
  FocusButton();
  EXPECT_TRUE(button->VisualState() & vsFocused);
  Post(button->Handle(), WM_KEYDOWN, VK_SPACE);
  EXPECT_EQ(button->VisualState() & vsPressed, vsPressed);
  EXPECT_EQ(clicks, 0);
  Post(button->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button->VisualState() & vsPressed);

  Post(button->Handle(), WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(clicks, 2);

  // Not a default button: Enter elsewhere leaves it alone.
  other->SetFocus();
  Application->ProcessMessages();
  EXPECT_FALSE(button->VisualState() & vsFocused);
  Post(other->Handle(), WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(clicks, 2);
}

TEST_F(DxButton, AcceleratorNeedsAltUnlessTheButtonIsFocused) {
  button->SetCaption("&Go");
  other->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'g', 0), 0);
  EXPECT_EQ(clicks, 0);
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_MENU] = 0x80;
  SetKeyboardState(keys);
  const LRESULT withAlt = form->Perform(CM_DIALOGCHAR, 'g', 0);
  keys[VK_MENU] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(withAlt, 1);
  EXPECT_EQ(clicks, 1);

  FocusButton();
  Post(button->Handle(), WM_CHAR, 'G');  // plain G on the focused button
  EXPECT_EQ(clicks, 2);
  Post(button->Handle(), WM_CHAR, 'x');
  EXPECT_EQ(clicks, 2);
}

TEST_F(DxButton, StatesShowAsRingsAndFaces) {
  const int mid = button->Width() / 2;
  const COLORREF corner = ColorToRGB(form->Color());
  other->SetFocus();
  Application->ProcessMessages();
  // Resting: rounded dark-blue frame, parent colour in the corners, the face right inside.
  EXPECT_EQ(PaintedPixel(*button, mid, 0), kFrame);
  EXPECT_EQ(PaintedPixel(*button, 0, 0), corner);
  EXPECT_EQ(PaintedPixel(*button, mid, 1), kFaceTop);

  button->Perform(CM_MOUSEENTER);
  EXPECT_TRUE(button->IsLit(true));
  EXPECT_EQ(PaintedPixel(*button, mid, 1), kHotTop);   // orange ring ...
  EXPECT_EQ(PaintedPixel(*button, mid, 3), kFaceTop);  // ... around the face, 3 pixels in

  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_FALSE(button->IsLit(true));
  EXPECT_EQ(PaintedPixel(*button, mid, 1), kPressedTop);
  button->Perform(CM_MOUSELEAVE);  // dragged outside while held: blue ring again
  EXPECT_TRUE(button->IsLit(true));
  EXPECT_EQ(PaintedPixel(*button, mid, 1), kFocusTop);
  SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(100, 10));

  EXPECT_TRUE(button->VisualState() & vsFocused);  // focused, not hot
  EXPECT_EQ(PaintedPixel(*button, mid, 1), kFocusTop);
  other->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(PaintedPixel(*button, mid, 1), kFaceTop);

  button->SetEnabled(false);
  EXPECT_EQ(PaintedPixel(*button, mid, 0), kDisabledFrame);
}

TEST_F(DxButton, CaptionIsCentredInTheButtonsOwnFont) {
  form->Font().SetName(kSongTi);
  form->Font().SetHeight(-13);
  button->SetCaption("Start");
  const auto regular = CaptionColumns(*button);
  ASSERT_LE(regular.first, regular.second);
  const int leftGap = regular.first, rightGap = button->Width() - 1 - regular.second;
  EXPECT_LE(std::abs(leftGap - rightGap), 2) << leftGap << " " << rightGap;

  // A bold font of its own, as the start button has.
  button->Font().SetStyle(fsBold);
  EXPECT_FALSE(button->ParentFont());
  const auto bold = CaptionColumns(*button);
  EXPECT_GT(bold.second - bold.first, regular.second - regular.first);
}

TEST_F(DxButton, TenThousandRepaintsThroughEveryStateLeaveNoObjectBehind) {
  button->Repaint();
  const long before = gdi::LiveObjects();
  for (int i = 0; i < 10000; ++i) {
    switch (i % 4) {
      case 0: button->Perform(CM_MOUSEENTER); break;
      case 1: SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10)); break;
      case 2: SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10)); break;
      case 3: button->Perform(CM_MOUSELEAVE); break;
    }
    button->Repaint();
  }
  EXPECT_EQ(clicks, 2500);
  EXPECT_EQ(gdi::LiveObjects(), before);
}
