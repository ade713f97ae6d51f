// One part of a report as the exception box gets it: a header field
// (name and value) or a section (name and text). Platform-free.
#pragma once

#include <string>

namespace quor {

struct TBoxReportPart {
  std::string Name, Text;
};

}  // namespace quor
