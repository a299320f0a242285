#include "tests/support/TestMain.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/Application.h"

namespace {
int g_windowsBeforeMain = 0;
}  // namespace

int testing_support::WindowsBeforeMain() { return g_windowsBeforeMain; }

// Windows tests run with the application object in place, as the program does.
int main(int argc, char** argv) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND, LPARAM count) {
        ++*reinterpret_cast<int*>(count);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&g_windowsBeforeMain));
  testing::InitGoogleTest(&argc, argv);
  TApplication application;
  return RUN_ALL_TESTS();
}
