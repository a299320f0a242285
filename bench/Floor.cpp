// The floor of the start-up and idle benchmark: the main window's window tree built from plain
// system controls, with nothing of the program's own framework. A hidden application window
// owns a 550 x 309 top-level window holding a group box, three push buttons, nine child windows
// each holding an EDIT, and a multi-line EDIT; two message-only timer windows tick at 100 ms and
// 500 ms, and the 100 ms tick composes a 357 x 21 text strip off-screen and copies it to the
// window, as the scrolling usage hint does.
// It starts the platform as the program must: the common controls initialised, the visual-styles
// library loaded by name, a hidden top-level window that hears of theme changes and another that
// hears of system colour changes (the program's editors keep one). It shows what
// the window must show: the program's icon on both windows, the title banner's text in a static
// label in SimSun -24, the start button's caption in bold, the result box in SimSun -16 (every
// other text SimSun -13), and the first button of the tab order focused.
// Built with FLOOR_BARE (bench_floor_bare) it leaves out the colour listener, the icon, the label,
// the three design fonts and the focus; with FLOOR_PLAIN (bench_floor_plain) the platform start-up
// as well.
#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <string>

#include "ui/Texts.h"

namespace {

#ifdef FLOOR_PLAIN
#define FLOOR_BARE
#endif

HINSTANCE g_instance;
HFONT g_font;
HWND g_main;
int g_scroll = 0;

LRESULT CALLBACK MainProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

// Composes the strip off-screen with the text at its scroll position and copies it into the window.
void ScrollTick() {
  constexpr int kWidth = 357, kHeight = 21;
  HDC window = GetDC(g_main);
  HDC memory = CreateCompatibleDC(window);
  HBITMAP bitmap = CreateCompatibleBitmap(window, kWidth, kHeight);
  HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
  HGDIOBJ oldFont = SelectObject(memory, g_font);
  RECT r{0, 0, kWidth, kHeight};
  FillRect(memory, &r, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(memory, TRANSPARENT);
  const std::string text = texts::kUsageHint;
  g_scroll = (g_scroll + 1) % (kWidth + 600);
  TextOutA(memory, kWidth - g_scroll, 4, text.c_str(), static_cast<int>(text.size()));
  BitBlt(window, 2, 61, kWidth, kHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldFont);
  SelectObject(memory, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(g_main, window);
}

int g_blink = 0;

LRESULT CALLBACK TimerProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    if (GetWindowLongPtrA(window, GWLP_USERDATA) == 100) {
      ScrollTick();
    } else {
      ++g_blink;
    }
    return 0;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

void Register(const char* name, WNDPROC proc, HBRUSH background, HICON icon = nullptr, HICON smallIcon = nullptr) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = g_instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  wc.hIcon = icon;
  wc.hIconSm = smallIcon;
  RegisterClassExA(&wc);
}

HWND Child(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, HWND parent,
           DWORD exStyle = 0, HFONT font = g_font) {
  HWND child = CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                               g_instance, nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  return child;
}

HFONT SongTi(int height, int weight = FW_NORMAL, DWORD charset = DEFAULT_CHARSET) {
  return CreateFontA(height, 0, 0, 0, weight, 0, 0, 0, charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH, texts::kSongTi);
}

[[maybe_unused]] HICON ProgramIcon(int widthMetric, int heightMetric) {
  return static_cast<HICON>(LoadImageA(g_instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(widthMetric),
                                       GetSystemMetrics(heightMetric), LR_SHARED));
}

HWND TimerWindow(int interval) {
  HWND h = CreateWindowExA(0, "FloorTimer", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, g_instance, nullptr);
  SetWindowLongPtrA(h, GWLP_USERDATA, interval);
  SetTimer(h, 1, static_cast<UINT>(interval), nullptr);
  return h;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  g_instance = instance;
  g_font = SongTi(-13);
#ifdef FLOOR_BARE
  HFONT bannerFont = g_font, boldFont = g_font, resultFont = g_font;
  HICON icon = nullptr, smallIcon = nullptr;
#else
  HFONT bannerFont = SongTi(-24, FW_NORMAL, GB2312_CHARSET), boldFont = SongTi(-13, FW_BOLD),
        resultFont = SongTi(-16);
  HICON icon = ProgramIcon(SM_CXICON, SM_CYICON), smallIcon = ProgramIcon(SM_CXSMICON, SM_CYSMICON);
#endif
  Register("FloorApplication", DefWindowProcA, nullptr, icon, smallIcon);
  Register("FloorForm", MainProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon, smallIcon);
  Register("FloorEntry", DefWindowProcA, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  Register("FloorTimer", TimerProc, nullptr);
#ifndef FLOOR_PLAIN
  InitCommonControls();
  // From the system folder only, as the program takes it.
  HMODULE uxTheme = LoadLibraryExA("UxTheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  Register("FloorThemeReceiver", DefWindowProcA, nullptr);
  CreateWindowExA(0, "FloorThemeReceiver", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
#endif
#ifndef FLOOR_BARE
  Register("FloorColorListener", DefWindowProcA, nullptr);
  CreateWindowExA(0, "FloorColorListener", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
#endif

  HWND application = CreateWindowExA(0, "FloorApplication", "floor", WS_POPUP | WS_CAPTION | WS_SYSMENU, 640, 512, 0,
                                     0, nullptr, nullptr, instance, nullptr);
  g_main = CreateWindowExA(0, "FloorForm", texts::kFormCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 150, 146, 550,
                           309, application, nullptr, instance, nullptr);
  // Transparent: the window paints its face beneath the group box, which draws only its frame.
  Child("BUTTON", texts::kGroupCaption, BS_GROUPBOX, 0, 0, 542, 89, g_main, WS_EX_TRANSPARENT);
#ifndef FLOOR_BARE
  Child("STATIC", texts::kBannerCaption, SS_CENTER | SS_CENTERIMAGE, 2, 15, 538, 40, g_main, 0, bannerFont);
#endif
  HWND visit = Child("BUTTON", texts::kVisitUs, BS_PUSHBUTTON | WS_TABSTOP, 376, 61, 73, 21, g_main);
  Child("BUTTON", texts::kCloseWindow, BS_PUSHBUTTON | WS_TABSTOP, 456, 61, 73, 21, g_main);
  for (int n = 0; n < 9; ++n) {
    HWND box = Child("FloorEntry", "", WS_CLIPCHILDREN, 16 + 48 * n, 104, 33, 21, g_main);
    Child("EDIT", texts::kEntries[n], ES_AUTOHSCROLL | WS_TABSTOP, 2, 2, 29, 17, box);
  }
  Child("BUTTON", texts::kStartNaming, BS_PUSHBUTTON | WS_TABSTOP, 448, 104, 81, 21, g_main, 0, boldFont);
  const std::string usage = std::string(texts::kUsageLine1) + "\r\n" + texts::kUsageLine2 + "\r\n" +
                            texts::kUsageLine3 + "\r\n" + texts::kUsageLine4;
  Child("EDIT", usage.c_str(), ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_TABSTOP, 16, 136, 513, 129, g_main,
        WS_EX_CLIENTEDGE, resultFont);
  TimerWindow(100);
  TimerWindow(500);

  ShowWindow(application, SW_SHOWNA);
  ShowWindow(g_main, SW_SHOWNORMAL);
#ifndef FLOOR_BARE
  SetFocus(visit);
#else
  (void)visit;
#endif
  UpdateWindow(g_main);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  for (HFONT font : {bannerFont, boldFont, resultFont})
    if (font != g_font) DeleteObject(font);
  DeleteObject(g_font);
#ifndef FLOOR_PLAIN
  if (uxTheme) FreeLibrary(uxTheme);
#endif
  return 0;
}
