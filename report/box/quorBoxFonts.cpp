#include "report/box/quorBoxFonts.h"

#include "base/WinSelection.h"
#include "base/WinWindowDc.h"

namespace quor {
namespace {

HFONT Font(int height, const wchar_t* face) {
  return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// Windows: CreateFont hardly ever fails, it maps a missing face to another;
// whether Tahoma is there shows in the face the font really got.
bool HasFace(HFONT font, const wchar_t* face) {
  const base::WindowDc screen(nullptr);
  const base::Selection selected(screen.get(), font);
  wchar_t got[LF_FACESIZE] = {};
  GetTextFaceW(screen.get(), LF_FACESIZE, got);
  return lstrcmpiW(got, face) == 0;
}

}  // namespace

TBoxFonts CreateBoxFonts() {
  TBoxFonts fonts;
  fonts.normal.reset(Font(11, L"Tahoma"));
  if (!fonts.normal || !HasFace(fonts.normal.get(), L"Tahoma")) fonts.normal.reset(Font(12, L"MS Sans Serif"));
  fonts.fixed.reset(Font(11, L"Courier New"));
  return fonts;
}

}  // namespace quor
