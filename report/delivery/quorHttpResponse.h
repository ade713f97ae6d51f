// Reads an HTTP/1.x response (RFC 9112) from the bytes a connection delivers,
// in whatever pieces they arrive: the status line, the header fields, and
// the body by Content-Length, chunked, or up to the connection's end. Interim
// 1xx responses are skipped. Sizes are bounded: the reply comes from outside.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quor {

inline constexpr size_t kMaxHttpHeadBytes = 16 * 1024;
inline constexpr size_t kMaxHttpBodyBytes = 1024 * 1024;

struct HttpResponse {
  int status = 0;
  std::vector<std::pair<std::string, std::string>> headers;  // names as sent, values trimmed
  std::string body;

  // The value of the first field of that name (case ignored).
  [[nodiscard]] std::optional<std::string_view> Header(std::string_view name) const;
};

enum class HttpResponseStatus { NeedMore, Complete, Malformed, TooLarge };

class HttpResponseReader {
public:
  [[nodiscard]] HttpResponseStatus Feed(std::string_view bytes);
  // The connection ended: completes a body that runs to the end.
  [[nodiscard]] HttpResponseStatus FeedEnd();
  [[nodiscard]] const HttpResponse& Response() const { return response_; }

private:
  enum class Stage { Head, FixedBody, ChunkSize, ChunkData, ChunkDataEnd, Trailer, BodyToEnd, Done, Failed };

  HttpResponseStatus Advance();
  HttpResponseStatus ReadHead();
  HttpResponseStatus EndHead();
  HttpResponseStatus ReadChunkSize();
  HttpResponseStatus ReadTrailer();
  HttpResponseStatus TakeBody(size_t count);
  HttpResponseStatus Fail(HttpResponseStatus status);
  // The next line of the buffer without its line end; nothing when incomplete.
  std::optional<std::string_view> Line();

  std::string buffer_;
  size_t at_ = 0;  // bytes of buffer_ already read
  Stage stage_ = Stage::Head;
  size_t remaining_ = 0;  // bytes left in the fixed body or the current chunk
  size_t headBytes_ = 0;  // bytes of the head (or trailer) read so far
  HttpResponseStatus result_ = HttpResponseStatus::NeedMore;
  HttpResponse response_;
};

// A Location that may be opened in the user's browser: an absolute http or
// https URL with a host, of printable ASCII without blanks.
[[nodiscard]] bool IsOpenableLocation(std::string_view location);

}  // namespace quor
