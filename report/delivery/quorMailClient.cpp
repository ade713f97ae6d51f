#include "report/delivery/quorMailClient.h"

#include <mapi.h>

#include "base/WinAnsi.h"
#include "base/WinHandle.h"
#include "base/WinLibrary.h"
#include "base/WinRegKey.h"
#include "report/delivery/quorMailAddress.h"
#include "report/delivery/quorMailtoLink.h"

namespace quor {

namespace {

// The registry keeps the handler's command in the default value of this key
// under the classes root: the user's classes first, then the machine's.
// Windows: HKEY_CLASSES_ROOT shows that merged view by itself.
// Wine: HKEY_CLASSES_ROOT shows only the machine's classes, so the user's
// are read first explicitly.
const wchar_t kUserMailtoCommandKey[] = L"Software\\Classes\\mailto\\shell\\open\\command";
const wchar_t kMailtoCommandKey[] = L"mailto\\shell\\open\\command";
// The longest command value read, in characters.
constexpr DWORD kMaxHandlerCommand = 260;

}  // namespace

MailClientResult SendViaMapi(const MailClientJob& job) {
  const base::Library mapi(LoadLibraryW(L"mapi32.dll"));
  if (!mapi) return MailClientResult::Failed;
  const auto send = reinterpret_cast<LPMAPISENDMAIL>(reinterpret_cast<void*>(GetProcAddress(mapi.get(), "MAPISendMail")));
  if (!send) return MailClientResult::Failed;

  // MAPI takes writable narrow strings; these hold them while the call runs.
  std::vector<std::string> names, addresses;
  for (const std::string& r : job.recipients) {
    const std::string display = DisplayName(r);
    names.push_back(display.empty() ? BareAddress(r) : display);
    addresses.push_back(MapiRecipientAddress(r));
  }
  std::vector<MapiRecipDesc> recipients(job.recipients.size());
  for (size_t i = 0; i < recipients.size(); ++i) {
    recipients[i].ulRecipClass = MAPI_TO;
    recipients[i].lpszName = names[i].data();
    recipients[i].lpszAddress = addresses[i].data();
  }
  std::vector<std::string> paths, sendAs;
  for (const MailClientFile& f : job.files) {
    paths.push_back(f.path);
    sendAs.push_back(f.sendAs);
  }
  std::vector<MapiFileDesc> files(job.files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    files[i].nPosition = static_cast<ULONG>(-1);  // not placed inside the text
    files[i].lpszPathName = paths[i].data();
    files[i].lpszFileName = sendAs[i].data();
  }
  std::string subject = job.subject, body = job.body;
  MapiMessage message = {};
  message.lpszSubject = subject.data();
  message.lpszNoteText = body.data();
  message.nRecipCount = static_cast<ULONG>(recipients.size());
  message.lpRecips = recipients.empty() ? nullptr : recipients.data();
  message.nFileCount = static_cast<ULONG>(files.size());
  message.lpFiles = files.empty() ? nullptr : files.data();
  const FLAGS flags = job.silent && !job.recipients.empty() ? 0 : MAPI_LOGON_UI | MAPI_DIALOG;

  // The mail program's window must be able to come in front of ours.
  const bool topmost = job.parent && (GetWindowLongW(job.parent, GWL_EXSTYLE) & WS_EX_TOPMOST);
  if (topmost) SetWindowPos(job.parent, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const ULONG answer = send(0, reinterpret_cast<ULONG_PTR>(job.parent), &message, flags, 0);
  if (topmost) SetWindowPos(job.parent, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (answer == SUCCESS_SUCCESS) return MailClientResult::Sent;
  if (answer == MAPI_USER_ABORT) return MailClientResult::Cancelled;
  return MailClientResult::Failed;
}

std::optional<std::wstring> MailtoHandlerCommand() {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kUserMailtoCommandKey, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS &&
      RegOpenKeyExW(HKEY_CLASSES_ROOT, kMailtoCommandKey, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
    return std::nullopt;
  const base::RegKey key(opened);
  wchar_t value[kMaxHandlerCommand + 1] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  DWORD type = 0;
  if (RegQueryValueExW(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  const std::wstring command(value);
  if (command.empty()) return std::nullopt;
  const DWORD needed = ExpandEnvironmentStringsW(command.c_str(), nullptr, 0);
  if (needed == 0) return command;
  std::wstring expanded(needed, L'\0');
  expanded.resize(ExpandEnvironmentStringsW(command.c_str(), expanded.data(), needed) - 1);
  return expanded;
}

MailClientResult SendViaMailto(const MailClientJob& job) {
  const std::optional<std::wstring> handler = MailtoHandlerCommand();
  if (!handler) return MailClientResult::Failed;
  const std::optional<std::string> command = MailtoCommand(base::WideToAnsi(*handler), job.recipients, job.subject, job.body);
  if (!command) return MailClientResult::Failed;
  std::wstring line = base::AnsiToWide(*command);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
    return MailClientResult::Failed;
  const base::KernelHandle process(started.hProcess), thread(started.hThread);
  return MailClientResult::Sent;
}

}  // namespace quor
