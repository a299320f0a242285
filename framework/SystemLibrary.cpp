#include "framework/SystemLibrary.h"

#include <string>

namespace {

// Kernel functions of newer systems, looked up so that the program still starts without them.
template <class F>
F KernelFunction(const char* name) {
  return LibraryFunction<F>(GetModuleHandleA("kernel32.dll"), name);
}

// Values of systems newer than the headers the program is built for may know.
constexpr int kProcessImageLoadPolicy = 10;   // PROCESS_MITIGATION_POLICY
constexpr DWORD kPreferSystem32Images = 0x4;  // PROCESS_MITIGATION_IMAGE_LOAD_POLICY's third flag

}  // namespace

void LoadLibrariesFromSystemFolderOnly() {
  // Windows 8, and Windows 7 and Vista with their library-loading update.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  if (const auto setDefault = KernelFunction<SetDefaultDllDirectoriesFn>("SetDefaultDllDirectories"))
    setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // Windows 10: also the libraries that libraries import, and those the system loads for the
  // program, come from the system folder before any other. Older systems refuse the policy.
  using SetMitigationFn = BOOL(WINAPI*)(int, void*, SIZE_T);
  if (const auto setPolicy = KernelFunction<SetMitigationFn>("SetProcessMitigationPolicy")) {
    DWORD imageLoad = kPreferSystem32Images;
    setPolicy(kProcessImageLoadPolicy, &imageLoad, sizeof imageLoad);
  }
  // The input method support initialises COM on the thread of the first window that takes the
  // focus and loads COM's library by name for it; some systems (Wine) look for it then with the
  // search the process started with, the program's folder first. Loaded now from the system
  // folder, it is found in memory then.
  LoadSystemLibrary("ole32.dll");
}

HMODULE WINAPI LoadSystemLibrary(const char* name) {
  if (HMODULE library = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return library;
  // A system without the library-loading update does not know the flag: the full path in the
  // system folder, whose own imports are then looked for in that folder first.
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::string path = std::string(folder, length) + "\\" + name;
  return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
