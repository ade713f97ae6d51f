#include "report/box/quorBoxClipboard.h"

#include <cstring>

#include "base/ScopeExit.h"
#include "base/WinMemory.h"

namespace quor {

bool CopyBoxText(HWND box, std::string_view text, uint32_t frozenThread) {
  if (frozenThread != 0) {
    // Windows: EmptyClipboard sends WM_DESTROYCLIPBOARD to the owner window
    // and waits for it to be handled.
    HWND owner = GetClipboardOwner();
    if (owner && GetWindowThreadProcessId(owner, nullptr) == frozenThread) return false;
  }
  base::GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  if (!memory) return false;
  if (void* p = GlobalLock(memory.get())) {
    std::memcpy(p, text.data(), text.size());
    static_cast<char*>(p)[text.size()] = '\0';
    GlobalUnlock(memory.get());
  } else {
    return false;
  }
  if (!OpenClipboard(box)) return false;
  const base::ScopeExit close([] { CloseClipboard(); });
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, memory.get())) return false;
  (void)memory.release();  // the clipboard owns the block now
  return true;
}

}  // namespace quor
