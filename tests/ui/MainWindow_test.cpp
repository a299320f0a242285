#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <windowsx.h>

#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Exception.h"
#include "framework/ExtCtrls.h"
#include "naming/CombineNames.h"
#include "tests/support/Density.h"
#include "tests/support/Input.h"
#include "tests/support/Reader.h"
#include "tests/ui/MainWindowFixture.h"
#include "ui/Texts.h"
#include "ui/Uname.h"

using namespace testing_support;

namespace {

std::string WindowClass(HWND h) {
  char name[64] = {};
  GetClassNameA(h, name, sizeof name);
  return name;
}

// Characters (not bytes) of a code-page text.
int CharacterCount(const std::string& text) {
  return MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
}

naming::Entries InitialEntries() {
  naming::Entries e;
  for (int i = 0; i < 9; ++i) e[i] = texts::kEntries[i];
  return e;
}

struct MainWindow : MainWindowTest {};

}  // namespace

TEST_F(MainWindow, LayoutMatchesTheDesign) {
  struct Expect {
    TControl* control;
    const char* windowClass;  // nullptr for windowless controls
    TRect bounds;
  };
  const Expect expected[] = {
      {form->GroupBox1, "TGroupBox", Bounds(0, 0, 542, 89)},
      {form->GradientLabel1, nullptr, Bounds(2, 15, 538, 40)},
      {form->RzMarqueeStatus1, nullptr, Bounds(0, 59, 361, 25)},
      {form->dxButton2, "TdxButton", Bounds(376, 61, 73, 21)},
      {form->dxButton1, "TdxButton", Bounds(456, 61, 73, 21)},
      {form->dxButton3, "TdxButton", Bounds(448, 104, 81, 21)},
      {form->na, "TMemo", Bounds(16, 136, 513, 129)},
  };
  for (const auto& e : expected) {
    EXPECT_EQ(e.control->BoundsRect(), e.bounds) << e.control->Name();
    if (e.windowClass) {
      EXPECT_EQ(WindowClass(static_cast<TWinControl*>(e.control)->Handle()), e.windowClass);
    }
  }
  for (int n = 0; n < 9; ++n) {
    EXPECT_EQ(form->cxTextEdit[n]->BoundsRect(), Bounds(16 + 48 * n, 104, 33, 21));
    EXPECT_EQ(form->cxTextEdit[n]->Text(), texts::kEntries[n]);
    EXPECT_EQ(WindowClass(form->cxTextEdit[n]->Handle()), "TcxTextEdit");
  }
  EXPECT_EQ(WindowClass(form->Handle()), "TForm1");
  RECT outer;
  GetWindowRect(form->Handle(), &outer);
  EXPECT_EQ((TRect{outer.left, outer.top, outer.right, outer.bottom}), Bounds(150, 146, 550, 309));
  EXPECT_EQ(form->Caption(), texts::kFormCaption);
  EXPECT_EQ(form->GroupBox1->Caption(), texts::kGroupCaption);
  EXPECT_EQ(form->GradientLabel1->Caption(), texts::kBannerCaption);
  EXPECT_EQ(form->RzMarqueeStatus1->Caption(),
            std::string(texts::kUsageHint) + kMakerAddress + texts::kCreditSuffix);
  EXPECT_EQ(form->dxButton2->Caption(), texts::kVisitUs);
  EXPECT_EQ(form->dxButton1->Caption(), texts::kCloseWindow);
  EXPECT_EQ(form->dxButton3->Caption(), texts::kStartNaming);
  EXPECT_EQ(form->na->Text(), std::string(texts::kUsageLine1) + "\r\n" + texts::kUsageLine2 + "\r\n" +
                                  texts::kUsageLine3 + "\r\n" + texts::kUsageLine4);

  EXPECT_EQ(form->Font().Name(), texts::kSongTi);
  EXPECT_EQ(form->Font().Height(), -13);
  EXPECT_EQ(form->GradientLabel1->Font().Height(), -24);
  EXPECT_EQ(form->GradientLabel1->Font().Charset(), GB2312_CHARSET);
  EXPECT_EQ(form->dxButton3->Font().Style(), static_cast<TFontStyles>(fsBold));
  EXPECT_EQ(form->na->Font().Height(), -16);
  EXPECT_EQ(form->na->Font().Style(), 0u);
  // The result box at the framework's defaults: a sunken edge, no scroll bars, lines broken at its
  // width, Enter kept for a line break and Tab left to the form.
  HWND result = form->na->Handle();
  const LONG_PTR style = GetWindowLongPtrA(result, GWL_STYLE);
  EXPECT_TRUE(GetWindowLongPtrA(result, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL | ES_READONLY));
  const LRESULT code = SendMessageA(result, WM_GETDLGCODE, 0, 0);
  EXPECT_TRUE(code & DLGC_WANTALLKEYS);
  EXPECT_FALSE(code & DLGC_WANTTAB);
  EXPECT_TRUE(form->cxTextEdit[4]->ParentFont());
  EXPECT_EQ(form->RzMarqueeStatus1->Font().Height(), -13);
  EXPECT_FALSE(form->GroupBox1->ParentColor());
  EXPECT_FALSE(form->GradientLabel1->ParentColor());

  // The usage hint scrolls at the marquee's defaults: right to left, a tick every 100 ms, one
  // pixel a tick, a cycle of its caption's width and its own.
  TRzMarqueeStatus& hint = *form->RzMarqueeStatus1;
  EXPECT_EQ(hint.ScrollType(), stRightToLeft);
  EXPECT_TRUE(hint.Scrolling());
  EXPECT_EQ(hint.ScrollDelay(), 100);
  EXPECT_TRUE(hint.ScrollTimer().Running());
  EXPECT_EQ(hint.ScrollTimer().Interval(), 100u);
  EXPECT_EQ(hint.ScrollSize(), 1);
  EXPECT_EQ(hint.WrapLimit(), MeasureText(hint.Font(), hint.Caption()).cx + 361);
  const int at = hint.ScrollPosition();
  SendMessageA(hint.ScrollTimer().WindowHandle(), WM_TIMER, 1, 0);  // a tick as the system delivers it
  EXPECT_EQ(hint.ScrollPosition(), at + 1 < hint.WrapLimit() ? at + 1 : 0);
}

namespace {
// Every font of the window with its height in pixels at 96 dots per inch.
std::vector<std::pair<TFont*, int>> FontsOf(TForm1& form) {
  std::vector<std::pair<TFont*, int>> fonts = {
      {&form.Font(), 13},          {&form.GroupBox1->Font(), 13}, {&form.GradientLabel1->Font(), 24},
      {&form.RzMarqueeStatus1->Font(), 13}, {&form.dxButton2->Font(), 13}, {&form.dxButton1->Font(), 13},
      {&form.dxButton3->Font(), 13}, {&form.na->Font(), 16}};
  for (TcxTextEdit* edit : form.cxTextEdit) fonts.push_back({&edit->Font(), 13});
  return fonts;
}

std::vector<TControl*> ControlsOf(TForm1& form) {
  std::vector<TControl*> controls = {form.GroupBox1, form.GradientLabel1, form.RzMarqueeStatus1, form.dxButton2,
                                     form.dxButton1, form.dxButton3, form.na};
  controls.insert(controls.end(), form.cxTextEdit.begin(), form.cxTextEdit.end());
  return controls;
}

// The window shows all it shows at 96 dots per inch: every control inside the client area (the
// group box and the banner spanning it), and no scroll bar.
void ExpectWhole(TForm1& form) {
  const TRect client = form.ClientRect();
  for (TControl* c : ControlsOf(form)) {
    const TPoint topLeft = form.ScreenToClient(c->Parent()->ClientToScreen({c->Left(), c->Top()}));
    const TRect r = Bounds(topLeft.X, topLeft.Y, c->Width(), c->Height());
    EXPECT_EQ(Intersect(r, client), r) << c->Name() << " lies outside the client area";
  }
  EXPECT_EQ(GetWindowLongA(form.Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
}

// The window's state that its density decides.
struct Laid {
  std::vector<TRect> bounds;
  std::vector<int> fontHeights;
  TRect client;
  bool operator==(const Laid&) const = default;
};
Laid LaidOut(TForm1& form) {
  Laid laid{{}, {}, form.ClientRect()};
  for (TControl* c : ControlsOf(form)) laid.bounds.push_back(c->BoundsRect());
  for (auto [font, designed] : FontsOf(form)) laid.fontHeights.push_back(font->Height());
  return laid;
}

// Moves the window to a screen of `dpi` dots per inch as Windows does: asks for its size there and
// sends the rectangle of that size at the same place. Wine keeps the frame of the density it
// runs at, so the rectangle is given the client area asked for inside the frame the window has.
void MoveToDensity(TForm1& form, int dpi) {
  SIZE size{};
  ASSERT_TRUE(SendMessageA(form.Handle(), WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size)));
  RECT window;
  GetWindowRect(form.Handle(), &window);
  const TSize frameThere = FrameSizeAt(form.Handle(), dpi);
  const TSize frameHere = FrameSizeAt(form.Handle(), ScreenDpi());
  RECT suggested{window.left, window.top, window.left + size.cx - frameThere.cx + frameHere.cx,
                 window.top + size.cy - frameThere.cy + frameHere.cy};
  SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  Application->ProcessMessages();
}
}  // namespace

// Run at 96, 120, 144 and 192 dots per inch (tests/CMakeLists.txt). Every font given in pixels
// grows with the dots per inch, and so does its measured height; positions and sizes grow with
// the window font's measured height over its 13 pixels at 96.
TEST_F(MainWindow, FontsAndLayoutFollowTheScreensDensity) {
  const int dpi = ScreenDpi();
  ASSERT_EQ(dpi, RequestedDpi()) << "the Wine prefix gives another density than the run is for";
  for (auto [font, designed] : FontsOf(*form)) {
    EXPECT_EQ(font->Height(), -MulDiv(designed, dpi, 96));
    EXPECT_EQ(MeasureText(*font, "0").cy, MulDiv(designed, dpi, 96));
  }
  EXPECT_EQ(form->dxButton3->Font().Style(), static_cast<TFontStyles>(fsBold));
  const int m = MeasureText(form->Font(), "0").cy;
  auto scaled = [m](int l, int t, int w, int h) {
    return Bounds(MulDiv(l, m, 13), MulDiv(t, m, 13), MulDiv(w, m, 13), MulDiv(h, m, 13));
  };
  EXPECT_EQ(form->RzMarqueeStatus1->BoundsRect(), scaled(0, 59, 361, 25));
  EXPECT_EQ(form->dxButton1->BoundsRect(), scaled(456, 61, 73, 21));
  EXPECT_EQ(form->cxTextEdit[8]->BoundsRect(), scaled(400, 104, 33, 21));  // as tall as the start button
  EXPECT_EQ(form->dxButton3->BoundsRect(), scaled(448, 104, 81, 21));
  EXPECT_EQ(form->na->BoundsRect(), scaled(16, 136, 513, 129));
  ExpectWhole(*form);
  // The group box's caption interrupts its frame 8 pixels in at 96, further in as it grows.
  TGroupBox& box = *form->GroupBox1;
  ASSERT_TRUE(PumpUntil([&] { return !GetUpdateRect(box.Handle(), nullptr, FALSE); }));
  const gdi::WindowDC dc(box.Handle());
  const int frameRow = m / 2 - 1, indent = MulDiv(8, m, 13);
  EXPECT_EQ(GetPixel(dc.Get(), indent - 1, frameRow), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(GetPixel(dc.Get(), indent, frameRow), GetSysColor(COLOR_BTNFACE));
}

// Moved to screens of other densities and back, many times: each time the window takes the
// rectangle the system suggests and lays its fonts and controls out anew for the density, whole
// and alike at each visit, and back home exactly as it began. A window scrolled away is laid
// out from its origin.
TEST_F(MainWindow, MovingBetweenScreensOfOtherDensitiesLeavesNoDrift) {
  const int home = ScreenDpi();
  const Laid start = LaidOut(*form);
  std::map<int, Laid> seen{{home, start}};
  for (int dpi : {144, 120, 192, 96, 144, 120, 192, 96, 120, 144, 192}) {
    SCOPED_TRACE(dpi);
    MoveToDensity(*form, dpi);
    EXPECT_EQ(form->Font().Height(), MulDiv(-13, dpi, 96));
    EXPECT_EQ(form->GradientLabel1->Font().Height(), MulDiv(-24, dpi, 96));
    EXPECT_EQ(form->na->Font().Height(), MulDiv(-16, dpi, 96));
    EXPECT_EQ(form->dxButton3->Font().Height(), MulDiv(-13, dpi, 96));
    ExpectWhole(*form);
    const auto [visit, first] = seen.try_emplace(dpi, LaidOut(*form));
    if (!first) {
      EXPECT_EQ(LaidOut(*form), visit->second);
    }
  }
  MoveToDensity(*form, home);
  EXPECT_EQ(LaidOut(*form), start);

  // Made small and scrolled to its far corner, then moved: scrolled back, it shows the layout of
  // the new density.
  const int away = home == 144 ? 120 : 144;
  form->SetBounds(form->Left(), form->Top(), 300, 200);
  Post(form->Handle(), WM_HSCROLL, SB_BOTTOM);
  Post(form->Handle(), WM_VSCROLL, SB_BOTTOM);
  ASSERT_LT(form->na->Left(), seen[home].bounds[6].Left);  // the result box, scrolled left
  MoveToDensity(*form, away);
  Post(form->Handle(), WM_HSCROLL, SB_TOP);
  Post(form->Handle(), WM_VSCROLL, SB_TOP);
  const std::vector<TRect> laid = LaidOut(*form).bounds;
  for (std::size_t i = 2; i < laid.size(); ++i) EXPECT_EQ(laid[i], seen[away].bounds[i]) << i;
}

TEST_F(MainWindow, ResizingStretchesOnlyTheTopAlignedStrip) {
  const TRect memo = form->na->BoundsRect();
  const TRect marquee = form->RzMarqueeStatus1->BoundsRect();
  ASSERT_TRUE(PumpUntil([&] { return !GetUpdateRect(form->GroupBox1->Handle(), nullptr, FALSE); }));
  form->SetBounds(150, 146, 700, 400);
  const int client = form->ClientRect().Width();
  ASSERT_TRUE(PumpUntil([&] { return form->GroupBox1->Width() == client; }));
  EXPECT_EQ(form->GroupBox1->BoundsRect(), Bounds(0, 0, client, 89));
  EXPECT_EQ(form->GradientLabel1->BoundsRect(), Bounds(2, 15, client - 4, 40));
  EXPECT_EQ(form->na->BoundsRect(), memo);
  EXPECT_EQ(form->RzMarqueeStatus1->BoundsRect(), marquee);
  // The group box's frame moved with its right edge: none of it stays where the edge was.
  HWND box = form->GroupBox1->Handle();
  ASSERT_TRUE(PumpUntil([&] { return !GetUpdateRect(box, nullptr, FALSE); }));
  const std::vector<COLORREF> pixels = ClientPixels(box);
  for (int x : {540, 541}) EXPECT_EQ(pixels[static_cast<std::size_t>(70 * client + x)], GetSysColor(COLOR_BTNFACE)) << x;

  // Smaller than its controls: scroll bars appear.
  form->SetBounds(150, 146, 300, 200);
  const LONG both = WS_HSCROLL | WS_VSCROLL;
  EXPECT_TRUE(PumpUntil([&] { return (GetWindowLongA(form->Handle(), GWL_STYLE) & both) == both; }));

  // Wide enough for the controls but for the vertical bar, scrolled to the far corner, then made
  // tall: the vertical bar goes, the horizontal one with it, and the content is back in place.
  RECT outer;
  GetWindowRect(form->Handle(), &outer);
  const int frame = outer.right - outer.left - form->ClientRect().Width() - GetSystemMetrics(SM_CXVSCROLL);
  form->SetBounds(150, 146, frame + memo.Right + GetSystemMetrics(SM_CXVSCROLL) / 2, 200);
  Post(form->Handle(), WM_HSCROLL, SB_BOTTOM);
  Post(form->Handle(), WM_VSCROLL, SB_BOTTOM);
  ASSERT_LT(form->na->Left(), memo.Left);
  form->SetBounds(150, 146, form->Width(), 400);
  Application->ProcessMessages();
  EXPECT_EQ(GetWindowLongA(form->Handle(), GWL_STYLE) & both, 0);
  EXPECT_EQ(form->na->BoundsRect(), memo);
  EXPECT_EQ(form->GroupBox1->Left(), 0);
}

TEST_F(MainWindow, StartButtonFillsTheResultBoxOnceAndInBold) {
  const std::string expected = naming::CombineNames(InitialEntries());
  Click(*form->dxButton3);
  ASSERT_TRUE(PumpUntil([&] { return form->na->Text() == expected; }));
  EXPECT_EQ(CharacterCount(form->na->Text()), 243);
  EXPECT_EQ(form->na->Text().substr(0, 4), std::string(texts::kEntries[0]) + texts::kEntries[0]);
  EXPECT_EQ(form->na->Text().back(), ' ');
  EXPECT_EQ(form->na->Font().Style(), static_cast<TFontStyles>(fsBold));

  // Typed text is discarded by the next start; a second start gives one copy.
  Click(*form->na);
  PressKey(VK_END);
  TypeText("typed");
  ASSERT_NE(form->na->Text(), expected);
  // Typing that replaces the whole text leaves the box bold as well.
  SendMessageA(form->na->Handle(), EM_SETSEL, 0, -1);
  TypeText("x");
  ASSERT_EQ(form->na->Text(), "x");
  LOGFONTA shown{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(form->na->Handle(), WM_GETFONT, 0, 0)), sizeof shown, &shown);
  EXPECT_EQ(shown.lfWeight, FW_BOLD);
  EXPECT_EQ(form->na->Font().Style(), static_cast<TFontStyles>(fsBold));
  Click(*form->dxButton3);
  EXPECT_EQ(form->na->Text(), expected);
  Click(*form->dxButton3);
  EXPECT_EQ(form->na->Text(), expected);
  EXPECT_EQ(form->na->Font().Style(), static_cast<TFontStyles>(fsBold));
}

// The names are the result's words: every row begins with a whole name, and a double click
// anywhere on a name, at its first character's left edge or its last one's right edge, selects
// that name and not the space after it.
TEST_F(MainWindow, ResultRowsBeginWithWholeNamesAndADoubleClickSelectsOne) {
  Click(*form->dxButton3);
  const std::wstring expected = Wide(naming::CombineNames(InitialEntries()));
  ASSERT_TRUE(PumpUntil([&] { return WindowTextW(form->na->Handle()) == expected; }));
  const HWND box = form->na->Handle();
  auto row = [box](int n) {
    wchar_t buffer[256] = {};
    buffer[0] = static_cast<wchar_t>(std::size(buffer) - 1);
    const auto length = SendMessageW(box, EM_GETLINE, n, reinterpret_cast<LPARAM>(buffer));
    return std::wstring(buffer, static_cast<std::size_t>(length));
  };
  const auto rows = static_cast<int>(SendMessageW(box, EM_GETLINECOUNT, 0, 0));
  ASSERT_GT(rows, 3);
  std::wstring joined;
  for (int n = 0; n < rows; ++n) {
    const std::wstring text = row(n);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.front(), L' ') << "row " << n;
    if (n + 1 < rows) {
      EXPECT_EQ(text.back(), L' ') << "row " << n << " ends inside a name";
    }
    joined += text;
  }
  EXPECT_EQ(joined, expected);

  const std::wstring second = row(1);
  const auto start = static_cast<WPARAM>(SendMessageW(box, EM_LINEINDEX, 1, 0));
  auto left = [box](WPARAM position) { return GET_X_LPARAM(SendMessageW(box, EM_POSFROMCHAR, position, 0)); };
  const int top = GET_Y_LPARAM(SendMessageW(box, EM_POSFROMCHAR, start, 0)) + 2;
  const std::size_t lastName = second.rfind(L' ', second.size() - 2) + 1;
  const struct {
    int x;
    std::wstring name;
  } clicks[] = {{left(start) + 1, second.substr(0, second.find(L' '))},
                {left(start + lastName + 2) - 2, second.substr(lastName, second.size() - 1 - lastName)}};
  for (const auto& click : clicks) {
    SCOPED_TRACE(click.x);
    const LPARAM at = MAKELPARAM(click.x, top);
    Post(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Post(box, WM_LBUTTONUP, 0, at);
    Post(box, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    Post(box, WM_LBUTTONUP, 0, at);
    Post(box, WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardUnicode(), click.name);
  }
}

// Ctrl+A selects the whole text of an entry box and of the result box, with the caret at the end
// before; Ctrl+C then copies all of it, in UTF-16 too.
TEST_F(MainWindow, CtrlASelectsTheWholeTextOfAnEntryBoxAndOfTheResultBox) {
  form->cxTextEdit[0]->SetText(std::string(texts::kEntries[0]) + texts::kEntries[1] + texts::kEntries[2]);
  for (TWinControl* box : {static_cast<TWinControl*>(form->cxTextEdit[0]), static_cast<TWinControl*>(form->na)}) {
    SCOPED_TRACE(box->Name());
    box->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == box->Handle() || IsChild(box->Handle(), GetFocus()); }));
    PressKey(VK_END);
    PressCtrlKey('A');
    PressCtrlKey('C');
    EXPECT_EQ(ClipboardUnicode(), Wide(box->Text()));
  }
}

TEST_F(MainWindow, EscapeInTheResultBoxLeavesTheWindowOpen) {
  Click(*form->na);
  ASSERT_EQ(FocusedControl(), form->na);
  const std::string text = form->na->Text();
  PressKey(VK_ESCAPE);
  Application->ProcessMessages();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(FocusedControl(), form->na);
  EXPECT_EQ(form->na->Text(), text);
  // Nor with a selection to drop.
  PressKey(VK_HOME);
  PressKey(VK_END, true);
  PressKey(VK_ESCAPE);
  Application->ProcessMessages();
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(form->na->Text(), text);
  MSG quit;
  EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(MainWindow, CaptionSetFromOutsideTheProgramIsRepainted) {
  // As an automation or accessibility tool sets it: with WM_SETTEXT on the button's window.
  HWND button = form->dxButton3->Handle();
  ASSERT_TRUE(PumpUntil([&] { return !GetUpdateRect(button, nullptr, FALSE); }));
  const std::vector<COLORREF> before = ClientPixels(button);
  SendMessageA(button, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Go"));
  EXPECT_EQ(form->dxButton3->Caption(), "Go");
  EXPECT_TRUE(PumpUntil([&] { return ClientPixels(button) != before; }));
}

namespace {
COLORREF PixelOnScreen(TWinControl& control, int x, int y) {
  control.Update();
  const gdi::WindowDC dc(control.Handle());
  return GetPixel(dc.Get(), x, y);
}
}  // namespace

TEST_F(MainWindow, SystemColourAndThemeChangesShowAtTheNextPaint) {
  TcxTextEdit& box = *form->cxTextEdit[8];
  ASSERT_EQ(PixelOnScreen(box, box.Width() - 4, box.Height() / 2), GetSysColor(COLOR_WINDOW));
  {
    const COLORREF cream = RGB(255, 250, 205);
    testing_support::SystemColour window(COLOR_WINDOW, cream);
    EXPECT_TRUE(PumpUntil([&] { return PixelOnScreen(box, box.Width() - 4, box.Height() / 2) == cream; }));
    // Every window hears of a theme change; the program carries on drawing and working.
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_THEMECHANGED, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer);
    Application->ProcessMessages();
    EXPECT_TRUE(PumpUntil([&] { return PixelOnScreen(box, box.Width() - 4, box.Height() / 2) == cream; }));
  }
  EXPECT_TRUE(PumpUntil(
      [&] { return PixelOnScreen(box, box.Width() - 4, box.Height() / 2) == GetSysColor(COLOR_WINDOW); }));
  Click(*form->dxButton3);
  EXPECT_TRUE(PumpUntil([&] { return form->na->Text() == naming::CombineNames(InitialEntries()); }));
}

TEST_F(MainWindow, AnyMouseButtonEmptiesAnEntryBox) {
  // The edit's own context menu opens on the right button; close it when it has.
  bool menuClosed = false;
  TTimer menuCloser(nullptr);
  menuCloser.SetInterval(20);
  menuCloser.SetOnTimer([&](TObject*) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu && IsWindowVisible(menu)) {
      EndMenu();
      menuClosed = true;
    }
  });
  Click(*form->cxTextEdit[2], mbRight);
  EXPECT_TRUE(PumpUntil([&] { return menuClosed; }));
  EXPECT_TRUE(PumpUntil([&] { return form->cxTextEdit[2]->Text().empty(); }));
  EXPECT_EQ(form->cxTextEdit[3]->Text(), texts::kEntries[3]);
  Click(*form->cxTextEdit[3], mbLeft);
  EXPECT_EQ(form->cxTextEdit[3]->Text(), "");

  // Typed text goes too, and the empty box gives shorter names.
  Click(*form->cxTextEdit[0]);
  TypeText("Ab");
  EXPECT_EQ(form->cxTextEdit[0]->Text(), "Ab");
  Click(*form->cxTextEdit[0], mbMiddle);
  EXPECT_EQ(form->cxTextEdit[0]->Text(), "");
  Click(*form->dxButton3);
  naming::Entries e = InitialEntries();
  e[0] = e[2] = e[3] = "";
  EXPECT_EQ(form->na->Text(), naming::CombineNames(e));
}

TEST_F(MainWindow, EscapeAfterTypingGivesBackWhatTheBoxHeldBeforeTheClick) {
  TcxTextEdit& box = *form->cxTextEdit[0];
  Click(box);
  ASSERT_EQ(box.Text(), "");
  TypeText("ab");
  ASSERT_EQ(box.Text(), "ab");
  PressKey(VK_ESCAPE);
  EXPECT_EQ(box.Text(), texts::kEntries[0]);
  EXPECT_EQ(box.SelText(), texts::kEntries[0]);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

// The click that empties a box is undone as typing is: by Ctrl+Z and by the box's own menu.
TEST_F(MainWindow, UndoAfterTheClickBringsTheCharacterBack) {
  TcxTextEdit& first = *form->cxTextEdit[0];
  Click(first);
  ASSERT_EQ(first.Text(), "");
  PressKeyWith(VK_CONTROL, 'Z');
  EXPECT_EQ(first.Text(), texts::kEntries[0]);

  TcxTextEdit& second = *form->cxTextEdit[1];
  bool undoChosen = false;
  TTimer menuWatcher(nullptr);
  menuWatcher.SetInterval(20);
  menuWatcher.SetOnTimer([&](TObject*) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (undoChosen || !menu || !IsWindowVisible(menu)) return;
    undoChosen = true;
    // 撤消(U), as real input that the menu's own loop takes.
    INPUT key[2] = {};
    for (INPUT& k : key) {
      k.type = INPUT_KEYBOARD;
      k.ki.wVk = 'U';
    }
    key[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, key, sizeof(INPUT));
  });
  Click(second, mbRight);
  EXPECT_TRUE(PumpUntil([&] { return undoChosen && !IsWindowVisible(FindWindowA("#32768", nullptr)); }));
  EXPECT_TRUE(PumpUntil([&] { return second.Text() == texts::kEntries[1]; }));
}

TEST_F(MainWindow, TabCyclesInTabOrderFromTheVisitButton) {
  std::vector<TWinControl*> order = {form->dxButton2, form->dxButton1};
  for (auto* e : form->cxTextEdit) order.push_back(e);
  order.push_back(form->dxButton3);
  order.push_back(form->na);
  order.push_back(form->dxButton2);
  auto holder = [&] {
    TWinControl* f = FocusedControl();
    for (TWinControl* c : order)
      if (f == c || (f && f->Parent() == c)) return c;
    return static_cast<TWinControl*>(nullptr);
  };
  EXPECT_EQ(holder(), form->dxButton2);  // first focus
  for (std::size_t i = 1; i < order.size(); ++i) {
    PressKey(VK_TAB);
    EXPECT_EQ(holder(), order[i]) << "after " << i << " tabs";
  }
  PressKey(VK_TAB, true);  // Shift+Tab goes back
  EXPECT_EQ(holder(), form->na);

  // Ctrl+Tab and Alt+Tab move nothing, from a button or from an entry box.
  for (TWinControl* from : {static_cast<TWinControl*>(form->dxButton3), static_cast<TWinControl*>(form->cxTextEdit[4])}) {
    from->SetFocus();
    const HWND focus = GetFocus();
    {
      HeldKeys ctrl{VK_CONTROL};
      Post(focus, WM_KEYDOWN, VK_TAB);
    }
    {
      HeldKeys alt{VK_MENU};
      Post(focus, WM_SYSKEYDOWN, VK_TAB, 1 << 29);
    }
    EXPECT_EQ(holder(), from);
    EXPECT_EQ(GetFocus(), focus);
  }
}

namespace {
HINSTANCE WINAPI NoBrowser(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) {
  return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_NOASSOC));
}

// What the message box showed when the visit-us button was clicked; it is closed again at once.
struct VisitUsBox {
  bool shown = false;
  std::string caption;
  std::string message;             // the text of its message
  std::vector<std::string> parts;  // its controls, each as class and name
  int childWindows = 0;            // the windows inside it
  bool mainDisabled = false;       // the main window took no input while it was shown
};

VisitUsBox ClickVisitUs(TForm1& form) {
  VisitUsBox seen;
  TTimer watcher(nullptr);
  watcher.SetInterval(20);
  watcher.SetOnTimer([&](TObject*) {
    HWND box = FindWindowA("TMessageForm", nullptr);
    if (!box || !IsWindowVisible(box)) return;
    watcher.SetEnabled(false);
    seen.shown = true;
    char caption[256] = {};
    GetWindowTextA(box, caption, sizeof caption);
    seen.caption = caption;
    if (auto* shown = dynamic_cast<TForm*>(TWinControl::FindControl(box))) {
      for (int i = 0; i < shown->ComponentCount(); ++i) {
        TComponent* part = shown->Component(i);
        seen.parts.push_back(std::string(part->ClassName()) + " " + part->Name());
        if (auto* label = dynamic_cast<TLabel*>(part)) seen.message = label->Caption();
      }
    }
    EnumChildWindows(
        box, [](HWND, LPARAM count) { return ++*reinterpret_cast<int*>(count), TRUE; },
        reinterpret_cast<LPARAM>(&seen.childWindows));
    seen.mainDisabled = !IsWindowEnabled(form.Handle());
    PostMessageA(box, WM_CLOSE, 0, 0);
  });
  form.dxButton2->Click();
  return seen;
}
}  // namespace

TEST_F(MainWindow, VisitUsWithoutABrowserShowsTheMessageBox) {
  form->shellExecute = NoBrowser;
  const std::string before = form->na->Text();
  const VisitUsBox box = ClickVisitUs(*form);
  EXPECT_TRUE(box.shown) << "the message box never appeared";
  EXPECT_EQ(box.caption, Application->Title());
  // "\xE4\xAF..." is 浏览器无法定位。 (the browser cannot be found) in code page 936. The box holds
  // that message and its OK button, and nothing else: no icon beside the text.
  EXPECT_EQ(box.message, "\xE4\xAF\xC0\xC0\xC6\xF7\xCE\xDE\xB7\xA8\xB6\xA8\xCE\xBB\xA1\xA3");
  EXPECT_EQ(box.parts, (std::vector<std::string>{"TLabel Message", "TButton OK"}));
  EXPECT_EQ(box.childWindows, 1) << "a window beside the OK button's";
  EXPECT_TRUE(box.mainDisabled);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_EQ(form->na->Text(), before);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

// A failure while the visit-us box is open: the box that reports it takes the input from every
// window of the program, and each has it back as it had before: the visit-us box at once, the main
// window when the visit-us box closes.
TEST_F(MainWindow, TheFailureBoxIsModalForTheWholeProgram) {
  form->shellExecute = NoBrowser;
  int step = 0, ticks = 0;
  bool mainEnabledUnderFailure = true, messageEnabledUnderFailure = true;
  bool messageEnabledAfter = false, mainEnabledAfter = true;
  TTimer watcher(nullptr);
  watcher.SetInterval(20);
  watcher.SetOnTimer([&](TObject*) {
    HWND message = FindWindowA("TMessageForm", nullptr);
    HWND failure = FindWindowA("#32770", Application->Title().c_str());
    if (++ticks == 500) {  // ten seconds: the test has failed, the boxes go
      PostMessageA(failure, WM_COMMAND, IDOK, 0);
      PostMessageA(message, WM_CLOSE, 0, 0);
    }
    if (step == 0 && message && IsWindowVisible(message)) {
      step = 1;
      throw Exception("failed");
    }
    if (step == 1 && failure && IsWindowVisible(failure)) {
      step = 2;
      mainEnabledUnderFailure = IsWindowEnabled(form->Handle());
      messageEnabledUnderFailure = IsWindowEnabled(message);
      PostMessageA(failure, WM_COMMAND, IDOK, 0);
    } else if (step == 2 && !failure) {
      step = 3;
      messageEnabledAfter = IsWindowEnabled(message);
      mainEnabledAfter = IsWindowEnabled(form->Handle());
      PostMessageA(message, WM_CLOSE, 0, 0);
    }
  });
  form->dxButton2->Click();
  watcher.SetEnabled(false);
  ASSERT_EQ(step, 3);
  EXPECT_FALSE(mainEnabledUnderFailure);
  EXPECT_FALSE(messageEnabledUnderFailure);
  EXPECT_TRUE(messageEnabledAfter);
  EXPECT_FALSE(mainEnabledAfter);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

namespace {
template <INT_PTR kAnswer>
HINSTANCE WINAPI ShellAnswering(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) {
  return reinterpret_cast<HINSTANCE>(kAnswer);
}

struct ShellCall {
  HWND owner;
  std::string verb, file;
  LPCSTR parameters, directory;
  INT show;
};
std::vector<ShellCall> shellCalls;
HINSTANCE WINAPI RecordingShell(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
  shellCalls.push_back({owner, verb ? verb : "(null)", file ? file : "(null)", parameters, directory, show});
  return reinterpret_cast<HINSTANCE>(33);
}
}  // namespace

// The shell answers above 32 when it succeeded, 32 or less when it failed. It is asked, with no
// owner window, to open the maker's address with empty (not missing) parameters and folder in a
// normal window.
TEST_F(MainWindow, VisitUsAsksTheShellToOpenTheAddressAndTakesAnAnswerOf32ForAFailure) {
  form->shellExecute = ShellAnswering<32>;
  EXPECT_TRUE(ClickVisitUs(*form).shown);
  form->shellExecute = ShellAnswering<33>;
  EXPECT_FALSE(ClickVisitUs(*form).shown);

  shellCalls.clear();
  form->shellExecute = RecordingShell;
  EXPECT_FALSE(ClickVisitUs(*form).shown);
  ASSERT_EQ(shellCalls.size(), 1u);
  const ShellCall& call = shellCalls[0];
  EXPECT_EQ(call.owner, nullptr);
  EXPECT_EQ(call.verb, "open");
  EXPECT_EQ(call.file, kMakerAddress);
  ASSERT_NE(call.parameters, nullptr);
  EXPECT_STREQ(call.parameters, "");
  ASSERT_NE(call.directory, nullptr);
  EXPECT_STREQ(call.directory, "");
  EXPECT_EQ(call.show, SW_SHOWNORMAL);
}

// The shell's library is loaded when the visit-us button first needs it, not at start-up; the
// call then goes through to it.
TEST(ShellOnDemand, LoadsTheShellAndPassesTheCallOn) {
  const HINSTANCE result =
      TForm1::ShellExecuteOnDemand(nullptr, "open", "Z:\\no such folder\\no such file.namegen", "", "", SW_SHOWNORMAL);
  EXPECT_LE(reinterpret_cast<INT_PTR>(result), 32);
  EXPECT_NE(GetModuleHandleA("shell32.dll"), nullptr);
}
