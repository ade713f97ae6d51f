// The disassembly tab of the details view: address, optional line number,
// instruction and comment columns. The ">" that the disassembler puts
// before the current instruction marks its row. Platform-free.
#pragma once

#include <string_view>

#include "report/box/quorDetailsModel.h"

namespace quor {

[[nodiscard]] TDetailsView FormatDisAsmView(std::string_view text);

}  // namespace quor
