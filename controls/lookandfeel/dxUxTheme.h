#pragma once
#include <windows.h>
#include <uxtheme.h>

// The system's visual-styles library ("UxTheme.dll"). It is loaded at run time where the system
// has it and its functions are looked up by name: the program never links it at load time, so it
// starts on systems without it.

// The library's functions; each is null while the library is not loaded or lacks it.
struct TdxUxThemeFunctions {
#define DX_UXTHEME_FUNCTION(name) decltype(&::name) name = nullptr;
#include "controls/lookandfeel/dxUxTheme.inc"
#undef DX_UXTHEME_FUNCTION
};

// How the service meets the system: the version query and the library loader. The start-up uses
// the system's own; tests stand in for a system with or without the library.
struct TdxUxThemeSystem {
  BOOL(WINAPI* GetVersionEx)(OSVERSIONINFOA* info);
  HMODULE(WINAPI* LoadLibrary)(const char* name);
  FARPROC(WINAPI* GetProcAddress)(HMODULE module, const char* name);
  BOOL(WINAPI* FreeLibrary)(HMODULE module);
};
const TdxUxThemeSystem& dxSystemUxTheme();

// Visual styles exist from system version 5.1 on.
constexpr bool dxVisualStylesPossible(DWORD major, DWORD minor) { return major > 5 || (major == 5 && minor >= 1); }

// Asks the system version: visual styles are possible there.
bool dxVisualStylesPossible(const TdxUxThemeSystem& system);
// Loads the library and looks up its functions. True when the library is loaded.
bool LoadUxThemeLibrary(const TdxUxThemeSystem& system);
// Frees the library and forgets its functions.
void FreeUxThemeLibrary();
bool UxThemeLibraryLoaded();
const TdxUxThemeFunctions& UxTheme();
