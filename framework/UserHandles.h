#pragma once
#include <windows.h>

#include "framework/UniqueHandle.h"

// Owners of USER handles the framework makes for itself (a tooltip window, a menu, a hook):
// each has exactly one owner, which frees it; owners are move-only.

namespace user {

template <class H, BOOL(WINAPI* FreeFunction)(H)>
struct FreedWith {
  static void Adopted(H) {}
  static void Free(H handle) { FreeFunction(handle); }
  static void Released(H) {}
};

template <class H, BOOL(WINAPI* Free)(H)>
using Handle = UniqueHandle<H, FreedWith<H, Free>>;

using Window = Handle<HWND, DestroyWindow>;
using Menu = Handle<HMENU, DestroyMenu>;  // with the submenus attached to it
using Hook = Handle<HHOOK, UnhookWindowsHookEx>;

}  // namespace user
