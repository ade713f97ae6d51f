#include "skin/sMessageBox.h"

#include <windows.h>

#include "base/ScopeExit.h"
#include "skin/orvDials.h"
#include "toolkit/Forms.h"
#include "toolkit/WinText.h"

namespace skin {

int32_t ShowMessageBox(const std::string& text, TMsgKind kind, uint16_t buttons, int32_t x, int32_t y) {
  const TMessageBoxStyle style = MessageBoxStyle(kind, buttons);
  // The dialog skinner moves the box there when it attaches.
  const POINT before = MessageBoxPosition();
  MessageBoxPosition() = {x, y};
  const base::ScopeExit restore([before] { MessageBoxPosition() = before; });
  const HWND owner = tk::Application ? tk::Application->Handle() : nullptr;
  const int answer = MessageBoxW(owner, tk::Wide(text).c_str(), tk::Wide(style.Caption).c_str(), style.Flags);
  return MessageBoxAnswer(buttons, answer);
}

}  // namespace skin
