#include "framework/Handles.h"

#include <cstdio>
#include <cstdlib>

namespace gdi {

namespace {
long g_live = 0;
}

long LiveObjects() { return g_live; }

namespace detail {

void Counted(int delta) { g_live += delta; }

void Delete(HGDIOBJ object) {
  // Windows refuses to delete an object still selected into a device context; such a
  // refusal is a bug in the owner's selection discipline and must not pass silently.
  if (!DeleteObject(object)) {
#ifndef NDEBUG
    std::fprintf(stderr, "DeleteObject(%p) failed: object still selected or not a GDI object\n", object);
    std::abort();
#endif
  }
}

}  // namespace detail

MemoryDC::MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
MemoryDC::~MemoryDC() {
  if (dc_) DeleteDC(dc_);
}

WindowDC::WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
WindowDC::~WindowDC() {
  if (dc_) ReleaseDC(window_, dc_);
}

}  // namespace gdi
