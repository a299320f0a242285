#pragma once
#include <windows.h>

#include "framework/Geometry.h"

namespace testing_support {

// The screen's density in dots per inch, as the program reads it.
int ScreenDpi();
// The density the run was started for: scripts/wine-test-at names it in NAMEGEN_TEST_DPI; 96
// without it.
int RequestedDpi();
// What the frame and title bar of a window with this style add to its client area on a screen of
// `dpi` dots per inch, as the system works it out for a window moved there.
TSize FrameSizeAt(HWND window, int dpi);

}  // namespace testing_support
