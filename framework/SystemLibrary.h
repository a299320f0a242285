#pragma once
#include <windows.h>

// Libraries of the system are taken from the system folder only. A library asked for by its bare
// name would otherwise be looked for in the program's folder first (and, by older systems, in the
// current folder): a file of that name left there, in a downloads folder say, would run inside
// the program.

// Restricts the process's own library search to the system folder and asks the system to prefer
// its folder for the libraries it loads on the program's behalf. Called first thing at start-up,
// before anything loads a library. Either setting is left out quietly where the system lacks it;
// LoadSystemLibrary stays safe without them.
void LoadLibrariesFromSystemFolderOnly();

// Loads a library of the system by its file name ("shell32.dll") from the system folder, never
// from another; nullptr when the system has no such library. Libraries the program loads stay
// loaded for the life of the process, as the system's own do.
HMODULE WINAPI LoadSystemLibrary(const char* name);

// A function of a system library, looked up by name; nullptr when the library (null) or the
// function is missing.
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
