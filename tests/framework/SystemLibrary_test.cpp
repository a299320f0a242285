#include <gtest/gtest.h>

#include "framework/CommonControls.h"
#include "framework/SystemLibrary.h"

// The system's libraries come from the system folder only: a library of the asked-for name in the
// program's own folder (the test library stands beside this test program) is never taken, and the
// common controls, which the program does not import, work through the library loaded from there.
TEST(SystemLibrary, TakesLibrariesFromTheSystemFolderOnly) {
  EXPECT_EQ(LoadSystemLibrary("stand_in_library.dll"), nullptr);
  EXPECT_EQ(GetModuleHandleA("stand_in_library.dll"), nullptr);

  HMODULE shell = LoadSystemLibrary("shell32.dll");
  ASSERT_NE(shell, nullptr);
  char path[MAX_PATH] = {}, system[MAX_PATH] = {};
  GetModuleFileNameA(shell, path, MAX_PATH);
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(lstrcmpiA(path, (std::string(system) + "\\shell32.dll").c_str()), 0) << path;

  HIMAGELIST list = commctrl::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 1, 0);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(commctrl::ImageList_Destroy(list));
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  EXPECT_TRUE(commctrl::InitCommonControlsEx(&classes));
}
