#include "report/delivery/quorFieldText.h"

namespace quor {

std::string StripLineBreaks(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  for (char c : text)
    if (c != '\r' && c != '\n' && c != '\0') kept += c;
  return kept;
}

std::string QuotedString(std::string_view text) {
  std::string quoted = "\"";
  for (char c : StripLineBreaks(text)) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace quor
