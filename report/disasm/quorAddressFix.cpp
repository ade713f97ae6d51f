#include "report/disasm/quorAddressFix.h"

namespace quor {

namespace {

bool StartsInstruction(uint32_t address, const TFunctionInfo& f, const TMemorySnapshot& memory) {
  for (const TCodeArea& area : f.CodeAreas) {
    if (area.CaseTable || area.ExceptTable || address < area.Begin || address > area.End) continue;
    for (uint32_t at = area.Begin; at <= address && at <= area.End;) {
      if (at == address) return true;
      const InstructionInfo i = DecodeInstruction(at, &memory);
      if (!i.Valid || i.Next <= at) break;
      at = i.Next;
    }
  }
  return false;
}

}  // namespace

uint32_t FixedExceptionAddress(uint32_t address, uint32_t functionStart, const TMemorySnapshot& memory) {
  const TFunctionInfo f = ParseFunction(functionStart, &memory);
  if (!f.IsValid || StartsInstruction(address, f, memory) || !StartsInstruction(address + 4, f, memory)) return address;
  return address + 4;
}

}  // namespace quor
