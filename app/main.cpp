#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  HWND w = CreateWindowExA(0, "STATIC", "NameGen", WS_OVERLAPPEDWINDOW, 150, 146, 550, 309,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(w, show);
  MSG msg;
  while (IsWindow(w) && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
