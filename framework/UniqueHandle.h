#pragma once
#include <utility>

// A move-only owner of one handle: the one place that frees it. Traits says how:
//   static void Adopted(H)   the owner took the handle
//   static void Free(H)      free it
//   static void Released(H)  the owner gave it up to a new owner without freeing it
template <class H, class Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(H handle) : handle_(handle) {
    if (handle_) Traits::Adopted(handle_);
  }
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }

  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives the handle up to a new owner (the system, say, once a submenu is attached).
  H Release() {
    if (handle_) Traits::Released(handle_);
    return std::exchange(handle_, nullptr);
  }
  // Frees the handle held, if any, and takes `handle`.
  void Reset(H handle = nullptr) {
    if (handle_) Traits::Free(handle_);
    handle_ = handle;
    if (handle_) Traits::Adopted(handle_);
  }

 private:
  H handle_ = nullptr;
};
