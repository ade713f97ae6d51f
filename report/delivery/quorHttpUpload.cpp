#include "report/delivery/quorHttpUpload.h"

#include <chrono>
#include <cstdio>

#include "report/delivery/quorHttpProxy.h"
#include "report/delivery/quorHttpRequest.h"
#include "report/delivery/quorHttpResponse.h"
#include "report/delivery/quorRandom.h"

namespace quor {

namespace {

constexpr size_t kPieceBytes = 1024;
constexpr int kFound = 302;

bool IsSuccess(int status) { return status >= 200 && status <= 299; }

// "QuorExcept" and 16 unguessable hexadecimal digits: file bytes are sent as
// they are, so only a boundary nobody can predict keeps them from ending a part.
std::string NewBoundary(const HttpUploadJob& job) {
  for (;;) {
    char digits[17];
    std::snprintf(digits, sizeof digits, "%08x%08x", UnguessableNumber(), UnguessableNumber());
    const std::string boundary = std::string("QuorExcept") + digits;
    bool inField = false;
    for (const auto& [name, value] : job.fields) inField = inField || value.find(boundary) != std::string::npos;
    if (!inField) return boundary;
  }
}

class Upload {
public:
  Upload(const HttpUploadJob& job, ByteStream& stream, const HttpLimits& limits)
      : job_(job), stream_(stream), limits_(limits) {}

  HttpUploadOutcome Run() {
    const auto target = ParseHttpUrl(job_.url, job_.port);
    if (!target) return Fail("not an http address: " + job_.url);
    const auto proxy =
        ProxyBypassed(target->host, job_.proxyBypass) ? std::nullopt : HttpProxyFromSetting(job_.proxySetting);
    const std::string& host = proxy ? proxy->host : target->host;
    const uint16_t port = proxy ? proxy->port : target->port;
    if (stream_.Connect(host, port, limits_.connect) != StreamStatus::Ok)
      return Fail("cannot connect to " + host + ':' + std::to_string(port));
    if (SendRequest(*target, proxy.has_value())) ReadResponse();
    stream_.Close();
    return outcome_;
  }

private:
  HttpUploadOutcome Fail(std::string error) {
    outcome_.error = std::move(error);
    return outcome_;
  }

  bool Send(std::string_view bytes) {
    for (size_t at = 0; at < bytes.size(); at += kPieceBytes)
      if (stream_.Send(bytes.substr(at, kPieceBytes), limits_.send) != StreamStatus::Ok) {
        outcome_.error = "the connection failed while sending";
        return false;
      }
    return true;
  }

  bool SendRequest(const HttpTarget& target, bool viaProxy) {
    const std::string boundary = NewBoundary(job_);
    std::string fields;
    for (const auto& [name, value] : job_.fields) fields += MultipartFieldPart(boundary, name, value);
    std::vector<std::string> heads;
    uint64_t length = fields.size() + MultipartEnd(boundary).size();
    for (const UploadFile& file : job_.files) {
      heads.push_back(file.source->Size() ? MultipartFileHead(boundary, file.field, file.sendAs) : std::string());
      if (file.source->Size()) length += heads.back().size() + file.source->Size() + kMultipartFileEnd.size();
    }
    const HttpPostHead head{target.host, target.port, target.path, viaProxy,   boundary,
                            length,      job_.sender, job_.account, job_.password};
    if (!Send(HttpPostHeader(head)) || !Send(fields)) return false;
    for (size_t i = 0; i < job_.files.size(); ++i)
      if (job_.files[i].source->Size() && !(Send(heads[i]) && SendFile(job_.files[i]) && Send(kMultipartFileEnd)))
        return false;
    return Send(MultipartEnd(boundary));
  }

  // The file's bytes, exactly as many as Content-Length announced.
  bool SendFile(const UploadFile& file) {
    char piece[kPieceBytes];
    uint64_t left = file.source->Size();
    while (left > 0) {
      size_t got = 0;
      if (!file.source->Read(piece, left < sizeof piece ? size_t(left) : sizeof piece, got) || got == 0) {
        outcome_.error = "the file " + file.sendAs + " could not be read";
        return false;
      }
      if (!Send(std::string_view(piece, got))) return false;
      left -= got;
    }
    return true;
  }

  void ReadResponse() {
    HttpResponseReader reader;
    const Deadline deadline = std::chrono::steady_clock::now() + limits_.reply;
    HttpResponseStatus status = HttpResponseStatus::NeedMore;
    char buffer[kPieceBytes];
    while (status == HttpResponseStatus::NeedMore) {
      size_t got = 0;
      const StreamStatus received = ReceiveBefore(stream_, buffer, sizeof buffer, got, deadline);
      if (received == StreamStatus::Closed) status = reader.FeedEnd();
      else if (received == StreamStatus::Ok) status = reader.Feed(std::string_view(buffer, got));
      else return (void)Fail(received == StreamStatus::TimedOut ? "the server did not answer in time"
                                                                : "the connection failed while reading");
    }
    if (status != HttpResponseStatus::Complete) return (void)Fail("the server's answer is not a valid HTTP response");
    const HttpResponse& response = reader.Response();
    outcome_.status = response.status;
    if (response.status == kFound) {
      const auto location = response.Header("Location");
      if (location && IsOpenableLocation(*location)) outcome_.openLocation = std::string(*location);
    }
    outcome_.sent = IsSuccess(response.status) || response.status == kFound;
    if (!outcome_.sent) outcome_.error = "the server answered " + std::to_string(response.status);
  }

  const HttpUploadJob& job_;
  ByteStream& stream_;
  const HttpLimits& limits_;
  HttpUploadOutcome outcome_;
};

}  // namespace

HttpUploadOutcome UploadReport(const HttpUploadJob& job, ByteStream& stream, const HttpLimits& limits) {
  return Upload(job, stream, limits).Run();
}

}  // namespace quor
