#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "tests/support/FormTest.h"
#include "tests/support/Input.h"
#include "controls/lookandfeel/cxLookAndFeelPainters.h"
#include "controls/editors/cxTextEdit.h"
#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "tests/support/Reader.h"

namespace {

using testing_support::HeldKeys;
using testing_support::Post;

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
struct EditFixture : testing_support::FormTest {
  void SetUp() override {
    MakeForm(100, 100, 300, 160);
    form->Font().SetName(kSongTi);
    form->Font().SetHeight(-13);
    for (int i = 0; i < 2; ++i) {
      auto* box = testing_support::PlaceOn<TcxTextEdit>(*form, 16 + 48 * i, 20, 33, 21);
      box->Style().LookAndFeel().SetKind(lfFlat);
      box->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState shift, int x, int y) {
        presses.push_back({sender, button, shift, x, y});
      };
      boxes.push_back(box);
    }
    memo = testing_support::PlaceOn<TMemo>(*form, 16, 60, 200, 60);
    testing_support::ShowInFront(*form);
  }

  HWND Inner(int i) { return boxes[static_cast<std::size_t>(i)]->InnerEdit()->Handle(); }
  // Holds Shift (as the thread's key state) while f runs.
  template <class F>
  void WithShift(F f) {
    HeldKeys shift{VK_SHIFT};
    f();
  }

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

// Handles messages and idle steps until the box paints the colour at the point (the pointer's
// arrival and the hover watch may lag on a busy machine); returns the pixel painted last.
COLORREF PixelOnceItIs(TcxTextEdit& box, int x, int y, TColor colour) {
  COLORREF pixel = 0;
  testing_support::PumpUntil([&] {
    Application->Idle();
    pixel = PaintedPixel(box, x, y);
    return pixel == ColorToRGB(colour);
  }, 5000);
  return pixel;
}

}  // namespace

using CxTextEdit = EditFixture;

TEST(CxPainterChoice, TheEntryBoxesReportTheFlatPainter) {
  TcxTextEdit box(nullptr);
  box.Style().LookAndFeel().SetKind(lfFlat);
  EXPECT_EQ(box.Style().LookAndFeel().Painter(), &TcxFlatLookAndFeelPainter::Instance());
  EXPECT_FALSE(box.Style().LookAndFeel().NativeStyle());
}

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
  // The box's own look-and-feel follows its style's: flat, not native, the flat painter.
  EXPECT_EQ(box.LookAndFeel().Kind(), lfFlat);
  EXPECT_FALSE(box.LookAndFeel().NativeStyle());
  EXPECT_EQ(box.LookAndFeel().Painter(), &TcxFlatLookAndFeelPainter::Instance());
  EXPECT_FALSE(box.ViewInfo().UseTheme);
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
  // A size from outside the framework as well.
  SetWindowPos(box.Handle(), nullptr, 0, 0, 60, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(box.BoundsRect(), Bounds(16, 20, 60, 21));
  RECT window{};
  GetWindowRect(box.Handle(), &window);
  EXPECT_EQ(window.bottom - window.top, 21);
  int width = 70, height = 40;
  EXPECT_TRUE(box.CanResize(width, height));
  EXPECT_EQ(height, 21);
  EXPECT_EQ(width, 70);
  box.SetWidth(33);
  // The inner edit sits inside the 2-pixel frame and a 1-pixel gap, its last row cut off.
  EXPECT_EQ(box.InnerEdit()->BoundsRect(), Bounds(3, 3, 28, 17));
  RECT clip{};
  ASSERT_NE(GetWindowRgnBox(Inner(0), &clip), ERROR);
  EXPECT_EQ((TRect{clip.left, clip.top, clip.right, clip.bottom}), (TRect{0, 0, 28, 16}));
  // While the box places its inner edit no other size is taken: one asked for then is refused.
  int widthTaken = -1;
  bool asking = false;
  box.InnerEdit()->OnCanResize = [&](TObject*, int&, int&, bool&) {
    if (asking) return;
    asking = true;
    TcxCustomInnerTextEdit& inner = *box.InnerEdit();
    inner.SetBounds(inner.Left(), inner.Top(), 5, 5);
    widthTaken = inner.Width();
    asking = false;
  };
  box.SetWidth(40);
  EXPECT_EQ(widthTaken, 28);
  EXPECT_EQ(box.InnerEdit()->BoundsRect(), Bounds(3, 3, 35, 17));
  box.InnerEdit()->OnCanResize = nullptr;
  box.SetWidth(33);
  // A limit that keeps the box below the height of its text: the inner edit is placed and cut
  // off at that height all the same.
  box.Constraints().SetMaxHeight(15);
  box.Font().SetHeight(-14);
  EXPECT_EQ(box.Height(), 15);
  EXPECT_EQ(box.InnerEdit()->BoundsRect(), Bounds(3, 3, 28, 4 + MeasureText(box.Font(), "Zg").cy));
  ASSERT_NE(GetWindowRgnBox(Inner(0), &clip), ERROR);
  EXPECT_EQ((TRect{clip.left, clip.top, clip.right, clip.bottom}), (TRect{0, 0, 28, 10}));
  box.Constraints().SetMaxHeight(0);
  box.SetParentFont(true);
  ASSERT_EQ(box.Height(), 21);

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

TEST_F(CxTextEdit, WindowRegionOnlyWhereTheFrameLeavesTheOuterRingToTheParent) {
  TcxTextEdit& box = *boxes[1];
  const int w = box.Width(), h = box.Height();
  RECT region{};
  // A flat frame fills the whole rectangle: the new window is given no region.
  EXPECT_EQ(GetWindowRgnBox(box.Handle(), &region), ERROR);
  box.Style().LookAndFeel().SetKind(lfUltraFlat);
  ASSERT_NE(GetWindowRgnBox(box.Handle(), &region), ERROR);
  EXPECT_EQ((TRect{region.left, region.top, region.right, region.bottom}), (TRect{1, 1, w - 1, h - 1}));
  // Back to flat, the outer ring shows again.
  box.Style().LookAndFeel().SetKind(lfFlat);
  ASSERT_NE(GetWindowRgnBox(box.Handle(), &region), ERROR);
  EXPECT_EQ((TRect{region.left, region.top, region.right, region.bottom}), (TRect{0, 0, w, h}));
}

TEST_F(CxTextEdit, FlatFrameTurnsThreeDimensionalWhileFocusedOrHot) {
  TcxTextEdit& box = *boxes[0];
  const int w = box.Width(), h = box.Height();
  testing_support::MovePointer(memo->ClientToScreen({150, 40}));
  memo->SetFocus();
  // Idle: a sunken shadow/highlight line, a button-face line inside it, then the window colour.
  EXPECT_EQ(PixelOnceItIs(box, 1, 1, clBtnFace), ColorToRGB(clBtnFace));
  EXPECT_EQ(PaintedPixel(box, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PaintedPixel(box, w - 1, h - 1), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(PaintedPixel(box, 2, 2), ColorToRGB(clWindow));

  box.SetFocus();
  EXPECT_EQ(PixelOnceItIs(box, 1, 1, cl3DDkShadow), ColorToRGB(cl3DDkShadow));
  EXPECT_EQ(PaintedPixel(box, 0, 0), ColorToRGB(clBtnShadow));
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
  EXPECT_FALSE(IsWindowEnabled(second.Handle()));
}

TEST_F(CxTextEdit, MouseOverTheTextOrTheFrameMakesTheBoxHot) {
  TcxTextEdit& box = *boxes[0];
  memo->SetFocus();
  // Moves the pointer and handles messages and idle steps until the box's hot state is as asked.
  auto hotAt = [&](TControl& c, int x, int y, bool hot) {
    testing_support::MovePointer(c.ClientToScreen({x, y}));
    return testing_support::PumpUntil([&] {
      Application->Idle();
      return box.IsHot() == hot;
    }, 5000);
  };
  EXPECT_TRUE(hotAt(*box.InnerEdit(), 4, 4, true));
  EXPECT_EQ(PixelOnceItIs(box, 1, 1, cl3DDkShadow), ColorToRGB(cl3DDkShadow));
  EXPECT_TRUE(hotAt(*memo, 5, 5, false));
  EXPECT_EQ(PixelOnceItIs(box, 1, 1, clBtnFace), ColorToRGB(clBtnFace));
  // The frame alone, away from the text, lights the box too.
  EXPECT_TRUE(hotAt(box, 1, 1, true));
  EXPECT_TRUE(hotAt(*memo, 5, 5, false));
}

namespace {

DWORD SelectionEnd(HWND edit, DWORD* start = nullptr) {
  DWORD s = 0, e = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  if (start) *start = s;
  return e;
}

void PutOnClipboard(HWND owner, const std::string& text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  SetClipboardData(CF_TEXT, memory);  // the clipboard owns it now
  CloseClipboard();
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

}  // namespace

TEST_F(CxTextEdit, EscapeAfterTypingRestoresTheTextTheBoxHadOnEntering) {
  TcxTextEdit& box = *boxes[0];
  box.SetText(kQing);
  memo->SetFocus();
  box.SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(box.PrevEditValue(), TcxEditValue(kQing));
  Post(Inner(0), WM_KEYDOWN, VK_END);
  Post(Inner(0), WM_KEYDOWN, 'X');
  EXPECT_EQ(box.Text(), std::string(kQing) + "x");
  EXPECT_TRUE(box.EditedSinceEnter());
  EXPECT_TRUE(box.ValueDirty());
  Post(Inner(0), WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(box.Text(), kQing);
  EXPECT_FALSE(box.EditedSinceEnter());
  EXPECT_EQ(box.SelStart(), 0);  // the restored text is selected
  EXPECT_EQ(box.SelText(), kQing);
  EXPECT_EQ(GetFocus(), Inner(0));
}

TEST_F(CxTextEdit, AutoSelectOnlyForFocusFromAnotherControlNotByMouseOrReactivation) {
  TcxTextEdit& box = *boxes[0];
  box.SetText("abc");
  // A click on the 2-pixel frame focuses the text without selecting it.
  SendMessageA(box.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
  SendMessageA(box.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  ASSERT_EQ(GetFocus(), Inner(0));
  DWORD start = 0;
  EXPECT_EQ(SelectionEnd(Inner(0), &start), start);
  int enters = 0, exits = 0, focusChanges = 0;
  box.OnEnter = [&](TObject*) { ++enters; };
  box.OnExit = [&](TObject*) { ++exits; };
  box.OnFocusChanged = [&](TObject*) { ++focusChanges; };

  // The caret at the end; another window is activated and then this one again.
  SendMessageA(Inner(0), EM_SETSEL, 3, 3);
  TForm other(nullptr);
  other.SetBounds(400, 300, 200, 100);
  other.Show();
  SetForegroundWindow(other.Handle());
  Application->ProcessMessages();
  ASSERT_NE(GetFocus(), Inner(0));
  SetForegroundWindow(form->Handle());
  Application->ProcessMessages();
  ASSERT_EQ(GetFocus(), Inner(0));
  EXPECT_EQ(SelectionEnd(Inner(0), &start), 3u);
  EXPECT_EQ(start, 3u);
  other.Hide();
  EXPECT_EQ(enters, 0);  // another window and back is no exit and no entering
  EXPECT_EQ(exits, 0);
  EXPECT_GE(focusChanges, 2);

  // From another control by keyboard: all of it.
  memo->SetFocus();
  box.SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(SelectionEnd(Inner(0), &start), 3u);
  EXPECT_EQ(start, 0u);
  // Switched off: nothing selected.
  memo->SetFocus();
  SendMessageA(Inner(0), EM_SETSEL, 1, 1);
  box.Properties().SetAutoSelect(false);
  box.SetFocus();
  EXPECT_EQ(SelectionEnd(Inner(0), &start), 1u);
  EXPECT_EQ(start, 1u);
}

TEST_F(CxTextEdit, TabNeverInsertsATabCtrlTabStaysInTheBoxAndEnterFollowsBeepOnEnter) {
  TcxTextEdit& box = *boxes[0];
  box.SetText("ab");
  box.SetFocus();
  Application->ProcessMessages();
  {
    HeldKeys control{VK_CONTROL};
    Post(Inner(0), WM_KEYDOWN, VK_TAB);
    Post(Inner(0), WM_CHAR, '\t');
  }
  EXPECT_EQ(GetFocus(), Inner(0));
  EXPECT_EQ(box.Text(), "ab");
  SendMessageA(box.Handle(), WM_CHAR, '\t', 0);  // through the editor's own window
  EXPECT_EQ(box.Text(), "ab");

  // Enter reaches the native edit (which answers that it handled it) unless BeepOnEnter is off.
  EXPECT_EQ(SendMessageA(Inner(0), WM_CHAR, '\r', 0), 1);
  box.SetBeepOnEnter(false);
  EXPECT_EQ(SendMessageA(Inner(0), WM_CHAR, '\r', 0), 0);
  EXPECT_EQ(box.Text(), "ab");
}

TEST_F(CxTextEdit, KeyEventsComeFromTheEditorAndLeftRightCollapseASelection) {
  TcxTextEdit& box = *boxes[0];
  box.SetText("abcd");
  box.SetFocus();
  Application->ProcessMessages();
  std::vector<std::string> log;
  box.OnKeyDown = [&](TObject* sender, WORD& key, TShiftState) {
    EXPECT_EQ(sender, &box);
    log.push_back("down " + std::to_string(key));
    if (key == VK_DELETE) key = 0;  // kept from the text
  };
  box.OnKeyPress = [&](TObject*, char& key) {
    log.push_back(std::string("press ") + key);
    if (key == 'z') key = 0;
  };
  box.OnKeyUp = [&](TObject*, WORD& key, TShiftState) { log.push_back("up " + std::to_string(key)); };
  SendMessageA(Inner(0), EM_SETSEL, 1, 3);
  Post(Inner(0), WM_KEYDOWN, VK_LEFT);
  DWORD start = 9;
  EXPECT_EQ(SelectionEnd(Inner(0), &start), 1u);
  EXPECT_EQ(start, 1u);
  SendMessageA(Inner(0), EM_SETSEL, 1, 3);
  Post(Inner(0), WM_KEYDOWN, VK_RIGHT);
  EXPECT_EQ(SelectionEnd(Inner(0), &start), 3u);
  EXPECT_EQ(start, 3u);
  Post(Inner(0), WM_KEYDOWN, VK_DELETE);
  Post(Inner(0), WM_CHAR, 'z');
  Post(Inner(0), WM_KEYUP, 'Z');
  EXPECT_EQ(box.Text(), "abcd");
  EXPECT_EQ(log, (std::vector<std::string>{"down 37", "down 39", "down 46", "press z", "up 90"}));
}

TEST_F(CxTextEdit, ReadOnlyAndOnEditingRefuseEveryModification) {
  TcxTextEdit& box = *boxes[0];
  box.SetText("abc");
  box.SetFocus();
  Application->ProcessMessages();
  box.Properties().SetReadOnly(true);
  Post(Inner(0), WM_KEYDOWN, VK_END);
  Post(Inner(0), WM_KEYDOWN, VK_BACK);
  Post(Inner(0), WM_CHAR, 'x');
  PutOnClipboard(form->Handle(), "P");
  SendMessageA(Inner(0), WM_PASTE, 0, 0);
  SendMessageA(Inner(0), EM_SETSEL, 0, 1);
  SendMessageA(box.Handle(), WM_CUT, 0, 0);  // copies only
  EXPECT_EQ(box.Text(), "abc");
  EXPECT_EQ(ClipboardText(), "a");

  box.Properties().SetReadOnly(false);
  int asked = 0;
  box.OnEditing = [&](TObject*, bool& canEdit) {
    ++asked;
    canEdit = false;
  };
  Post(Inner(0), WM_CHAR, 'x');
  SendMessageA(box.Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(box.Text(), "abc");
  EXPECT_EQ(asked, 2);
  // A program's assignment is not the user's: nobody is asked.
  box.SetText("new");
  EXPECT_EQ(box.Text(), "new");
  EXPECT_EQ(asked, 2);
}

TEST_F(CxTextEdit, PasteCutAndClearOnTheEditorsWindowAndTheInnerEdit) {
  TcxTextEdit& box = *boxes[0];
  box.SetText("abcd");
  box.SetFocus();
  Application->ProcessMessages();
  PutOnClipboard(form->Handle(), "XY\r\nsecond line");
  SendMessageA(Inner(0), EM_SETSEL, 1, 3);
  SendMessageA(box.Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(box.Text(), "aXYd");
  DWORD start = 0;
  EXPECT_EQ(SelectionEnd(Inner(0), &start), 3u);
  EXPECT_TRUE(box.EditedSinceEnter());

  SendMessageA(Inner(0), EM_SETSEL, 0, 2);
  SendMessageA(box.Handle(), WM_CUT, 0, 0);
  EXPECT_EQ(box.Text(), "Yd");
  EXPECT_EQ(ClipboardText(), "aX");
  SendMessageA(Inner(0), EM_SETSEL, 1, 2);
  SendMessageA(box.Handle(), WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), "d");
  SendMessageA(Inner(0), WM_CLEAR, 0, 0);
  EXPECT_EQ(box.Text(), "Y");
  SendMessageA(Inner(0), EM_SETSEL, 0, 1);
  SendMessageA(Inner(0), WM_CUT, 0, 0);
  EXPECT_EQ(box.Text(), "");
  SendMessageA(Inner(0), WM_PASTE, 0, 0);
  EXPECT_EQ(box.Text(), "Y");

  // Selections count bytes of the text, whatever unit the platform's window counts in.
  box.SetText(std::string("a") + kQing + "b");
  box.SetSelStart(1);
  box.SetSelLength(2);
  EXPECT_EQ(box.SelText(), kQing);
  SendMessageA(box.Handle(), WM_CUT, 0, 0);
  EXPECT_EQ(box.Text(), "ab");
  EXPECT_EQ(ClipboardText(), kQing);
  EXPECT_EQ(box.SelStart(), 1);

  // A paste stops at the maximum length, as typing does.
  box.Properties().SetMaxLength(4);
  box.SetText("ab");
  box.SetSelStart(1);
  PutOnClipboard(form->Handle(), std::string("x") + kQing + "yz");
  SendMessageA(box.Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(box.Text(), "axb");  // the double-byte character does not fit whole
  box.SetSelStart(0);
  SendMessageA(box.Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(box.Text(), "xaxb");
  SendMessageA(box.Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(box.Text(), "xaxb");
}

TEST_F(CxTextEdit, TextChangesRaiseChangeAndValueEventsButNotWhileLoadingOrWhenEqual) {
  TcxTextEdit& box = *boxes[0];
  std::vector<std::string> log;
  box.Properties().OnChange = [&](TObject*) { log.push_back("change " + box.Text()); };
  box.Properties().OnEditValueChanged = [&](TObject*) { log.push_back("value " + box.Text()); };
  box.SetText("");  // empty on empty: nothing sent, nothing raised
  EXPECT_TRUE(log.empty());

  form->SetLoading(true);
  box.SetText(kQing);
  form->SetLoading(false);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(box.EditValue(), TcxEditValue(kQing));

  box.SetText("ab");
  EXPECT_EQ(log, (std::vector<std::string>{"change ab", "value ab"}));
  EXPECT_FALSE(box.ValueDirty());

  // Under the change lock the notices wait for the release, in order, once each.
  log.clear();
  box.LockChangeEvents(true);
  box.LockChangeEvents(true);
  EXPECT_EQ(SendMessageA(box.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("c")), 1);
  box.SetText("cd");
  box.LockChangeEvents(false);
  EXPECT_TRUE(log.empty());
  box.LockChangeEvents(false);
  EXPECT_EQ(log, (std::vector<std::string>{"change cd", "value cd"}));

  // The window's text messages answer with the inner edit's text.
  char buffer[3] = {};
  EXPECT_EQ(SendMessageA(box.Handle(), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 2);
  EXPECT_STREQ(buffer, "cd");
  EXPECT_EQ(SendMessageA(box.Handle(), WM_GETTEXT, 2, reinterpret_cast<LPARAM>(buffer)), 1);
  EXPECT_STREQ(buffer, "c");
  EXPECT_EQ(SendMessageA(box.Handle(), WM_GETTEXTLENGTH, 0, 0), 2);
}

TEST_F(CxTextEdit, CharCaseEchoModeAndMaxLength) {
  TcxTextEdit& box = *boxes[0];
  box.Properties().SetCharCase(ecUpperCase);
  box.SetText(std::string("ab") + kQing + "1z");
  EXPECT_EQ(box.Text(), std::string("AB") + kQing + "1Z");
  // 0x81 leads a character of the code page beyond GB2312 ("\x81" "a"): its trail byte is no letter.
  box.SetText("\x81" "ab");
  EXPECT_EQ(box.Text(), "\x81" "aB");
  box.Properties().SetCharCase(ecLowerCase);
  box.SetText("QwE");
  EXPECT_EQ(box.Text(), "qwe");
  // A paste is converted as typing is.
  PutOnClipboard(box.Handle(), std::string("mIx") + kQing);
  box.SetText("");
  SendMessageA(Inner(0), WM_PASTE, 0, 0);
  EXPECT_EQ(box.Text(), std::string("mix") + kQing);
  box.Properties().SetCharCase(ecUpperCase);
  box.SetText("");
  SendMessageA(Inner(0), WM_PASTE, 0, 0);
  EXPECT_EQ(box.Text(), std::string("MIX") + kQing);
  box.SetFocus();
  Application->ProcessMessages();
  Post(Inner(0), WM_KEYDOWN, 'Q');
  EXPECT_EQ(box.Text(), std::string("MIX") + kQing + "Q");
  // Without a window, so without the native edit's conversion, the box converts as well; the
  // text put in is the box's value, there once the window is made and has the focus.
  TcxTextEdit loose(nullptr);
  loose.Properties().SetCharCase(ecUpperCase);
  loose.SetText("x");
  loose.SetSelText("ab");
  EXPECT_EQ(loose.Text(), "ABX");
  loose.PasteFromClipboard();
  const std::string given = std::string("MIX") + kQing + "ABX";
  EXPECT_EQ(loose.Text(), given);
  loose.SetParent(form);
  loose.SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(WindowText(loose.InnerEdit()->Handle()), given);
  box.Properties().SetCharCase(ecLowerCase);
  box.SetText("QwE");

  box.Properties().SetEchoMode(eemPassword);
  EXPECT_EQ(SendMessageA(Inner(0), EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_EQ(box.Text(), "qwe");
  box.Properties().SetEchoMode(eemNormal);
  EXPECT_EQ(SendMessageA(Inner(0), EM_GETPASSWORDCHAR, 0, 0), 0);

  EXPECT_FALSE(box.Properties().IsMaxLengthStored());
  box.Properties().SetMaxLength(-5);
  EXPECT_EQ(box.Properties().MaxLength(), 0);
  EXPECT_TRUE(box.Properties().IsMaxLengthStored());
  box.Properties().SetMaxLength(2);
  EXPECT_EQ(SendMessageA(Inner(0), EM_GETLIMITTEXT, 0, 0), 2);
}

TEST_F(CxTextEdit, ARepositoryItemLendsItsPropertiesForAsLongAsTheBoxHasIt) {
  TcxTextEdit& box = *boxes[0];
  EXPECT_EQ(box.RepositoryItem(), nullptr);
  TcxEditRepositoryItem unsuitable(nullptr, std::make_unique<TcxCustomEditProperties>());
  box.SetRepositoryItem(&unsuitable);
  EXPECT_EQ(box.RepositoryItem(), nullptr);

  auto* item = new TcxEditRepositoryTextItem(form);
  item->Properties().SetCharCase(ecUpperCase);
  box.SetRepositoryItem(item);
  EXPECT_EQ(box.RepositoryItem(), item);
  box.SetText("ab");
  EXPECT_EQ(box.Text(), "AB");
  item->Properties().SetMaxLength(3);  // followed at once; the box's own stay as they were
  EXPECT_EQ(SendMessageA(Inner(0), EM_GETLIMITTEXT, 0, 0), 3);
  EXPECT_EQ(box.Properties().MaxLength(), 0);
  // Another box leaving the item, by going, leaves it whole.
  auto* other = new TcxTextEdit(form);
  other->SetParent(form);
  other->SetRepositoryItem(item);
  delete other;
  item->Properties().SetMaxLength(4);
  EXPECT_EQ(SendMessageA(Inner(0), EM_GETLIMITTEXT, 0, 0), 4);
  // The item gone, the box's own properties are back.
  delete item;
  EXPECT_EQ(box.RepositoryItem(), nullptr);
  EXPECT_NE(SendMessageA(Inner(0), EM_GETLIMITTEXT, 0, 0), 4);
  box.SetText("cd");
  EXPECT_EQ(box.Text(), "cd");
}

TEST_F(CxTextEdit, LeavingValidatesTypedTextAndAFailureKeepsTheFocus) {
  TcxTextEdit& box = *boxes[0];
  std::vector<std::string> errors;
  Application->SetErrorBoxHandler([&](HWND, const std::string& text, const std::string&) { errors.push_back(text); });
  std::vector<std::string> log;
  box.OnEnter = [&](TObject*) { log.push_back("enter"); };
  box.OnExit = [&](TObject*) { log.push_back("exit"); };
  box.OnFocusChanged = [&](TObject*) { log.push_back("focus"); };
  bool reject = true;
  int validations = 0;
  box.Properties().OnValidate = [&](TObject*, TcxEditValue& value, std::string& errorText, bool& error) {
    ++validations;
    EXPECT_EQ(errorText, "Invalid input value. Use escape key to abandon changes");
    error = reject && value == TcxEditValue("bad");
  };
  memo->SetFocus();
  log.clear();
  box.SetFocus();
  Application->ProcessMessages();
  Post(Inner(0), WM_KEYDOWN, 'B');
  Post(Inner(0), WM_KEYDOWN, 'A');
  Post(Inner(0), WM_KEYDOWN, 'D');
  memo->SetFocus();
  Application->ProcessMessages();
  Application->SetErrorBoxHandler(nullptr);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("Invalid input value. Use escape key to abandon changes"), std::string::npos);
  EXPECT_EQ(GetFocus(), Inner(0));
  EXPECT_EQ(box.EditValue(), TcxEditValue());  // still the old value

  // Validation on Enter when switched on.
  box.Properties().SetValidateOnEnter(true);
  Application->SetErrorBoxHandler([&](HWND, const std::string& text, const std::string&) { errors.push_back(text); });
  Post(Inner(0), WM_KEYDOWN, VK_RETURN);
  Application->SetErrorBoxHandler(nullptr);
  EXPECT_EQ(errors.size(), 2u);

  reject = false;
  memo->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(box.EditValue(), TcxEditValue("bad"));
  EXPECT_FALSE(box.EditedSinceEnter());
  EXPECT_EQ(log.front(), "enter");
  EXPECT_EQ(log.back(), "focus");
  EXPECT_NE(std::find(log.begin(), log.end(), "exit"), log.end());

  // Validated once, it validates and keeps a later edit again.
  const int before = validations;
  box.SetFocus();
  Application->ProcessMessages();
  Post(Inner(0), WM_KEYDOWN, VK_END);
  Post(Inner(0), WM_KEYDOWN, 'X');
  memo->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(validations, before + 1);
  EXPECT_EQ(box.EditValue(), TcxEditValue("badx"));

  // A text OnValidate rewrites on Enter is still the user's edit: Escape brings back the text
  // the box had on entering.
  box.Properties().OnValidate = [](TObject*, TcxEditValue& value, std::string&, bool&) { value = "ok"; };
  box.SetFocus();
  Application->ProcessMessages();
  Post(Inner(0), WM_KEYDOWN, 'Y');
  Post(Inner(0), WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(box.Text(), "ok");
  EXPECT_TRUE(box.EditedSinceEnter());
  Post(Inner(0), WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(box.Text(), "badx");
}

TEST_F(CxTextEdit, ClearShortcutDoubleClickAndRightAlignedTextDrawnByTheBox) {
  TcxTextEdit& box = *boxes[1];
  box.SetText("xy");
  box.Properties().SetClearKey(scCtrl | VK_DELETE);
  box.SetFocus();
  Application->ProcessMessages();
  {
    HeldKeys control{VK_CONTROL};
    Post(Inner(1), WM_KEYDOWN, VK_DELETE);
  }
  EXPECT_EQ(box.Text(), "");
  EXPECT_EQ(box.EditValue(), TcxEditValue());

  int doubleClicks = 0;
  box.OnDblClick = [&](TObject*) { ++doubleClicks; };
  SendMessageA(Inner(1), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(Inner(1), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  SendMessageA(box.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 1));
  SendMessageA(box.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(doubleClicks, 2);

  // Right-aligned and not focused: the inner edit is clipped away and the box draws the text.
  box.SetText("88");
  box.Properties().Alignment().SetHorz(taRightJustify);
  memo->SetFocus();
  Application->ProcessMessages();
  RECT clip{};
  EXPECT_EQ(GetWindowRgnBox(Inner(1), &clip), NULLREGION);
  TBitmap bitmap;
  bitmap.SetSize(box.Width(), box.Height());
  box.Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), 0);
  bool textOnTheRight = false;
  for (int y = 3; y < box.Height() - 3; ++y)
    if (bitmap.Pixel(box.Width() - 5, y) != ColorToRGB(clWindow)) textOnTheRight = true;
  EXPECT_TRUE(textOnTheRight);
  // A password is drawn as one echo character for each character, as the inner edit shows it.
  auto drawn = [&] {
    box.Perform(WM_PAINT, reinterpret_cast<WPARAM>(bitmap.Canvas().Handle()), 0);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < box.Height(); ++y)
      for (int x = 0; x < box.Width(); ++x) pixels.push_back(bitmap.Pixel(x, y));
    return pixels;
  };
  box.SetText("**");
  const std::vector<COLORREF> stars = drawn();
  box.SetText(std::string(kQing) + "8");
  box.Properties().SetEchoMode(eemPassword);
  EXPECT_EQ(drawn(), stars);
  box.Properties().SetEchoMode(eemNormal);
  EXPECT_NE(drawn(), stars);
  box.SetFocus();
  Application->ProcessMessages();
  EXPECT_NE(GetWindowRgnBox(Inner(1), &clip), NULLREGION);
}

TEST_F(CxTextEdit, TypingCompletesFromTheLookupItemsAndANewTextIsReported) {
  TcxTextEdit& box = *boxes[0];
  box.Properties().SetLookupItems({"Berlin", "Beijing"});
  box.Properties().SetLookupItemsSorted(true);
  EXPECT_EQ(box.Properties().LookupItems().front(), "Beijing");
  std::vector<std::string> newTexts;
  box.Properties().OnNewLookupDisplayText = [&](TObject*, const std::string& text) { newTexts.push_back(text); };
  box.SetText("");
  memo->SetFocus();
  box.SetFocus();
  Application->ProcessMessages();
  Post(Inner(0), WM_CHAR, 'b');
  EXPECT_EQ(box.Text(), "beijing");
  EXPECT_EQ(box.SelText(), "eijing");  // typing on replaces the completed part
  Post(Inner(0), WM_CHAR, 'e');
  Post(Inner(0), WM_CHAR, 'r');
  EXPECT_EQ(box.Text(), "berlin");
  Post(Inner(0), WM_KEYDOWN, VK_END);
  Post(Inner(0), WM_CHAR, 'x');
  EXPECT_EQ(box.Text(), "berlinx");
  memo->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(newTexts, (std::vector<std::string>{"berlinx"}));
}

namespace {
// "李" in code page 936: a lead byte and a trail byte.
const char* const kLi = "\xC0\xEE";
constexpr wchar_t kLiUnicode = 0x674E;

// Types one character as the system delivers it from an input method, an on-screen keyboard
// or a remote session: a key event that carries the character, not a key.
void TypeUnicode(wchar_t c) {
  INPUT in[2] = {};
  for (int i = 0; i < 2; ++i) {
    in[i].type = INPUT_KEYBOARD;
    in[i].ki.wScan = c;
    in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
  }
  SendInput(2, in, sizeof(INPUT));
}
}  // namespace

TEST_F(CxTextEdit, OneUndoTakesBackOnePasteCutOrClear) {
  TcxTextEdit& box = *boxes[0];
  box.SetText("abcd");
  box.SetFocus();
  Application->ProcessMessages();
  PutOnClipboard(form->Handle(), std::string("XY") + kQing);
  SendMessageA(Inner(0), EM_SETSEL, 4, 4);
  SendMessageA(Inner(0), WM_PASTE, 0, 0);
  EXPECT_EQ(box.Text(), std::string("abcdXY") + kQing);
  EXPECT_EQ(box.SelStart(), 8);  // the caret after the pasted text
  Post(Inner(0), WM_CHAR, 0x1A);  // Ctrl+Z
  EXPECT_EQ(box.Text(), "abcd");

  SendMessageA(Inner(0), EM_SETSEL, 1, 3);
  SendMessageA(box.Handle(), WM_CUT, 0, 0);
  EXPECT_EQ(box.Text(), "ad");
  Post(Inner(0), WM_CHAR, 0x1A);
  EXPECT_EQ(box.Text(), "abcd");

  SendMessageA(Inner(0), EM_SETSEL, 0, 1);
  SendMessageA(Inner(0), WM_CLEAR, 0, 0);
  EXPECT_EQ(box.Text(), "bcd");
  EXPECT_TRUE(SendMessageA(Inner(0), EM_CANUNDO, 0, 0));
  Post(Inner(0), WM_CHAR, 0x1A);
  EXPECT_EQ(box.Text(), "abcd");
}

TEST_F(CxTextEdit, ADoubleByteCharacterTypedInAnyFormLandsWhole) {
  TcxTextEdit& box = *boxes[0];
  int changes = 0;
  box.Properties().OnChange = [&](TObject*) { ++changes; };
  box.SetFocus();
  Application->ProcessMessages();
  ASSERT_EQ(GetFocus(), Inner(0));

  // Real key events that carry the character.
  TypeUnicode(kLiUnicode);
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !box.Text().empty(); }, 5000));
  EXPECT_EQ(box.Text(), kLi);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(box.EditedSinceEnter());
  // The lead byte and the trail byte as two characters.
  Post(Inner(0), WM_CHAR, 0xC0);
  EXPECT_EQ(box.Text(), kLi);  // nothing yet: the lead byte waits for its trail
  Post(Inner(0), WM_CHAR, 0xEE);
  EXPECT_EQ(box.Text(), std::string(kLi) + kLi);
  // The input method's one character, lead byte high.
  Post(Inner(0), WM_IME_CHAR, 0xC0EE);
  EXPECT_EQ(box.Text(), std::string(kLi) + kLi + kLi);
  // UTF-16 that reached the 8-bit window unconverted (sent: the message loop gives the window
  // every character from its queue in the program's code page).
  SendMessageA(Inner(0), WM_CHAR, kLiUnicode, 0);
  Application->ProcessMessages();
  EXPECT_EQ(box.Text(), std::string(kLi) + kLi + kLi + kLi);
  EXPECT_EQ(changes, 4);
  // Undone as typing is: the run of typed characters at once.
  Post(Inner(0), WM_CHAR, 0x1A);
  EXPECT_EQ(box.Text(), "");
  // A lead byte followed by no trail is dropped; what came instead counts. (Sent: the system
  // would join posted bytes on its own.)
  box.SetText(kLi);
  SendMessageA(Inner(0), EM_SETSEL, 2, 2);
  SendMessageA(Inner(0), WM_CHAR, 0xC0, 0);
  SendMessageA(Inner(0), WM_CHAR, '\b', 0);
  EXPECT_EQ(box.Text(), "");
  SendMessageA(Inner(0), WM_CHAR, 0xC0, 0);
  SendMessageA(Inner(0), WM_CHAR, '1', 0);
  EXPECT_EQ(box.Text(), "1");
}

TEST_F(CxTextEdit, TypedDoubleByteCharactersFollowTheBoxsRules) {
  TcxTextEdit& box = *boxes[0];
  box.Properties().SetCharCase(ecUpperCase);  // the inner window is made anew
  box.Properties().SetMaxLength(5);
  Application->ProcessMessages();
  box.SetFocus();
  Application->ProcessMessages();
  ASSERT_EQ(GetFocus(), Inner(0));
  Post(Inner(0), WM_CHAR, 'a');
  Post(Inner(0), WM_IME_CHAR, 0xC0EE);
  Post(Inner(0), WM_CHAR, 'b');
  EXPECT_EQ(box.Text(), std::string("A") + kLi + "B");

  // The maximum length counts bytes and never takes half a character.
  Post(Inner(0), WM_IME_CHAR, 0xC0EE);
  EXPECT_EQ(box.Text(), std::string("A") + kLi + "B");
  Post(Inner(0), WM_CHAR, 'c');
  EXPECT_EQ(box.Text(), std::string("A") + kLi + "BC");
  Post(Inner(0), WM_CHAR, 'd');
  EXPECT_EQ(box.Text(), std::string("A") + kLi + "BC");
  // In place of a selection it fits.
  SendMessageA(Inner(0), EM_SETSEL, 0, 1);
  Post(Inner(0), WM_CHAR, 0xC0);
  Post(Inner(0), WM_CHAR, 0xEE);
  EXPECT_EQ(box.Text(), std::string("A") + kLi + "BC");
  box.SetSelStart(3);
  box.SetSelLength(2);
  Post(Inner(0), WM_CHAR, 0xC0);
  Post(Inner(0), WM_CHAR, 0xEE);
  EXPECT_EQ(box.Text(), std::string("A") + kLi + kLi);

  // Read-only and a refusing OnEditing keep it out.
  box.Properties().SetReadOnly(true);
  const std::string before = box.Text();
  box.SetSelStart(0);
  Post(Inner(0), WM_IME_CHAR, 0xC0EE);
  EXPECT_EQ(box.Text(), before);
  box.Properties().SetReadOnly(false);
  box.Properties().SetMaxLength(0);
  int asked = 0;
  box.OnEditing = [&](TObject*, bool& canEdit) {
    ++asked;
    canEdit = false;
  };
  const std::string now = box.Text();
  Post(Inner(0), WM_IME_CHAR, 0xC0EE);
  EXPECT_EQ(box.Text(), now);
  EXPECT_EQ(asked, 1);

  // OnKeyPress sees the lead byte, then the trail byte; swallowing either drops both.
  box.OnEditing = nullptr;
  box.SetText("");
  std::vector<unsigned char> seen;
  char swallow = 0;
  box.OnKeyPress = [&](TObject*, char& key) {
    seen.push_back(static_cast<unsigned char>(key));
    if (key == swallow) key = 0;
  };
  Post(Inner(0), WM_IME_CHAR, 0xC0EE);
  EXPECT_EQ(box.Text(), kLi);
  EXPECT_EQ(seen, (std::vector<unsigned char>{0xC0, 0xEE}));
  for (char half : {'\xC0', '\xEE'}) {
    swallow = half;
    Post(Inner(0), WM_IME_CHAR, 0xC0EE);
    Post(Inner(0), WM_CHAR, 0xC0);
    Post(Inner(0), WM_CHAR, 0xEE);
    EXPECT_EQ(box.Text(), kLi);
  }
}

namespace {
// An entry box that keeps the text at each text-changed notification.
class TextWatchingEdit : public TcxTextEdit {
 public:
  using TcxTextEdit::TcxTextEdit;
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_TEXTCHANGED) texts.push_back(Text());
    TcxTextEdit::WndProc(m);
  }
  std::vector<std::string> texts;
};
}  // namespace

TEST_F(CxTextEdit, ATextSetFromOutsideIsAnnouncedOnce) {
  auto* box = new TextWatchingEdit(form);
  box->SetParent(form);
  box->HandleNeeded();
  box->SetText("a");
  EXPECT_EQ(box->texts, std::vector<std::string>{"a"});
  SendMessageA(box->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kQing));
  SetWindowTextA(box->Handle(), "c");
  EXPECT_EQ(box->texts, (std::vector<std::string>{"a", kQing, "c"}));
  EXPECT_EQ(box->Text(), "c");
}

TEST_F(CxTextEdit, TheCursorIsTheInnerEditsTooAndAGoneInnerEditIsForgotten) {
  TcxTextEdit& box = *boxes[0];
  box.SetCursor(-21);  // the hand
  EXPECT_EQ(box.InnerEdit()->Cursor(), -21);
  box.SetCursor(0);
  EXPECT_EQ(box.InnerEdit()->Cursor(), 0);

  box.SetFocus();
  Application->ProcessMessages();
  delete box.InnerEdit();
  EXPECT_EQ(box.HostedControl(), nullptr);
  EXPECT_EQ(box.InnerEdit(), nullptr);
  // The box goes on without it: keys, focus, painting and its own end.
  Post(box.Handle(), WM_KEYDOWN, 'A');
  box.SetFocus();
  box.SetCursor(-21);
  EXPECT_EQ(PaintedPixel(box, 0, 0), ColorToRGB(clBtnShadow));
  Application->ProcessMessages();
}

TEST_F(CxTextEdit, ATextSetByTheProgramClearsTheFlagsAndEscapeStillRestoresTheTextOnEntering) {
  TcxTextEdit& box = *boxes[0];
  box.SetText("old");
  memo->SetFocus();
  box.SetFocus();
  Application->ProcessMessages();
  Post(Inner(0), WM_KEYDOWN, 'X');
  // The program changes the text while the box has the focus, as the main window's press does.
  box.SetText(kQing);
  EXPECT_FALSE(box.EditedSinceEnter());
  EXPECT_FALSE(box.ValueDirty());
  Post(Inner(0), WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(box.Text(), kQing);  // nothing modified since: Escape leaves it
  Post(Inner(0), WM_KEYDOWN, VK_END);
  Post(Inner(0), WM_KEYDOWN, 'X');
  EXPECT_EQ(box.Text(), std::string(kQing) + "x");
  Post(Inner(0), WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(box.Text(), "old");
  EXPECT_EQ(box.SelText(), "old");
}

namespace {
// The window's input context: whether it has one and whether it is open.
struct ImeState {
  bool hasContext = false;
  bool open = false;
  bool operator==(const ImeState&) const = default;
};
// The input method library's functions, looked up as the program does (it does not link it).
struct Imm {
  Imm() {
    HMODULE library = LoadLibraryA("imm32.dll");
    auto find = [&](auto& f, const char* name) {
      f = reinterpret_cast<std::remove_reference_t<decltype(f)>>(
          reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
    };
    find(GetContext, "ImmGetContext");
    find(ReleaseContext, "ImmReleaseContext");
    find(GetOpenStatus, "ImmGetOpenStatus");
    find(SetOpenStatus, "ImmSetOpenStatus");
  }
  decltype(&::ImmGetContext) GetContext = nullptr;
  decltype(&::ImmReleaseContext) ReleaseContext = nullptr;
  decltype(&::ImmGetOpenStatus) GetOpenStatus = nullptr;
  decltype(&::ImmSetOpenStatus) SetOpenStatus = nullptr;
};
const Imm& TheImm() {
  static const Imm imm;
  return imm;
}
ImeState ImeOf(HWND window) {
  ImeState state;
  if (HIMC context = TheImm().GetContext(window)) {
    state.hasContext = true;
    state.open = TheImm().GetOpenStatus(context) != FALSE;
    TheImm().ReleaseContext(window, context);
  }
  return state;
}
void SetImeOpen(HWND window, bool open) {
  if (HIMC context = TheImm().GetContext(window)) {
    TheImm().SetOpenStatus(context, open);
    TheImm().ReleaseContext(window, context);
  }
}
}  // namespace

TEST_F(CxTextEdit, TheInputMethodTakesTheBoxsModeWhileItHasTheFocus) {
  TcxTextEdit& box = *boxes[0];
  EXPECT_EQ(box.ImeMode(), imDontCare);
  EXPECT_EQ(box.ImeName(), "");
  memo->SetFocus();
  Application->ProcessMessages();
  const HWND inner = Inner(0);
  ASSERT_TRUE(ImeOf(inner).hasContext);
  SetImeOpen(inner, true);

  // Don't care: the state stays as it was.
  box.SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(ImeOf(inner), (ImeState{true, true}));
  memo->SetFocus();
  Application->ProcessMessages();

  // Closed while focused, open again after.
  box.SetImeMode(imClose);
  EXPECT_EQ(ImeOf(inner), (ImeState{true, true}));  // not focused: nothing yet
  box.SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(ImeOf(inner), (ImeState{true, false}));
  memo->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(ImeOf(inner), (ImeState{true, true}));

  // Open while focused from closed; a change while focused applies at once.
  SetImeOpen(inner, false);
  box.SetImeMode(imOpen);
  box.SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(ImeOf(inner), (ImeState{true, true}));
  box.SetImeMode(imDisable);
  EXPECT_FALSE(ImeOf(inner).hasContext);
  box.SetImeMode(imDisable);  // the same value: nothing happens
  EXPECT_FALSE(ImeOf(inner).hasContext);
  // An input method that is not installed changes nothing.
  box.SetImeName("no such input method");
  EXPECT_FALSE(ImeOf(inner).hasContext);
  memo->SetFocus();
  Application->ProcessMessages();
  EXPECT_EQ(ImeOf(inner), (ImeState{true, false}));
}

TEST_F(CxTextEdit, ReadersHearTheBoxAndItsInnerEditAsOneEditableTextNamedByTheForm) {
  testing_support::ComApartment com;
  boxes[0]->SetText(kQing);
  boxes[0]->SetAccessibleName("\xB5\xDA" "1" "\xB8\xF6\xD7\xD6");  // 第1个字
  testing_support::EventRecorder events(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, GetCurrentProcessId());
  for (HWND window : {boxes[0]->Handle(), Inner(0)}) {
    testing_support::Accessible object = testing_support::Accessible::FromWindow(window);
    ASSERT_TRUE(object);
    EXPECT_EQ(object.Role(), ROLE_SYSTEM_TEXT);
    EXPECT_EQ(object.Name(), L"\u7B2C1\u4E2A\u5B57");
    EXPECT_EQ(object.Value(), L"\u8BF7");
    boxes[0]->Properties().SetReadOnly(true);
    EXPECT_EQ(object.State() & STATE_SYSTEM_READONLY, STATE_SYSTEM_READONLY);
    boxes[0]->Properties().SetReadOnly(false);
    EXPECT_EQ(object.State() & STATE_SYSTEM_READONLY, 0);
    // A password is not read out.
    boxes[0]->Properties().SetEchoMode(eemPassword);
    EXPECT_EQ(object.Value(), L"");
    boxes[0]->Properties().SetEchoMode(eemNormal);
  }
  boxes[0]->SetText("");
  EXPECT_TRUE(testing_support::PumpUntil([&] { return events.Has(EVENT_OBJECT_VALUECHANGE, Inner(0)); }));
}
