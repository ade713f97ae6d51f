#include "report/delivery/quorSendBugReport.h"

#include <shellapi.h>

#include <chrono>
#include <memory>
#include <optional>

#include "report/delivery/quorFileSource.h"
#include "report/delivery/quorHttpUpload.h"
#include "report/delivery/quorMailAddress.h"
#include "report/delivery/quorMailServerLookup.h"
#include "report/delivery/quorMimeMessage.h"
#include "report/delivery/quorOnlineTest.h"
#include "report/delivery/quorSendAttachments.h"
#include "report/delivery/quorSendPlan.h"
#include "report/delivery/quorSmtpSession.h"
#include "report/delivery/quorWinsock.h"
#include "report/progress/quorNVPrgrAlert.h"
#include "report/progress/quorProgressAreas.h"

namespace quor {

namespace {

constexpr uint32_t kBlockedWaitMs = 250;
constexpr uint64_t kStepWeight = 100;
constexpr char kSendIcon[] = "QUORISEND32";

// Everything one send works with.
struct SendJob {
  IQuorModuleSettings& settings;
  const SendReportRequest& request;
  const SendReportContext& context;
  bool inWorker;
  std::string subject, body, sender;
  std::vector<SendFile> files;
  QuorPtr<IProgressAlert> progress;
};

bool Blocked(const SendReportContext& c) { return c.processBlocked && c.processBlocked(kBlockedWaitMs); }

std::string ComputerName() {
  char name[256] = {};
  DWORD size = sizeof name;
  return GetComputerNameExA(ComputerNameDnsHostname, name, &size) ? std::string(name, size) : std::string();
}

// The progress window of a send with the areas every way shares.
void ShowProgress(SendJob& job) {
  IQuorModuleSettings& s = job.settings;
  job.progress = NewProgressAlert(s.SendBoxTitle(), reinterpret_cast<HMODULE>(s.Module()), kSendIcon);
  IProgressAlert& p = *job.progress;
  p.AddArea(s.PrepAttMsg(), kStepWeight);
  const bool smtp = s.MailAsSmtpServer() || s.MailAsSmtpClient();
  if (smtp || s.UploadViaHttp()) {
    if (s.MailAsSmtpServer()) p.AddArea(s.MxLookMsg(), kStepWeight);
    p.AddArea(s.ConnMsg(), kStepWeight);
    if (smtp) {
      p.AddArea(s.AuthMsg(), 2 * kStepWeight);
      p.AddArea(s.SendMailMsg(), kStepWeight);
    }
    if (s.UploadViaHttp()) p.AddArea(s.FieldMsg(), kStepWeight);
    if (!job.files.empty()) p.AddArea(s.SendAttMsg(), kStepWeight);
    p.AddArea(s.SendFinalMsg(), kStepWeight);
  }
  if (job.request.silent && !s.AutoSendBox()) return;
  // A worker's window never takes the focus from the program.
  if (job.inWorker)
    p.Show(nullptr, false);
  else
    p.Show(job.request.parent, true);
}

// Sources of the attachments that exist and are not empty.
struct OpenFiles {
  std::vector<std::unique_ptr<FileSource>> sources;
  std::vector<const SendFile*> files;
};
OpenFiles Open(const std::vector<SendFile>& files) {
  OpenFiles open;
  for (const SendFile& f : files) {
    auto source = std::make_unique<FileSource>(f.file);
    if (!source->Opened() || source->Size() == 0) continue;
    open.files.push_back(&f);
    open.sources.push_back(std::move(source));
  }
  return open;
}

// Adds the areas of one protocol session.
void PlanSession(IProgressAlert* p, const std::vector<SendArea>& areas, IQuorModuleSettings& s) {
  if (!p) return;
  for (const SendArea& a : areas) p->AddArea(a.text.empty() ? std::string() : s.TextValue(a.text), a.weight);
}

// The session's steps move the window from area to area.
class AlertSteps final : public SmtpProgress {
public:
  explicit AlertSteps(IProgressAlert& alert) : alert_(alert) {}
  void StepDone() override { alert_.NextArea(); }
  void Within(int32_t permille) override { alert_.SetPosition(permille); }

private:
  IProgressAlert& alert_;
};

bool SendSmtp(SendJob& job) {
  IQuorModuleSettings& s = job.settings;
  const bool mx = s.MailAsSmtpServer();
  const std::vector<std::string> recipients = SplitRecipients(s.MailAddr());
  if (recipients.empty() || (!mx && s.SmtpServer().empty())) return false;
  SmtpJob mail;
  mail.port = mx ? kSmtpPort : static_cast<uint16_t>(s.SmtpPort());
  mail.hostName = ComputerName();
  if (!mx) {
    mail.servers = {s.SmtpServer()};
    mail.account = s.SmtpAccount();
    mail.password = s.SmtpPassword();
  }
  mail.sender = job.sender;
  mail.subject = job.subject;
  mail.body = job.body;
  mail.time = std::chrono::system_clock::now();
  IProgressAlert* p = job.progress.get();
  std::optional<AlertSteps> steps;
  // The areas planned so far: one for the finished preparation, then those
  // of each session.
  int32_t planned = 0;
  if (p) {
    p->ClearAreas();
    p->AddArea("", kBarRange);
    planned = 1;
    mail.progress = &steps.emplace(*p);
  }
  const auto session = [&](std::vector<std::string> to) {
    OpenFiles open = Open(job.files);
    std::vector<uint64_t> sizes;
    mail.attachments.clear();
    for (size_t i = 0; i < open.files.size(); ++i) {
      sizes.push_back(open.sources[i]->Size());
      mail.attachments.push_back({open.files[i]->sendAs, std::string(AttachmentContentType(open.files[i]->file)),
                                  open.sources[i].get()});
    }
    // A session starts at its own first area, also after a session that
    // failed part of the way.
    const std::vector<SendArea> areas = SmtpSessionAreas(mx, sizes);
    PlanSession(p, areas, s);
    const int32_t first = planned;
    planned += static_cast<int32_t>(areas.size());
    if (p) p->SetCurrentArea(first);
    if (mx) {
      const MxLookupOutcome found = LookupMailServer(to.front(), SystemMailServerLookup());
      if (found.exchangers.empty()) return false;
      mail.servers = found.exchangers;
      if (p) p->NextArea();
    }
    mail.recipients = std::move(to);
    WinsockStream stream;
    return SendMail(mail, stream).sent;
  };
  if (!mx) return session(recipients);
  // Each recipient through the mail server of its own domain.
  bool any = false;
  for (const std::string& r : recipients) any = session({r}) || any;
  return any;
}

bool SendHttp(SendJob& job) {
  IQuorModuleSettings& s = job.settings;
  if (s.HttpServer().empty()) return false;
  HttpUploadJob upload;
  upload.url = s.HttpServer();
  upload.port = static_cast<uint16_t>(s.HttpPort());
  upload.account = s.HttpAccount();
  upload.password = s.HttpPassword();
  upload.sender = job.sender;
  if (const QuorPtr<IQuorFieldsEx> fields = s.Fields()) {
    std::string name, value;
    for (int32_t i = 0; i < fields->Count(); ++i)
      if (fields->Item(i, name, value) && name != "MailFrom") upload.fields.emplace_back(name, value);
  }
  if (!job.sender.empty()) upload.fields.emplace_back("MailFrom", job.sender);
  OpenFiles open = Open(job.files);
  for (size_t i = 0; i < open.files.size(); ++i)
    upload.files.push_back({open.files[i]->field, open.files[i]->sendAs, open.sources[i].get()});
  const SystemProxy proxy = SystemProxySetting();
  upload.proxySetting = proxy.servers;
  upload.proxyBypass = proxy.bypass;
  if (IProgressAlert* p = job.progress.get()) p->NextArea();
  WinsockStream stream;
  const HttpUploadOutcome outcome = UploadReport(upload, stream);
  if (outcome.sent && !outcome.openLocation.empty())
    ShellExecuteA(nullptr, "open", outcome.openLocation.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return outcome.sent;
}

// The one network way the settings name first.
bool SendOverNetwork(SendJob& job) {
  IQuorModuleSettings& s = job.settings;
  if (!s.MailAsSmtpServer() && !s.MailAsSmtpClient() && !s.UploadViaHttp()) return false;
  GoOnline(!job.request.silent && !Blocked(job.context));
  return s.UploadViaHttp() && !s.MailAsSmtpServer() && !s.MailAsSmtpClient() ? SendHttp(job) : SendSmtp(job);
}

MailClientJob ClientJob(const SendJob& job, bool withFiles) {
  MailClientJob mail;
  mail.recipients = SplitRecipients(job.settings.MailAddr());
  mail.subject = job.subject;
  mail.body = job.body;
  if (withFiles)
    for (const SendFile& f : job.files) mail.files.push_back({f.file, f.sendAs});
  mail.parent = job.request.parent;
  mail.silent = job.request.silent;
  return mail;
}

MailClientResult Send(IQuorModuleSettings& settings, const SendReportRequest& request,
                      const SendReportContext& context, bool inWorker) {
  SendJob job{settings, request, context, inWorker, {}, {}, {}, {}, {}};
  const std::string message = ReportExceptionMessage(request.report);
  job.subject = FillReportPlaceholders(settings.MailSubj(), message, request.report);
  job.body = FillReportPlaceholders(settings.MailBody(), message, request.report);
  job.sender = SendSender(settings.MailFrom(), settings.MailAddr());
  std::string deleteAfterSending;
  if (settings.MailAsSmtpServer() || settings.MailAsSmtpClient() || settings.UploadViaHttp() ||
      settings.MailViaMapi()) {
    PreparedAttachments prepared = PrepareAttachments(
        settings, {request.report, request.screenshot, context.tempFolder, context.storeReport, context.reportStored});
    job.files = std::move(prepared.files);
    deleteAfterSending = std::move(prepared.deleteAfterSending);
    ShowProgress(job);
  }
  MailClientResult result = SendOverNetwork(job) ? MailClientResult::Sent : MailClientResult::Failed;
  if (job.progress) job.progress->Close();
  if (result == MailClientResult::Failed && settings.MailViaMapi() && !Blocked(context))
    result = SendViaMapi(ClientJob(job, true));
  if (result == MailClientResult::Failed && settings.MailViaMailto() && !request.silent) {
    // The link carries the whole report as its body: the file stays.
    MailClientJob link = ClientJob(job, false);
    link.body = request.report;
    result = SendViaMailto(link);
    deleteAfterSending.clear();
  }
  if (result == MailClientResult::Failed && !request.silent)
    MessageBoxA(request.parent, settings.SendFailMsg().c_str(), "", MB_OK | MB_ICONERROR);
  if (result == MailClientResult::Sent) {
    if (context.markSent) context.markSent();
    if (!deleteAfterSending.empty()) {
      SetFileAttributesA(deleteAfterSending.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(deleteAfterSending.c_str());
    }
  }
  return result;
}

// What a background send owns while its thread runs.
struct BackgroundSend {
  QuorPtr<IQuorModuleSettings> settings;
  SendReportRequest request;
  SendReportContext context;
};

DWORD WINAPI SendInBackground(void* parameter) {
  const std::unique_ptr<BackgroundSend> send(static_cast<BackgroundSend*>(parameter));
  try {
    (void)Send(*send->settings, send->request, send->context, true);
  } catch (...) {
    // A failed send in the background never reaches the program.
  }
  return 0;
}

}  // namespace

MailClientResult SendBugReportEx(const QuorPtr<IQuorModuleSettings>& settings, const SendReportRequest& request,
                                 const SendReportContext& context, base::KernelHandle* thread) {
  if (!settings) return MailClientResult::Failed;
  if (request.background && !Blocked(context)) {
    if (request.parent)
      SetWindowPos(request.parent, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    auto send = std::make_unique<BackgroundSend>(BackgroundSend{settings, request, context});
    send->request.parent = nullptr;
    send->request.background = false;
    base::KernelHandle worker(CreateThread(nullptr, 0, &SendInBackground, send.get(), 0, nullptr));
    if (worker) {
      (void)send.release();
      if (thread) *thread = std::move(worker);
      return MailClientResult::Sent;
    }
  }
  return Send(*settings, request, context, false);
}

}  // namespace quor
