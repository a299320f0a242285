#pragma once
#include <windows.h>

#include <utility>

// Owners of GDI and USER handles: each handle has exactly one owner, which frees it.
// Owners are move-only; a borrowed handle is held as the raw handle type.

namespace gdi {

// Number of GDI objects currently held by owners in this process (for leak checks).
long LiveObjects();

namespace detail {
void Delete(HGDIOBJ object);  // checked DeleteObject
void Counted(int delta);
}  // namespace detail

// An owned pen, brush, font, bitmap or region.
template <class H>
class Object {
 public:
  Object() = default;
  explicit Object(H handle) : handle_(handle) {
    if (handle_) detail::Counted(+1);
  }
  ~Object() { Reset(); }
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;
  Object(Object&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Object& operator=(Object&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }

  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

  // Frees the object; it must not be selected into any device context.
  void Reset(H handle = nullptr) {
    if (handle_) {
      detail::Delete(handle_);
      detail::Counted(-1);
    }
    handle_ = handle;
    if (handle_) detail::Counted(+1);
  }

 private:
  H handle_ = nullptr;
};

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
