#include "report/delivery/quorHttpResponse.h"

#include <algorithm>

#include "report/text/quorText.h"

namespace quor {

namespace {

constexpr std::string_view kVersionPrefix = "HTTP/1.";
constexpr int kFirstStatus = 100;
constexpr int kFirstFinalStatus = 200;
constexpr int kNoContent = 204;
constexpr int kNotModified = 304;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// "HTTP/1.x ddd[ reason]": the status code, or 0 when the line is not one.
int StatusOf(std::string_view line) {
  const size_t code = kVersionPrefix.size() + 2;
  if (line.size() < code + 3 || line.substr(0, kVersionPrefix.size()) != kVersionPrefix) return 0;
  if (!IsDigit(line[kVersionPrefix.size()]) || line[code - 1] != ' ') return 0;
  if (!IsDigit(line[code]) || !IsDigit(line[code + 1]) || !IsDigit(line[code + 2])) return 0;
  if (line.size() > code + 3 && line[code + 3] != ' ') return 0;
  const int status = (line[code] - '0') * 100 + (line[code + 1] - '0') * 10 + (line[code + 2] - '0');
  return status >= kFirstStatus ? status : 0;
}

bool IsTokenChar(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b > ' ' && b < 0x7F && std::string_view("()<>@,;:\\\"/[]?={}").find(c) == std::string_view::npos;
}

// A decimal Content-Length; nothing when it is not all digits or too long.
std::optional<size_t> DecimalLength(std::string_view digits) {
  if (digits.empty() || digits.size() > 18) return std::nullopt;
  size_t value = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + size_t(c - '0');
  }
  return value;
}

}  // namespace

std::optional<std::string_view> HttpResponse::Header(std::string_view name) const {
  for (const auto& [field, value] : headers)
    if (SameText(field, name)) return value;
  return std::nullopt;
}

HttpResponseStatus HttpResponseReader::Feed(std::string_view bytes) {
  if (stage_ == Stage::Done || stage_ == Stage::Failed) return result_;
  buffer_.erase(0, at_);
  at_ = 0;
  buffer_.append(bytes);
  return Advance();
}

HttpResponseStatus HttpResponseReader::FeedEnd() {
  if (stage_ == Stage::BodyToEnd) {
    stage_ = Stage::Done;
    result_ = HttpResponseStatus::Complete;
  }
  if (stage_ == Stage::Done || stage_ == Stage::Failed) return result_;
  return Fail(HttpResponseStatus::Malformed);  // cut short
}

HttpResponseStatus HttpResponseReader::Fail(HttpResponseStatus status) {
  stage_ = Stage::Failed;
  return result_ = status;
}

std::optional<std::string_view> HttpResponseReader::Line() {
  const size_t end = buffer_.find('\n', at_);
  if (end == std::string::npos) return std::nullopt;
  std::string_view line(buffer_.data() + at_, end - at_);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  at_ = end + 1;
  return line;
}

HttpResponseStatus HttpResponseReader::Advance() {
  for (;;) {
    HttpResponseStatus status = HttpResponseStatus::NeedMore;
    const Stage before = stage_;
    const size_t readBefore = at_;
    switch (stage_) {
      case Stage::Head: status = ReadHead(); break;
      case Stage::ChunkSize: status = ReadChunkSize(); break;
      case Stage::Trailer: status = ReadTrailer(); break;
      case Stage::ChunkDataEnd:
        if (const auto line = Line()) {
          if (!line->empty()) return Fail(HttpResponseStatus::Malformed);
          stage_ = Stage::ChunkSize;
        }
        break;
      case Stage::FixedBody:
      case Stage::ChunkData:
      case Stage::BodyToEnd: status = TakeBody(buffer_.size() - at_); break;
      case Stage::Done: return result_ = HttpResponseStatus::Complete;
      case Stage::Failed: return result_;
    }
    if (status != HttpResponseStatus::NeedMore) return Fail(status);
    if (stage_ == before && at_ == readBefore) {
      // Stuck for want of bytes. A line-based stage must not wait forever
      // for the end of an endless line.
      const bool lineStage = stage_ == Stage::Head || stage_ == Stage::ChunkSize || stage_ == Stage::ChunkDataEnd ||
                             stage_ == Stage::Trailer;
      if (lineStage && buffer_.size() - at_ > kMaxHttpHeadBytes) return Fail(HttpResponseStatus::TooLarge);
      return HttpResponseStatus::NeedMore;
    }
  }
}

HttpResponseStatus HttpResponseReader::ReadHead() {
  while (const auto line = Line()) {
    headBytes_ += line->size() + 2;
    if (headBytes_ > kMaxHttpHeadBytes) return HttpResponseStatus::TooLarge;
    if (response_.status == 0) {
      response_.status = StatusOf(*line);
      if (response_.status == 0) return HttpResponseStatus::Malformed;
      continue;
    }
    if (line->empty()) return EndHead();
    if (line->front() == ' ' || line->front() == '\t') {
      // An obsolete folded continuation: part of the field before it.
      if (response_.headers.empty()) return HttpResponseStatus::Malformed;
      response_.headers.back().second.append(" ").append(TrimText(*line));
      continue;
    }
    const size_t colon = line->find(':');
    if (colon == 0 || colon == std::string_view::npos) return HttpResponseStatus::Malformed;
    for (char c : line->substr(0, colon))
      if (!IsTokenChar(c)) return HttpResponseStatus::Malformed;
    response_.headers.emplace_back(line->substr(0, colon), TrimText(line->substr(colon + 1)));
  }
  return HttpResponseStatus::NeedMore;
}

HttpResponseStatus HttpResponseReader::EndHead() {
  headBytes_ = 0;
  if (response_.status < kFirstFinalStatus) {
    response_ = {};  // an interim response: the final one follows
    return HttpResponseStatus::NeedMore;
  }
  if (response_.status == kNoContent || response_.status == kNotModified) {
    stage_ = Stage::Done;
    return HttpResponseStatus::NeedMore;
  }
  if (const auto coding = response_.Header("Transfer-Encoding")) {
    const size_t comma = coding->rfind(',');
    const std::string_view last = TrimText(comma == std::string_view::npos ? *coding : coding->substr(comma + 1));
    stage_ = SameText(last, "chunked") ? Stage::ChunkSize : Stage::BodyToEnd;
    return HttpResponseStatus::NeedMore;
  }
  std::optional<size_t> length;
  for (const auto& [field, value] : response_.headers) {
    if (!SameText(field, "Content-Length")) continue;
    const auto value_length = DecimalLength(value);
    if (!value_length || (length && *length != *value_length)) return HttpResponseStatus::Malformed;
    length = value_length;
  }
  if (!length) {
    stage_ = Stage::BodyToEnd;
    return HttpResponseStatus::NeedMore;
  }
  if (*length > kMaxHttpBodyBytes) return HttpResponseStatus::TooLarge;
  remaining_ = *length;
  stage_ = remaining_ == 0 ? Stage::Done : Stage::FixedBody;
  return HttpResponseStatus::NeedMore;
}

HttpResponseStatus HttpResponseReader::ReadChunkSize() {
  const auto line = Line();
  if (!line) return HttpResponseStatus::NeedMore;
  size_t size = 0, digits = 0;
  for (; digits < line->size() && HexValue((*line)[digits]) >= 0; ++digits) {
    size = size * 16 + size_t(HexValue((*line)[digits]));
    if (size > kMaxHttpBodyBytes) return HttpResponseStatus::TooLarge;
  }
  const std::string_view rest = line->substr(digits);
  if (digits == 0 || (!rest.empty() && rest.front() != ';' && rest.front() != ' ' && rest.front() != '\t'))
    return HttpResponseStatus::Malformed;
  remaining_ = size;
  stage_ = size == 0 ? Stage::Trailer : Stage::ChunkData;
  return HttpResponseStatus::NeedMore;
}

HttpResponseStatus HttpResponseReader::ReadTrailer() {
  while (const auto line = Line()) {
    headBytes_ += line->size() + 2;
    if (headBytes_ > kMaxHttpHeadBytes) return HttpResponseStatus::TooLarge;
    if (line->empty()) {
      stage_ = Stage::Done;
      break;
    }
  }
  return HttpResponseStatus::NeedMore;
}

HttpResponseStatus HttpResponseReader::TakeBody(size_t available) {
  const size_t count = stage_ == Stage::BodyToEnd ? available : std::min(available, remaining_);
  if (response_.body.size() + count > kMaxHttpBodyBytes) return HttpResponseStatus::TooLarge;
  response_.body.append(buffer_, at_, count);
  at_ += count;
  if (stage_ == Stage::BodyToEnd) return HttpResponseStatus::NeedMore;
  remaining_ -= count;
  if (remaining_ == 0) stage_ = stage_ == Stage::FixedBody ? Stage::Done : Stage::ChunkDataEnd;
  return HttpResponseStatus::NeedMore;
}

bool IsOpenableLocation(std::string_view location) {
  const size_t scheme = location.find("://");
  if (scheme == std::string_view::npos) return false;
  const std::string_view name = location.substr(0, scheme);
  if (!SameText(name, "http") && !SameText(name, "https")) return false;
  const std::string_view rest = location.substr(scheme + 3);
  if (rest.empty() || rest.front() == '/') return false;
  for (char c : location) {
    const auto b = static_cast<unsigned char>(c);
    if (b <= ' ' || b >= 0x7F) return false;
  }
  return true;
}

}  // namespace quor
