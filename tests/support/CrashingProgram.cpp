// Crashes at once, with a write through a null pointer.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  volatile int* nowhere = nullptr;
  *nowhere = 1;
  return 0;
}
