#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "framework/Graphics.h"
#include "tests/support/Density.h"
#include "tests/support/Input.h"
#include "tests/support/Program.h"
#include "tests/support/Reader.h"
#include "ui/Texts.h"
#include "ui/Uname.h"

// The real program, started as its own process: start-up, show commands and every way to close.
using testing_support::Program;
using testing_support::ProgramPath;

TEST(Program, TitleBarCloseEndsWithExitCodeZero) {
  Program program(SW_SHOWNORMAL);
  ASSERT_TRUE(program.Started());
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(IsWindowVisible(main));
  // The task-bar window carries the application title; the main window its own caption.
  char title[512] = {};
  GetWindowTextA(program.Window("TApplication"), title, sizeof title);
  EXPECT_EQ(std::string(title), std::string(kMakerAddress) + texts::kTitleSuffix);
  GetWindowTextA(main, title, sizeof title);
  EXPECT_EQ(std::string(title), texts::kFormCaption);
  // The task bar shows a button for a shown window that is unowned and no tool window, or that
  // asks for one: the application window's, not the main window's, which it owns.
  HWND app = program.Window("TApplication");
  EXPECT_TRUE(IsWindowVisible(app));
  EXPECT_EQ(GetWindow(app, GW_OWNER), nullptr);
  EXPECT_FALSE(GetWindowLongPtrA(app, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindow(main, GW_OWNER), app);
  EXPECT_FALSE(GetWindowLongPtrA(main, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0);
}

TEST(Program, SystemMenuAndAltF4EndWithExitCodeZero) {
  {
    Program program(SW_SHOWNORMAL);
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.ExitCode(), 0);
  }
  {
    Program program(SW_SHOWNORMAL);
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    // Alt held: context bit 29 of a system key message.
    PostMessageA(main, WM_SYSKEYDOWN, VK_F4, (1 << 29) | 1);
    EXPECT_EQ(program.ExitCode(), 0);
  }
}

TEST(Program, CloseButtonEndsWithExitCodeZero) {
  Program program(SW_SHOWNORMAL);
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  HWND box = FindWindowExA(main, nullptr, "TGroupBox", nullptr);
  ASSERT_NE(box, nullptr);
  HWND close = FindWindowExA(box, nullptr, "TdxButton", texts::kCloseWindow);
  ASSERT_NE(close, nullptr);
  PostMessageA(close, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  PostMessageA(close, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(program.ExitCode(), 0);
}

TEST(Program, HonoursTheMaximisedAndMinimisedShowCommands) {
  {
    Program program(SW_SHOWMAXIMIZED);
    HWND main = program.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(IsZoomed(main));
    // Minimised by hand it goes as a minimised start does, and the task bar brings it back as it was.
    HWND app = program.Window("TApplication");
    PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    for (int i = 0; i < 500 && !IsIconic(app); ++i) Sleep(20);
    EXPECT_TRUE(IsIconic(app));
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_FALSE(IsIconic(main));
    PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    for (int i = 0; i < 500 && !IsWindowVisible(main); ++i) Sleep(20);
    EXPECT_FALSE(IsIconic(app));
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(IsZoomed(main));
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(), 0);
  }
  {
    Program program(SW_SHOWMINNOACTIVE);
    HWND main = program.Window("TForm1");
    HWND app = program.Window("TApplication");
    ASSERT_NE(main, nullptr);
    ASSERT_NE(app, nullptr);
    for (int i = 0; i < 500 && !IsIconic(app); ++i) Sleep(20);
    EXPECT_TRUE(IsIconic(app));         // only the task-bar button
    EXPECT_FALSE(IsWindowVisible(main));
    PostMessageA(app, WM_SYSCOMMAND, SC_RESTORE, 0);
    for (int i = 0; i < 500 && !IsWindowVisible(main); ++i) Sleep(20);
    RECT r{};
    GetWindowRect(main, &r);
    EXPECT_EQ(r.left, 150);
    EXPECT_FALSE(IsZoomed(main));
    PostMessageA(app, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.ExitCode(), 0);
  }
}

namespace {
// The framework's windows below a top-level window.
std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND h, LPARAM data) -> BOOL {
        char cls[64] = {};
        GetClassNameA(h, cls, sizeof cls);
        if (std::string(cls) == "TdxButton" || std::string(cls) == "TcxTextEdit" || std::string(cls) == "TMemo")
          reinterpret_cast<std::vector<HWND>*>(data)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Rests the pointer on the middle of every framework window below `top` until each of the
// programs has emptied its queue twice with the pointer there, running its idle step.
void HoverOver(HWND top, std::initializer_list<HWND> programs) {
  for (HWND h : ChildWindows(top)) {
    RECT r;
    GetWindowRect(h, &r);
    const POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    SetCursorPos(p.x, p.y);
    POINT now{};
    for (int i = 0; i < 400 && (!GetCursorPos(&now) || now.x != p.x || now.y != p.y); ++i) Sleep(25);
    for (int round = 0; round < 2; ++round)
      for (HWND program : programs) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(program, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &answer);
      }
  }
}
}  // namespace

// Two copies side by side, the second from another folder (its memory laid out differently) and
// opening over the first: the pointer resting on either copy's controls harms neither.
TEST(Program, TwoCopiesRunSideBySideWithThePointerAnywhere) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "NameGen second copy of the program";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string second = folder + "\\NameGen.exe";
  ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), second.c_str(), FALSE));

  Program first(SW_SHOWNORMAL);
  HWND firstWindow = first.MainWindow();
  ASSERT_NE(firstWindow, nullptr);
  Program other(SW_SHOWNORMAL, second);
  HWND otherWindow = other.MainWindow();
  ASSERT_NE(otherWindow, nullptr);
  ASSERT_FALSE(ChildWindows(otherWindow).empty());

  HoverOver(otherWindow, {firstWindow, otherWindow});  // on top of the first copy
  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(other.Running());
  // Side by side: the second copy moved aside, the pointer over the first one's controls.
  SetWindowPos(otherWindow, nullptr, 700, 500, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  HoverOver(firstWindow, {firstWindow, otherWindow});
  HoverOver(otherWindow, {firstWindow, otherWindow});
  EXPECT_TRUE(first.Running());
  EXPECT_TRUE(other.Running());

  PostMessageA(firstWindow, WM_CLOSE, 0, 0);
  PostMessageA(otherWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.ExitCode(), 0);
  EXPECT_EQ(other.ExitCode(), 0);
  DeleteFileA(second.c_str());
  RemoveDirectoryA(folder.c_str());
}

// A click on the task-bar button brings the application window to the front, as done here from
// another process: the main window takes the activation, and the keyboard goes back to the control
// that had it.
TEST(Program, TheTaskBarButtonGivesTheKeyboardBackToTheMainWindow) {
  Program program(SW_SHOWNORMAL);
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  auto focusOf = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
    return info.hwndActive == main ? info.hwndFocus : nullptr;
  };
  ASSERT_TRUE(testing_support::PumpUntil([&] { return GetForegroundWindow() == main && focusOf() != nullptr; }));
  for (int tab = 0; tab < 2; ++tab) testing_support::PressKey(VK_TAB);  // to the first entry box
  HWND box = nullptr;
  ASSERT_TRUE(testing_support::PumpUntil([&] {
    box = GetParent(focusOf());
    char name[64] = {};
    GetClassNameA(box, name, sizeof name);
    return std::string(name) == "TcxTextEdit";
  }));
  const HWND text = focusOf();
  ASSERT_TRUE(SetForegroundWindow(program.Window("TApplication")));
  // The program hears of the activation through a message sent to it; one sent after it comes back
  // once that has been handled (until then the state checked below is the one before).
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &answer));
  EXPECT_TRUE(testing_support::PumpUntil([&] { return GetForegroundWindow() == main && focusOf() == text; }));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0);
}

namespace {
// The setting a program's manifest gives Windows, as Windows reads it from the program's file.
std::wstring ManifestSetting(const std::string& program, const wchar_t* settingsNamespace, const wchar_t* name) {
  ACTCTXA context{};
  context.cbSize = sizeof(context);
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.lpSource = program.c_str();
  context.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
  HANDLE handle = CreateActCtxA(&context);
  if (handle == INVALID_HANDLE_VALUE) return L"<no manifest>";
  wchar_t value[128] = {};
  SIZE_T written = 0;
  const BOOL found = QueryActCtxSettingsW(0, handle, settingsNamespace, name, value, 128, &written);
  ReleaseActCtx(handle);
  return found ? value : L"<not set>";
}
}  // namespace

// Run at 96, 120, 144 and 192 dots per inch (tests/CMakeLists.txt). Whatever the density, the
// window opens showing what it shows at 96, only larger: its client area grows with its controls,
// every control lies inside it, no scroll bar shows, and the margins right of and below the
// controls are the 96-dpi ones scaled. The program tells Windows that it follows the density from
// screen to screen, so that Windows never stretches it.
TEST(Program, OpensWholeAtTheScreensDensity) {
  using namespace testing_support;
  const int dpi = ScreenDpi();
  ASSERT_EQ(dpi, RequestedDpi()) << "the Wine prefix gives another density than the run is for";
  EXPECT_EQ(ManifestSetting(ProgramPath(), L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
            L"true/pm");
  EXPECT_EQ(ManifestSetting(ProgramPath(), L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
            L"PerMonitorV2, PerMonitor");

  Program program(SW_SHOWNORMAL);
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  // Positions and sizes grow as the window font's measured height over its 13 pixels at 96.
  TFont font;
  font.SetName(texts::kSongTi);
  font.SetHeight(MulDiv(-13, dpi, 96));
  const int m = MeasureText(font, "0").cy;
  auto scaled = [m](int designed) { return MulDiv(designed, m, 13); };

  EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);
  RECT client;
  GetClientRect(main, &client);
  // 550 x 309 with the frame at 96 dots per inch.
  const TSize frame96 = FrameSizeAt(main, 96);
  const int width96 = 550 - frame96.cx, height96 = 309 - frame96.cy;
  EXPECT_EQ(client.right, scaled(width96));
  EXPECT_EQ(client.bottom, scaled(height96));
  int right = 0, bottom = 0;
  for (HWND h : ChildWindows(main)) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
        << "a control outside the client area at " << dpi << " dpi";
    right = std::max(right, static_cast<int>(r.right));
    bottom = std::max(bottom, static_cast<int>(r.bottom));
  }
  // The buttons and the result box end 529 pixels from the left at 96, the result box 265 from the top.
  EXPECT_NEAR(client.right - right, scaled(width96 - 529), 1);
  EXPECT_NEAR(client.bottom - bottom, scaled(height96 - 265), 1);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0);
}

namespace {

// Pixels that differ between two shots of one size, outside `moving` (the scrolling hint).
int DifferentPixels(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b, int width, const RECT& moving) {
  if (a.size() != b.size()) return -1;
  int differ = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const POINT p{static_cast<int>(i) % width, static_cast<int>(i) / width};
    if (!PtInRect(&moving, p) && a[i] != b[i]) ++differ;
  }
  return differ;
}
}  // namespace

// The program has the hidden windows of its platform start-up and of the editors' painters: the
// application window, the theme-change receiver and the system-colour listener. Its main window
// looks exactly like the main window made in this process, also after a system colour change.
TEST(Program, HasItsHiddenWindowsAndPaintsLikeTheForm) {
  Program program(SW_SHOWNORMAL);
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  // The application window only carries the task-bar button: shown, but of no size.
  RECT r{};
  ASSERT_TRUE(GetWindowRect(program.Window("TApplication"), &r));
  EXPECT_TRUE(IsRectEmpty(&r));
  for (const char* hidden : {"TdxThemeChangeReceiver", "TcxSystemColorListener"}) {
    SCOPED_TRACE(hidden);
    HWND h = program.Window(hidden);
    ASSERT_NE(h, nullptr);
    EXPECT_FALSE(IsWindowVisible(h));
  }

  TForm1 form(nullptr);
  form.Show();
  SetWindowPos(main, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(form.Handle(), HWND_TOP, 20, 360, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  // Neither window active: no caret or focus mark in either.
  SetForegroundWindow(program.Window("TApplication"));
  RECT client;
  GetClientRect(form.Handle(), &client);
  const TRect bounds = form.RzMarqueeStatus1->BoundsRect();
  RECT marquee{bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
  MapWindowPoints(form.GroupBox1->Handle(), form.Handle(), reinterpret_cast<POINT*>(&marquee), 2);
  auto alike = [&] {
    UpdateWindow(form.Handle());
    return DifferentPixels(testing_support::ClientPixels(main), testing_support::ClientPixels(form.Handle()),
                           client.right, marquee) == 0;
  };
  EXPECT_TRUE(testing_support::PumpUntil(alike, 10000));

  // The listener hears the system's notice; the program goes on and looks the same.
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutA(program.Window("TcxSystemColorListener"), WM_SYSCOLORCHANGE, 0, 0,
                                  SMTO_ABORTIFHUNG, 5000, &answer));
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(testing_support::PumpUntil(alike, 10000));
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0);
}

namespace {
// Every window of a process: its top-level windows with all their descendants, and its
// message-only windows (timers, listeners).
std::vector<HWND> WindowsOf(DWORD pid) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{pid, {}};
  auto ours = [](HWND h, DWORD id) {
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    return owner == id;
  };
  static constexpr auto kAdd = [](HWND h, LPARAM data) -> BOOL {
    reinterpret_cast<Search*>(data)->found.push_back(h);
    return TRUE;
  };
  std::vector<HWND> tops;
  EnumWindows([](HWND h, LPARAM data) -> BOOL { return kAdd(h, data); }, reinterpret_cast<LPARAM>(&search));
  for (HWND h : search.found)
    if (ours(h, pid)) tops.push_back(h);
  for (HWND h = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); h;
       h = FindWindowExA(HWND_MESSAGE, h, nullptr, nullptr))
    if (ours(h, pid)) tops.push_back(h);
  std::vector<HWND> all = tops;
  for (HWND top : tops) {
    search.found.clear();
    EnumChildWindows(top, [](HWND h, LPARAM data) -> BOOL { return kAdd(h, data); },
                     reinterpret_cast<LPARAM>(&search));
    all.insert(all.end(), search.found.begin(), search.found.end());
  }
  return all;
}

// The pixels of a rectangle of a window as the screen shows them.
std::vector<COLORREF> Pixels(HWND window, const RECT& r) {
  HDC dc = GetDC(window);
  std::vector<COLORREF> pixels;
  for (int y = r.top; y < r.bottom; y += 2)
    for (int x = r.left; x < r.right; x += 2) pixels.push_back(GetPixel(dc, x, y));
  ReleaseDC(window, dc);
  return pixels;
}
}  // namespace

// Any program may post or send any number with any values to our windows. The framework's
// notification numbers and the WM_USER range with made-up values, at every window of the program
// (a made-up control pointer in the group box's parent-font notification once ended it with an
// access violation): it handles them all, paints on and closes with exit code 0.
TEST(Program, MadeUpMessagesFromAnotherProgramHarmNothing) {
  Program program(SW_SHOWNORMAL);
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  HWND box = FindWindowExA(main, nullptr, "TGroupBox", nullptr);
  ASSERT_NE(box, nullptr);
  const RECT banner{4, 17, 538, 53};
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &answer));
  const std::vector<COLORREF> before = Pixels(box, banner);

  std::mt19937_64 random(13);
  const std::vector<HWND> windows = WindowsOf(program.Id());
  ASSERT_GE(windows.size(), 25u);
  // The program's posted messages are handled in order: once the result box has taken a selection
  // posted after a window's share, that share has been handled too.
  HWND result = FindWindowExA(main, nullptr, "TMemo", nullptr);
  ASSERT_NE(result, nullptr);
  auto handled = [&](int mark) {
    PostMessageA(result, EM_SETSEL, mark, mark);
    for (int i = 0; i < 400 && program.Running(); ++i) {
      if (SendMessageTimeoutA(result, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer) &&
          LOWORD(answer) == mark)
        return true;
      Sleep(25);
    }
    return false;
  };
  int posted = 0, mark = 0, targets = 0;
  for (HWND window : windows) {
    char windowClass[64] = {};
    GetClassNameA(window, windowClass, sizeof windowClass);
    // The system's own window of a thread that uses COM (the input method support starts it): its
    // private WM_USER messages carry pointers by the system's design, in every program alike.
    if (std::string(windowClass) == "OleMainThreadWndClass") continue;
    ++targets;
    for (UINT msg = 0xB000; msg <= 0xB07F; ++msg) posted += PostMessageA(window, msg, random(), random()) != FALSE;
    for (UINT msg = WM_USER; msg < WM_USER + 0x100; ++msg)
      posted += PostMessageA(window, msg, random(), random()) != FALSE;
    // Handled before the next window's share arrives.
    mark = mark % 50 + 1;
    ASSERT_TRUE(handled(mark)) << "ended by the messages posted to a window of class " << windowClass;
    for (UINT msg = 0xB000; msg <= 0xB07F; msg += 3)
      SendMessageTimeoutA(window, msg, random(), random(), SMTO_BLOCK | SMTO_ABORTIFHUNG, 2000, &answer);
    ASSERT_TRUE(program.Running()) << "ended by the messages sent to a window of class " << windowClass;
  }
  EXPECT_EQ(posted, targets * (0x80 + 0x100));
  ASSERT_TRUE(program.Running());

  // It still paints: the banner is drawn again, as it was.
  InvalidateRect(box, nullptr, TRUE);
  bool painted = false;
  for (int i = 0; i < 400 && !painted; ++i) {
    painted = !GetUpdateRect(box, nullptr, FALSE) && Pixels(box, banner) == before;
    if (!painted) Sleep(25);
  }
  EXPECT_TRUE(painted);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0);
}

// The program's windows read as another program reads them, in UTF-16, are the Chinese texts in
// every system language (run again under others, tests/CMakeLists.txt).
TEST(Program, TextsReadAsUnicodeAreTheChineseTexts) {
  Program program(SW_SHOWNORMAL);
  HWND main = program.MainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(testing_support::WindowTextW(main), testing_support::Wide(texts::kFormCaption));
  std::vector<std::wstring> shown;
  for (HWND h : WindowsOf(program.Id())) shown.push_back(testing_support::WindowTextW(h));
  std::vector<std::string> expected = {texts::kGroupCaption, texts::kVisitUs, texts::kCloseWindow, texts::kStartNaming,
                                       std::string(texts::kUsageLine1) + "\r\n" + texts::kUsageLine2 + "\r\n" +
                                           texts::kUsageLine3 + "\r\n" + texts::kUsageLine4};
  expected.insert(expected.end(), std::begin(texts::kEntries), std::end(texts::kEntries));
  for (const std::string& text : expected)
    EXPECT_NE(std::find(shown.begin(), shown.end(), testing_support::Wide(text)), shown.end()) << "no window shows " << text;
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitCode(), 0);
}
