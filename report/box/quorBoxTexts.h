// The texts of the exception box: the message broken after its sentences,
// captions cut to what a button shows, and the title of the simple and
// detail boxes (platform-free).
#pragma once

#include <string>
#include <string_view>

namespace quor {

// Every ". " whose full stop stands at a position (counted from 1) between
// 20 and the length minus 10 becomes ".\r\n": a short first sentence or one
// that ends near the end of the text stays on the line.
[[nodiscard]] std::string PrepareBoxMessage(std::string_view message);

// A button shows at most 29 characters of its caption.
inline constexpr size_t kBoxCaptionLimit = 29;
[[nodiscard]] std::string_view BoxCaption(std::string_view caption);

// The simple and detail boxes' title: the executable's file name without
// folder and extension.
[[nodiscard]] std::string ProgramTitle(std::string_view exePath);

// Replaces %exceptMsg% (without regard to case) by `message`, "Unknown" when
// that is empty; the box's texts carry no other placeholder any more.
[[nodiscard]] std::string InsertExceptMsg(std::string_view text, std::string_view message);

// A bug report file name that names one place whatever the current folder:
// longer than 2 characters and starting with "\\" or with ":" second.
[[nodiscard]] bool IsAbsoluteFileName(std::string_view name);

}  // namespace quor
