#include "report/delivery/quorSendPlan.h"

#include "report/delivery/quorMailAddress.h"
#include "report/text/quorText.h"

namespace quor {

namespace {

// Base64 turns every 57 bytes of a file into one 78-byte line; the weight
// counts lines, three per line.
constexpr uint64_t kBytesPerLine = 57;
constexpr uint64_t kWeightPerLine = 3;
// The HTTP upload weighs file parts by their bytes in sixteenths.
constexpr uint64_t kHttpBytesPerWeight = 16;

}  // namespace

std::string SendSender(std::string_view mailFrom, std::string_view mailAddr) {
  if (!TrimText(mailFrom).empty()) return std::string(TrimText(mailFrom));
  const std::vector<std::string> recipients = SplitRecipients(mailAddr);
  if (recipients.empty()) return {};
  return "QuorExcept <" + BareAddress(recipients.front()) + ">";
}

std::string ReportExceptionMessage(std::string_view report) {
  static constexpr std::string_view kLine = "\r\nexception message ";
  const size_t start = report.find(kLine);
  if (start == std::string_view::npos) return {};
  std::string_view line = report.substr(start + kLine.size());
  line = line.substr(0, line.find_first_of("\r\n"));
  const size_t colon = line.find(':');
  if (colon != std::string_view::npos) line.remove_prefix(colon + 1);
  return std::string(TrimText(line));
}

std::string FillReportPlaceholders(std::string_view text, std::string_view exceptMsg, std::string_view report) {
  static constexpr std::string_view kMessage = "%exceptmsg%", kReport = "%bugreport%";
  const auto at = [&](size_t i, std::string_view token) { return SameText(text.substr(i, token.size()), token); };
  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (at(i, kMessage)) {
      out += exceptMsg.empty() ? std::string_view("Unknown") : exceptMsg;
      i += kMessage.size();
    } else if (at(i, kReport)) {
      out += report;
      i += kReport.size();
    } else {
      out += text[i++];
    }
  }
  return out;
}

NVPngMode ScreenshotPngMode(int32_t scrShotDepth) {
  switch (scrShotDepth) {
    case 4: return NVPngMode::kGrey;
    case 51200: return NVPngMode::kColorWithin50K;
    case 102400: return NVPngMode::kColorWithin100K;
    case 204800: return NVPngMode::kColorWithin200K;
    case 307200: return NVPngMode::kColorWithin300K;
    default: return NVPngMode::kColor;
  }
}

SendAttachments GroupAttachments(const std::vector<SendFile>& files) {
  SendAttachments out;
  for (const SendFile& f : files) {
    if (f.zip.empty()) {
      out.plain.push_back(f);
      continue;
    }
    SendArchive* archive = nullptr;
    for (SendArchive& a : out.archives)
      if (SameText(a.name, f.zip)) archive = &a;
    if (!archive) archive = &out.archives.emplace_back(SendArchive{f.zip, {}});
    archive->files.push_back(f);
  }
  return out;
}

std::vector<SendArea> SmtpSessionAreas(bool mxMode, const std::vector<uint64_t>& attachmentSizes) {
  std::vector<SendArea> areas;
  if (mxMode) areas.push_back({"MxLookMsg", 500});
  areas.insert(areas.end(), {{"ConnMsg", 100}, {"", 100}, {"", 200}, {"AuthMsg", 200}, {"SendMailMsg", 100},
                             {"", 100}, {"", 100}, {"", 100}, {"", 100}});
  for (uint64_t size : attachmentSizes)
    areas.push_back({"SendAttMsg", (size / kBytesPerLine + (size % kBytesPerLine ? 1 : 0)) * kWeightPerLine});
  areas.insert(areas.end(), {{"SendFinalMsg", 500}, {"", 100}});
  return areas;
}

std::vector<SendArea> HttpUploadAreas(uint64_t fieldBlockLength, const std::vector<uint64_t>& partLengths) {
  std::vector<SendArea> areas = {{"ConnMsg", 100}, {"", 100}, {"FieldMsg", fieldBlockLength + 100}};
  for (uint64_t length : partLengths) areas.push_back({"SendAttMsg", length / kHttpBytesPerWeight});
  areas.insert(areas.end(), {{"", 100}, {"SendFinalMsg", 500}});
  return areas;
}

}  // namespace quor
