// The skin engine's message box: a system message box owned by the
// application's window, captioned and styled by the kind of message and the
// buttons asked for (sMessageBoxStyle).
#pragma once

#include <cstdint>
#include <string>

#include "skin/sMessageBoxStyle.h"

namespace skin {

// The answer of the box (IDOK, IDCANCEL ...), as MessageBoxAnswer gives it.
// A position (screen coordinates of the box's top-left corner) places a
// skinned box there; -1, -1 leaves it where the system puts it.
int32_t ShowMessageBox(const std::string& text, TMsgKind kind, uint16_t buttons, int32_t x = -1, int32_t y = -1);

}  // namespace skin
