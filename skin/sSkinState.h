// The skin engine's process-wide state, in one place: the default manager,
// the registered skinned forms, the flags that suppress painting while skin
// data change or a new skin is announced, and the button-events byte.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/Controls.h"

namespace skin {

class TsSkinManager;

namespace state {

TsSkinManager*& DefaultManager();
std::vector<tk::TWinControl*>& SkinForms();
bool& Changing();
bool& Announcing();
uint8_t& ButtonEvents();

// Raises a flag for the lifetime of the guard, restoring it afterwards.
class FlagGuard {
public:
  explicit FlagGuard(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~FlagGuard() { flag_ = saved_; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

private:
  bool& flag_;
  bool saved_;
};

}  // namespace state
}  // namespace skin
