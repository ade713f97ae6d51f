// The yardstick of the start-up harness: a plain Win32 program with a window
// of the main window's client size and the same standard controls (a file
// name edit, three buttons, a multi-line log), painted by the system alone.
#include <windows.h>

namespace {

constexpr int kClientWidth = 771, kClientHeight = 399;

struct TChild {
  const wchar_t* Class;
  const wchar_t* Text;
  DWORD Style;
  RECT Bounds;  // left, top, right, bottom in the client area
};

// Where the main window's stored layout puts its edit, buttons and log.
constexpr TChild kChildren[] = {
    {L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL, {19, 137, 603, 158}},
    {L"BUTTON", L"Close", BS_PUSHBUTTON, {674, 7, 759, 87}},
    {L"BUTTON", L"Calculate File Check Sum", BS_DEFPUSHBUTTON | BS_MULTILINE, {617, 113, 759, 174}},
    {L"BUTTON", L"Clear Log", BS_PUSHBUTTON, {617, 177, 759, 203}},
    {L"EDIT", L"", WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY, {0, 209, 771, 399}},
};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSW c{};
  c.lpfnWndProc = &WindowProc;
  c.hInstance = instance;
  c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  c.lpszClassName = L"BareWindow";
  if (!RegisterClassW(&c)) return 1;
  constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRect(&frame, kStyle, FALSE);
  HWND window = CreateWindowW(L"BareWindow", L"Bare Window", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const TChild& child : kChildren) {
    const RECT& b = child.Bounds;
    HWND h = CreateWindowW(child.Class, child.Text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | child.Style, b.left, b.top,
                           b.right - b.left, b.bottom - b.top, window, nullptr, instance, nullptr);
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  ShowWindow(window, show);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  return 0;
}
