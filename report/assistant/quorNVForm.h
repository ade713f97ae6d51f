// An assistant form on the screen: a window of its own class built from the
// form model, with its own drawing and its own modal loop. The user's input
// goes back into the model's items.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "report/assistant/quorNVFormModel.h"
#include "report/screenshot/quorNVBitmap.h"

namespace quor {

// What happens on a form, for its action handler.
enum NVAction : int32_t {
  nvaCreated = 0,
  nvaShowing = 1,
  nvaClosed = 2,   // the modal result is set
  nvaChanged = 3,  // an item changed or was clicked (item), or the timer fired (no item)
};

// The handler of a form's actions; `item` is null for form-wide ones. It may
// change the model (an edit's valid state, a check box) and the window
// follows.
using NVActionHandler = std::function<void(NVFormModel& form, NVAction action, NVItem* item)>;

// The picture an image item shows, or none; asked again after every action,
// so a handler that changes it is followed.
using NVPictureOf = std::function<std::shared_ptr<const INVBitmap>(const NVFormModel& form, const NVItem& item)>;

struct NVFormShow {
  std::string title;
  int32_t number = 1, count = 1;  // the form's place in its assistant
  NVActionHandler onAction;
  NVPictureOf pictureOf = {};  // none: images stay empty
};

// The window class of the forms.
inline constexpr wchar_t kNVAssistantClass[] = L"quorNVAssistantWnd";
// The first control identifier: item i has kNVFirstItemId + i.
inline constexpr int kNVFirstItemId = 100;
// The form timer's identifier.
inline constexpr UINT_PTR kNVFormTimer = 777;

// Shows the form over `owner` until the user closes it; the answer is its
// modal result (also kept in the model).
int32_t RunNVForm(NVFormModel& form, const NVFormShow& show, HWND owner);

// Runs the forms one after the other: 1 when the last one is passed, 3 as
// soon as one is cancelled. The owner is disabled meanwhile and gets its
// earlier state back.
int32_t RunNVAssistant(std::vector<NVFormModel>& forms, const std::string& title, const NVActionHandler& onAction,
                       HWND owner, const NVPictureOf& pictureOf = {});

}  // namespace quor
