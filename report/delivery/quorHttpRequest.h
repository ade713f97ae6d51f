// The HTTP request of the report upload (RFC 9112, RFC 7578): a POST of a
// multipart/form-data body with the form fields and the files.
//
// Body:  per field MultipartFieldPart; per file MultipartFileHead, the
// file's bytes and kMultipartFileEnd; then MultipartEnd.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quor {

// Ends a file part: the line end that belongs to the next delimiter.
inline constexpr std::string_view kMultipartFileEnd = "\r\n";

struct HttpPostHead {
  std::string host;
  uint16_t port = 0;
  std::string path;
  bool viaProxy = false;  // the request line then names the whole URL (absolute form)
  std::string boundary;   // letters and digits only
  uint64_t contentLength = 0;
  std::string sender;     // sent as "From: <address>" when set
  std::string account, password;  // basic authentication when either is set
};

// The request line and headers up to and including the empty line.
[[nodiscard]] std::string HttpPostHeader(const HttpPostHead& head);

[[nodiscard]] std::string MultipartFieldPart(std::string_view boundary, std::string_view name,
                                             std::string_view value);
[[nodiscard]] std::string MultipartFileHead(std::string_view boundary, std::string_view field,
                                            std::string_view sendAs);
[[nodiscard]] std::string MultipartEnd(std::string_view boundary);

}  // namespace quor
