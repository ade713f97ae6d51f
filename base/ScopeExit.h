// Runs a function when the scope ends, however it ends (return or throw).
// For clean-up that belongs to no single owned resource.
#pragma once

#include <utility>

namespace base {

template <class F>
class ScopeExit {
public:
  explicit ScopeExit(F f) noexcept : f_(std::move(f)) {}
  ~ScopeExit() {
    if (active_) f_();
  }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  // The work is done or handed on: nothing runs at the end.
  void Dismiss() noexcept { active_ = false; }

private:
  F f_;
  bool active_ = true;
};

}  // namespace base
