// Ctrl+C in the exception box: the message or the whole report onto the
// clipboard as plain text.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace quor {

// Puts `text` (single-byte, the system's code page) on the clipboard.
// Emptying the clipboard sends a message to its owner and waits for the
// answer: when the owner's thread is `frozenThread` (not 0) that answer
// would never come, so nothing is done and false returned.
[[nodiscard]] bool CopyBoxText(HWND box, std::string_view text, uint32_t frozenThread);

}  // namespace quor
