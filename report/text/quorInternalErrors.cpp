#include "report/text/quorInternalErrors.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <thread>

namespace quor {

namespace {

struct TInternalErrors {
  std::atomic_flag Busy = ATOMIC_FLAG_INIT;
  size_t Count = 0;
  size_t Dropped = 0;
  char Text[kInternalErrorSlots][kInternalErrorLength] = {};
};

TInternalErrors g_errors;

// A spin lock held only for a few copies: no operating-system lock, which a
// suspended thread could hold.
class THold {
public:
  THold() {
    while (g_errors.Busy.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
  }
  ~THold() { g_errors.Busy.clear(std::memory_order_release); }
  THold(const THold&) = delete;
  THold& operator=(const THold&) = delete;
};

// Appends `part` to the slot text at `used`, cut to the slot's length.
size_t Append(char* slot, size_t used, const char* part) {
  const size_t room = kInternalErrorLength - 1 - used;
  const size_t n = std::min(room, std::strlen(part ? part : ""));
  if (n) std::memcpy(slot + used, part, n);
  slot[used + n] = 0;
  return used + n;
}

}  // namespace

void RecordInternalError(const char* step, const char* what) noexcept {
  const THold hold;
  if (g_errors.Count == kInternalErrorSlots) {
    ++g_errors.Dropped;
    return;
  }
  char* slot = g_errors.Text[g_errors.Count++];
  Append(slot, Append(slot, Append(slot, 0, step), ": "), what);
}

void RecordCaughtInternalError(const char* step) noexcept {
  try {
    throw;
  } catch (const std::exception& e) {
    RecordInternalError(step, e.what());
  } catch (...) {
    RecordInternalError(step, "unknown exception");
  }
}

std::string TakeInternalErrors() {
  char text[kInternalErrorSlots][kInternalErrorLength];
  size_t count = 0, dropped = 0;
  {
    const THold hold;
    count = g_errors.Count, dropped = g_errors.Dropped;
    std::memcpy(text, g_errors.Text, sizeof text);
    g_errors.Count = g_errors.Dropped = 0;
  }
  std::string lines;
  for (size_t i = 0; i < count; ++i) lines += (i ? "\r\n" : "") + std::string(text[i]);
  if (dropped) lines += "\r\n(" + std::to_string(dropped) + " more)";
  return lines;
}

}  // namespace quor
