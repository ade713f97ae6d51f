// The jump from a call-stack row to the source in a running development
// environment: which row text is sent, and the class of the environment's
// message window that receives it. Platform-free.
#pragma once

#include <cstdint>
#include <string>

#include "report/box/quorDetailsModel.h"

namespace quor {

// The registered message the environment listens to.
constexpr const char* kIdeJumpMessage = "QuorExceptIdeJumpCommand";
// The class of the environment's main window.
constexpr const char* kIdeMainWindowClass = "TAppBuilder";

// The text of `row` with blanks between its cells; empty when the row is the
// first (the heading), empty or a lone ">".
[[nodiscard]] std::string IdeJumpText(const TDetailsView& view, size_t row);

// "quorToolsMsgHandlerWindow$" and the environment thread's id in
// lower-case hexadecimal: the start of the receiving window's class name.
[[nodiscard]] std::string IdeHandlerClassPrefix(uint32_t threadId);

}  // namespace quor
