// The mail message builder against the base64 codec it stands on: an
// attachment encoded into 76-character lines, piece by piece as the SMTP
// session reads it, should run at no less than 0.9 times the speed of the
// codec encoding the same bytes in one piece; so should the attachment as
// the session sends it, through the DATA writer (dot-stuffing, 1 KB pieces).
#include "report/codec/quorBase64.h"
#include "report/delivery/quorMimeMessage.h"
#include "report/delivery/quorSmtpData.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

constexpr size_t kAttachmentBytes = 4 * 1024 * 1024;

std::string Noise(size_t size) {
  std::mt19937 gen(1);
  std::string s(size, '\0');
  for (auto& c : s) c = char(gen());
  return s;
}

// All write into buffers kept from the iteration before, so that what is
// measured is the encoding and the line layout, not the allocator.
void BM_Base64CodecAlone(benchmark::State& state) {
  const std::string data = Noise(kAttachmentBytes);
  std::string text(quor::Base64Length(data.size()), '\0');
  for (auto _ : state) {
    quor::Base64EncodeInto(data, text.data());
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

// The attachment's lines as the session makes them: a piece at a time into
// a buffer kept from piece to piece.
void BM_MimeAttachmentLines(benchmark::State& state) {
  const std::string data = Noise(kAttachmentBytes);
  std::string lines;
  for (auto _ : state) {
    for (size_t at = 0; at < data.size(); at += quor::kBase64PieceBytes) {
      quor::SetBase64Lines(lines, std::string_view(data).substr(at, quor::kBase64PieceBytes));
      benchmark::DoNotOptimize(lines.data());
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

// The same lines on through the DATA writer into the socket's 1 KB pieces.
void BM_SmtpDataAttachment(benchmark::State& state) {
  const std::string data = Noise(kAttachmentBytes);
  std::string lines;
  uint64_t sent = 0;
  for (auto _ : state) {
    quor::SmtpDataWriter writer([&sent](std::string_view piece) {
      benchmark::DoNotOptimize(piece.data());
      sent += piece.size();
      return true;
    });
    bool ok = writer.Write(quor::MimeAttachmentHead("screenShot.png", "image/png"));
    for (size_t at = 0; at < data.size(); at += quor::kBase64PieceBytes) {
      quor::SetBase64Lines(lines, std::string_view(data).substr(at, quor::kBase64PieceBytes));
      ok = ok && writer.Write(lines);
    }
    if (!(ok && writer.Write(quor::MimeEnd()) && writer.Finish())) state.SkipWithError("a piece was refused");
  }
  benchmark::DoNotOptimize(sent);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

void BM_MimeStartWithReport(benchmark::State& state) {
  std::string report;
  for (int line = 0; report.size() < 256 * 1024; ++line)
    report += "00401a2c +0012 Sorvenal.exe formmain 112 +3 TMainForm.Button_CalculateCheckSumClick #" +
              std::to_string(line) + "\r\n";
  const quor::MailContent mail{"<support@example.test>", "QuorExcept <reporter@example.test>",
                               "Range check error",      "7 Mar 2024 09:05:03 +0000",
                               "<01da706e8a752f20@QuorExcept>", report};
  for (auto _ : state) benchmark::DoNotOptimize(quor::MimeStart(mail, true));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(report.size()));
}

}  // namespace

BENCHMARK(BM_Base64CodecAlone);
BENCHMARK(BM_MimeAttachmentLines);
BENCHMARK(BM_SmtpDataAttachment);
BENCHMARK(BM_MimeStartWithReport);
BENCHMARK_MAIN();
