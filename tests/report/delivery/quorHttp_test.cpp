// The HTTP pieces of the upload without a network: the address, the proxy
// setting and bypass list, the request header, the response reader.
#include <gtest/gtest.h>

#include "report/delivery/quorHttpProxy.h"
#include "report/delivery/quorHttpRequest.h"
#include "report/delivery/quorHttpResponse.h"
#include "report/delivery/quorHttpUrl.h"

namespace {

using quor::HttpResponseStatus;

TEST(HttpUrl, SplitsTheUploadAddress) {
  const struct {
    const char* url;
    const char* host;
    uint16_t port;
    const char* path;
  } cases[] = {
      {"http://reports.example.test/upload.php", "reports.example.test", 8080, "/upload.php"},
      {"reports.example.test/a/b?c=d", "reports.example.test", 8080, "/a/b?c=d"},
      {"HTTP://host.test", "host.test", 8080, "/"},
      {"http://host.test:81/x", "host.test", 81, "/x"},
      {" http://host.test/a b\xe9", "host.test", 8080, "/a%20b%E9"},
  };
  for (const auto& c : cases) {
    const auto target = quor::ParseHttpUrl(c.url, 8080);
    ASSERT_TRUE(target) << c.url;
    EXPECT_EQ(target->host, c.host);
    EXPECT_EQ(target->port, c.port);
    EXPECT_EQ(target->path, c.path);
  }
  for (const char* bad : {"https://host.test/", "ftp://host.test", "http:///path", "http://host.test:0/",
                          "http://host.test:65536/", "http://host.test:8a/", "http://us er@host/", ""})
    EXPECT_FALSE(quor::ParseHttpUrl(bad, 80)) << bad;
}

TEST(HttpProxy, TheProxyForHttpFromTheSetting) {
  const struct {
    const char* setting;
    const char* host;  // nullptr: no proxy
    uint16_t port;
  } cases[] = {
      {"proxy.test:3128", "proxy.test", 3128},
      {"http://proxy.test:3128/", "proxy.test", 3128},
      {"https=secure.test:443;http=plain.test:8080", "plain.test", 8080},
      {"ftp=f.test:21 http=plain.test:8000", "plain.test", 8000},
      {"HTTP=plain.test", "plain.test", 80},
      {"https=secure.test:443", nullptr, 0},
      {"proxy.test:port", nullptr, 0},
      {"", nullptr, 0},
  };
  for (const auto& c : cases) {
    const auto proxy = quor::HttpProxyFromSetting(c.setting);
    ASSERT_EQ(proxy.has_value(), c.host != nullptr) << c.setting;
    if (!proxy) continue;
    EXPECT_EQ(proxy->host, c.host);
    EXPECT_EQ(proxy->port, c.port);
  }
}

TEST(HttpProxy, BypassListMatching) {
  const struct {
    const char* host;
    const char* list;
    bool bypassed;
  } cases[] = {
      {"intranet", "<local>", true},
      {"reports.example.test", "<local>", false},
      {"reports.example.test", "*.example.test", true},
      {"example.test", "*.example.test", false},
      {"REPORTS.Example.Test", "*.example.test", true},
      {"10.1.2.3", "192.168.*; 10.*", true},
      {"110.1.2.3", "10.*", false},
      {"a.b.c", "other.test,a*c", true},
      {"abc", "a*b*c*d", false},
      {"aXbXc", "a*b*c", true},
      {"host", "", false},
  };
  for (const auto& c : cases) EXPECT_EQ(quor::ProxyBypassed(c.host, c.list), c.bypassed) << c.host << " / " << c.list;
}

TEST(HttpRequest, HeaderDirectAndThroughAProxy) {
  quor::HttpPostHead head{"reports.test", 8080, "/up.php", false, "QuorExceptB", 123, "", "", ""};
  EXPECT_EQ(quor::HttpPostHeader(head),
            "POST /up.php HTTP/1.1\r\nHost: reports.test:8080\r\nConnection: close\r\nPragma: no-cache\r\n"
            "User-Agent: QuorExcept/3.0\r\nContent-Type: multipart/form-data; boundary=QuorExceptB\r\n"
            "Content-Length: 123\r\n\r\n");
  head.viaProxy = true;
  head.sender = "Ann <ann@x.test>\r\nX-Evil: 1";
  head.account = "user";
  head.password = "pa:ss";
  const std::string viaProxy = quor::HttpPostHeader(head);
  EXPECT_EQ(viaProxy.substr(0, viaProxy.find("\r\n")), "POST http://reports.test:8080/up.php HTTP/1.1");
  EXPECT_NE(viaProxy.find("\r\nFrom: <ann@x.test>\r\n"), std::string::npos);
  EXPECT_EQ(viaProxy.find("X-Evil"), std::string::npos);
  EXPECT_NE(viaProxy.find("\r\nAuthorization: Basic dXNlcjpwYTpzcw==\r\n"), std::string::npos);
}

TEST(HttpRequest, PartNamesAreQuotedWithoutLineBreaks) {
  EXPECT_EQ(quor::MultipartFieldPart("B", "Mail\"From", "a\r\nb"),
            "--B\r\nContent-Disposition: form-data; name=\"Mail\\\"From\"\r\n\r\na\r\nb\r\n");
  EXPECT_EQ(quor::MultipartFileHead("B", "Bug\r\nReport", "a\"b\\c.log"),
            "--B\r\nContent-Disposition: form-data; name=\"BugReport\"; filename=\"a\\\"b\\\\c.log\"\r\n"
            "Content-Type: application/octet-stream\r\n\r\n");
  EXPECT_EQ(quor::MultipartEnd("B"), "--B--\r\n");
}

struct ResponseCase {
  std::string bytes;
  bool closed;  // the connection ends after the bytes
  HttpResponseStatus status;
  int code = 0;
  std::string body = {};
};

TEST(HttpResponse, ReadsResponsesInAnyPieces) {
  const std::string big(quor::kMaxHttpBodyBytes + 1, 'x');
  const ResponseCase cases[] = {
      {"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello", false, HttpResponseStatus::Complete, 200, "hello"},
      {"HTTP/1.0 201 Created\r\ncontent-length:0\r\n\r\n", false, HttpResponseStatus::Complete, 201, ""},
      {"HTTP/1.1 204 No Content\r\n\r\n", false, HttpResponseStatus::Complete, 204, ""},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5;x=y\r\nhello\r\n6\r\n world\r\n0\r\nT: 1\r\n\r\n",
       false, HttpResponseStatus::Complete, 200, "hello world"},
      {"HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 302 Found\r\nLocation: http://x.test/\r\nContent-Length: 2\r\n\r\nok",
       false, HttpResponseStatus::Complete, 302, "ok"},
      {"HTTP/1.1 200 OK\nX: a\n  b\n\nto the end", true, HttpResponseStatus::Complete, 200, "to the end"},
      {"HTTP/1.1 200 OK\r\n\r\nto the end", false, HttpResponseStatus::NeedMore, 200, ""},
      {"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nshort", true, HttpResponseStatus::Malformed, 0, ""},
      {"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n", true, HttpResponseStatus::Malformed, 0, ""},
      {"HTTP/1.1 200 OK\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nab", false, HttpResponseStatus::Malformed},
      {"HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n", false, HttpResponseStatus::Malformed},
      {"HTTP/1.1 200 OK\r\nContent-Length: 99999999999\r\n\r\n", false, HttpResponseStatus::TooLarge},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", false, HttpResponseStatus::Malformed},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nabX\r\n", false, HttpResponseStatus::Malformed},
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nFFFFFFFFFFFF\r\n", false, HttpResponseStatus::TooLarge},
      {"HTTP/1.1 200 OK\r\n\r\n" + big, true, HttpResponseStatus::TooLarge},
      {"HTTP/1.1 200 OK\r\nX: " + std::string(quor::kMaxHttpHeadBytes, 'h'), false, HttpResponseStatus::TooLarge},
      {"ICY 200 OK\r\n\r\n", false, HttpResponseStatus::Malformed},
      {"HTTP/1.1 20 OK\r\n\r\n", false, HttpResponseStatus::Malformed},
      {"HTTP/1.1 200 OK\r\nBad Name: x\r\n\r\n", false, HttpResponseStatus::Malformed},
      {"HTTP/1.1 200 OK\r\n : x\r\n\r\n", false, HttpResponseStatus::Malformed},
  };
  for (const ResponseCase& c : cases)
    for (size_t piece : {1u, 7u, 100000u}) {
      if (piece == 1 && c.bytes.size() > 100000) continue;
      SCOPED_TRACE(c.bytes.substr(0, 60) + " in pieces of " + std::to_string(piece));
      quor::HttpResponseReader reader;
      HttpResponseStatus status = HttpResponseStatus::NeedMore;
      for (size_t at = 0; at < c.bytes.size() && status == HttpResponseStatus::NeedMore; at += piece)
        status = reader.Feed(std::string_view(c.bytes).substr(at, piece));
      if (c.closed && status == HttpResponseStatus::NeedMore) status = reader.FeedEnd();
      ASSERT_EQ(status, c.status);
      if (status != HttpResponseStatus::Complete) continue;
      EXPECT_EQ(reader.Response().status, c.code);
      EXPECT_EQ(reader.Response().body, c.body);
    }
}

TEST(HttpResponse, HeadersAndOpenableLocations) {
  quor::HttpResponseReader reader;
  ASSERT_EQ(reader.Feed("HTTP/1.1 302 Found\r\nlocation:  http://x.test/r?id=5 \r\nContent-Length: 0\r\n\r\n"),
            HttpResponseStatus::Complete);
  EXPECT_EQ(reader.Response().Header("Location"), "http://x.test/r?id=5");
  EXPECT_FALSE(reader.Response().Header("Server"));
  for (const char* good : {"http://x.test/", "HTTPS://x.test/a?b=c#d", "http://x.test"})
    EXPECT_TRUE(quor::IsOpenableLocation(good)) << good;
  for (const char* bad : {"file:///c:/windows/system32/calc.exe", "/relative", "x.test/page", "http://",
                          "http:///path", "javascript://x.test/%0Aalert(1)", "http://x.test/a b",
                          "http://x.test/\x01", "http://x.test/\x7f", "mailto://x.test", "\"http://x.test/\""})
    EXPECT_FALSE(quor::IsOpenableLocation(bad)) << bad;
}

}  // namespace
