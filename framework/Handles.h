#pragma once
#include <windows.h>

#include "framework/UniqueHandle.h"

// Owners of GDI and USER handles: each handle has exactly one owner, which frees it.
// Owners are move-only; a borrowed handle is held as the raw handle type.

namespace gdi {

// Number of GDI objects currently held by owners in this process (for leak checks).
long LiveObjects();

namespace detail {
void Delete(HGDIOBJ object);  // checked DeleteObject
void Counted(int delta);

// Owned GDI objects are counted; one must not be selected into any device context when freed.
struct ObjectTraits {
  static void Adopted(HGDIOBJ) { Counted(+1); }
  static void Free(HGDIOBJ object) {
    Delete(object);
    Counted(-1);
  }
  static void Released(HGDIOBJ) { Counted(-1); }
};
}  // namespace detail

// An owned pen, brush, font, bitmap or region.
template <class H>
using Object = UniqueHandle<H, detail::ObjectTraits>;

using Pen = Object<HPEN>;
using Brush = Object<HBRUSH>;
using Font = Object<HFONT>;
using Bitmap = Object<HBITMAP>;
using Region = Object<HRGN>;

// A memory device context, deleted with DeleteDC.
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatibleWith = nullptr);
  ~MemoryDC();
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// A window's device context from GetDC, given back with ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND window);
  ~WindowDC();
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Saves a device context's state and restores it (selections, origin, clip) on scope exit.
class SavedState {
 public:
  explicit SavedState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedState() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  SavedState(const SavedState&) = delete;
  SavedState& operator=(const SavedState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// Selects an object into a device context and puts the previous one back on scope exit.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace gdi
