#include "controls/lookandfeel/dxUxTheme.h"

#include "framework/SystemLibrary.h"

namespace {

const char* const kLibraryName = "UxTheme.dll";

const TdxUxThemeSystem* g_system = nullptr;  // the loader of the library now loaded
HMODULE g_library = nullptr;
TdxUxThemeFunctions g_functions;

template <class F>
void LookUp(F& function, const char* name) {
  // Through the generic function pointer type, which converts to any other without complaint.
  function = reinterpret_cast<F>(reinterpret_cast<void (*)()>(g_system->GetProcAddress(g_library, name)));
}

}  // namespace

bool dxVisualStylesPossible(const TdxUxThemeSystem& system) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  return system.GetVersionEx(&version) && dxVisualStylesPossible(version.dwMajorVersion, version.dwMinorVersion);
}

const TdxUxThemeSystem& dxSystemUxTheme() {
  static const TdxUxThemeSystem system{::GetVersionExA, LoadSystemLibrary, ::GetProcAddress, ::FreeLibrary};
  return system;
}

bool LoadUxThemeLibrary(const TdxUxThemeSystem& system) {
  if (g_library) return true;
  g_library = system.LoadLibrary(kLibraryName);
  if (!g_library) return false;
  g_system = &system;
#define DX_UXTHEME_FUNCTION(name) LookUp(g_functions.name, #name);
#include "controls/lookandfeel/dxUxTheme.inc"
#undef DX_UXTHEME_FUNCTION
  return true;
}

void FreeUxThemeLibrary() {
  if (!g_library) return;
  g_functions = TdxUxThemeFunctions{};
  g_system->FreeLibrary(g_library);
  g_library = nullptr;
  g_system = nullptr;
}

bool UxThemeLibraryLoaded() { return g_library != nullptr; }

const TdxUxThemeFunctions& UxTheme() { return g_functions; }
