#pragma once
// A stand-in for the system's visual-styles library, for the tests of the theme service, the
// painters and the edit container: its version, whether it has the library, and a library whose
// themes are counted handles.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "controls/lookandfeel/dxThemeManager.h"
#include "framework/Handles.h"

namespace uxtheme_tests {

// What the stand-in answers and what it was asked.
struct FakeUxTheme {
  DWORD major = 6, minor = 1;
  bool hasLibrary = true;
  BOOL themeActive = TRUE;
  std::vector<std::string> loaded, lookedUp;
  int freed = 0;
  std::vector<std::wstring> opened;
  std::vector<HTHEME> closed;
  // Every part's content lies this far in from the left, top, right and bottom.
  RECT contentMargins{2, 0, 3, 1};
  // With a colour, every part's background is drawn in it; without, the library draws nothing.
  std::optional<COLORREF> background;
};

inline FakeUxTheme* g_fake = nullptr;
inline HMODULE const kFakeModule = reinterpret_cast<HMODULE>(0x5150);

inline BOOL WINAPI FakeVersion(OSVERSIONINFOA* info) {
  info->dwMajorVersion = g_fake->major;
  info->dwMinorVersion = g_fake->minor;
  return TRUE;
}
inline HMODULE WINAPI FakeLoad(const char* name) {
  g_fake->loaded.push_back(name);
  return g_fake->hasLibrary ? kFakeModule : nullptr;
}
inline HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR name) {
  g_fake->opened.push_back(name);
  if (std::wstring(name) == L"Clock") return nullptr;  // a class this theme lacks
  return reinterpret_cast<HTHEME>(static_cast<INT_PTR>(g_fake->opened.size()));
}
inline HRESULT WINAPI FakeCloseThemeData(HTHEME theme) {
  g_fake->closed.push_back(theme);
  return S_OK;
}
inline BOOL WINAPI FakeIsThemeActive() { return g_fake->themeActive; }
inline HRESULT WINAPI FakeContentRect(HTHEME, HDC, int, int, const RECT* bounds, RECT* content) {
  const RECT& m = g_fake->contentMargins;
  *content = RECT{bounds->left + m.left, bounds->top + m.top, bounds->right - m.right, bounds->bottom - m.bottom};
  return S_OK;
}
inline HRESULT WINAPI FakeDrawBackground(HTHEME, HDC dc, int, int, const RECT* r, const RECT*) {
  gdi::Brush brush(CreateSolidBrush(*g_fake->background));
  FillRect(dc, r, brush.Get());
  return S_OK;
}
inline FARPROC WINAPI FakeLookUp(HMODULE module, const char* name) {
  EXPECT_EQ(module, kFakeModule);
  g_fake->lookedUp.push_back(name);
  const std::string n = name;
  if (n == "OpenThemeData") return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(FakeOpenThemeData));
  if (n == "CloseThemeData") return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(FakeCloseThemeData));
  if (n == "IsThemeActive") return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(FakeIsThemeActive));
  if (n == "GetThemeBackgroundContentRect")
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(FakeContentRect));
  if (n == "DrawThemeBackground" && g_fake->background)
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(FakeDrawBackground));
  return nullptr;
}
inline BOOL WINAPI FakeFree(HMODULE module) {
  EXPECT_EQ(module, kFakeModule);
  ++g_fake->freed;
  return TRUE;
}
inline const TdxUxThemeSystem kFakeSystem{FakeVersion, FakeLoad, FakeLookUp, FakeFree};

// For its lifetime the visual-styles service is stopped, and runs on the stand-in once started;
// afterwards it is stopped.
class UxThemeStandIn {
 public:
  UxThemeStandIn() {
    g_fake = &fake;
    dxThemeManagerFinalize();
  }
  ~UxThemeStandIn() {
    dxThemeManagerFinalize();
    g_fake = nullptr;
  }
  UxThemeStandIn(const UxThemeStandIn&) = delete;
  UxThemeStandIn& operator=(const UxThemeStandIn&) = delete;

  void Start() { dxThemeManagerInitialize(kFakeSystem); }

  FakeUxTheme fake;
};

// The visual-styles service on this system's library, for its lifetime.
class SystemThemeService {
 public:
  SystemThemeService() { dxThemeManagerInitialize(); }
  ~SystemThemeService() { dxThemeManagerFinalize(); }
  SystemThemeService(const SystemThemeService&) = delete;
  SystemThemeService& operator=(const SystemThemeService&) = delete;
};

}  // namespace uxtheme_tests
