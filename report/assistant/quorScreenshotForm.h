// The screenshot form's handler: the report's screenshot in the image, a
// click on it opens the picture in the user's image editor (as a BMP in the
// report's temporary folder), an edit saved there replaces the screenshot,
// and the check box decides whether it goes with the report.
#pragma once

#include <memory>

#include "report/assistant/quorNVForm.h"
#include "report/assistant/quorReportAssistant.h"

namespace quor {

inline constexpr char kScreenshotImage[] = "ScrShotImg";
inline constexpr char kAttachCheck[] = "AttachCheck";
// The file the editor gets, in the report's temporary folder.
inline constexpr char kScreenshotBmp[] = "screenShot.bmp";

// One handler per assistant run (it keeps the editor and the file's state).
[[nodiscard]] NVActionHandler ScreenshotFormHandler(IAssistantReport& report);

}  // namespace quor
