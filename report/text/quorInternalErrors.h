// The reporter's own failures: a step that cannot do its work records where
// it was and what failed instead of losing it, and the next report shows
// the records in its "internal errors" section. The list is process-wide and
// small (fixed slots, further failures only counted); recording never
// allocates and never waits for an operating-system lock, so it is safe
// while other threads are suspended and inside failure paths.
#pragma once

#include <cstddef>
#include <string>

namespace quor {

inline constexpr size_t kInternalErrorSlots = 16;
inline constexpr size_t kInternalErrorLength = 160;  // longer records are cut

// Records "<step>: <what>". Never throws.
void RecordInternalError(const char* step, const char* what) noexcept;

// Only inside a catch block: records the exception being handled (its
// what() text, or "unknown exception").
void RecordCaughtInternalError(const char* step) noexcept;

// The records, oldest first, one per line (and a line with the number of
// failures that found no free slot); empty when there are none. The list is
// empty afterwards.
[[nodiscard]] std::string TakeInternalErrors();

}  // namespace quor
