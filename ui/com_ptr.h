// Move-only owners for COM references and OLE storage media.
#pragma once

#include <ole2.h>

#include <utility>

// Holds one reference to a COM object and gives it back with Release.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }

  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  // The place for a function that hands out a new reference; any old one is given back.
  void** put_void() {
    reset();
    return reinterpret_cast<void**>(&pointer_);
  }

  void reset() {
    if (pointer_) std::exchange(pointer_, nullptr)->Release();
  }

 private:
  Interface* pointer_ = nullptr;
};

// A storage medium filled by IDataObject::GetData, given back with ReleaseStgMedium.
class StorageMedium {
 public:
  StorageMedium() = default;
  ~StorageMedium() {
    if (medium_.tymed != TYMED_NULL) ReleaseStgMedium(&medium_);
  }
  StorageMedium(const StorageMedium&) = delete;
  StorageMedium& operator=(const StorageMedium&) = delete;

  STGMEDIUM* put() { return &medium_; }
  // After a failed GetData the medium is not ours, whatever it holds.
  void forget() { medium_ = {}; }
  const STGMEDIUM& get() const { return medium_; }

 private:
  STGMEDIUM medium_ = {};
};
