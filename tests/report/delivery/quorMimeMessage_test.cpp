#include "report/delivery/quorMimeMessage.h"

#include <gtest/gtest.h>

#include "report/codec/quorBase64.h"

namespace {

quor::MailContent Mail(std::string body) {
  return {"<a@x.test>", "Me <me@y.test>", "Subject", "7 Mar 2024 09:05:03 +0000", "<1@QuorExcept>", std::move(body)};
}

TEST(MimeMessage, SinglePartHeadersAndBody) {
  EXPECT_EQ(quor::MimeStart(Mail("line\n.\nlast"), false),
            "To: <a@x.test>\r\nFrom: Me <me@y.test>\r\nSubject: =?ISO-8859-1?Q?Subject?=\r\n"
            "Date: 7 Mar 2024 09:05:03 +0000\r\nMessage-ID: <1@QuorExcept>\r\nMIME-Version: 1.0\r\n"
            "Content-Type: text/plain; charset=\"iso-8859-1\"\r\nContent-Transfer-Encoding: 7bit\r\n\r\n"
            "line\r\n.\r\nlast\r\n");
  EXPECT_TRUE(quor::MimeStart(Mail("ends\r\n"), false).ends_with("\r\n\r\nends\r\n"));
}

TEST(MimeMessage, HeaderFieldsCannotAddHeaders) {
  quor::MailContent mail = Mail("b");
  mail.to = "<a@x.test>\r\nBcc: <c@z.test>";
  mail.subject = "S\r\nBcc: <d@z.test>";
  const std::string head = quor::MimeStart(mail, false);
  EXPECT_EQ(head.find("\r\nBcc"), std::string::npos) << head;
}

TEST(MimeMessage, MultipartWithBase64Lines) {
  const std::string start = quor::MimeStart(Mail("text"), true);
  const std::string boundary(quor::kMimeBoundary);
  EXPECT_NE(start.find("Content-Type: multipart/mixed; boundary=\"" + boundary + "\"\r\n"), std::string::npos);
  EXPECT_TRUE(start.ends_with("--" + boundary + "\r\nContent-Type: text/plain; charset=\"iso-8859-1\"\r\n"
                              "Content-Transfer-Encoding: 7bit\r\n\r\ntext\r\n"));
  EXPECT_EQ(quor::MimeAttachmentHead("a\"b.png", quor::AttachmentContentType("SHOT.PNG")),
            "--" + boundary + "\r\nContent-Type: image/png; name=\"a\\\"b.png\"\r\nContent-Transfer-Encoding: base64\r\n"
            "Content-Disposition: attachment; filename=\"a\\\"b.png\"\r\n\r\n");
  EXPECT_NE(quor::MimeAttachmentHead("\xe9t\xe9 1.log", "application/octet-stream")
                .find("filename*=ISO-8859-1''%E9t%E9%201.log"),
            std::string::npos);
  EXPECT_EQ(quor::AttachmentContentType("report.zip"), "application/octet-stream");
  EXPECT_EQ(quor::MimeEnd(), "--" + boundary + "--\r\n");

  std::string bytes;
  for (int i = 0; i < 200; ++i) bytes += char(i * 7);
  std::string lines(300, '?');  // what a buffer held before is replaced
  quor::SetBase64Lines(lines, bytes);
  std::string joined;
  size_t count = 0;
  for (size_t at = 0; at < lines.size(); ++count) {
    const size_t end = lines.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    EXPECT_LE(end - at, 76u);
    joined += lines.substr(at, end - at);
    at = end + 2;
  }
  EXPECT_EQ(count, 4u);  // 57 + 57 + 57 + 29 bytes
  EXPECT_EQ(quor::Base64Decode(joined), bytes);
}

TEST(MimeMessage, TextHoldingTheBoundaryIsQuotedPrintable) {
  const std::string body = "--" + std::string(quor::kMimeBoundary) + "--\r\n";
  const std::string start = quor::MimeStart(Mail(body), true);
  EXPECT_NE(start.find("Content-Transfer-Encoding: quoted-printable"), std::string::npos);
  EXPECT_EQ(start.find(body), std::string::npos);
}

}  // namespace
