#include "report/quorDisAsm.h"
namespace quor {
const char* const kInternalErrorText = "Internal error in ParseFunction while composing the disassembling string...  :-(";
bool DisAsmFunction(uint32_t, const TMemorySnapshot*, const IDisAsmSymbols*, const TDisAsmOptions&, std::string& text, TFunctionInfo&) { text.clear(); return false; }
}
