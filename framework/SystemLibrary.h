#pragma once
#include <windows.h>

// A function of a system library, looked up by name; nullptr when the library (null) or the
// function is missing. Libraries the program loads on first use stay loaded for the life of
// the process, as the system's own do.
template <class F>
F LibraryFunction(HMODULE library, const char* name) {
  return library ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(library, name))) : nullptr;
}

// The same, stored in `function`; true when found.
template <class F>
bool LoadLibraryFunction(HMODULE library, const char* name, F& function) {
  function = LibraryFunction<F>(library, name);
  return function != nullptr;
}
