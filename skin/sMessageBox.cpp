#include "skin/sMessageBox.h"

#include <windows.h>

#include "toolkit/Forms.h"
#include "toolkit/WinText.h"

namespace skin {

int32_t ShowMessageBox(const std::string& text, TMsgKind kind, uint16_t buttons) {
  const TMessageBoxStyle style = MessageBoxStyle(kind, buttons);
  const HWND owner = tk::Application ? tk::Application->Handle() : nullptr;
  const int answer = MessageBoxW(owner, tk::Wide(text).c_str(), tk::Wide(style.Caption).c_str(), style.Flags);
  return MessageBoxAnswer(buttons, answer);
}

}  // namespace skin
