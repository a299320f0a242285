#pragma once
#include <windows.h>

#include <utility>

// Owners of USER handles the framework makes for itself (a tooltip window, a menu, a hook):
// each has exactly one owner, which frees it; owners are move-only.

namespace user {

template <class H, BOOL(WINAPI* Free)(H)>
class Handle {
 public:
  Handle() = default;
  explicit Handle(H handle) : handle_(handle) {}
  ~Handle() { Reset(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  Handle(Handle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }

  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives the handle up to a new owner (the system, say, once a submenu is attached).
  H Release() { return std::exchange(handle_, nullptr); }
  void Reset(H handle = nullptr) {
    if (handle_) Free(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = nullptr;
};

using Window = Handle<HWND, DestroyWindow>;
using Menu = Handle<HMENU, DestroyMenu>;  // with the submenus attached to it
using Hook = Handle<HHOOK, UnhookWindowsHookEx>;

}  // namespace user
