#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "controls/buttons/dxButtons.h"
#include "framework/ActnList.h"
#include "framework/Application.h"
#include "framework/ImgList.h"
#include "tests/controls/buttons/ButtonFixture.h"

using namespace button_tests;

namespace {

constexpr COLORREF kCorner = 0xAD9E7B;
constexpr COLORREF kDisabledFrame = 0xBDC7CE;
constexpr COLORREF kRed = 0x0000FF, kKey = 0xFFFFFF;

// "宋体" (the main window's face)
const char* const kSongTi = "\xCB\xCE\xCC\xE5";

bool IsInk(COLORREF c) { return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100; }
bool IsRed(COLORREF c) { return c == kRed; }

// First and last column, and first and last row, of the pixels inside the frame that match (with
// an inset of 0, of all the pixels).
struct Extent {
  int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
  bool Found() const { return left <= right; }
};
Extent Find(TBitmap& bitmap, const std::function<bool(COLORREF)>& match, int inset = 1) {
  Extent e;
  for (int y = inset; y < bitmap.Height() - inset; ++y)
    for (int x = inset; x < bitmap.Width() - inset; ++x)
      if (match(bitmap.Pixel(x, y))) {
        e = {std::min(e.left, x), std::max(e.right, x), std::min(e.top, y), std::max(e.bottom, y)};
      }
  return e;
}
Extent Find(TdxButton& button, const std::function<bool(COLORREF)>& match) {
  TBitmap bitmap;
  PaintInto(button, bitmap);
  return Find(bitmap, match);
}

// The caption's lines: one extent for each band of rows inside the frame that holds ink.
std::vector<Extent> Lines(TBitmap& bitmap) {
  std::vector<Extent> lines;
  bool previous = false;
  for (int y = 1; y < bitmap.Height() - 1; ++y) {
    bool ink = false;
    for (int x = 1; x < bitmap.Width() - 1; ++x) {
      if (!IsInk(bitmap.Pixel(x, y))) continue;
      if (!ink && !previous) lines.push_back({});
      Extent& e = lines.back();
      e = {std::min(e.left, x), std::max(e.right, x), std::min(e.top, y), std::max(e.bottom, y)};
      ink = true;
    }
    previous = ink;
  }
  return lines;
}

COLORREF PaintedPixel(TdxButton& button, int x, int y) {
  TBitmap bitmap;
  PaintInto(button, bitmap);
  return bitmap.Pixel(x, y);
}

// The gradients' colour families: the face runs from white to 0xE7EBEF, the hot ring from
// 0xCEF3FF to orange 0x0096E7, the focus ring from 0xFFE7CE to blue 0xEF846D.
bool IsFace(COLORREF c) { return GetRValue(c) >= 0xEF && GetGValue(c) >= 0xEB && GetBValue(c) >= 0xE7; }
bool IsHotRing(COLORREF c) { return GetRValue(c) >= 0xE7 && GetBValue(c) <= 0xCE; }
bool IsFocusRing(COLORREF c) { return GetRValue(c) <= 0xCE && GetBValue(c) >= 0xEF; }

// A lit button's ring: on all four sides the two pixels inside the frame are the ring's, the third
// the face's (the corners aside, where the frame rounds).
void ExpectRing(TdxButton& button, const std::function<bool(COLORREF)>& ring) {
  TBitmap b;
  PaintInto(button, b);
  const int w = b.Width(), h = b.Height();
  int wrong = 0;
  auto expect = [&](int x, int y, bool inRing) {
    const COLORREF c = b.Pixel(x, y);
    if ((inRing ? ring(c) : IsFace(c)) || ++wrong > 5) return;
    ADD_FAILURE() << "at " << x << "," << y << ": " << std::hex << c << (inRing ? " is not the ring's" : " is not the face's");
  };
  for (int x = 3; x < w - 3; ++x) {
    for (int y : {1, 2, h - 3, h - 2}) expect(x, y, true);
    for (int y : {3, h - 4}) expect(x, y, false);
  }
  for (int y = 3; y < h - 3; ++y) {
    for (int x : {1, 2, w - 3, w - 2}) expect(x, y, true);
    for (int x : {3, w - 4}) expect(x, y, false);
  }
  EXPECT_EQ(wrong, 0);
}

// A red square on a white ground; white, the bottom-left pixel's colour, is drawn transparent.
void MakeGlyph(TBitmap& glyph, int size = 8) {
  glyph.SetSize(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) glyph.SetPixel(x, y, x == 0 || y == size - 1 ? kKey : kRed);
}

}  // namespace

using DxButton = ButtonFixture;

TEST_F(DxButton, StartsWithItsDefaultsAsATabStopWindowOfItsOwnClass) {
  char name[64] = {};
  GetClassNameA(button->Handle(), name, sizeof name);
  EXPECT_STREQ(name, "TdxButton");
  EXPECT_TRUE(GetWindowLongPtrA(button->Handle(), GWL_STYLE) & WS_TABSTOP);
  // No double clicks: a fast second press is a second click.
  EXPECT_FALSE(GetClassLongPtrA(button->Handle(), GCL_STYLE) & CS_DBLCLKS);
  TdxButton b(nullptr);
  EXPECT_TRUE(b.Width() == 73 && b.Height() == 21 && b.TabStop() && b.RedrawTriggers() == 0x037D);
  EXPECT_TRUE(b.AutoGray() && b.ShowAccelChar() && b.SmoothEdges() && b.WordWrap() && b.Glyph().Empty());
  EXPECT_FALSE(b.Cancel() || b.Default() || b.ShowFocusRect() || b.Action() || b.StyleManager());
  EXPECT_TRUE(b.Layout() == blGlyphLeft && b.Spacing() == 3 && b.ModalResult() == mrNone && b.ImageIndex() == -1);
}

TEST_F(DxButton, SettersRepaintOnlyOnAChangeAndNotWhileLocked) {
  TBitmap glyph;
  MakeGlyph(glyph);
  // Each sets a new value, then the same one again.
  const std::vector<std::pair<const char*, std::function<void()>>> setters = {
      {"AutoGray", [&] { button->SetAutoGray(false); }},
      {"Layout", [&] { button->SetLayout(blGlyphTop); }},
      {"ShowAccelChar", [&] { button->SetShowAccelChar(false); }},
      {"ShowFocusRect", [&] { button->SetShowFocusRect(true); }},
      {"SmoothEdges", [&] { button->SetSmoothEdges(false); }},
      {"Spacing", [&] { button->SetSpacing(5); }},
      {"WordWrap", [&] { button->SetWordWrap(false); }},
  };
  TakeRepaint(*button);
  for (const auto& [name, set] : setters) {
    set();
    EXPECT_TRUE(TakeRepaint(*button)) << name;
    set();
    EXPECT_FALSE(TakeRepaint(*button)) << name << " again";
  }
  button->SetGlyph(glyph);
  EXPECT_TRUE(TakeRepaint(*button));
  button->SetGlyph(glyph);
  EXPECT_TRUE(TakeRepaint(*button)) << "the glyph is copied and repainted every time";
  button->SetCancel(true);
  button->SetModalResult(mrOk);
  EXPECT_FALSE(TakeRepaint(*button)) << "Cancel and ModalResult do not show";
  button->LockRedraw();
  button->SetAutoGray(true);
  button->SetGlyph(glyph);
  EXPECT_FALSE(TakeRepaint(*button));
  button->UnlockRedraw();
}

TEST_F(DxButton, MouseClicksOnlyWhenReleasedInside) {
  Press(button);
  EXPECT_TRUE(button->VisualState() & vsPressed);
  EXPECT_TRUE(button->Focused());  // a press takes the focus
  Release(button, 12, 8);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button->VisualState() & vsPressed);

  Press(button);
  Release(button, 100, 10);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button->VisualState() & vsPressed);

  SendMessageA(button->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  SendMessageA(button->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(clicks, 1);
}

TEST_F(DxButton, APressEndsWithoutAClickWhenTheCaptureIsTakenAway) {
  Press(button);
  ASSERT_EQ(GetCapture(), button->Handle());
  // A failure report releases the capture mid-press.
  Application->SetErrorBoxHandler([](HWND, const std::string&, const std::string&) {});
  Application->HandleException("Broken");
  Application->SetErrorBoxHandler(nullptr);
  EXPECT_FALSE(button->VisualState() & vsPressed);
  EXPECT_FALSE(button->Clicking());
  Release(button);
  EXPECT_EQ(clicks, 0);
}

// Releasing any key while the mouse holds the button down clicks it; the mouse release that
// follows must not click it a second time.
TEST_F(DxButton, OnePressOneClickWhenAKeyIsReleasedWhileTheMouseHoldsTheButton) {
  Press(button);
  Post(button->Handle(), WM_KEYUP, VK_SHIFT, 0xC0000001);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button->VisualState() & vsPressed);
  EXPECT_FALSE(button->Clicking());
  EXPECT_NE(GetCapture(), button->Handle());
  Release(button);
  EXPECT_EQ(clicks, 1);

  // The other way round: the mouse clicks, the key released afterwards does not.
  Focus(button);
  Post(button->Handle(), WM_KEYDOWN, VK_SPACE);
  Press(button);
  Release(button);
  EXPECT_EQ(clicks, 2);
  Post(button->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_EQ(clicks, 2);
}

TEST_F(DxButton, SpaceClicksOnReleaseAndEnterClicksTheFocusedButton) {
  Focus(button);
  {
    HeldKeys shift{VK_SHIFT};
    Post(button->Handle(), WM_KEYDOWN, VK_SPACE);
    EXPECT_FALSE(button->VisualState() & vsPressed) << "Shift+Space is not a press";
  }
  Post(button->Handle(), WM_KEYDOWN, VK_SPACE);
  EXPECT_EQ(button->VisualState() & (vsPressed | vsHot), vsPressed | vsHot);
  EXPECT_FALSE(button->IsLit(true)) << "the pressed look";
  EXPECT_EQ(clicks, 0);
  Post(button->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button->VisualState() & vsPressed);

  Post(button->Handle(), WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(clicks, 2);

  // Enter while space holds the button down: one press, one click.
  Post(button->Handle(), WM_KEYDOWN, VK_SPACE);
  Post(button->Handle(), WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(clicks, 3);
  EXPECT_FALSE(button->VisualState() & vsPressed);
  Post(button->Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
  Post(button->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_EQ(clicks, 3);

  Focus(other);
  EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_RETURN), 0) << "neither focused nor default";
  EXPECT_EQ(clicks, 3);
}

TEST_F(DxButton, EnterClicksADefaultButtonOnlyWhileNoFamilyControlIsFocused) {
  button->SetDefault(true);
  Focus(other);
  EXPECT_TRUE(button->IsLit(false));
  EXPECT_FALSE(button->IsLit(true));
  EXPECT_EQ(PaintedPixel(*button, 36, 1), kFocusTop) << "a default button shows the focus ring";
  EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_RETURN), 1);
  {
    HeldKeys modifiers{VK_SHIFT, VK_CONTROL, VK_MENU};
    EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_RETURN), 1) << "whatever modifiers are held";
  }
  EXPECT_EQ(clicks, 2);

  Focus(second);
  EXPECT_FALSE(button->IsLit(false));
  EXPECT_EQ(PaintedPixel(*button, 36, 1), kFaceTop);
  EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_RETURN), 1);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(secondClicks, 1) << "the focused member of the family takes Enter";

  button->SetEnabled(false);
  Focus(other);
  EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_RETURN), 0) << "a disabled default button";
  EXPECT_FALSE(button->IsLit(false));
}

TEST_F(DxButton, EscapeClicksACancelButtonOnlyWithoutModifiers) {
  Focus(other);
  EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_ESCAPE), 0);
  button->SetCancel(true);
  for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
    HeldKeys held{key};
    EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_ESCAPE), 0) << key;
  }
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(form->Perform(CM_DIALOGKEY, VK_ESCAPE), 1);
  EXPECT_EQ(clicks, 1);
}

TEST_F(DxButton, ChangingDefaultRepaintsEveryFamilyControlOfTheForm) {
  Focus(other);
  TakeRepaint(*button);
  TakeRepaint(*second);
  button->SetDefault(true);
  EXPECT_TRUE(TakeRepaint(*button));
  EXPECT_TRUE(TakeRepaint(*second));
  button->SetDefault(true);
  EXPECT_FALSE(TakeRepaint(*button) || TakeRepaint(*second));
  TdxButton loose(nullptr);
  loose.SetDefault(true);  // no form: only stored
  EXPECT_TRUE(loose.Default());
}

TEST_F(DxButton, AcceleratorNeedsAltUnlessTheButtonIsFocused) {
  button->SetCaption("&Go");
  Focus(other);
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'g', 0), 0);
  EXPECT_EQ(clicks, 0);
  {
    HeldKeys alt{VK_MENU};
    EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'g', 0), 1);
  }
  EXPECT_EQ(clicks, 1);
  Focus(button);
  Post(button->Handle(), WM_CHAR, 'G');  // plain G on the focused button
  EXPECT_EQ(clicks, 2);
  Post(button->Handle(), WM_CHAR, 'x');
  EXPECT_EQ(clicks, 2);
  // With space holding the button down, the accelerator clicks once and ends the press: the keys'
  // releases click no more.
  Post(button->Handle(), WM_KEYDOWN, VK_SPACE);
  Post(button->Handle(), WM_CHAR, 'g');
  EXPECT_EQ(clicks, 3);
  Post(button->Handle(), WM_KEYUP, 'G', 0xC0000001);
  Post(button->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
  EXPECT_EQ(clicks, 3);

  // A button that cannot take the focus does not answer its accelerator.
  Focus(other);
  HeldKeys alt{VK_MENU};
  button->SetEnabled(false);
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'g', 0), 0);
  button->SetEnabled(true);
  button->Hide();
  EXPECT_EQ(form->Perform(CM_DIALOGCHAR, 'g', 0), 0);
  EXPECT_EQ(clicks, 3);
}

TEST_F(DxButton, ARestingButtonOnScreenHasTheRoundedFrameAroundTheFullFace) {
  Focus(other);
  TBitmap shot;
  Screenshot(*button, shot);
  const int w = button->Width(), h = button->Height();
  const COLORREF parent = ColorToRGB(form->Color());
  EXPECT_EQ(shot.Pixel(0, 0), parent);
  EXPECT_EQ(shot.Pixel(w - 1, h - 1), parent);
  EXPECT_EQ(shot.Pixel(0, 1), kCorner) << "the softened corner";
  for (int x : {3, w / 2, w - 4}) {
    EXPECT_EQ(shot.Pixel(x, 0), kFrame) << x;
    EXPECT_EQ(shot.Pixel(x, h - 1), kFrame) << x;
    EXPECT_EQ(shot.Pixel(x, 1), kFaceTop) << x;
  }
  EXPECT_EQ(shot.Pixel(0, h / 2), kFrame);
  EXPECT_EQ(shot.Pixel(w - 1, h / 2), kFrame);
  // The face fills all 71 x 19 pixels inside the frame: each row one colour, lighter at the top.
  for (int y : {2, h - 3})
    for (int x = 1; x < w - 1; ++x) ASSERT_EQ(shot.Pixel(x, y), shot.Pixel(w / 2, y)) << x << "," << y;
  EXPECT_GT(GetBValue(shot.Pixel(1, 2)), GetBValue(shot.Pixel(1, h - 3)));
  const Extent caption = Find(shot, IsInk);
  ASSERT_TRUE(caption.Found());
  EXPECT_LE(std::abs(caption.left - (w - 1 - caption.right)), 2);
  EXPECT_LE(std::abs(caption.top - (h - 1 - caption.bottom)), 3);

  // Twice as tall, the face shows its last bands: it ends in light grey 0xE7EBEF.
  button->SetBounds(10, 10, w, 2 * h);
  TBitmap tall;
  PaintInto(*button, tall);
  for (int x = 1; x < w - 1; ++x) {
    ASSERT_EQ(tall.Pixel(x, 1), 0xFFFFFFu) << x;
    ASSERT_EQ(tall.Pixel(x, 2 * h - 2), 0xE7EBEFu) << x;
  }
}

TEST_F(DxButton, StatesShowAsRingsAndFaces) {
  const int mid = button->Width() / 2;
  Focus(other);
  const Extent resting = Find(*button, IsInk);
  button->Perform(CM_MOUSEENTER);
  EXPECT_EQ(PaintedPixel(*button, mid, 1), kHotTop);   // orange ring ...
  EXPECT_EQ(PaintedPixel(*button, mid, 3), kFaceTop);  // ... around the face, 3 pixels in
  ExpectRing(*button, IsHotRing);

  Press(button);
  EXPECT_EQ(PaintedPixel(*button, mid, 1), kPressedTop);
  const Extent pressed = Find(*button, IsInk);
  EXPECT_EQ(pressed.left, resting.left + 1) << "the caption moves right and down while pressed";
  EXPECT_EQ(pressed.top, resting.top + 1);
  button->Perform(CM_MOUSELEAVE);  // dragged outside while held: blue ring, caption back
  EXPECT_EQ(PaintedPixel(*button, mid, 1), kFocusTop);
  EXPECT_EQ(Find(*button, IsInk).left, resting.left);
  Release(button, 100, 10);

  EXPECT_EQ(PaintedPixel(*button, mid, 1), kFocusTop);  // focused, not hot
  ExpectRing(*button, IsFocusRing);
  TBitmap plain, dotted;
  PaintInto(*button, plain);
  button->SetShowFocusRect(true);
  PaintInto(*button, dotted);
  int differing = 0;
  for (int x = 3; x < button->Width() - 3; ++x) differing += plain.Pixel(x, 3) != dotted.Pixel(x, 3);
  EXPECT_GT(differing, 10) << "the dotted focus rectangle on row 3";
  button->SetShowFocusRect(false);

  // With 97 rows inside the frame the last of the 64 bands has a row past its dithered first one:
  // the rings end in their lower colours.
  button->SetBounds(10, 10, 73, 99);
  EXPECT_EQ(PaintedPixel(*button, mid, 97), 0xEF846Du);  // blue
  button->Perform(CM_MOUSEENTER);
  EXPECT_EQ(PaintedPixel(*button, mid, 97), 0x0096E7u);  // orange
  button->Perform(CM_MOUSELEAVE);
  Focus(other);
  EXPECT_EQ(PaintedPixel(*button, mid, 1), kFaceTop);
}

// A lit button resized gets gradients of the lit size; unlit afterwards, the face must still
// fill everything inside the frame.
TEST_F(DxButton, AButtonResizedWhileLitLeavesNoStripUnfilled) {
  Focus(button);
  button->SetBounds(10, 10, 101, 31);
  Focus(other);
  TBitmap bitmap;
  PaintInto(*button, bitmap);
  const COLORREF parent = ColorToRGB(form->Color());
  for (int y = 2; y < 29; ++y) EXPECT_NE(bitmap.Pixel(99, y), parent) << y;
  for (int x = 2; x < 99; ++x) EXPECT_NE(bitmap.Pixel(x, 29), parent) << x;
  EXPECT_EQ(bitmap.Pixel(99, 1), kFaceTop);
}

// The face, its gradients and the centred caption depend on the size: all of it is repainted,
// when the button grows and when it shrinks, not only what the system uncovers.
TEST_F(DxButton, AButtonResizedBySetBoundsRepaintsAllOfItself) {
  Focus(other);
  auto wholeRepaint = [&] {
    RECT r{};
    GetUpdateRect(button->Handle(), &r, FALSE);
    ValidateRect(button->Handle(), nullptr);
    return r.left == 0 && r.top == 0 && r.right == button->Width() && r.bottom == button->Height();
  };
  ValidateRect(button->Handle(), nullptr);
  button->SetBounds(10, 10, 90, 25);
  EXPECT_TRUE(wholeRepaint());
  button->SetBounds(10, 10, 60, 19);
  EXPECT_TRUE(wholeRepaint());
  button->SetBounds(12, 10, 60, 19);  // moved only: the window's content moves along
  EXPECT_FALSE(TakeRepaint(*button));
}

// Right-to-left reading puts a closing mark before the words, as the platform orders it; the
// reading order is the parent's until the button is given its own.
TEST_F(DxButton, RightToLeftReadingOrdersTheCaptionAndFollowsTheParent) {
  Focus(other);
  EXPECT_EQ(button->BiDiMode(), bdLeftToRight);
  TBitmap markFirst, rightToLeft, leftToRight;
  button->SetCaption("!ab");
  PaintInto(*button, markFirst);
  button->SetCaption("ab!");
  PaintInto(*button, leftToRight);
  button->SetBiDiMode(bdRightToLeftReadingOnly);
  EXPECT_FALSE(button->ParentBiDiMode());
  PaintInto(*button, rightToLeft);
  auto same = [](TBitmap& a, TBitmap& b) {
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x)
        if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    return true;
  };
  EXPECT_FALSE(same(markFirst, leftToRight));
  EXPECT_TRUE(same(markFirst, rightToLeft));

  form->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(second->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(button->BiDiMode(), bdRightToLeftReadingOnly);
  button->SetParentBiDiMode(true);
  EXPECT_EQ(button->BiDiMode(), bdRightToLeft);
}

TEST_F(DxButton, CaptionIsCentredInTheButtonsOwnFont) {
  form->Font().SetName(kSongTi);
  form->Font().SetHeight(-13);
  button->SetCaption("Start");
  const Extent regular = Find(*button, IsInk);
  ASSERT_TRUE(regular.Found());
  EXPECT_LE(std::abs(regular.left - (button->Width() - 1 - regular.right)), 2);
  button->Font().SetStyle(fsBold);  // a bold font of its own, as the start button has
  EXPECT_FALSE(button->ParentFont());
  const Extent bold = Find(*button, IsInk);
  EXPECT_GT(bold.right - bold.left, regular.right - regular.left);
}

TEST_F(DxButton, CaptionsWrapAndEndInAnEllipsisWhenTheyDoNotFit) {
  button->SetBounds(10, 10, 73, 60);
  button->SetCaption("Wrap this caption");
  TBitmap bitmap;
  PaintInto(*button, bitmap);
  EXPECT_EQ(Lines(bitmap).size(), 2u);
  button->SetWordWrap(false);
  PaintInto(*button, bitmap);
  EXPECT_EQ(Lines(bitmap).size(), 1u);

  // One word longer than the button: cut short with an ellipsis that ends inside the frame. Looked
  // for over the frame's columns too: a caption running over the edges shows there.
  button->SetWordWrap(true);
  button->SetCaption("Incomprehensibilities");
  const int w = button->Width();
  PaintInto(*button, bitmap);
  const Extent cut = Find(bitmap, IsInk, 0);
  ASSERT_TRUE(cut.Found());
  EXPECT_GE(cut.left, 1);
  EXPECT_LE(cut.right, w - 2);
  EXPECT_GE(cut.right, w - 12);
  EXPECT_EQ(bitmap.Pixel(w - 1, 30), kFrame);
  // The ellipsis: the last three runs of inked columns are dots, low and on one row.
  std::vector<Extent> runs;
  for (int x = 1; x < w - 1; ++x) {
    Extent column;
    for (int y = 1; y < bitmap.Height() - 1; ++y)
      if (IsInk(bitmap.Pixel(x, y))) column = {x, x, std::min(column.top, y), std::max(column.bottom, y)};
    if (!column.Found()) continue;
    if (runs.empty() || runs.back().right != x - 1) {
      runs.push_back(column);
    } else {
      runs.back() = {runs.back().left, x, std::min(runs.back().top, column.top), std::max(runs.back().bottom, column.bottom)};
    }
  }
  ASSERT_GE(runs.size(), 4u);
  for (std::size_t i = runs.size() - 3; i < runs.size(); ++i) {
    EXPECT_LE(runs[i].bottom - runs[i].top, 1) << "run " << i << " is no dot";
    EXPECT_EQ(runs[i].bottom, runs.back().bottom);
  }
  EXPECT_GT(runs[runs.size() - 4].bottom - runs[runs.size() - 4].top, 2) << "a letter before the dots";
}

// Where glyph and caption go is worked out (and tested) as pure geometry; here they are drawn.
TEST_F(DxButton, GlyphsAreDrawnTransparentBesideOrAboveTheCaption) {
  TBitmap glyph;
  MakeGlyph(glyph);
  button->SetBounds(10, 10, 90, 50);
  button->SetGlyph(glyph);
  const int h = button->Height(), s = button->Spacing();
  const Extent leftGlyph = Find(*button, IsRed);
  const Extent leftText = Find(*button, IsInk);
  ASSERT_TRUE(leftGlyph.Found() && leftText.Found());
  EXPECT_EQ(leftGlyph.right - leftGlyph.left, 6) << "the white column and row are transparent";
  EXPECT_EQ(PaintedPixel(*button, leftGlyph.left - 1, 10), PaintedPixel(*button, leftGlyph.left - 3, 10));
  EXPECT_GE(leftText.left - leftGlyph.right - 1, s);

  // On the right the caption ends where the glyph begins, Spacing pixels before it.
  button->SetLayout(blGlyphRight);
  const Extent rightGlyph = Find(*button, IsRed);
  const int gap = rightGlyph.left - 1 - Find(*button, IsInk).right - 1;
  EXPECT_GE(gap, s);
  EXPECT_LE(gap, s + 2);
  EXPECT_EQ(rightGlyph.top, leftGlyph.top);
  // Wrapped onto two lines of different lengths, the caption is right-aligned: the lines end at
  // one column and begin at different ones.
  const std::string caption = "Wrapping caption x";
  button->SetCaption(caption);
  // Beside the glyph, room for all but the last pixel of the caption.
  button->SetBounds(10, 10, MeasureText(button->Font(), caption).cx - 1 + 8 + s, 50);
  TBitmap wrapped;
  PaintInto(*button, wrapped);
  const std::vector<Extent> lines = Lines(wrapped);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_LE(std::abs(lines[1].right - lines[0].right), 1);
  EXPECT_GE(std::abs(lines[1].left - lines[0].left), 4);
  button->SetCaption("Go");
  button->SetBounds(10, 10, 90, 50);

  // An empty caption still measures one line: the glyph stays above where that line would be.
  button->SetLayout(blGlyphTop);
  button->SetCaption("");
  const int lineHeight = MeasureText(button->Font(), " ").cy;
  EXPECT_EQ(Find(*button, IsRed).top, (h - (8 + s + lineHeight)) / 2);
}

TEST_F(DxButton, ADisabledButtonGreysItsGlyphAndEmbossesItsCaption) {
  TBitmap glyph;
  MakeGlyph(glyph);
  button->SetBounds(10, 10, 90, 30);
  button->SetGlyph(glyph);
  TakeRepaint(*button);
  button->SetEnabled(false);
  EXPECT_TRUE(TakeRepaint(*button)) << "disabling repaints at once";
  const COLORREF grey = RGB(185, 185, 185);  // (255 + 0 + 0) div 3 + 100
  EXPECT_FALSE(Find(*button, IsRed).Found());
  const Extent greyGlyph = Find(*button, [&](COLORREF c) { return c == grey; });
  EXPECT_EQ(greyGlyph.right - greyGlyph.left, 6);
  EXPECT_FALSE(Find(*button, [](COLORREF c) { return c == 0; }).Found()) << "no black caption";
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  TBitmap bitmap;
  PaintInto(*button, bitmap);
  const Extent upper = Find(bitmap, [&](COLORREF c) { return c == shadow; });
  ASSERT_TRUE(upper.Found());
  // The face is pure white only in its top rows: below them, white is the lower copy.
  Extent lower;
  for (int y = 5; y < bitmap.Height() - 1; ++y)
    for (int x = 1; x < bitmap.Width() - 1; ++x)
      if (bitmap.Pixel(x, y) == highlight)
        lower = {std::min(lower.left, x), std::max(lower.right, x), std::min(lower.top, y), std::max(lower.bottom, y)};
  ASSERT_TRUE(lower.Found());
  EXPECT_EQ(lower.right, upper.right + 1);
  EXPECT_EQ(lower.bottom, upper.bottom + 1);
  EXPECT_EQ(PaintedPixel(*button, 45, 0), kDisabledFrame);
  EXPECT_EQ(PaintedPixel(*button, 0, 1), kDisabledFrame);

  button->SetAutoGray(false);
  EXPECT_TRUE(Find(*button, IsRed).Found());
}

TEST_F(DxButton, AnActionGivesCaptionClickAndImageFromItsListsImages) {
  TImageList images(nullptr);
  images.SetSize(8, 8);
  TBitmap red, blue;
  MakeGlyph(red);
  blue.SetSize(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) blue.SetPixel(x, y, x == 0 || y == 7 ? kKey : 0xFF0000);
  images.Add(red);
  images.Add(blue);
  TActionList list(nullptr);
  list.SetImages(&images);
  TAction action(nullptr);
  action.SetActionList(&list);
  action.SetCaption("Act");
  action.SetImageIndex(1);
  int executed = 0;
  action.OnExecute = [&](TObject*) { ++executed; };

  button->OnClick = nullptr;
  button->SetBounds(10, 10, 90, 30);
  button->SetAction(&action);
  EXPECT_EQ(button->Caption(), "Act");
  EXPECT_EQ(button->ImageIndex(), 1);
  auto isBlue = [](COLORREF c) { return c == 0xFF0000; };
  EXPECT_TRUE(Find(*button, isBlue).Found());
  button->Click();
  EXPECT_EQ(executed, 1);

  TakeRepaint(*button);
  action.SetImageIndex(0);
  EXPECT_EQ(button->ImageIndex(), 0);
  EXPECT_TRUE(TakeRepaint(*button));
  EXPECT_TRUE(Find(*button, IsRed).Found());

  // The list loses the image: none is drawn, and the glyph shows instead.
  TBitmap glyph;
  MakeGlyph(glyph);
  for (int y = 1; y < 7; ++y)
    for (int x = 1; x < 8; ++x) glyph.SetPixel(x, y, 0x00FFFF);
  button->SetGlyph(glyph);
  images.Delete(1);
  EXPECT_EQ(button->ImageIndex(), 0);
  images.Delete(0);
  EXPECT_EQ(button->ImageIndex(), -1);
  EXPECT_TRUE(Find(*button, [](COLORREF c) { return c == 0x00FFFF; }).Found());

  button->SetAction(nullptr);
  EXPECT_TRUE(TakeRepaint(*button)) << "the link going repaints the button";
  button->Click();
  EXPECT_EQ(executed, 1);
}

TEST_F(DxButton, TenThousandRepaintsThroughEveryStateLeaveNoObjectBehind) {
  TBitmap glyph;
  MakeGlyph(glyph);
  button->SetGlyph(glyph);
  button->Repaint();
  const long before = gdi::LiveObjects();
  for (int i = 0; i < 10000; ++i) {
    switch (i % 4) {
      case 0: button->Perform(CM_MOUSEENTER); break;
      case 1: Press(button); break;
      case 2: Release(button); break;
      case 3: button->Perform(CM_MOUSELEAVE); break;
    }
    button->Repaint();
  }
  EXPECT_EQ(clicks, 2500);
  EXPECT_EQ(gdi::LiveObjects(), before);
}

// ---------------------------------------------------------------------------------------------

TEST(FillGradientBitmap, RunsInEachDirectionAndRepeatsTheDitherStrip) {
  TBitmap b;
  const TColor from = 0x000000, to = 0x0000FF;  // black to red
  FillGradientBitmap(64, 40, from, to, 64, 0, false, b);
  EXPECT_EQ(b.Pixel(0, 0), 0u);
  EXPECT_EQ(b.Pixel(63, 39), 0x0000FFu);
  EXPECT_EQ(b.Pixel(10, 0), b.Pixel(10, 39));
  FillGradientBitmap(64, 40, from, to, 64, 2, false, b);
  EXPECT_EQ(b.Pixel(0, 5), 0x0000FFu) << "right to left";
  EXPECT_EQ(b.Pixel(63, 5), 0u);
  FillGradientBitmap(30, 64, from, to, 64, 1, false, b);
  EXPECT_EQ(b.Pixel(5, 0), 0u);
  EXPECT_EQ(b.Pixel(5, 63), 0x0000FFu);
  FillGradientBitmap(30, 64, from, to, 64, 3, false, b);
  EXPECT_EQ(b.Pixel(5, 0), 0x0000FFu) << "bottom to top";
  EXPECT_EQ(b.Pixel(29, 63), 0u);
  FillGradientBitmap(50, 21, clBtnFace, clBtnFace, 64, 1, true, b);
  EXPECT_EQ(b.Pixel(49, 20), GetSysColor(COLOR_BTNFACE)) << "system colours resolved";

  // Dithered across the width: rows 16 onwards repeat rows 0 to 15.
  FillGradientBitmap(300, 40, from, to, 16, 0, true, b);
  for (int y = 16; y < 40; ++y)
    for (int x = 0; x < 300; x += 7) ASSERT_EQ(b.Pixel(x, y), b.Pixel(x, y % 16)) << x << "," << y;
  // Down the height every row is one colour.
  FillGradientBitmap(40, 300, from, to, 16, 1, true, b);
  for (int y = 0; y < 300; y += 5) ASSERT_EQ(b.Pixel(39, y), b.Pixel(0, y)) << y;
}

TEST(GrayGlyph, BrightensEveryPixelToGrey) {
  TBitmap b;
  b.SetSize(2, 1);
  b.SetPixel(0, 0, RGB(30, 60, 90));
  b.SetPixel(1, 0, RGB(250, 250, 250));
  GrayGlyph(b);
  EXPECT_EQ(b.Pixel(0, 0), RGB(160, 160, 160));
  EXPECT_EQ(b.Pixel(1, 0), RGB(255, 255, 255));
}
