#include "report/delivery/quorMailtoLink.h"

#include "report/delivery/quorHexEscape.h"
#include "report/delivery/quorMailAddress.h"
#include "report/text/quorText.h"

namespace quor {

namespace {

constexpr std::string_view kPlaceholder = "%1";
constexpr std::string_view kProgramEnd = ".exe";
constexpr size_t kEscapeLength = 3;

bool IsUnreserved(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

// The longest prefix of an encoded text of at most `length` characters that
// does not end inside an escape.
size_t WholeEscapes(std::string_view encoded, size_t length) {
  if (length >= encoded.size()) return encoded.size();
  for (size_t back = 1; back < kEscapeLength && back <= length; ++back)
    if (encoded[length - back] == '%') return length - back;
  return length;
}

}  // namespace

std::string PercentEncode(std::string_view text, std::string_view keep) {
  return PercentEncodeBytes(
      text, [keep](unsigned char c) { return IsUnreserved(char(c)) || keep.find(char(c)) != std::string_view::npos; });
}

std::string MailtoLink(const std::vector<std::string>& recipients, std::string_view subject,
                       std::string_view body) {
  std::string link = "mailto:";
  for (size_t i = 0; i < recipients.size(); ++i) {
    if (i) link += ',';
    link += PercentEncode(BareAddress(recipients[i]), "@");
  }
  return link + "?subject=" + PercentEncode(subject) + "&body=" + PercentEncode(body);
}

std::string QuoteExecutablePath(std::string_view command) {
  command = TrimText(command);
  if (command.empty() || command.front() == '"') return std::string(command);
  for (size_t at = FindText(command, kProgramEnd); at != std::string_view::npos;
       at = FindText(command, kProgramEnd, at + 1)) {
    const size_t end = at + kProgramEnd.size();
    if (end < command.size() && command[end] != ' ') continue;
    const std::string_view program = command.substr(0, end);
    if (program.find(' ') == std::string_view::npos) break;
    return '"' + std::string(program) + '"' + std::string(command.substr(end));
  }
  return std::string(command);
}

std::optional<std::string> MailtoCommand(std::string_view handlerCommand, const std::vector<std::string>& recipients,
                                         std::string_view subject, std::string_view body, size_t maxLength) {
  const std::string command = QuoteExecutablePath(handlerCommand);
  const std::string link = MailtoLink(recipients, subject, {});
  const std::string encodedBody = PercentEncode(body);
  std::string before, after;
  if (const size_t at = command.find(kPlaceholder); at != std::string::npos) {
    before = command.substr(0, at) + link;
    after = command.substr(at + kPlaceholder.size());
  } else {
    before = command + (command.empty() || command.back() == ' ' ? "" : " ") + link;
  }
  const size_t fixed = before.size() + after.size();
  if (fixed > maxLength) return std::nullopt;
  return before + encodedBody.substr(0, WholeEscapes(encodedBody, maxLength - fixed)) + after;
}

}  // namespace quor
