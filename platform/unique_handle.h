// Move-only owner of a Win32 handle; the traits say what "empty" is and how
// the handle is given back.
#pragma once

#include <windows.h>

#include <utility>

namespace lumvik {

template <typename Handle, typename Traits>
class Unique {
 public:
  Unique() = default;
  explicit Unique(Handle handle) : handle_(handle) {}
  Unique(Unique&& other) noexcept : handle_(other.release()) {}
  Unique& operator=(Unique&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  ~Unique() { reset(); }

  explicit operator bool() const { return handle_ != Traits::Empty(); }
  Handle get() const { return handle_; }
  Handle release() { return std::exchange(handle_, Traits::Empty()); }
  void reset(Handle handle = Traits::Empty()) {
    if (handle_ != Traits::Empty()) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::Empty();
};

struct FileHandleTraits {
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE handle) { ::CloseHandle(handle); }
};
using UniqueFile = Unique<HANDLE, FileHandleTraits>;

// Events and threads: empty is null.
struct KernelObjectTraits {
  static HANDLE Empty() { return nullptr; }
  static void Close(HANDLE object) { ::CloseHandle(object); }
};
using UniqueEvent = Unique<HANDLE, KernelObjectTraits>;

struct FindTraits {
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE search) { ::FindClose(search); }
};
using UniqueFind = Unique<HANDLE, FindTraits>;

}  // namespace lumvik
