// Driving an assistant form's window from another thread, as a user would:
// find the visible form, type into its edits, click its buttons.
#pragma once

#include <windows.h>

#include <string_view>

#include "report/assistant/quorNVForm.h"

namespace quor_test {

// The visible form window, or none after five seconds.
inline HWND WaitForForm() {
  for (int i = 0; i < 500; ++i) {
    if (HWND h = FindWindowW(quor::kNVAssistantClass, nullptr); h && IsWindowVisible(h)) return h;
    Sleep(10);
  }
  return nullptr;
}

// The window of a named item.
inline HWND ItemWindow(HWND form, const quor::NVFormModel& model, std::string_view item) {
  return GetDlgItem(form, quor::kNVFirstItemId + int(model.Find(item) - model.items.data()));
}

}  // namespace quor_test
