#include "report/delivery/quorHttpRequest.h"

#include "report/codec/quorBase64.h"
#include "report/delivery/quorFieldText.h"
#include "report/delivery/quorMailAddress.h"

namespace quor {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kUserAgent = "QuorExcept/3.0";

std::string Delimiter(std::string_view boundary) {
  return std::string("--").append(boundary).append(kCrLf);
}

}  // namespace

std::string HttpPostHeader(const HttpPostHead& head) {
  const std::string authority = StripLineBreaks(head.host) + ':' + std::to_string(head.port);
  const std::string path = StripLineBreaks(head.path);
  std::string text = "POST " + (head.viaProxy ? "http://" + authority + path : path) + " HTTP/1.1\r\n";
  text.append("Host: ").append(authority).append(kCrLf);
  text.append("Connection: close\r\nPragma: no-cache\r\n");
  text.append("User-Agent: ").append(kUserAgent).append(kCrLf);
  text.append("Content-Type: multipart/form-data; boundary=").append(head.boundary).append(kCrLf);
  text.append("Content-Length: ").append(std::to_string(head.contentLength)).append(kCrLf);
  if (!BareAddress(head.sender).empty()) text.append("From: ").append(ProtocolAddress(head.sender)).append(kCrLf);
  if (!head.account.empty() || !head.password.empty())
    text.append("Authorization: Basic ").append(Base64Encode(head.account + ':' + head.password)).append(kCrLf);
  return text.append(kCrLf);
}

std::string MultipartFieldPart(std::string_view boundary, std::string_view name, std::string_view value) {
  std::string part = Delimiter(boundary);
  part.append("Content-Disposition: form-data; name=").append(QuotedString(name)).append(kCrLf).append(kCrLf);
  return part.append(value).append(kCrLf);
}

std::string MultipartFileHead(std::string_view boundary, std::string_view field, std::string_view sendAs) {
  std::string head = Delimiter(boundary);
  head.append("Content-Disposition: form-data; name=").append(QuotedString(field));
  head.append("; filename=").append(QuotedString(sendAs)).append(kCrLf);
  return head.append("Content-Type: application/octet-stream").append(kCrLf).append(kCrLf);
}

std::string MultipartEnd(std::string_view boundary) {
  return std::string("--").append(boundary).append("--").append(kCrLf);
}

}  // namespace quor
