// What a send prepares before any connection: the sender, the exception
// message quoted in subject and body, the screenshot's PNG mode, the final
// attachments (files grouped into their zip archives) and the progress
// areas of each way of sending with their weights.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/screenshot/quorNVPng.h"

namespace quor {

// MailFrom when set; else "QuorExcept <first address of MailAddr>"; else empty.
[[nodiscard]] std::string SendSender(std::string_view mailFrom, std::string_view mailAddr);

// The exception message a report names: the rest of the line "exception
// message ..." after its first ":", trimmed; empty when the report has none.
[[nodiscard]] std::string ReportExceptionMessage(std::string_view report);

// A mail text with %exceptMsg% (an empty message reads "Unknown") and
// %bugReport% filled in, without regard to case, in one pass: what they
// bring is never searched again.
[[nodiscard]] std::string FillReportPlaceholders(std::string_view text, std::string_view exceptMsg,
                                                 std::string_view report);

// The PNG mode of the screenshot attachment for ScrShotDepth.
[[nodiscard]] NVPngMode ScreenshotPngMode(int32_t scrShotDepth);

struct SendFile {
  std::string file, sendAs, field, zip;
};

// The attachments as they go out: files without an archive as they are,
// and for each archive name (without regard to case, in order of first
// appearance) one entry for the archive itself, made of its files.
struct SendArchive {
  std::string name;              // also its send-as and field name
  std::vector<SendFile> files;   // stored in it under their send-as names
};
struct SendAttachments {
  std::vector<SendFile> plain;
  std::vector<SendArchive> archives;
};
[[nodiscard]] SendAttachments GroupAttachments(const std::vector<SendFile>& files);

// One progress area: the setting whose text it shows (empty: a further
// step without text of its own) and its weight.
struct SendArea {
  std::string text;
  uint64_t weight;
};
// The areas of one SMTP session; attachment sizes in bytes (files that do
// not exist or are empty are left out by the caller).
[[nodiscard]] std::vector<SendArea> SmtpSessionAreas(bool mxMode, const std::vector<uint64_t>& attachmentSizes);
// The areas of an HTTP upload: the field block's length and each file part's.
[[nodiscard]] std::vector<SendArea> HttpUploadAreas(uint64_t fieldBlockLength, const std::vector<uint64_t>& partLengths);

}  // namespace quor
