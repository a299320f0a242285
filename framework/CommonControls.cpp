#include "framework/CommonControls.h"

#include "framework/SystemLibrary.h"

namespace commctrl {
namespace {

HMODULE Library() {
  static const HMODULE library = LoadSystemLibrary("comctl32.dll");
  return library;
}

// Looked up once, on the first call.
#define COMMCTRL_FUNCTION(name) \
  static const auto function = LibraryFunction<decltype(&::name)>(Library(), #name)

}  // namespace

void InitCommonControls() {
  COMMCTRL_FUNCTION(InitCommonControls);
  if (function) function();
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes) {
  COMMCTRL_FUNCTION(InitCommonControlsEx);
  return function ? function(classes) : FALSE;
}

HIMAGELIST ImageList_Create(int width, int height, UINT flags, int initial, int grow) {
  COMMCTRL_FUNCTION(ImageList_Create);
  return function ? function(width, height, flags, initial, grow) : nullptr;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
  COMMCTRL_FUNCTION(ImageList_Destroy);
  return function ? function(list) : FALSE;
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask) {
  COMMCTRL_FUNCTION(ImageList_AddMasked);
  return function ? function(list, image, mask) : -1;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
  COMMCTRL_FUNCTION(ImageList_Draw);
  return function ? function(list, index, dc, x, y, style) : FALSE;
}

}  // namespace commctrl
