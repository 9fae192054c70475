#pragma once
// The sole owner of an operating-system handle: Release is called once, when the owner goes or
// takes another handle, so that no way out (an exception included) leaks it. Invalid is the
// value that owns nothing (0, or -1 for the handles that fail with INVALID_HANDLE_VALUE).
#include <cstdint>
#include <type_traits>
#include <utility>

template <class T, auto Release, std::intptr_t Invalid = 0> class TUniqueHandle {
public:
  TUniqueHandle() = default;
  explicit TUniqueHandle(T handle) : FHandle(handle) {}
  TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(other.Detach()) {}
  TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
    Reset(other.Detach());
    return *this;
  }
  ~TUniqueHandle() { Reset(); }

  T Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != InvalidValue(); }
  // Releases the handle owned so far, if any, and owns handle instead.
  void Reset(T handle = InvalidValue()) {
    const T old = std::exchange(FHandle, handle);
    if (old != InvalidValue()) Release(old);
  }
  // Gives the handle up without releasing it.
  T Detach() { return std::exchange(FHandle, InvalidValue()); }

  static T InvalidValue() {
    if constexpr (std::is_pointer_v<T>)
      return reinterpret_cast<T>(Invalid);
    else
      return static_cast<T>(Invalid);
  }

private:
  T FHandle = InvalidValue();
};
