#include "report/delivery/quorMimeMessage.h"

#include "report/codec/quorBase64.h"
#include "report/delivery/quorEncodedWord.h"
#include "report/delivery/quorFieldText.h"
#include "report/delivery/quorHexEscape.h"
#include "report/delivery/quorMimeText.h"
#include "report/text/quorText.h"

namespace quor {

namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string Delimiter() { return std::string("--").append(kMimeBoundary).append(kCrLf); }

bool IsAttributeChar(unsigned char c) {
  // RFC 2231 attribute-char: printable ASCII without tspecials, "*", "'", "%".
  return c > ' ' && c < 127 && std::string_view("()<>@,;:\\\"/[]?=*'%").find(char(c)) == std::string_view::npos;
}

// A parameter holding a file name: a quoted string, or for names with
// non-ASCII bytes the RFC 2231 form with the charset.
std::string NameParameter(std::string_view attribute, std::string_view rawName) {
  const std::string name = StripLineBreaks(rawName);
  bool ascii = true;
  for (char c : name) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  std::string parameter(attribute);
  if (ascii) return parameter + '=' + QuotedString(name);
  return parameter + "*=ISO-8859-1''" + PercentEncodeBytes(name, IsAttributeChar);
}

// The text part's headers and text. A delimiter that follows takes the text's
// last line end as its own, so one is added; a message that ends with the text
// only needs its last line ended.
std::string TextPart(std::string_view body, bool delimiterFollows) {
  const std::string text = NormalizeLineEnds(body);
  const TextEncoding encoding = ChooseTextEncoding(text, kMimeBoundary);
  std::string part = "Content-Type: text/plain; charset=\"iso-8859-1\"\r\nContent-Transfer-Encoding: ";
  part.append(TransferEncodingName(encoding)).append(kCrLf).append(kCrLf);
  part += encoding == TextEncoding::QuotedPrintable ? EncodeQuotedPrintable(text) : text;
  if (delimiterFollows || !part.ends_with(kCrLf)) part += kCrLf;
  return part;
}

}  // namespace

std::string MimeStart(const MailContent& mail, bool withAttachments) {
  std::string head;
  head.append("To: ").append(StripLineBreaks(mail.to)).append(kCrLf);
  head.append("From: ").append(StripLineBreaks(mail.from)).append(kCrLf);
  head.append("Subject: ").append(EncodeWords(mail.subject)).append(kCrLf);
  head.append("Date: ").append(StripLineBreaks(mail.date)).append(kCrLf);
  head.append("Message-ID: ").append(StripLineBreaks(mail.messageId)).append(kCrLf);
  head.append("MIME-Version: 1.0").append(kCrLf);
  if (!withAttachments) return head + TextPart(mail.body, false);
  head.append("Content-Type: multipart/mixed; boundary=\"").append(kMimeBoundary).append("\"").append(kCrLf);
  head.append(kCrLf).append("This is a multi-part message in MIME format.").append(kCrLf);
  return head + Delimiter() + TextPart(mail.body, true);
}

std::string_view AttachmentContentType(std::string_view name) {
  constexpr std::string_view kPng = ".png";
  if (name.size() >= kPng.size() && SameText(name.substr(name.size() - kPng.size()), kPng)) return "image/png";
  return "application/octet-stream";
}

std::string MimeAttachmentHead(std::string_view sendAs, std::string_view contentType) {
  std::string head = Delimiter();
  head.append("Content-Type: ").append(StripLineBreaks(contentType)).append("; ");
  head.append(NameParameter("name", sendAs)).append(kCrLf);
  head.append("Content-Transfer-Encoding: base64").append(kCrLf);
  head.append("Content-Disposition: attachment; ").append(NameParameter("filename", sendAs)).append(kCrLf);
  return head.append(kCrLf);
}

void SetBase64Lines(std::string& out, std::string_view bytes) {
  out.resize(Base64LinesLength(bytes.size(), kBase64LineBytes));
  Base64EncodeLinesInto(bytes, kBase64LineBytes, out.data());
}

std::string MimeEnd() { return std::string("--").append(kMimeBoundary).append("--").append(kCrLf); }

}  // namespace quor
