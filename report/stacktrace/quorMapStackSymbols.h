// A module's debug symbols as the stack tracer asks for them: the symbol
// object of the symbol store behind the tracer's symbol interface.
#pragma once

#include <memory>

#include "report/stacktrace/quorStackTraceTables.h"
#include "report/symbols/quorMapFile.h"

namespace quor {

// Null when `symbols` is null or holds no valid symbols.
[[nodiscard]] std::shared_ptr<const IStackSymbols> StackSymbolsOf(std::shared_ptr<const TMapFile> symbols);

}  // namespace quor
