// Pointers the reporter writes into other code: import-table entries that it
// redirects to its hooks. Every write is recorded, so that shutdown can undo
// it where the pointer still holds what was written (someone else may have
// patched the same entry after us, and then it stays theirs).
#pragma once

#include <cstdint>

namespace quor {

struct TCodePatch {
  uint32_t Address;  // where the pointer lies
  uint32_t Found;    // what it held before
  uint32_t Written;  // what the reporter wrote
};

// Writes `value` at `address` (a pointer in another module's data or code,
// made writable for the moment) and records the patch; false when the page
// cannot be made writable.
[[nodiscard]] bool WritePatch(uint32_t address, uint32_t value);
// Undoes every recorded patch whose pointer still holds the written value,
// newest first, and forgets them all.
void UndoPatches();

// Redirects every import-table entry of every loaded module that calls
// `target` to `hook`; the number of entries patched.
uint32_t PatchImports(const void* target, const void* hook);

}  // namespace quor
