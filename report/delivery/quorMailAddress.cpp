#include "report/delivery/quorMailAddress.h"

#include "report/delivery/quorEncodedWord.h"
#include "report/delivery/quorFieldText.h"
#include "report/text/quorText.h"

namespace quor {

namespace {

// RFC 5322 "specials": a display name holding one of them is written as a
// quoted string.
constexpr std::string_view kSpecials = "()<>[]:;@\\,.\"";

bool HasNonAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  return false;
}

std::string Phrase(std::string_view name) {
  if (HasNonAscii(name)) return EncodeWords(name);
  if (name.find_first_of(kSpecials) != std::string_view::npos) return QuotedString(name);
  return std::string(name);
}

}  // namespace

std::vector<std::string> SplitRecipients(std::string_view list) {
  std::vector<std::string> entries;
  bool quoted = false, bracketed = false;
  size_t start = 0;
  for (size_t i = 0; i <= list.size(); ++i) {
    const char c = i < list.size() ? list[i] : ',';
    if (c == '"' && !bracketed) quoted = !quoted;
    else if (c == '<' && !quoted) bracketed = true;
    else if (c == '>' && !quoted) bracketed = false;
    if (i < list.size() && (quoted || bracketed || (c != ',' && c != ';'))) continue;
    const std::string_view entry = TrimText(list.substr(start, i - start));
    if (!entry.empty()) entries.emplace_back(entry);
    start = i + 1;
  }
  return entries;
}

std::string BareAddress(std::string_view entry) {
  const size_t open = entry.rfind('<');
  if (open == std::string_view::npos) return StripLineBreaks(TrimText(entry));
  const std::string_view inside = entry.substr(open + 1);
  return StripLineBreaks(TrimText(inside.substr(0, inside.find('>'))));
}

std::string DisplayName(std::string_view entry) {
  const size_t open = entry.rfind('<');
  if (open == std::string_view::npos) return {};
  std::string_view name = TrimText(entry.substr(0, open));
  if (name.size() < 2 || name.front() != '"' || name.back() != '"') return StripLineBreaks(name);
  name = name.substr(1, name.size() - 2);
  std::string plain;
  for (size_t i = 0; i < name.size(); ++i) {
    if (name[i] == '\\' && i + 1 < name.size()) ++i;  // a quoted pair stands for its second character
    plain += name[i];
  }
  return StripLineBreaks(plain);
}

std::string ProtocolAddress(std::string_view entry) { return '<' + BareAddress(entry) + '>'; }

std::string HeaderAddress(std::string_view entry) {
  const std::string name = DisplayName(entry);
  if (name.empty()) return ProtocolAddress(entry);
  return Phrase(name) + ' ' + ProtocolAddress(entry);
}

std::string HeaderAddressList(const std::vector<std::string>& entries) {
  std::string list;
  for (const std::string& entry : entries) {
    if (!list.empty()) list += ", ";
    list += HeaderAddress(entry);
  }
  return list;
}

std::string AddressDomain(std::string_view entry) {
  const std::string address = BareAddress(entry);
  const size_t at = address.rfind('@');
  return at == std::string::npos ? std::string() : address.substr(at + 1);
}

std::string MapiRecipientAddress(std::string_view entry) { return "SMTP:" + BareAddress(entry); }

}  // namespace quor
