#include "report/storage/quorExceptAssistant.h"

#include "report/assistant/quorReportAssistant.h"
#include "report/handling/quorExceptObject.h"
#include "report/storage/quorTempFolder.h"

namespace quor {

namespace {

constexpr char kCallstackCrc[] = "callstack crc";

// The exception's report as the assistant sees it.
class TExceptionReport final : public IAssistantReport {
public:
  explicit TExceptionReport(TIQuorException& e) : e_(e) {}
  IQuorSettings& Settings() override { return e_; }
  bool OffersScreenshot() override { return e_.ScreenshotState().Creates() && e_.Screenshot(); }
  std::shared_ptr<const INVBitmap> Screenshot() override { return e_.Screenshot(); }
  void SetScreenshot(std::shared_ptr<const INVBitmap> picture) override { e_.ScreenshotState().Set(std::move(picture)); }
  bool AttachesScreenshot() override { return e_.ScreenshotState().Attaches(); }
  void SetAttachScreenshot(bool attach) override { e_.ScreenshotState().SetAttaches(attach); }
  std::string TempFolder() override { return ::quor::TempFolder(); }
  void AddHeaderField(const std::string& name, const std::string& value) override {
    const QuorPtr<IQuorFieldsEx> header = e_.HeaderFields();
    if (header->Find(name) >= 0) {
      (void)header->SetContent(name, value);
      return;
    }
    // What the user said goes before the check sums that close the header.
    const int32_t crc = header->Find(kCallstackCrc);
    if (crc >= 0)
      (void)header->Insert(crc, name, value);
    else
      (void)header->Add(name, value);
  }
  void AddSection(const std::string& name, const std::string& text) override { e_.SetSection(name, text); }

private:
  TIQuorException& e_;
};

}  // namespace

bool RunExceptionAssistant(const AssistantDefinition& assistant, HWND owner, TIQuorException& exception) {
  TExceptionReport report(exception);
  ReportAssistant forms = CreateAssistant(report, assistant);
  return RunReportAssistant(forms, owner, report);
}

bool RunPresentationAssistant(TIQuorException& exception) {
  const std::optional<AssistantDefinition> assistant = exception.Assistant(exception.AssistantName());
  if (!assistant) return false;
  (void)RunExceptionAssistant(*assistant, nullptr, exception);
  return true;
}

}  // namespace quor
