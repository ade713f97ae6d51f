#include "report/assistant/quorReportAssistant.h"

#include <algorithm>
#include <cctype>
#include <memory>

#include "report/assistant/quorContactForm.h"
#include "report/assistant/quorScreenshotForm.h"
#include "report/assistant/quorNVForm.h"
#include "report/settings/quorFormCache.h"

namespace quor {

namespace {

constexpr char kContactFormHandler[] = "QuorExcept.HandleContactForm";
constexpr char kScreenshotFormHandler[] = "QuorExcept.HandleScreenshotForm";
constexpr char kErrorCaption[] = "QuorExcept";

// The form's resource bytes in the module, or none.
std::optional<std::string_view> FormResource(HMODULE module, std::string_view form) {
  std::string name = kFormResourcePrefix;
  for (char c : form) name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  HRSRC found = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10));
  if (!found) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return std::nullopt;
  return std::string_view(static_cast<const char*>(data), SizeofResource(module, found));
}

NVFormModel LoadForm(HMODULE module, std::string_view name) {
  const std::optional<std::string_view> bytes = FormResource(module, name);
  if (!bytes) return EmptyNVForm();
  NVFormRead read = ReadNVForm(*bytes);
  if (!read.error.empty()) MessageBoxA(nullptr, read.error.c_str(), kErrorCaption, MB_OK | MB_ICONERROR);
  return std::move(read.form);
}

// The cache's view of the forms and back.
std::vector<FormCacheForm> CacheView(const std::vector<NVFormModel>& forms) {
  std::vector<FormCacheForm> view;
  for (const NVFormModel& f : forms) {
    FormCacheForm c;
    c.result = f.modalResult;
    c.continueEnabled = f.ContinueAllowed();
    for (const NVItem& item : f.items) {
      if (item.name.empty()) continue;
      if (item.kind == NVItemKind::Edit) c.items.push_back({item.name, false, item.text, false});
      if (item.kind == NVItemKind::CheckBox) c.items.push_back({item.name, true, "", item.checked});
    }
    view.push_back(std::move(c));
  }
  return view;
}

void TakeCacheView(std::vector<NVFormModel>& forms, const std::vector<FormCacheForm>& view) {
  for (size_t i = 0; i < forms.size() && i < view.size(); ++i) {
    for (const FormCacheItem& c : view[i].items)
      if (NVItem* item = forms[i].Find(c.name)) {
        if (c.checkBox)
          item->checked = c.checked;
        else
          item->text = c.text;
      }
    if (view[i].focusContinue) forms[i].activeControl = std::string(kContinueBtn);
  }
}

// One handler for the whole assistant, calling each form's own by its name.
NVActionHandler FormHandlers(IAssistantReport& report) {
  auto contact = std::make_shared<NVActionHandler>(
      ContactFormHandler([&report](const std::string& mailFrom) { report.Settings().SetMailFrom(mailFrom); }));
  auto screenshot = std::make_shared<NVActionHandler>(ScreenshotFormHandler(report));
  return [contact, screenshot](NVFormModel& form, NVAction action, NVItem* item) {
    if (form.onAction == kContactFormHandler) (*contact)(form, action, item);
    if (form.onAction == kScreenshotFormHandler) (*screenshot)(form, action, item);
  };
}

// The screenshot form's image shows the report's screenshot.
NVPictureOf FormPictures(IAssistantReport& report) {
  return [&report](const NVFormModel& form, const NVItem& item) -> std::shared_ptr<const INVBitmap> {
    if (form.onAction != kScreenshotFormHandler || item.name != kScreenshotImage) return nullptr;
    return report.Screenshot();
  };
}

}  // namespace

std::optional<ReportAssistant> CreateAssistantByName(IAssistantReport& report, std::string_view name) {
  std::optional<AssistantDefinition> definition = report.Settings().Assistant(name);
  if (!definition) return std::nullopt;
  return CreateAssistant(report, std::move(*definition));
}

ReportAssistant CreateAssistant(IAssistantReport& report, AssistantDefinition definition) {
  IQuorSettings& settings = report.Settings();
  if (!report.OffersScreenshot() || settings.ScrShotDepth() == 0) DropScreenshotForm(definition);
  ReportAssistant assistant{definition.title, {}};
  const auto module = reinterpret_cast<HMODULE>(settings.Module());
  const NVActionHandler handlers = FormHandlers(report);
  for (const std::string& form : definition.forms) {
    assistant.forms.push_back(LoadForm(module, form));
    handlers(assistant.forms.back(), nvaCreated, nullptr);
  }
  if (const QuorPtr<IQuorFieldsEx> cache = settings.FormCache()) {
    std::vector<FormCacheForm> view = CacheView(assistant.forms);
    ApplyFormCache(*cache, view);
    TakeCacheView(assistant.forms, view);
  }
  return assistant;
}

void AddAssistantResults(const ReportAssistant& assistant, IAssistantReport& report) {
  const AssistantResults results = CollectAssistantResults(assistant.forms);
  for (const auto& [name, value] : results.headers) report.AddHeaderField(name, value);
  for (const auto& [name, text] : results.sections) report.AddSection(name, text);
}

bool RunReportAssistant(ReportAssistant& assistant, HWND owner, IAssistantReport& report) {
  const bool finished =
      RunNVAssistant(assistant.forms, assistant.title, FormHandlers(report), owner, FormPictures(report)) ==
      nvmrContinue;
  if (finished) AddAssistantResults(assistant, report);
  if (const QuorPtr<IQuorFieldsEx> cache = report.Settings().FormCache()) StoreFormCache(*cache, CacheView(assistant.forms));
  return finished;
}

}  // namespace quor
