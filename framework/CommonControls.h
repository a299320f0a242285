#pragma once
#include <windows.h>
#include <commctrl.h>

// The functions of the system's common controls library that the program uses, called through
// the library loaded from the system folder when first needed: the program does not import it.
// Where the library or a function is missing, each answers as the call fails: nothing done,
// FALSE, a null list or -1.
namespace commctrl {

void InitCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes);
HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);

}  // namespace commctrl
