// The skinned frame of a top-level window, shared by the form's provider
// and the dialog skinner: the system's frame sizes, the look (sections,
// caption-button images), the picture of the whole window with its caption
// buttons, icon and caption text, and its copy to the screen in one piece.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "skin/sBitmap24.h"
#include "skin/sFrameLayout.h"
#include "skin/sFramePainter.h"
#include "skin/sSkinTables.h"

namespace skin {

// The caption buttons' hit codes, in the order of TCaptionButton.
inline constexpr int32_t kHitCodes[cbCount] = {fhClose, fhMaxButton, fhMinButton, fhHelp};
inline constexpr int32_t kNoButton = -1;
// The caption button of a hit code, kNoButton for other codes.
inline int32_t ButtonOfHit(int32_t hit) {
  for (int b = cbClose; b < cbCount; ++b)
    if (kHitCodes[b] == hit) return b;
  return kNoButton;
}

// The window's outer rectangle on the screen.
RECT WindowRectOf(HWND h);
// The client area in window coordinates.
RECT ClientInWindow(HWND h);

// The system's frame sizes; `measured` (sides, top with the caption,
// bottom; left < 0: none yet) are the edges the system really gave the
// window, which newer Windows pads beyond the metrics.
TSystemFrameSizes SystemFrameSizes(const RECT& measured);

// The frame's sections and caption-button images. `titleSkin` empty:
// "FORMTITLE". Small images are taken when `smallButtons` asks for them and
// the skin has "SICONCLOSE"; without "BICONCLOSE" in "GLOBALINFO" all come
// from the frame's own section.
struct TFrameLookInput {
  int32_t FrameSection = -1;
  std::string FrameSectionName, TitleSkin;
  bool SmallButtons = false;
  TFrameState State = TFrameState::Normal;
  bool Active = true;
  const int32_t* ButtonStates = nullptr;  // cbCount entries
};
TFrameLook FrameLookOf(const TsSkinTables& t, const TFrameLookInput& in);

// The height of the strip at the window's top that holds the title, its
// icon, caption text and buttons.
int32_t TitleStripHeight(const TFrameLayout& f);

// The frame picture of the whole window: sections and title-bar piece,
// the title strip saved in `titleBackground` (single buttons repaint from
// it), then the caption buttons.
void PaintFramePicture(TsBitmap24& cache, TsBitmap24& titleBackground, const TsSkinTables& t, const TFrameLayout& f,
                       const TFrameLook& look);

// The icon (none: nothing) and the window's text in the caption, written
// with the title section's colours in `font`.
void PaintFrameCaption(TsBitmap24& cache, const TFrameLayout& f, HWND window, HICON icon, HFONT font,
                       const TsSkinTables& t, const TFrameLook& look, UINT alignment);

// Takes WS_VISIBLE away while the system handles a message that draws the
// caption straight away (WM_SETTEXT, WM_SETICON): the system draws nothing
// on an invisible window.
// Windows: WM_SETREDRAW would do the same but also validates the window,
// which drops paints that are still due; changing the style bit alone keeps
// them. Wine: the style bit is what its drawing checks, too.
class TSystemFrameOff {
public:
  explicit TSystemFrameOff(HWND h) : h_(h), style_(GetWindowLongW(h, GWL_STYLE)) {
    if (style_ & WS_VISIBLE) SetWindowLongW(h_, GWL_STYLE, style_ & ~WS_VISIBLE);
  }
  ~TSystemFrameOff() {
    if (style_ & WS_VISIBLE) SetWindowLongW(h_, GWL_STYLE, GetWindowLongW(h_, GWL_STYLE) | WS_VISIBLE);
  }
  TSystemFrameOff(const TSystemFrameOff&) = delete;
  TSystemFrameOff& operator=(const TSystemFrameOff&) = delete;

private:
  HWND h_;
  LONG style_;
};

// Gives the window the shape of the skin's frame corners.
void ShapeFrameWindow(HWND h, const TsSkinTables& t, const TFrameLayout& f, const TFrameLook& look);

// Whether the window's system menu leaves Close enabled (true without a
// system menu; a Yes/No box greys it: it has no Cancel).
bool SystemMenuCloseEnabled(HWND h);
// Whether the window offers Close at all: its class lacks CS_NOCLOSE and
// its system menu has not greyed Close.
bool WindowOffersClose(HWND h);

// Sends the system command of a caption button's hit code (close,
// maximise or restore, minimise or restore, help); false for other codes.
// `minimizedRestores`: the minimise button of a minimised window restores it.
bool SendCaptionButtonCommand(HWND h, int32_t hit, bool minimizedRestores);

// A caption button held down with the left mouse button. The window has
// the mouse capture meanwhile, so the mouse arrives as client messages:
// the button shows pressed while the cursor is over it and normal off it;
// releasing over it runs its action, releasing elsewhere does nothing, and
// a lost capture returns it to normal without acting.
class TCaptionPress {
public:
  struct THost {
    std::function<TFrameLayout()> Layout;
    std::function<void(int32_t hit, int32_t state)> ShowState;
    std::function<void(int32_t hit, POINT cursor)> Act;
  };
  explicit TCaptionPress(THost host) : host_(std::move(host)) {}

  // The hit code of the button held, fhNowhere when none.
  [[nodiscard]] int32_t Held() const { return held_; }
  // A disabled caption button is not pressed: false.
  bool Begin(HWND h, int32_t hit);
  // Follows WM_MOUSEMOVE, WM_LBUTTONUP, WM_CAPTURECHANGED and WM_CANCELMODE:
  // true when the message was the press's own and is answered; a lost
  // capture ends the press and still goes on to the window.
  bool Follow(HWND h, UINT msg, LPARAM lParam);

private:
  void End(HWND h, bool act);

  THost host_;
  int32_t held_ = fhNowhere;
};

// Copies the frame picture to the window, the client area left out.
void CopyFrameToWindow(HWND h, const TsBitmap24& cache, const std::vector<RECT>& leftOut = {});
// Copies one rectangle (window coordinates) of the picture to the window.
void CopyFramePartToWindow(HWND h, const TsBitmap24& cache, const TFrameRect& r);

}  // namespace skin
