// The mail message the reporter sends (RFC 5322 headers, RFC 2045/2046 MIME):
// the bug report text as a text part and the attachments in base64, written
// in pieces so that an attachment is encoded while it is read.
//
// A message without attachments is  headers, text part headers, body.
// With attachments:  headers, multipart/mixed, the text part, then per
// attachment MimeAttachmentHead and its base64 lines, then MimeEnd.
// The message keeps its own text exactly; the SMTP DATA writer adds the
// transport's dot-stuffing.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quor {

// The parts' boundary. "=_" occurs in no base64 text and in no
// quoted-printable text, and a 7bit or 8bit text that holds the boundary is
// sent as quoted-printable, so no content line can end a part.
inline constexpr std::string_view kMimeBoundary = "=_QuorExcept_Part_5f1c";

// Attachment bytes per base64 line: 57 bytes give the 76 characters RFC 2045
// allows. Streaming callers hand SetBase64Lines whole lines' worth.
inline constexpr size_t kBase64LineBytes = 57;

// What a streaming caller reads and encodes at a time: whole lines, about
// 4 KB, few enough calls that the line layout costs next to nothing.
inline constexpr size_t kBase64PieceBytes = 72 * kBase64LineBytes;

struct MailContent {
  std::string to;         // header form of the recipients (HeaderAddressList)
  std::string from;       // header form of the sender (HeaderAddress)
  std::string subject;    // any bytes: written as encoded words
  std::string date;       // MailDate
  std::string messageId;  // MessageId
  std::string body;       // any line ends: sent with CR LF
};

// The headers and the text part; with attachments also the multipart
// preamble before it. Ends with CR LF.
[[nodiscard]] std::string MimeStart(const MailContent& mail, bool withAttachments);

// "image/png" for a name ending in ".png" (any case), else
// "application/octet-stream".
[[nodiscard]] std::string_view AttachmentContentType(std::string_view name);

// The delimiter and the headers of one attachment part, up to its empty line.
[[nodiscard]] std::string MimeAttachmentHead(std::string_view sendAs, std::string_view contentType);

// `out` becomes `bytes` in base64 lines, each ended by CR LF; every line but
// the last of an attachment takes kBase64LineBytes bytes. A buffer kept from
// the piece before, of the same size, is written over without being cleared
// first (every piece of an attachment but its last).
void SetBase64Lines(std::string& out, std::string_view bytes);

// The closing delimiter after the last attachment.
[[nodiscard]] std::string MimeEnd();

}  // namespace quor
