// Move-only owners for the few Windows handles the window program creates itself.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }

  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, Handle{});
    }
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  void reset(Handle handle = Handle{}) {
    if (handle_ != Handle{}) Traits::close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_{};
};

struct GdiObjectTraits {
  static void close(HGDIOBJ object) { DeleteObject(object); }
};
struct IconTraits {
  static void close(HICON icon) { DestroyIcon(icon); }
};
struct KernelHandleTraits {
  static void close(HANDLE handle) { CloseHandle(handle); }
};

using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiObjectTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
