#include "report/stacktrace/quorStackTraceSections.h"

#include <algorithm>
#include <vector>

#include "report/text/quorReportSections.h"

namespace quor {

std::string StackDumpSection(uint32_t stackPointer, uint32_t stackTop, const TMemorySnapshot& memory) {
  const uint32_t size = stackTop > stackPointer ? std::min<uint32_t>(stackTop - stackPointer, 20 * 16) : 0;
  std::vector<uint8_t> bytes(size);
  // Byte by byte at a fault, so that a partly readable stack still shows.
  if (size && !memory.Read(stackPointer, bytes.data(), size)) {
    uint32_t readable = 0;
    while (readable < size && memory.Read(stackPointer + readable, &bytes[readable], 1)) ++readable;
    bytes.resize(readable);
  }
  return StackDumpText(stackPointer, bytes);
}

std::string DisAsmSection(const TTraceResult& trace, const TMemorySnapshot& memory, const IDisAsmSymbols* symbols,
                          bool formatDisAsm, int limitDisAsm) {
  if (!trace.FunctionStart) return {};
  TDisAsmOptions options;
  options.ExceptAddr = trace.FunctionAddress;
  options.FormatDisAsm = formatDisAsm;
  options.LimitDisAsm = limitDisAsm;
  std::string text;
  TFunctionInfo info;
  return DisAsmFunction(trace.FunctionStart, &memory, symbols, options, text, info) ? text : std::string();
}

}  // namespace quor
