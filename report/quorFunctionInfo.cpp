#include "report/quorDisAsm.h"
namespace quor {
TFunctionInfo ParseFunction(uint32_t entryPoint, const TMemorySnapshot*, const TSpecialRoutines*, ErrorMessageFn) {
  TFunctionInfo f; f.EntryPoint = entryPoint; return f;
}
}
