#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/Input.h"
#include "controls/editors/cxTextEdit.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"

namespace {

// "宋体" (the main window's face)
const char* const kSongTi = "\xCB\xCE\xCC\xE5";
// "请" (the first box's character)
const char* const kQing = "\xC7\xEB";

struct Press {
  TObject* sender;
  TMouseButton button;
  TShiftState shift;
  int x, y;
};

// A form in the main window's font with two entry boxes (33 wide, as there) and a memo after them.
struct EditFixture : testing::Test {
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 300, 160);
    form->Font().SetName(kSongTi);
    form->Font().SetHeight(-13);
    for (int i = 0; i < 2; ++i) {
      auto* box = new TcxTextEdit(form);
      box->SetParent(form);
      box->SetBounds(16 + 48 * i, 20, 33, 21);
      box->Style().LookAndFeel().SetKind(lfFlat);
      box->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        presses.push_back({sender, button, shift, x, y});
      };
      boxes.push_back(box);
    }
    memo = new TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(16, 60, 200, 60);
    form->Show();
    SetForegroundWindow(form->Handle());
    Application->ProcessMessages();
  }
  void TearDown() override { delete form; }

  HWND Inner(int i) { return boxes[static_cast<std::size_t>(i)]->InnerEdit()->Handle(); }
  void Post(HWND window, UINT msg, WPARAM w, LPARAM l = 0) {
    PostMessageA(window, msg, w, l);
    Application->ProcessMessages();
  }
  // Holds Shift (as the thread's key state) while f runs.
  template <class F>
  void WithShift(F f) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    f();
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }

  TForm* form = nullptr;
  std::vector<TcxTextEdit*> boxes;
  TMemo* memo = nullptr;
  std::vector<Press> presses;
};

std::string WindowText(HWND window) {
  char text[64] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

COLORREF PaintedPixel(TcxTextEdit& box, int x, int y) {
  TBitmap bitmap;
  bitmap.SetSize(box.Width(), box.Height());
  box.Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), 0);
  return bitmap.Pixel(x, y);
}

}  // namespace

using CxTextEdit = EditFixture;

TEST_F(CxTextEdit, HostsABorderlessSingleLineEditOfItsOwnClass) {
  TcxTextEdit& box = *boxes[0];
  char name[64] = {};
  GetClassNameA(box.Handle(), name, sizeof name);
  EXPECT_STREQ(name, "TcxTextEdit");
  GetClassNameA(Inner(0), name, sizeof name);
  EXPECT_STREQ(name, "TcxCustomInnerTextEdit");
  EXPECT_EQ(GetParent(Inner(0)), box.Handle());
  const LONG_PTR style = GetWindowLongPtrA(Inner(0), GWL_STYLE);
  EXPECT_FALSE(style & (WS_BORDER | ES_MULTILINE | WS_TABSTOP));
  EXPECT_TRUE(style & ES_AUTOHSCROLL);
  EXPECT_FALSE(GetWindowLongPtrA(Inner(0), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(box.TabStop());
  EXPECT_FALSE(box.InnerEdit()->TabStop());
  EXPECT_TRUE(box.ParentFont());
  EXPECT_EQ(box.InnerEdit()->Font().Name(), kSongTi);  // handed on by the box
}

TEST_F(CxTextEdit, TextIsTheInnerEditsText) {
  TcxTextEdit loose(nullptr);  // no window yet
  loose.SetText(kQing);
  EXPECT_EQ(loose.Text(), kQing);

  TcxTextEdit& box = *boxes[0];
  box.SetText(kQing);
  EXPECT_EQ(box.Text(), kQing);
  EXPECT_EQ(WindowText(Inner(0)), kQing);
  EXPECT_EQ(WindowText(box.Handle()), kQing);  // the box's window answers with the inner text
  SetWindowTextA(Inner(0), "ab");              // as if typed
  EXPECT_EQ(box.Text(), "ab");
  box.SetText("");
  EXPECT_EQ(WindowText(Inner(0)), "");
}

TEST_F(CxTextEdit, AutoSizeGivesTwentyOnePixelsInTheMainWindowFont) {
  TcxTextEdit& box = *boxes[0];
  ASSERT_EQ(MeasureText(form->Font(), "Zg").cy, 13);
  EXPECT_EQ(box.Height(), 21);
  box.SetHeight(40);  // the font decides
  EXPECT_EQ(box.Height(), 21);
  box.SetWidth(50);
  EXPECT_EQ(box.Width(), 50);
  box.SetWidth(33);
  // The inner edit sits inside the 2-pixel frame and a 1-pixel gap, its last row cut off.
  EXPECT_EQ(box.InnerEdit()->BoundsRect(), Bounds(3, 3, 28, 17));
  RECT clip{};
  ASSERT_NE(GetWindowRgnBox(Inner(0), &clip), ERROR);
  EXPECT_EQ((TRect{clip.left, clip.top, clip.right, clip.bottom}), (TRect{0, 0, 28, 16}));

  // Layout scaling moves and widens the box; the inner edit is placed anew, not scaled.
  box.ChangeScale(2, 1);
  EXPECT_EQ(box.BoundsRect(), Bounds(32, 40, 66, 21));
  EXPECT_EQ(box.InnerEdit()->BoundsRect(), Bounds(3, 3, 61, 17));

  form->Font().SetHeight(-16);  // follows the parent's font
  EXPECT_EQ(box.Height(), 4 + MeasureText(form->Font(), "Zg").cy + 4);
  box.SetAutoSize(false);
  box.SetHeight(40);
  EXPECT_EQ(box.Height(), 40);
}

TEST_F(CxTextEdit, PressesOfEveryButtonOnTheTextReachOnMouseDownInBoxCoordinates) {
  SendMessageA(Inner(0), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(0, 0));
  SendMessageA(Inner(1), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 2));
  SendMessageA(Inner(1), WM_LBUTTONUP, 0, MAKELPARAM(5, 2));
  SendMessageA(Inner(1), WM_MBUTTONDOWN, MK_MBUTTON | MK_SHIFT, MAKELPARAM(7, 1));
  SendMessageA(Inner(1), WM_MBUTTONUP, 0, MAKELPARAM(7, 1));
  ASSERT_EQ(presses.size(), 3u);
  EXPECT_EQ(presses[0].sender, boxes[0]);
  EXPECT_EQ(presses[0].button, mbRight);
  EXPECT_EQ(presses[0].x, 3);
  EXPECT_EQ(presses[0].y, 3);
  EXPECT_EQ(presses[1].sender, boxes[1]);
  EXPECT_EQ(presses[1].button, mbLeft);
  EXPECT_EQ(presses[1].x, 8);
  EXPECT_EQ(presses[1].y, 5);
  EXPECT_EQ(presses[2].button, mbMiddle);
  EXPECT_TRUE(presses[2].shift & ssShift);
  EXPECT_EQ(GetFocus(), Inner(1));  // the left press put the caret in the text
  EXPECT_EQ(form->ActiveControl(), boxes[1]);

  // On the frame itself: the box's own coordinates, and the focus goes to the text.
  SendMessageA(boxes[0]->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  SendMessageA(boxes[0]->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  ASSERT_EQ(presses.size(), 4u);
  EXPECT_EQ(presses[3].x, 1);
  EXPECT_EQ(presses[3].y, 1);
  EXPECT_EQ(GetFocus(), Inner(0));

  // The main window's handler: a press empties the box.
  boxes[0]->SetText(kQing);
  boxes[0]->OnMouseDown = [](TObject* sender, TMouseButton, TShiftState, int, int) {
    static_cast<TcxTextEdit*>(sender)->SetText("");
  };
  SendMessageA(Inner(0), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
  EXPECT_EQ(boxes[0]->Text(), "");
}

TEST_F(CxTextEdit, TabMovesOnFromTheTextBothWaysWhileArrowsAndCharactersStay) {
  boxes[0]->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(GetFocus(), Inner(0));
  EXPECT_EQ(form->ActiveControl(), boxes[0]);
  EXPECT_TRUE(boxes[0]->IsFocused());

  Post(Inner(0), WM_KEYDOWN, 'A');
  Post(Inner(0), WM_KEYDOWN, VK_LEFT);
  EXPECT_EQ(GetFocus(), Inner(0));
  EXPECT_EQ(boxes[0]->Text(), "a");

  boxes[1]->SetText("xy");
  Post(Inner(0), WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), Inner(1));
  DWORD start = 9, end = 9;
  SendMessageA(Inner(1), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);  // tabbed into: the whole text is selected
  EXPECT_EQ(end, 2u);
  EXPECT_EQ(boxes[0]->Text(), "a");  // no tab typed
  Post(Inner(1), WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(GetFocus(), memo->Handle());
  WithShift([&] { Post(memo->Handle(), WM_KEYDOWN, VK_TAB); });
  EXPECT_EQ(GetFocus(), Inner(1));
  WithShift([&] { Post(Inner(1), WM_KEYDOWN, VK_TAB); });
  EXPECT_EQ(GetFocus(), Inner(0));
}

TEST_F(CxTextEdit, FlatFrameTurnsThreeDimensionalWhileFocusedOrHot) {
  TcxTextEdit& box = *boxes[0];
  const int w = box.Width(), h = box.Height();
  memo->SetFocus();
  Application->ProcessMessages();
  // Idle: a sunken shadow/highlight line, a button-face line inside it, then the window colour.
  EXPECT_EQ(PaintedPixel(box, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PaintedPixel(box, w - 1, h - 1), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(PaintedPixel(box, 1, 1), ColorToRGB(clBtnFace));
  EXPECT_EQ(PaintedPixel(box, 2, 2), ColorToRGB(clWindow));

  box.SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(PaintedPixel(box, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PaintedPixel(box, 1, 1), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(PaintedPixel(box, w - 2, h - 2), ColorToRGB(cl3DLight));

  // Other kinds: standard is always 3-D; ultra flat is one line inside the extent.
  TcxTextEdit& second = *boxes[1];
  second.Style().LookAndFeel().SetKind(lfStandard);
  EXPECT_EQ(PaintedPixel(second, 1, 1), ColorToRGB(cl3DDkShadow));
  second.Style().LookAndFeel().SetKind(lfUltraFlat);
  // The window's region leaves the outer ring to the parent.
  RECT region{};
  ASSERT_NE(GetWindowRgnBox(second.Handle(), &region), ERROR);
  EXPECT_EQ((TRect{region.left, region.top, region.right, region.bottom}), (TRect{1, 1, w - 1, h - 1}));
  EXPECT_EQ(PaintedPixel(second, 1, 1), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PaintedPixel(second, 2, 2), ColorToRGB(clWindow));

  second.SetEnabled(false);
  EXPECT_EQ(PaintedPixel(second, 2, 2), ColorToRGB(clBtnFace));
  EXPECT_FALSE(IsWindowEnabled(Inner(1)));
}

TEST_F(CxTextEdit, MouseOverTheTextOrTheFrameMakesTheBoxHot) {
  TcxTextEdit& box = *boxes[0];
  memo->SetFocus();
  auto moveTo = [&](TControl& c, int x, int y) {
    testing_support::MovePointer(c.ClientToScreen({x, y}));
    Application->Idle();
  };
  moveTo(*box.InnerEdit(), 4, 4);
  EXPECT_TRUE(box.IsHot());
  EXPECT_EQ(PaintedPixel(box, 1, 1), ColorToRGB(cl3DDkShadow));
  moveTo(box, 1, 1);
  EXPECT_TRUE(box.IsHot());
  moveTo(*memo, 5, 5);
  EXPECT_FALSE(box.IsHot());
  EXPECT_EQ(PaintedPixel(box, 1, 1), ColorToRGB(clBtnFace));
}
