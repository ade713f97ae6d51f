#include "report/box/quorBoxTexts.h"

#include <cctype>

namespace quor {
namespace {

constexpr size_t kFirstBreakPosition = 20;  // shorter first sentences stay on the line
constexpr size_t kKeepAtEnd = 10;           // nor is the last word or two broken off

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

}  // namespace

std::string PrepareBoxMessage(std::string_view message) {
  std::string text(message);
  if (message.size() < kFirstBreakPosition + kKeepAtEnd) return text;
  // From the end, so that the inserted line feeds do not move the positions
  // still to be looked at.
  for (size_t position = message.size() - kKeepAtEnd; position >= kFirstBreakPosition; --position) {
    const size_t stop = position - 1;
    if (stop + 1 < text.size() && text[stop] == '.' && text[stop + 1] == ' ') {
      text[stop + 1] = '\r';
      text.insert(stop + 2, 1, '\n');
    }
  }
  return text;
}

std::string_view BoxCaption(std::string_view caption) { return caption.substr(0, kBoxCaptionLimit); }

std::string ProgramTitle(std::string_view exePath) {
  const size_t slash = exePath.find_last_of("\\/:");
  std::string_view name = slash == std::string_view::npos ? exePath : exePath.substr(slash + 1);
  if (const size_t dot = name.rfind('.'); dot != std::string_view::npos) name = name.substr(0, dot);
  return std::string(name);
}

std::string InsertExceptMsg(std::string_view text, std::string_view message) {
  static constexpr std::string_view kPlaceholder = "%exceptMsg%";
  const std::string_view value = message.empty() ? std::string_view("Unknown") : message;
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    if (i + kPlaceholder.size() <= text.size() && SameIgnoringCase(text.substr(i, kPlaceholder.size()), kPlaceholder)) {
      out += value;
      i += kPlaceholder.size();
    } else {
      out += text[i++];
    }
  }
  return out;
}

bool IsAbsoluteFileName(std::string_view name) {
  return name.size() > 2 && (name[0] == '\\' || name[1] == ':');
}

}  // namespace quor
