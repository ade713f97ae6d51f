// The skin engine's message box: a system message box owned by the
// application's window, captioned and styled by the kind of message and the
// buttons asked for (sMessageBoxStyle).
#pragma once

#include <cstdint>
#include <string>

#include "skin/sMessageBoxStyle.h"

namespace skin {

// The answer of the box (IDOK, IDCANCEL ...), as MessageBoxAnswer gives it.
int32_t ShowMessageBox(const std::string& text, TMsgKind kind, uint16_t buttons);

}  // namespace skin
