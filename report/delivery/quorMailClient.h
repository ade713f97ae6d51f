// Handing a report to the user's own mail program: through Simple MAPI with
// the attachments, or as a mailto link with the report as the body. Both are
// the last ways of delivery, after SMTP and HTTP.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace quor {

enum class MailClientResult { Failed = 0, Sent = 1, Cancelled = 2 };

struct MailClientFile {
  std::string path;    // the file to attach
  std::string sendAs;  // the name the receiver sees
};

struct MailClientJob {
  std::vector<std::string> recipients;  // "a@x" or "Name <a@x>"
  std::string subject, body;
  std::vector<MailClientFile> files;
  HWND parent = nullptr;  // the mail program's dialog is owned by it
  // No dialog of the mail program (automatic sending), when there are recipients.
  bool silent = false;
};

// Simple MAPI's MAPISendMail of the system's mail program. The caller checks
// first that the process is not blocked (the call loads libraries).
[[nodiscard]] MailClientResult SendViaMapi(const MailClientJob& job);

// The command the system opens mailto links with, environment variables
// expanded; nothing when no program is registered.
[[nodiscard]] std::optional<std::wstring> MailtoHandlerCommand();

// Starts the mailto handler with the link (recipients, subject, body; the
// body shortened when the command line would be too long). Sent means the
// program started.
[[nodiscard]] MailClientResult SendViaMailto(const MailClientJob& job);

}  // namespace quor
