// The files a send attaches, prepared in the reporter's temporary folder:
// a copy of the bug report file with this report (or this report alone),
// the screenshot as PNG, the files the settings add, and each group of
// files packed into its zip archive.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "report/delivery/quorSendPlan.h"
#include "report/screenshot/quorNVPixels.h"
#include "report/settings/quorSettings.h"

namespace quor {

struct AttachmentSources {
  std::string report;
  std::shared_ptr<const NVPixels> screenshot;  // none: no screenshot attached
  std::string tempFolder;                      // ends with "\"
  // Writes the report into a bug report file (appending as the settings
  // say); false when it could not.
  std::function<bool(const std::string& file)> storeReport;
  bool reportStored = false;  // the report is in the bug report file already
};

struct PreparedAttachments {
  std::vector<SendFile> files;  // archives already packed
  std::string deleteAfterSending;  // the bug report file, when DelBugRepFile asks for it
};

[[nodiscard]] PreparedAttachments PrepareAttachments(IQuorModuleSettings& settings, const AttachmentSources& sources);

// The bug report file a setting names: a relative name lies in the folder
// of the settings' module.
[[nodiscard]] std::string BugReportFilePath(const std::string& setting, uintptr_t module);

}  // namespace quor
