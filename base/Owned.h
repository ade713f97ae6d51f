// Owns one resource named by a handle: closes it when the owner ends.
// Traits names the handle type, the value that means "nothing owned" and how
// to close: struct T { using Handle = ...; static Handle Empty(); static void
// Close(Handle); }. Move-only; platform-free (the traits are not).
#pragma once

#include <utility>

namespace base {

template <class Traits>
class Owned {
public:
  using Handle = typename Traits::Handle;

  Owned() noexcept = default;
  explicit Owned(Handle handle) noexcept : handle_(handle) {}
  Owned(Owned&& other) noexcept : handle_(other.release()) {}
  Owned& operator=(Owned&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~Owned() { reset(); }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Traits::Empty(); }

  // Hands the resource on: the owner no longer closes it.
  Handle release() noexcept { return std::exchange(handle_, Traits::Empty()); }
  // Closes what is owned and takes the new handle.
  void reset(Handle handle = Traits::Empty()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (old != Traits::Empty()) Traits::Close(old);
  }

private:
  Handle handle_ = Traits::Empty();
};

// Traits of the common kind: null means nothing owned, kClose(handle) closes.
template <class H, auto kClose>
struct NullIsEmpty {
  using Handle = H;
  static H Empty() { return nullptr; }
  static void Close(H handle) { kClose(handle); }
};

}  // namespace base
