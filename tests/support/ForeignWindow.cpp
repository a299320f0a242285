// A window of another process for the tests: a topmost popup that claims to be one of the test's
// controls. It carries the test's address in the window property where the framework's controls
// were once found, so that any lookup of controls through window properties would trip over it.
//
//   foreign_window.exe <left> <top> <width> <height> <property value in hex>
//
// It shows the window, then runs until the window is closed or a minute has passed.
#include <windows.h>

#include <cstdlib>

namespace {

constexpr const char* kClassName = "NameGenForeignWindow";
constexpr const char* kControlProp = "NameGen.Control";

LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    RemovePropA(window, kControlProp);
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc < 6) return 2;
  const int left = std::atoi(__argv[1]), top = std::atoi(__argv[2]);
  const int width = std::atoi(__argv[3]), height = std::atoi(__argv[4]);
  const auto value = static_cast<UINT_PTR>(std::strtoull(__argv[5], nullptr, 16));

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  if (!RegisterClassExA(&wc)) return 3;
  HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, "foreign", WS_POPUP, left, top, width,
                                height, nullptr, nullptr, instance, nullptr);
  if (!window) return 4;
  SetPropA(window, kControlProp, reinterpret_cast<HANDLE>(value));
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  SetTimer(window, 1, 60000, nullptr);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.hwnd == window) DestroyWindow(window);
    DispatchMessageA(&msg);
  }
  return 0;
}
