// Fuzz target of the x86 decoder: random bytes at a random base are decoded, as
// text too, and parsed as a function, with the snapshot holding exactly those
// bytes. The reader aborts on any read outside them, so a decoder that reads
// past the snapshot fails here even where ASan would not notice.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "report/disasm/quorDisAsm.h"

namespace {

class StrictReader : public quor::IMemoryReader {
public:
  StrictReader(uint32_t base, const uint8_t* data, size_t size) : base_(base), data_(data), size_(size) {}
  bool ReadRaw(uint32_t address, void* out, uint32_t size) const override {
    if (address < base_ || uint64_t(address) - base_ + size > size_) std::abort();
    std::memcpy(out, data_ + (address - base_), size);
    return true;
  }

private:
  uint32_t base_;
  const uint8_t* data_;
  size_t size_;
};

class FakeSymbols : public quor::IDisAsmSymbols {
public:
  bool FunctionName(uint32_t address, uint32_t, std::string& name, std::string& module) const override {
    if (address & 1) return false;
    name = "fn";
    module = (address & 2) ? "other.dll" : "";
    return true;
  }
  bool LineNumber(uint32_t address, uint32_t& line) const override {
    line = (address >> 2) % 1000;
    return true;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  uint32_t base;
  std::memcpy(&base, data, 4);
  const uint8_t control = data[4];
  data += 5;
  size -= 5;
  if (uint64_t(base) + size > 0x100000000ull) base = static_cast<uint32_t>(0x100000000ull - size);
  const uint32_t n = static_cast<uint32_t>(size);
  StrictReader reader(base, data, size);
  quor::TMemorySnapshot snapshot(&reader);
  snapshot.AddRange({base, n, true, true});
  quor::TModuleImage module;
  module.Base = base;
  module.Size = n;
  module.CodeBegin = base;
  module.CodeEnd = static_cast<uint32_t>(uint64_t(base) + n);
  snapshot.AddModule(module);

  // linear decoding with the register state and as text
  quor::TRegState regs;
  uint64_t a = base;
  while (a < uint64_t(base) + n) {
    quor::TDecoded d;
    quor::DecodeInstructionFull(static_cast<uint32_t>(a), &snapshot, &regs, d);
    if (d.Info.Valid) {
      if (d.Info.Next <= d.Info.This && d.Info.Next != 0) std::abort();
      if (d.Info.Length() > 15) std::abort();
      (void)quor::InstructionText(d);
      a += d.Info.Length();
    } else {
      a += 1;
    }
  }
  // a function at an offset chosen by the input
  const uint32_t entry = base + (control % n);
  FakeSymbols symbols;
  quor::TDisAsmOptions options;
  options.FormatDisAsm = control & 1;
  options.LimitDisAsm = (control >> 1) & 7;
  options.ExceptAddr = entry + ((control >> 4) & 15);
  quor::TSpecialRoutines special;
  special.HandleOnException = base + (control % 7);
  special.HandleFinally = base + (control % 11);
  options.Special = &special;
  std::string text;
  quor::TFunctionInfo info;
  (void)quor::DisAsmFunction(entry, &snapshot, (control & 8) ? &symbols : nullptr, options, text, info);
  return 0;
}
