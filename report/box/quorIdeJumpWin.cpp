#include "report/box/quorIdeJumpWin.h"

#include <vector>

#include "report/box/quorIdeJump.h"

namespace quor {
namespace {

constexpr UINT kJumpTimeoutMs = 1000;
constexpr int kClassNameSize = 256;

struct THandlerSearch {
  std::string Prefix;
  std::vector<HWND> Found;
};

BOOL CALLBACK CollectHandler(HWND window, LPARAM search) {
  auto& s = *reinterpret_cast<THandlerSearch*>(search);
  char name[kClassNameSize] = {};
  const int length = GetClassNameA(window, name, kClassNameSize);
  if (length >= 0 && std::string_view(name, static_cast<size_t>(length)).substr(0, s.Prefix.size()) == s.Prefix)
    s.Found.push_back(window);
  return TRUE;
}

}  // namespace

void SendIdeJump(HWND box, const std::string& rowText) {
  SetWindowPos(box, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  HWND ide = FindWindowA(kIdeMainWindowClass, nullptr);
  if (!ide) return;
  THandlerSearch search{IdeHandlerClassPrefix(GetWindowThreadProcessId(ide, nullptr)), {}};
  EnumWindows(CollectHandler, reinterpret_cast<LPARAM>(&search));
  const UINT message = RegisterWindowMessageA(kIdeJumpMessage);
  for (HWND handler : search.Found) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(handler, message, GetCurrentProcessId(), reinterpret_cast<LPARAM>(rowText.c_str()),
                        SMTO_ABORTIFHUNG, kJumpTimeoutMs, &answer);
  }
}

}  // namespace quor
