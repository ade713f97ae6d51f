// An assistant for one report: the forms its definition names, loaded from
// the module's form resources with their handlers and filled from the form
// cache; run modally, its answers go into the report and the cache.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/assistant/quorNVFormModel.h"
#include "report/screenshot/quorNVBitmap.h"
#include "report/settings/quorSettings.h"

namespace quor {

// What an assistant reads from and writes into the report it runs for.
class IAssistantReport {
public:
  virtual IQuorSettings& Settings() = 0;
  // The report offers a screenshot for the screenshot form.
  virtual bool OffersScreenshot() = 0;
  // The screenshot the report would attach, or none.
  virtual std::shared_ptr<const INVBitmap> Screenshot() = 0;
  // A picture the user edited replaces the screenshot.
  virtual void SetScreenshot(std::shared_ptr<const INVBitmap> picture) = 0;
  // Whether the screenshot goes with the report.
  virtual bool AttachesScreenshot() = 0;
  virtual void SetAttachScreenshot(bool attach) = 0;
  // The folder for the report's temporary files, ending with a backslash.
  virtual std::string TempFolder() = 0;
  // A header field placed before "callstack crc", and a section of its own.
  virtual void AddHeaderField(const std::string& name, const std::string& value) = 0;
  virtual void AddSection(const std::string& name, const std::string& text) = 0;

protected:
  ~IAssistantReport() = default;
};

struct ReportAssistant {
  std::string title;
  std::vector<NVFormModel> forms;
};

// The prefix of a form's resource name: "TQUOR" and the form's name in upper case.
inline constexpr char kFormResourcePrefix[] = "TQUOR";

// The assistant of that name, or none; the screenshot form left out when
// the report offers no screenshot or ScrShotDepth is 0. A form resource
// that is missing gives a form with only its three buttons; one that
// cannot be read whole tells the user and keeps what was read.
[[nodiscard]] std::optional<ReportAssistant> CreateAssistantByName(IAssistantReport& report, std::string_view name);
// The same for a definition already found.
[[nodiscard]] ReportAssistant CreateAssistant(IAssistantReport& report, AssistantDefinition definition);

// The answers of the forms finished with Continue, into the report.
void AddAssistantResults(const ReportAssistant& assistant, IAssistantReport& report);

// Shows the forms one after the other over `owner`. True when the last one
// was passed: the answers are then in the report. Either way the form cache
// keeps what the forms finished with Continue held.
bool RunReportAssistant(ReportAssistant& assistant, HWND owner, IAssistantReport& report);

}  // namespace quor
