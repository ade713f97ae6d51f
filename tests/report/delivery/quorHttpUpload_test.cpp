// The upload against a real HTTP server whose multipart reader is Python's
// email package: fields and files must arrive byte for byte.
#include "report/delivery/quorHttpUpload.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "tests/report/delivery/MailPeer.h"
#include "tests/report/delivery/PeerProcess.h"
#include "tests/report/delivery/PosixByteStream.h"
#include "tests/report/delivery/StringSource.h"

namespace {

using namespace std::chrono_literals;
using quor_test::FromHex;
using quor_test::PeerProcess;
using quor_test::PosixByteStream;
using quor_test::StringSource;

const quor::HttpLimits kLimits{2000ms, 2000ms, 2000ms};

std::string Noise(size_t size, unsigned seed) {
  std::mt19937 gen(seed);
  std::string s(size, '\0');
  for (auto& c : s) c = char(gen());
  return s;
}

// http_peer.py answering with `status`, and what it received.
class HttpPeer {
public:
  explicit HttpPeer(const std::string& status, const std::string& location = "")
      : report_(std::filesystem::temp_directory_path().string() + "/quor_http_" + std::to_string(getpid()) + "_" +
                status + ".txt"),
        process_({QUOR_TEST_PYTHON, quor_test::PeerScript("http_peer.py"), report_, status, location}) {
    const std::string line = process_.FirstLine(20s);
    port_ = line.empty() ? 0 : uint16_t(std::stoi(line));
  }
  ~HttpPeer() { std::filesystem::remove(report_); }
  uint16_t Port() const { return port_; }

  // The facts by kind: "line", "header Name", "length", "body", "field NAME", "file NAME".
  std::map<std::string, std::vector<std::string>> Received() const {
    std::map<std::string, std::vector<std::string>> facts;
    std::ifstream in(report_);
    for (std::vector<std::string> values : quor_test::WordLines(in)) {
      if (values.empty()) continue;
      const std::string kind = values[0];
      values.erase(values.begin());
      if (kind == "header" || kind == "field" || kind == "file") {
        const std::string key = kind + " " + (kind == "header" ? values[0] : FromHex(values[0]));
        values.erase(values.begin());
        for (auto& v : values) v = FromHex(v);
        facts[key] = values;
      } else {
        for (auto& v : values) v = kind == "line" ? FromHex(v) : v;
        facts[kind] = values;
      }
    }
    return facts;
  }

private:
  std::string report_;
  PeerProcess process_;
  uint16_t port_ = 0;
};

quor::HttpUploadJob Job(uint16_t port) {
  quor::HttpUploadJob job;
  job.url = "http://127.0.0.1/reports/upload.php";
  job.port = port;
  return job;
}

TEST(HttpUpload, FieldsAndFilesArriveByteForByte) {
  HttpPeer peer("200");
  ASSERT_NE(peer.Port(), 0);
  quor::HttpUploadJob job = Job(peer.Port());
  job.account = "reporter";
  job.password = "s3:cret";
  job.sender = "Reporter <rep@example.test>";
  job.fields = {{"MailFrom", "rep@example.test"}, {"Note", "two\r\nlines \"quoted\" & caf\xe9\r\n"}, {"Empty", ""}};
  const std::string log = "Exception message: Range check error.\r\n.\r\n--QuorExcept\r\n", png = Noise(70001, 7);
  StringSource logFile(log, 100), pngFile(png, 999), empty("");
  job.files = {{"BugReport", "bugreport.log", &logFile},
               {"ScreenShot", "screen \"1\".png", &pngFile},
               {"Empty", "empty.txt", &empty}};
  PosixByteStream stream;
  const quor::HttpUploadOutcome outcome = quor::UploadReport(job, stream, kLimits);
  ASSERT_TRUE(outcome.sent) << outcome.error;
  EXPECT_EQ(outcome.status, 200);

  auto received = peer.Received();
  EXPECT_EQ(received["line"], std::vector<std::string>{"POST /reports/upload.php HTTP/1.1"});
  EXPECT_EQ(received["header Host"], std::vector<std::string>{"127.0.0.1:" + std::to_string(peer.Port())});
  EXPECT_EQ(received["header Authorization"], std::vector<std::string>{"Basic cmVwb3J0ZXI6czM6Y3JldA=="});
  EXPECT_EQ(received["header From"], std::vector<std::string>{"<rep@example.test>"});
  EXPECT_EQ(received["length"], received["body"]);  // Content-Length told the truth
  EXPECT_EQ(received.count("defect"), 0u);
  for (const auto& [name, value] : job.fields) EXPECT_EQ(received["field " + name], std::vector<std::string>{value});
  EXPECT_EQ(received["file BugReport"], (std::vector<std::string>{"bugreport.log", log}));
  EXPECT_EQ(received["file ScreenShot"], (std::vector<std::string>{"screen \"1\".png", png}));
  EXPECT_EQ(received.count("file Empty"), 0u);  // an empty file is left out
}

TEST(HttpUpload, TheStatusDecides) {
  const struct {
    const char* status;
    const char* location;
    bool sent;
    const char* open;
  } cases[] = {
      {"200", "", true, ""},
      {"201", "", true, ""},
      {"204", "", true, ""},
      {"302", "https://reports.example.test/thanks?id=5", true, "https://reports.example.test/thanks?id=5"},
      {"302", "file:///c:/windows/system32/calc.exe", true, ""},
      {"302", "/relative/thanks", true, ""},
      {"401", "", false, ""},
      {"500", "", false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.status) + " " + c.location);
    HttpPeer peer(c.status, c.location);
    ASSERT_NE(peer.Port(), 0);
    quor::HttpUploadJob job = Job(peer.Port());
    job.fields = {{"MailFrom", "rep@example.test"}};
    PosixByteStream stream;
    const quor::HttpUploadOutcome outcome = quor::UploadReport(job, stream, kLimits);
    EXPECT_EQ(outcome.sent, c.sent) << outcome.error;
    EXPECT_EQ(outcome.status, std::stoi(c.status));
    EXPECT_EQ(outcome.openLocation, c.open);
    if (!c.sent) EXPECT_EQ(outcome.error, "the server answered " + std::string(c.status));
  }
}

TEST(HttpUpload, ThroughAProxyTheRequestNamesTheWholeAddress) {
  // The peer stands in for the proxy: it sees the absolute form.
  HttpPeer proxy("200");
  ASSERT_NE(proxy.Port(), 0);
  quor::HttpUploadJob job = Job(8080);
  job.url = "http://reports.example.test/upload.php";
  job.proxySetting = "https=secure.test:443;http=127.0.0.1:" + std::to_string(proxy.Port());
  job.fields = {{"MailFrom", "rep@example.test"}};
  PosixByteStream stream;
  const quor::HttpUploadOutcome outcome = quor::UploadReport(job, stream, kLimits);
  ASSERT_TRUE(outcome.sent) << outcome.error;
  auto received = proxy.Received();
  EXPECT_EQ(received["line"], std::vector<std::string>{"POST http://reports.example.test:8080/upload.php HTTP/1.1"});
  EXPECT_EQ(received["header Host"], std::vector<std::string>{"reports.example.test:8080"});

  // A host on the bypass list is reached directly (here: nobody listens).
  job.proxyBypass = "*.example.test";
  EXPECT_EQ(quor::UploadReport(job, stream, kLimits).error, "cannot connect to reports.example.test:8080");
}

TEST(HttpUpload, FailuresAreClearAndBounded) {
  HttpPeer stall("stall");
  ASSERT_NE(stall.Port(), 0);
  quor::HttpUploadJob job = Job(stall.Port());
  job.fields = {{"MailFrom", "rep@example.test"}};
  PosixByteStream stream;
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(quor::UploadReport(job, stream, kLimits).error, "the server did not answer in time");
  EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);

  HttpPeer peer("200");
  ASSERT_NE(peer.Port(), 0);
  job = Job(peer.Port());
  StringSource broken(Noise(5000, 1), 1000, 2000);
  job.files = {{"BugReport", "bugreport.log", &broken}};
  EXPECT_EQ(quor::UploadReport(job, stream, kLimits).error, "the file bugreport.log could not be read");
  job.files.clear();
  job.url = "https://127.0.0.1/upload";
  EXPECT_EQ(quor::UploadReport(job, stream, kLimits).error, "not an http address: https://127.0.0.1/upload");
}

}  // namespace
