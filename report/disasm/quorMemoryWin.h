// The Windows side of guarded reading: copies from this process's memory
// through the platform's read call (which reports failure instead of
// faulting) and snapshots of this process's address space and modules.
#pragma once

#include "report/disasm/quorDisAsm.h"

namespace quor {

// Pages that cannot be written (code, read-only data) are read once and kept.
// Wine: every read of process memory is a round trip to the server, and
// decoding reads a few bytes at a time. The kept pages are dropped whenever a
// new snapshot is taken, so a module loaded in place of another is read anew.
class TProcessMemoryReader : public IMemoryReader {
public:
  [[nodiscard]] bool ReadRaw(uint32_t address, void* out, uint32_t size) const override;
  void DropKeptPages();
};

// Copies `size` bytes at `address` of this process, uncached; false when any
// of them cannot be read. Allocates nothing and takes no lock, so it is safe
// while another thread of the process stands suspended.
[[nodiscard]] bool ReadOwnMemory(uint32_t address, void* out, uint32_t size);

// The reader of this process's memory (one for the process, never freed).
TProcessMemoryReader& ProcessMemoryReader();

// Fills the snapshot with every region of this process's address space and
// every loaded module (its image, code and initialised-data ranges), and
// sets the process reader. Returns false when the memory query fails at
// the first region.
[[nodiscard]] bool TakeProcessSnapshot(TMemorySnapshot& snapshot);

// Fills the snapshot with the regions and images of the loaded modules that
// hold the given addresses only (0 and addresses outside images are left
// out), and sets the process reader: enough to decode code inside them, at a
// fraction of the cost of the whole process. False when no address lies in
// a module.
[[nodiscard]] bool TakeModulesSnapshot(TMemorySnapshot& snapshot, const std::vector<uint32_t>& addresses);

}  // namespace quor
