// Sending a report by SMTP to a real local server (aiosmtpd on 127.0.0.1,
// started by the bench): the 1 MB bug report and the PNG of a 1280 x 1024
// desktop-like screenshot as attachments, the whole dialogue from connect to
// QUIT. Counters: the bytes on the wire, the raw attachment bytes, and the
// wire bytes against the raw bytes x 4/3 (what base64 alone must add); the
// rest is line ends, headers and dot-stuffing.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/DetailsReport.h"
#include "report/delivery/quorSmtpSession.h"
#include "report/screenshot/quorColorPng.h"
#include "tests/report/delivery/MailPeer.h"
#include "tests/report/delivery/PosixByteStream.h"
#include "tests/report/delivery/StringSource.h"
#include "tests/report/screenshot/NVPixelsFixture.h"

namespace {

constexpr uint32_t kScreenWidth = 1280, kScreenHeight = 1024;
constexpr size_t kReportBytes = 1 << 20;

// The report as the bug report file holds it: sections of call stacks.
std::string ReportText() {
  std::string report;
  for (const quor::TBoxReportPart& part : bench::DetailsReportSections(kReportBytes))
    report += part.Name + ":\r\n" + part.Text + "\r\n";
  return report;
}

std::string ScreenshotPng() {
  return quor::ColorPng(fixture::DesktopPicture(kScreenWidth, kScreenHeight).View()).bytes;
}

// Counts what the session puts on the wire.
class CountingStream final : public quor::ByteStream {
public:
  quor::StreamStatus Connect(std::string_view host, uint16_t port, quor::Milliseconds timeout) override {
    return inner_.Connect(host, port, timeout);
  }
  quor::StreamStatus Send(std::string_view bytes, quor::Milliseconds timeout) override {
    sent += bytes.size();
    return inner_.Send(bytes, timeout);
  }
  quor::StreamStatus Receive(char* buffer, size_t capacity, size_t& received, quor::Milliseconds timeout) override {
    return inner_.Receive(buffer, capacity, received, timeout);
  }
  void Close() override { inner_.Close(); }
  uint32_t LocalAddress() const override { return inner_.LocalAddress(); }

  uint64_t sent = 0;

private:
  quor_test::PosixByteStream inner_;
};

void BM_SendReportAndScreenshot(benchmark::State& state) {
  quor_test::MailPeer peer;
  if (peer.Port() == 0) {
    state.SkipWithError("the SMTP server did not start");
    return;
  }
  const std::string report = ReportText(), png = ScreenshotPng();
  quor::SmtpJob job;
  job.servers = {"127.0.0.1"};
  job.port = peer.Port();
  job.hostName = "bench.example.test";
  job.sender = "QuorExcept <reporter@example.test>";
  job.recipients = {"support@example.test"};
  job.subject = "Range check error";
  job.body = "A bug report of Sorvenal.exe is attached.\r\n";
  job.time = std::chrono::system_clock::now();
  uint64_t wire = 0;
  for (auto _ : state) {
    quor_test::StringSource reportFile(report), shot(png);
    job.attachments = {{"bugreport.log", "application/octet-stream", &reportFile},
                       {"screenShot.png", "image/png", &shot}};
    CountingStream stream;
    if (!quor::SendMail(job, stream).sent) {
      state.SkipWithError("the mail was not sent");
      return;
    }
    wire = stream.sent;
  }
  const double raw = double(report.size() + png.size());
  state.counters["wire_bytes"] = double(wire);
  state.counters["raw_bytes"] = raw;
  state.counters["png_bytes"] = double(png.size());
  state.counters["wire_per_base64"] = double(wire) / (raw * 4 / 3);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(raw));
}

}  // namespace

BENCHMARK(BM_SendReportAndScreenshot)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
